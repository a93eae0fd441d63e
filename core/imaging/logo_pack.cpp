#include "core/imaging/logo_pack.h"

#include <algorithm>
#include <cstring>

namespace zr640 {
namespace {

constexpr PaletteEntry kBlack{0, 0, 0};
constexpr PaletteEntry kWhite{255, 255, 255};

// The dots of a mono picture, one stored row of `rowSize` bytes per line, bottom line
// first, `lines` lines (a multiple of 8, the blank ones above the picture); a set bit is
// a dot.
struct DotRows {
    size_t rowSize = 0;
    size_t lines = 0;
    std::vector<uint8_t> bits;
    const uint8_t* line(size_t i) const { return bits.data() + i * rowSize; }
};

DotRows ReadDots(const BitmapView& picture, bool setBitIsWhite) {
    const auto width = static_cast<size_t>(picture.width());
    const auto height = static_cast<size_t>(picture.height());
    DotRows dots;
    dots.rowSize = picture.rowSize();
    dots.lines = (height + 7) / 8 * 8;
    dots.bits.assign(dots.rowSize * dots.lines, 0);

    const size_t used = (width + 7) / 8;
    const auto lastMask = static_cast<uint8_t>(width % 8 == 0 ? 0xFF : 0xFF00 >> (width % 8));
    for (size_t y = 0; y < height; ++y) {
        uint8_t* out = dots.bits.data() + y * dots.rowSize;
        std::memcpy(out, picture.row(static_cast<int32_t>(y)), used);
        if (setBitIsWhite) {
            for (size_t i = 0; i < used; ++i) out[i] = static_cast<uint8_t>(~out[i]);
        }
        out[used - 1] &= lastMask;  // the rest of the row stays 0
    }
    return dots;
}

}  // namespace

Result<MonoLogo> PackMonoLogo(std::span<const uint8_t> file, const BitmapLimits& limits) {
    const auto parsed = ParseBitmap(file, limits);
    if (!parsed) return Error{parsed.error()};
    const BitmapView& picture = *parsed;
    if (picture.bitsPerPixel() != 1) return Error{"a mono logo must be a 1-bit bitmap"};
    const auto& palette = picture.palette();
    const bool blackFirst = palette[0] == kBlack && palette[1] == kWhite;
    const bool whiteFirst = palette[0] == kWhite && palette[1] == kBlack;
    if (!blackFirst && !whiteFirst) {
        return Error{"a mono logo must have a black and white palette"};
    }

    const DotRows dots = ReadDots(picture, blackFirst);
    const size_t bands = dots.lines / 8;
    MonoLogo logo;
    logo.bytesAcross = static_cast<uint16_t>(dots.rowSize);
    logo.bands = static_cast<uint16_t>(bands);
    logo.data.resize(dots.rowSize * 8 * bands);

    // Column by column from the left; in each column the bands from the top, the top dot
    // of a band in bit 7. The top line of the padded picture is the last stored line.
    uint8_t* out = logo.data.data();
    for (size_t column = 0; column < dots.rowSize * 8; ++column) {
        const size_t byte = column / 8;
        const auto mask = static_cast<uint8_t>(0x80 >> (column % 8));
        for (size_t band = 0; band < bands; ++band) {
            unsigned value = 0;
            for (size_t k = 0; k < 8; ++k) {
                const size_t line = dots.lines - 1 - 8 * band - k;
                value = value << 1 | unsigned{(dots.line(line)[byte] & mask) != 0};
            }
            *out++ = static_cast<uint8_t>(value);
        }
    }
    return logo;
}

Result<GrayLogo> PackGrayLogo(std::span<const uint8_t> file, const BitmapLimits& limits) {
    const auto parsed = ParseBitmap(file, limits);
    if (!parsed) return Error{parsed.error()};
    const BitmapView& picture = *parsed;
    if (picture.bitsPerPixel() != 8) return Error{"a gray logo must be an 8-bit bitmap"};

    const auto width = static_cast<size_t>(picture.width());
    const auto height = static_cast<size_t>(picture.height());
    const size_t lineBytes = (picture.rowSize() + 7) / 8;  // L is a multiple of 4: L/8 or L/8 + 1/2
    const size_t bands = (4 * height + 7) / 8;
    GrayLogo logo;
    logo.bytesPerLine = static_cast<uint16_t>(lineBytes);
    logo.bands = static_cast<uint16_t>(bands);
    logo.data.assign(lineBytes * 8 * bands, 0);  // the blank lines of an odd height stay 0

    // Pixels past the width, in the row padding and in the half byte that may end a line,
    // are white: all their plane bits are 1, so they give no dots.
    std::vector<uint8_t> levels(lineBytes * 8, 255);
    uint8_t* out = logo.data.data();
    for (size_t top = 0; top < height; ++top) {
        std::memcpy(levels.data(), picture.row(static_cast<int32_t>(height - 1 - top)), width);
        for (int plane = 7; plane >= 4; --plane) {
            for (size_t i = 0; i < lineBytes; ++i) {
                unsigned value = 0;
                for (size_t k = 0; k < 8; ++k) {
                    value = value << 1 | ((unsigned{levels[8 * i + k]} >> plane & 1u) ^ 1u);
                }
                *out++ = static_cast<uint8_t>(value);
            }
        }
    }
    return logo;
}

LogoPicture UnpackMonoLogo(const MonoLogo& logo) {
    LogoPicture picture;
    picture.width = uint32_t{logo.bytesAcross} * 8;
    picture.height = uint32_t{logo.bands} * 8;
    picture.values.assign(size_t{picture.width} * picture.height, 0);
    // The packing's order: column by column, each column's bands from the top.
    const size_t available = logo.data.size();
    size_t i = 0;
    for (uint32_t column = 0; column < picture.width; ++column) {
        for (uint32_t band = 0; band < logo.bands; ++band, ++i) {
            if (i >= available) return picture;
            const uint8_t value = logo.data[i];
            for (uint32_t k = 0; k < 8; ++k) {
                picture.values[size_t{8 * band + k} * picture.width + column] =
                    static_cast<uint8_t>(unsigned{value} >> (7 - k) & 1u);
            }
        }
    }
    return picture;
}

LogoPicture UnpackGrayLogo(const GrayLogo& logo) {
    LogoPicture picture;
    const size_t lineBytes = logo.bytesPerLine;
    picture.width = uint32_t{logo.bytesPerLine} * 8;
    picture.height = uint32_t{logo.bands} * 2;
    picture.values.assign(size_t{picture.width} * picture.height, 0);
    // Each row is four lines, the planes 7 to 4 with a set bit where the plane's bit is 0:
    // together the bits of the level 15 - g / 16, the highest first.
    for (uint32_t row = 0; row < picture.height; ++row) {
        uint8_t* levels = picture.values.data() + size_t{row} * picture.width;
        for (size_t plane = 0; plane < 4; ++plane) {
            const size_t start = (size_t{row} * 4 + plane) * lineBytes;
            if (start + lineBytes > logo.data.size()) return picture;
            const uint8_t* line = logo.data.data() + start;
            for (uint32_t x = 0; x < picture.width; ++x) {
                const unsigned bit = unsigned{line[x / 8]} >> (7 - x % 8) & 1u;
                levels[x] = static_cast<uint8_t>(levels[x] | bit << (3 - plane));
            }
        }
    }
    return picture;
}

}  // namespace zr640
