#include "core/emulator/png_file.h"

#include <png.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdint>

#include "core/imaging/bmp.h"

namespace zr640::emulator {
namespace {

// libpng reports errors by longjmp; nothing with a destructor lives in the frame that
// setjmp marks, so the jump skips no clean-up.
void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

struct PngLayout {
    uint32_t width;
    uint32_t height;
    int bitDepth;
    int colourType;
};

// Writes the rows that `rowAt(y)` gives (each in PNG's layout for `layout`) into `out`.
template <typename RowAt>
bool WritePng(const PngLayout& layout, RowAt rowAt, std::vector<uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    // A long receipt has far more rows than libpng's default limit; PNG itself allows 2^31 - 1.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (uint32_t y = 0; y < layout.height; ++y) png_write_row(png, rowAt(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Result<std::vector<uint8_t>> EncodeDotsPng(std::span<const uint8_t> rows, uint32_t width,
                                           uint32_t height) {
    const size_t stride = (size_t{width} + 7) / 8;
    if (width == 0 || height == 0 || rows.size() / stride < height) {
        return Error{"no picture to write"};
    }
    // PNG's one-bit gray has 1 for white: every byte inverted.
    std::vector<uint8_t> line(stride);
    std::vector<uint8_t> out;
    const auto rowAt = [&](uint32_t y) {
        const uint8_t* source = rows.data() + size_t{y} * stride;
        for (size_t i = 0; i < stride; ++i) line[i] = static_cast<uint8_t>(~source[i]);
        return line.data();
    };
    if (!WritePng({width, height, 1, PNG_COLOR_TYPE_GRAY}, rowAt, out)) {
        return Error{"the PNG picture could not be made"};
    }
    return out;
}

Result<std::vector<uint8_t>> BitmapToPng(std::span<const uint8_t> bitmap) {
    // The rows are converted one at a time, so any bitmap the reader takes (it checks that
    // the file holds every row) is converted in little more memory than the file's.
    constexpr BitmapLimits kAnyBitmap{INT32_MAX, INT32_MAX, UINT64_MAX};
    const auto parsed = ParseBitmap(bitmap, kAnyBitmap);
    if (!parsed) return Error{parsed.error()};
    const BitmapView& picture = *parsed;
    const auto width = static_cast<uint32_t>(picture.width());
    const auto height = static_cast<uint32_t>(picture.height());
    const uint16_t bits = picture.bitsPerPixel();
    const auto light = [](const PaletteEntry& c) {
        return (uint32_t{c.red} * 299 + uint32_t{c.green} * 587 + uint32_t{c.blue} * 114) / 1000 >=
               128;
    };
    // A one-bit picture stays one bit: each of its two colours is white when light.
    const bool setIsWhite = light(picture.palette()[1]);
    const bool clearIsWhite = light(picture.palette()[0]);
    const size_t lineBytes = bits == 1 ? (size_t{width} + 7) / 8 : size_t{width} * (bits / 8);
    std::vector<uint8_t> line(lineBytes);
    // Bitmap rows count from the bottom; PNG rows from the top.
    const auto rowAt = [&](uint32_t y) {
        const uint8_t* source = picture.row(static_cast<int32_t>(height - 1 - y));
        if (bits == 24) {
            for (size_t x = 0; x < width; ++x) {
                line[3 * x] = source[3 * x + 2];
                line[3 * x + 1] = source[3 * x + 1];
                line[3 * x + 2] = source[3 * x];
            }
        } else if (bits == 8) {
            std::copy_n(source, width, line.data());
        } else {
            for (size_t i = 0; i < lineBytes; ++i) {
                line[i] = static_cast<uint8_t>((setIsWhite ? source[i] : 0) |
                                               (clearIsWhite ? ~source[i] : 0));
            }
        }
        return line.data();
    };
    const PngLayout layout{width, height, bits == 1 ? 1 : 8,
                           bits == 24 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY};
    std::vector<uint8_t> out;
    if (!WritePng(layout, rowAt, out)) return Error{"the PNG picture could not be made"};
    return out;
}

}  // namespace zr640::emulator
