#include "core/imaging/halftone.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "core/imaging/luma.h"
#include "core/imaging/transfer.h"

namespace zr640 {
namespace {

constexpr DitherMatrix8 kM8 = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

constexpr DitherMatrix16 BuildM16() {
    DitherMatrix16 m{};
    for (size_t r = 0; r < 8; ++r) {
        for (size_t c = 0; c < 8; ++c) {
            const int v = 4 * kM8[r][c];
            m[r][c] = static_cast<uint8_t>(v);
            m[r][c + 8] = static_cast<uint8_t>(v + 3);
            m[r + 8][c] = static_cast<uint8_t>(v + 2);
            m[r + 8][c + 8] = static_cast<uint8_t>(v + 1);
        }
    }
    return m;
}

constexpr DitherMatrix16 kM16 = BuildM16();

constexpr PaletteEntry kMonoPalette[2] = {{0, 0, 0}, {255, 255, 255}};

struct ChannelSums {
    uint64_t sum[3] = {0, 0, 0};  // blue, green, red
    int Mean(size_t channel, uint64_t pixels) const {
        return static_cast<int>(sum[channel] / pixels);
    }
};

// The sums of the untransferred blue, green and red levels. Sixteen pixels at a time into
// 48 running sums, a loop compilers turn into vector code; the sums are folded by channel
// at the end. A running sum takes at most 2^25 / 16 pixels of 255: no overflow.
ChannelSums SumRawColour(const BitmapView& picture) {
    const auto width = static_cast<size_t>(picture.width());
    const size_t blocks = width / 16;
    std::array<uint32_t, 48> lanes{};
    ChannelSums sums;
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* p = picture.row(y);
        for (size_t b = 0; b < blocks; ++b, p += 48) {
            for (size_t k = 0; k < 48; ++k) lanes[k] += p[k];
        }
        for (size_t x = blocks * 16; x < width; ++x, p += 3) {
            for (size_t c = 0; c < 3; ++c) sums.sum[c] += p[c];
        }
    }
    for (size_t k = 0; k < 48; ++k) sums.sum[k % 3] += lanes[k];
    return sums;
}

// Every method but error diffusion judges a pixel white when its value reaches a threshold
// that depends on the pixel's place: `period` threshold lines of `width` entries, line
// y % period serving row y. The conditions of the methods ("g / 4 > m", "g > mean" ...)
// are turned into "value >= threshold" here, once. For 24-bit pictures the value is the
// luma sum 587 G + 299 R + 114 B before its division by 1000, so the thresholds are
// scaled by 1000 instead: g >= k exactly when the sum >= 1000 k.
struct Thresholds {
    int32_t period = 1;
    std::vector<uint32_t> lines;
};

template <size_t N>
Thresholds MatrixThresholds(const std::array<std::array<uint8_t, N>, N>& matrix, int32_t width,
                            uint32_t scale, uint32_t offset, uint32_t unit) {
    Thresholds t{static_cast<int32_t>(N), std::vector<uint32_t>(N * static_cast<size_t>(width))};
    for (size_t r = 0; r < N; ++r) {
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            t.lines[r * static_cast<size_t>(width) + x] =
                (scale * matrix[r][x % N] + offset) * unit;
        }
    }
    return t;
}

// One row judged against its threshold line, the leftmost pixel in the most significant
// bit; `value(x)` gives pixel x's value.
template <typename Value>
void ThresholdRow(int32_t width, const uint32_t* thresholds, uint8_t* out, Value value) {
    auto bit = [&](int32_t x) { return value(x) >= thresholds[x]; };
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        unsigned byte = 0;
        for (int32_t k = 0; k < 8; ++k) byte = byte << 1 | unsigned{bit(x + k)};
        *out++ = static_cast<uint8_t>(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        for (int32_t k = 0; k < 8; ++k) byte = byte << 1 | unsigned{x + k < width && bit(x + k)};
        *out = static_cast<uint8_t>(byte);
    }
}

void ThresholdPicture(const BitmapView& picture, const LumaTables& luma, const TransferTable& level,
                      const Thresholds& thresholds, uint8_t* rows, size_t rowSize) {
    const int32_t width = picture.width();
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* p = picture.row(y);
        const uint32_t* line =
            thresholds.lines.data() +
            static_cast<size_t>(y % thresholds.period) * static_cast<size_t>(width);
        uint8_t* out = rows + static_cast<size_t>(y) * rowSize;
        if (picture.bitsPerPixel() == 24) {
            ThresholdRow(width, line, out, [&](int32_t x) {
                const uint8_t* px = p + 3 * x;
                return luma.blue[px[0]] + luma.green[px[1]] + luma.red[px[2]];
            });
        } else {
            ThresholdRow(width, line, out, [&](int32_t x) { return uint32_t{level[p[x]]}; });
        }
    }
}

