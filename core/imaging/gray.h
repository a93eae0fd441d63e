// Gray logos: a 24-bit, 8-bit or 1-bit picture turned into an 8-bit gray bitmap after the
// contrast and brightness transfer.
#pragma once

#include <cstdint>
#include <vector>

#include "core/common/result.h"
#include "core/imaging/bmp.h"

namespace zr640 {

// The gray converted file: a bottom-up 8-bit bitmap with the 256-entry gray palette
// (entry i = i, i, i), one byte per pixel, 0 black and 255 white, row padding 0.
// 24-bit pixels: the luma of the transferred channels, transferred once more.
// 8-bit pixels: the transferred byte (the palette is not consulted).
// 1-bit pixels: a set bit is 255 and a clear bit 0, transferred (the palette is not
// consulted). Contrast and brightness are clamped to -100..100.
Result<std::vector<uint8_t>> ConvertToGrayBitmap(const BitmapView& picture, int contrast,
                                                 int brightness);

}  // namespace zr640
