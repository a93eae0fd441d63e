// PNG pictures through libpng: one-bit paper (a set bit a printed, black dot) and the
// Windows bitmaps the other picture outputs make.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace zr640::emulator {

// A 1-bit gray PNG of `width` x `height` dots from rows of (width + 7) / 8 bytes, bit 7 the
// leftmost dot, a set bit black.
Result<std::vector<uint8_t>> EncodeDotsPng(std::span<const uint8_t> rows, uint32_t width,
                                           uint32_t height);

// The picture of a 1-, 8- or 24-bit Windows bitmap as a PNG: 1-bit as 1-bit gray (each of
// its two palette colours white when light, black when dark), 8-bit as gray levels (the
// pixel byte is the level, as in the converted logo files), 24-bit as colour.
Result<std::vector<uint8_t>> BitmapToPng(std::span<const uint8_t> bitmap);

}  // namespace zr640::emulator