// Serpentine error diffusion. The errors are whole numbers, so the shares
// truncate(e * 0.375) and truncate(e * 0.25) are exactly 3e / 8 and e / 4 in integer
// arithmetic, which truncates toward zero in the same way. The carry to the next pixel and
// the share for the pixel below are the same 3e / 8.
//
// Each pixel's sum v waits for the carry of the pixel before it, so the speed of the whole
// method is the length of that chain: the shares are looked up by v rather than computed.
// The sums stay within -255..510: with every |e| <= 255 so far, v = g + current + carry is
// at least 0 - (3/8 + 1/4 + 3/8) 255 and at most 255 + 255, and such a v gives again
// |e| <= 255 (the shares only lose magnitude when truncated).
class DiffusionShares {
public:
    static constexpr int32_t kLow = -255;
    static constexpr int32_t kHigh = 510;
    DiffusionShares() {
        for (int32_t v = kLow; v <= kHigh; ++v) {
            const int32_t e = v > 128 ? v - 255 : v;
            eighths_[static_cast<size_t>(v - kLow)] = e * 3 / 8;
            quarters_[static_cast<size_t>(v - kLow)] = e / 4;
        }
    }
    // Indexed by v itself (pointer-sized, so the lookup adds nothing to the chain).
    const ptrdiff_t* ThreeEighths() const { return eighths_.data() - kLow; }
    const ptrdiff_t* Quarters() const { return quarters_.data() - kLow; }

private:
    std::array<ptrdiff_t, kHigh - kLow + 1> eighths_{};
    std::array<ptrdiff_t, kHigh - kLow + 1> quarters_{};
};

// Pixel i of the next row gets two shares from this one: 3e / 8 from the pixel above it
// and e / 4 from the pixel before that one in the scan direction. Both are known when
// pixel i is done, so `next` is written once per pixel rather than added to twice; `next`
// has a spare entry before and after the row for the share that falls outside it. The
// last row's shares go to `next` as well and are dropped with it. `current` holds the
// errors this row received from the row before; `gray(i)` gives pixel i's gray level.
//
// Only the carry is on the chain from pixel to pixel: each pixel's gray level and received
// error are found while the pixel before it waits for its carry, and the carry's share is
// read at `shareOf[carry]`, an address found off the chain, so a pixel adds one load to it.
template <int Step, typename Gray>
void DiffuseRow(Gray gray, const int32_t* current, int32_t width, const DiffusionShares& shares,
                int32_t* next, uint8_t* white) {
    const ptrdiff_t* threeEighths = shares.ThreeEighths();
    const ptrdiff_t* quarters = shares.Quarters();
    ptrdiff_t carry = 0;
    ptrdiff_t quarter = 0;
    for (int32_t n = 0, i = Step > 0 ? 0 : width - 1; n < width; ++n, i += Step) {
        const ptrdiff_t base = static_cast<ptrdiff_t>(gray(i)) + current[i];
        const ptrdiff_t* shareOf = threeEighths + base;
        const ptrdiff_t v = base + carry;
        carry = shareOf[carry];  // replaced, not summed
        white[i] = v > 128;
        next[i] = static_cast<int32_t>(carry + quarter);
        quarter = quarters[v];
    }
    next[Step > 0 ? width : -1] = static_cast<int32_t>(quarter);
}

// Packs a row of 0/1 flag bytes into bits, the first pixel in the most significant bit.
// Eight flags loaded as one little-endian word and multiplied by 0x8040201008040201 land
// in the top byte in that order, without carries (checked for all 256 patterns).
static_assert(std::endian::native == std::endian::little);
void PackFlags(const uint8_t* flags, int32_t width, uint8_t* out) {
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        uint64_t eight;
        std::memcpy(&eight, flags + x, 8);
        *out++ = static_cast<uint8_t>((eight * 0x8040201008040201u) >> 56);
    }
    if (x < width) {
        unsigned byte = 0;
        for (int32_t k = 0; k < 8; ++k) byte = byte << 1 | unsigned{x + k < width && flags[x + k]};
        *out = static_cast<uint8_t>(byte);
    }
}

void Diffuse(const BitmapView& picture, const LumaTables& luma, const TransferTable& level,
             uint8_t* rows, size_t rowSize) {
    static const DiffusionShares shares;
    const int32_t width = picture.width();
    const auto entries = static_cast<size_t>(width) + 2;
    std::vector<uint8_t> white(static_cast<size_t>(width));
    std::vector<int32_t> current(entries, 0);
    std::vector<int32_t> next(entries, 0);
    for (int32_t y = 0; y < picture.height(); ++y) {
        std::swap(current, next);  // every entry of the new `next` is written before it is read
        const uint8_t* p = picture.row(y);
        const auto row = [&](auto gray) {
            if (y % 2 == 1) {
                DiffuseRow<1>(gray, current.data() + 1, width, shares, next.data() + 1,
                              white.data());
            } else {
                DiffuseRow<-1>(gray, current.data() + 1, width, shares, next.data() + 1,
                               white.data());
            }
        };
        if (picture.bitsPerPixel() == 24) {
            row([&](int32_t x) { return LumaOf(p + 3 * x, luma); });
        } else {
            row([&](int32_t x) { return level[p[x]]; });
        }
        PackFlags(white.data(), width, rows + static_cast<size_t>(y) * rowSize);
    }
}

