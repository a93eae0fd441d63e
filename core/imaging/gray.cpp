#include "core/imaging/gray.h"

#include <algorithm>
#include <array>

#include "core/imaging/luma.h"
#include "core/imaging/transfer.h"

namespace zr640 {
namespace {

std::array<PaletteEntry, 256> GrayPalette() {
    std::array<PaletteEntry, 256> palette;
    for (size_t i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        palette[i] = {v, v, v};
    }
    return palette;
}

void GrayRowFromBits(const uint8_t* bits, int32_t width, uint8_t black, uint8_t white,
                     uint8_t* out) {
    for (int32_t x = 0; x < width; ++x) {
        out[x] = (bits[x >> 3] & (0x80 >> (x & 7))) ? white : black;
    }
}

}  // namespace

Result<std::vector<uint8_t>> ConvertToGrayBitmap(const BitmapView& picture, int contrast,
                                                 int brightness) {
    const uint16_t bits = picture.bitsPerPixel();
    if (bits != 24 && bits != 8 && bits != 1) {
        return Error{"a gray logo is made from a 24-bit, 8-bit or 1-bit bitmap"};
    }
    contrast = std::clamp(contrast, kTransferMin, kTransferMax);
    brightness = std::clamp(brightness, kTransferMin, kTransferMax);
    const TransferTable t = MakeTransferTable(contrast, brightness);

    // A 24-bit pixel goes through the transfer twice: once per channel, then its luma.
    const LumaTables luma = MakeLumaTables(t, t, t);

    const int32_t width = picture.width();
    std::vector<uint8_t> file = NewBitmapFile(width, picture.height(), 8, GrayPalette());
    uint8_t* rows = file.data() + BitmapPixelOffset(256);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 8));
    for (int32_t y = 0; y < picture.height(); ++y) {
        uint8_t* out = rows + static_cast<size_t>(y) * rowSize;
        switch (bits) {
        case 24: {
            const uint8_t* p = picture.row(y);
            for (int32_t x = 0; x < width; ++x, p += 3) out[x] = t[LumaOf(p, luma)];
            break;
        }
        case 8: LevelRow(picture.row(y), width, t, out); break;
        default: GrayRowFromBits(picture.row(y), width, t[0], t[255], out); break;
        }
    }
    return file;
}

}  // namespace zr640
