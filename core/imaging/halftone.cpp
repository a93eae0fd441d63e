#include "core/imaging/halftone.h"

#include <algorithm>
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

// Level counts of the whole picture: blue, green and red for 24-bit pictures, the pixel
// byte in [0] for 8-bit ones. Means taken from them equal the means over all pixels.
using Histogram = std::array<uint32_t, 256>;  // at most 2^25 pixels: no overflow
struct Histograms {
    std::array<Histogram, 3> channel{};
};

Histograms CountLevels(const BitmapView& picture) {
    Histograms h;
    const int32_t width = picture.width();
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* p = picture.row(y);
        if (picture.bitsPerPixel() == 24) {
            for (int32_t x = 0; x < width; ++x, p += 3) {
                ++h.channel[0][p[0]];
                ++h.channel[1][p[1]];
                ++h.channel[2][p[2]];
            }
        } else {
            for (int32_t x = 0; x < width; ++x) ++h.channel[0][p[x]];
        }
    }
    return h;
}

// The integer mean of t(level) over all pixels.
int MeanLevel(const Histogram& histogram, const TransferTable& t, uint64_t pixels) {
    uint64_t sum = 0;
    for (size_t v = 0; v < 256; ++v) sum += uint64_t{histogram[v]} * t[v];
    return static_cast<int>(sum / pixels);
}

TransferTable Identity() {
    TransferTable t;
    for (size_t v = 0; v < 256; ++v) t[v] = static_cast<uint8_t>(v);
    return t;
}

// Every method but error diffusion judges a pixel white when its value reaches a threshold
// that depends on the pixel's place: `period` threshold lines of `width` entries, line
// y % period serving row y. The values are gray levels; the conditions of the methods
// ("g / 4 > m", "g > mean" ...) are turned into "value >= threshold" once, here.
struct Thresholds {
    int32_t period = 1;
    std::vector<int16_t> lines;
};

template <size_t N>
Thresholds MatrixThresholds(const std::array<std::array<uint8_t, N>, N>& matrix, int32_t width,
                            int scale, int offset) {
    Thresholds t{static_cast<int32_t>(N), std::vector<int16_t>(N * static_cast<size_t>(width))};
    for (size_t r = 0; r < N; ++r) {
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            t.lines[r * static_cast<size_t>(width) + x] =
                static_cast<int16_t>(scale * matrix[r][x % N] + offset);
        }
    }
    return t;
}

Thresholds FlatThreshold(int32_t width, int threshold) {
    return {1, std::vector<int16_t>(static_cast<size_t>(width), static_cast<int16_t>(threshold))};
}

// Sets the bit of each pixel whose value reaches its threshold, leftmost pixel in the most
// significant bit.
void ThresholdRow(const int16_t* values, const int16_t* thresholds, int32_t width, uint8_t* out) {
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        unsigned byte = 0;
        for (int32_t k = 0; k < 8; ++k) {
            byte = byte << 1 | unsigned{values[x + k] >= thresholds[x + k]};
        }
        *out++ = static_cast<uint8_t>(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        for (int32_t k = 0; k < 8; ++k) {
            byte = byte << 1 | unsigned{x + k < width && values[x + k] >= thresholds[x + k]};
        }
        *out = static_cast<uint8_t>(byte);
    }
}

// How a row of the picture becomes gray values: through luma tables (24-bit) or a level
// table (8-bit).
struct GraySource {
    const BitmapView& picture;
    LumaTables luma;
    TransferTable level;

    void Row(int32_t y, int16_t* out) const {
        if (picture.bitsPerPixel() == 24) {
            LumaRow(picture.row(y), picture.width(), luma, out);
        } else {
            LevelRow(picture.row(y), picture.width(), level, out);
        }
    }
};