// The mean threshold needs the whole picture's mean before any pixel can be judged: the
// first pass keeps every pixel's gray level and sums the transferred channels on the way
// (a sum of 114 T(B) over the picture is 114 times the sum of T(B)), the second compares.
void ThresholdAtMean(const BitmapView& picture, const LumaTables& luma, const TransferTable& level,
                     uint8_t* rows, size_t rowSize) {
    const int32_t width = picture.width();
    const auto pixels = static_cast<size_t>(width) * static_cast<size_t>(picture.height());
    std::vector<uint8_t> gray(pixels);
    uint64_t sums[3] = {0, 0, 0};
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* p = picture.row(y);
        uint8_t* g = gray.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        uint64_t b = 0, gr = 0, r = 0;
        if (picture.bitsPerPixel() == 24) {
            for (int32_t x = 0; x < width; ++x, p += 3) {
                const uint32_t lb = luma.blue[p[0]], lg = luma.green[p[1]], lr = luma.red[p[2]];
                b += lb;
                gr += lg;
                r += lr;
                g[x] = static_cast<uint8_t>((lb + lg + lr) / 1000u);
            }
            sums[0] += b / 114;
            sums[1] += gr / 587;
            sums[2] += r / 299;
        } else {
            for (int32_t x = 0; x < width; ++x) {
                g[x] = level[p[x]];
                b += g[x];
            }
            sums[0] += b;
        }
    }
    const int mean = picture.bitsPerPixel() == 24 ? (587 * static_cast<int>(sums[1] / pixels) +
                                                     299 * static_cast<int>(sums[2] / pixels) +
                                                     114 * static_cast<int>(sums[0] / pixels)) /
                                                        1000
                                                  : static_cast<int>(sums[0] / pixels);
    // A mean of 255 leaves every pixel black; below it, "g > mean" is a byte comparison.
    const auto top = static_cast<uint8_t>(std::min(mean, 255));
    std::vector<uint8_t> white(static_cast<size_t>(width));
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* g = gray.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (size_t x = 0; x < white.size(); ++x) white[x] = g[x] > top;
        PackFlags(white.data(), width, rows + static_cast<size_t>(y) * rowSize);
    }
}

}  // namespace

const DitherMatrix8& DitherM8() { return kM8; }

Result<std::vector<uint8_t>> ConvertToMonoBitmap(const BitmapView& picture, Halftone halftone,
                                                 int contrast, int brightness) {
    const uint16_t bits = picture.bitsPerPixel();
    if (bits != 24 && bits != 8) return Error{"a mono logo is made from a 24-bit or 8-bit bitmap"};
    const int method = static_cast<int>(halftone);
    if (method < 0 || method > 3) return Error{"unknown halftone " + std::to_string(method)};
    contrast = std::clamp(contrast, kTransferMin, kTransferMax);
    brightness = std::clamp(brightness, kTransferMin, kTransferMax);

    const bool colour = bits == 24;
    const int32_t width = picture.width();
    const uint64_t pixels = uint64_t(width) * uint64_t(picture.height());
    const TransferTable t = MakeTransferTable(contrast, brightness);
    LumaTables luma = MakeLumaTables(t, t, t);
    const uint32_t unit = colour ? 1000 : 1;

    std::vector<uint8_t> file = NewBitmapFile(width, picture.height(), 1, kMonoPalette);
    uint8_t* rows = file.data() + BitmapPixelOffset(2);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 1));
    Thresholds thresholds;
    switch (halftone) {
    case Halftone::kNone:
        // White above the mean; for colour pictures the mean of each transferred
        // channel is taken first and then weighted.
        ThresholdAtMean(picture, luma, t, rows, rowSize);
        return file;
    case Halftone::kDitherM3:
        // Colour: g / 4 >= m, that is g >= 4m. Gray: g / 4 > m, that is g >= 4m + 4.
        thresholds = MatrixThresholds(kM8, width, 4, colour ? 0 : 4, unit);
        break;
    case Halftone::kDitherM4:
        if (colour) {
            // Contrast about each channel's own mean, from the untransferred levels.
            const ChannelSums sums = SumRawColour(picture);
            TransferTable s[3];
            for (size_t c = 0; c < 3; ++c) {
                s[c] = MakeMeanPivotTable(contrast, brightness, sums.Mean(c, pixels));
            }
            luma = MakeLumaTables(s[0], s[1], s[2]);
        }
        // Colour: g >= M16. Gray: T(p) > M16.
        thresholds = MatrixThresholds(kM16, width, 1, colour ? 0 : 1, unit);
        break;
    case Halftone::kErrorDiffuse: Diffuse(picture, luma, t, rows, rowSize); return file;
    }
    ThresholdPicture(picture, luma, t, thresholds, rows, rowSize);
    return file;
}

}  // namespace zr640
