// Bitmap files from outside through the water-mark picture conversion. What it accepts must
// come out as the 24-bit picture file of the same size: a 40-byte header, pixel data at 54,
// bottom-up, every row present, each pixel one of the source's colour entries (or the
// source's own pixel for a 24-bit file).
#include <cstdint>
#include <span>

#include "core/imaging/bmp.h"
#include "core/watermark/picture_file.h"

namespace {

bool SameColour(const uint8_t* pixel, const zr640::PaletteEntry& entry) {
    return pixel[0] == entry.blue && pixel[1] == entry.green && pixel[2] == entry.red;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    const auto picture = zr640::WatermarkPictureFromBitmap(file);
    if (!picture) return 0;
    const auto source = zr640::ParseBitmap(file, zr640::kGeneralLimits);
    const auto result = zr640::ParseBitmap(*picture, zr640::kGeneralLimits);
    if (!source || !result) __builtin_trap();
    if (result->bitsPerPixel() != 24 || result->topDown() || result->pixelOffset() != 54 ||
        result->headerSize() != 40 || result->width() != source->width() ||
        result->height() != source->height()) {
        __builtin_trap();
    }
    const auto width = static_cast<size_t>(source->width());
    for (int32_t y = 0; y < source->height(); ++y) {
        const uint8_t* in = source->row(y);
        const uint8_t* out = result->row(y);
        for (size_t x = 0; x < width; ++x) {
            const uint8_t* pixel = out + 3 * x;
            bool expected = false;
            switch (source->bitsPerPixel()) {
            case 1: {
                const size_t bit = (size_t{in[x / 8]} >> (7 - x % 8)) & 1;
                expected = SameColour(pixel, source->colour(bit));
                break;
            }
            case 8: expected = SameColour(pixel, source->colour(in[x])); break;
            default:
                expected =
                    pixel[0] == in[3 * x] && pixel[1] == in[3 * x + 1] && pixel[2] == in[3 * x + 2];
            }
            if (!expected) __builtin_trap();
        }
    }
    return 0;
}