// Serpentine error diffusion of one row. The errors are whole numbers, so the shares
// truncate(e * 0.375) and truncate(e * 0.25) are exactly 3e / 8 and e / 4 in integer
// arithmetic, which truncates toward zero in the same way.
void DiffuseRow(const int16_t* gray, int32_t width, bool leftToRight, bool lastRow,
                const int32_t* current, int32_t* next, uint8_t* out) {
    const int32_t step = leftToRight ? 1 : -1;
    int32_t carry = 0;
    for (int32_t n = 0, i = leftToRight ? 0 : width - 1; n < width; ++n, i += step) {
        const int32_t v = gray[i] + current[i] + carry;
        int32_t e = v;
        if (v > 128) {
            out[i >> 3] = static_cast<uint8_t>(out[i >> 3] | 0x80 >> (i & 7));
            e = v - 255;
        }
        carry = e * 3 / 8;  // replaced, not summed; unused after the row's last pixel
        if (!lastRow) {
            next[i] += e * 3 / 8;
            const int32_t neighbour = i + step;
            if (neighbour >= 0 && neighbour < width) next[neighbour] += e / 4;
        }
    }
}

void Diffuse(const GraySource& source, uint8_t* rows, size_t rowSize) {
    const int32_t width = source.picture.width();
    const int32_t height = source.picture.height();
    std::vector<int16_t> gray(static_cast<size_t>(width));
    std::vector<int32_t> current(static_cast<size_t>(width), 0);
    std::vector<int32_t> next(static_cast<size_t>(width), 0);
    for (int32_t y = 0; y < height; ++y) {
        std::swap(current, next);
        std::fill(next.begin(), next.end(), 0);
        source.Row(y, gray.data());
        DiffuseRow(gray.data(), width, y % 2 == 1, y == height - 1, current.data(), next.data(),
                   rows + static_cast<size_t>(y) * rowSize);
    }
}

}  // namespace

const DitherMatrix8& DitherM8() { return kM8; }
const DitherMatrix16& DitherM16() { return kM16; }

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
    GraySource source{picture, MakeLumaTables(t, t, t), t};

    Thresholds thresholds;
    switch (halftone) {
        case Halftone::kNone: {
            // White above the mean; for colour pictures the mean of each transferred
            // channel is taken first and then weighted.
            const Histograms h = CountLevels(picture);
            const int mean = colour ? (587 * MeanLevel(h.channel[1], t, pixels) +
                                       299 * MeanLevel(h.channel[2], t, pixels) +
                                       114 * MeanLevel(h.channel[0], t, pixels)) / 1000
                                    : MeanLevel(h.channel[0], t, pixels);
            thresholds = FlatThreshold(width, mean + 1);
            break;
        }
        case Halftone::kDitherM3:
            // Colour: g / 4 >= m, that is g >= 4m. Gray: g / 4 > m, that is g >= 4m + 4.
            thresholds = MatrixThresholds(kM8, width, 4, colour ? 0 : 4);
            break;
        case Halftone::kDitherM4:
            if (colour) {
                // Contrast about each channel's own mean, from the untransferred levels.
                const Histograms h = CountLevels(picture);
                const TransferTable identity = Identity();
                TransferTable s[3];
                for (size_t c = 0; c < 3; ++c) {
                    s[c] = MakeMeanPivotTable(contrast, brightness,
                                              MeanLevel(h.channel[c], identity, pixels));
                }
                source.luma = MakeLumaTables(s[0], s[1], s[2]);
            }
            // Colour: g >= M16. Gray: T(p) > M16.
            thresholds = MatrixThresholds(kM16, width, 1, colour ? 0 : 1);
            break;
        case Halftone::kErrorDiffuse:
            break;
    }

    std::vector<uint8_t> file = NewBitmapFile(width, picture.height(), 1, kMonoPalette);
    uint8_t* rows = file.data() + BitmapPixelOffset(2);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 1));
    if (halftone == Halftone::kErrorDiffuse) {
        Diffuse(source, rows, rowSize);
        return file;
    }
    std::vector<int16_t> values(static_cast<size_t>(width));
    for (int32_t y = 0; y < picture.height(); ++y) {
        source.Row(y, values.data());
        const size_t line = static_cast<size_t>(y % thresholds.period) * static_cast<size_t>(width);
        ThresholdRow(values.data(), thresholds.lines.data() + line, width,
                     rows + static_cast<size_t>(y) * rowSize);
    }
    return file;
}

}  // namespace zr640
