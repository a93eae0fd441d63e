// One-bit logos: a 24-bit or 8-bit picture turned into a mono bitmap by one of four
// halftone methods, after the contrast and brightness transfer.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/common/result.h"
#include "core/imaging/bmp.h"

namespace zr640 {

// The values are the Download page's halftone numbers.
enum class Halftone : int32_t {
    kNone = 0,          // threshold at the picture's mean gray
    kDitherM3 = 1,      // ordered dither with the 8 x 8 matrix
    kDitherM4 = 2,      // ordered dither with the 16 x 16 matrix, contrast about the channel means
    kErrorDiffuse = 3,  // serpentine error diffusion
};

// The 8 x 8 ordered-dither matrix; the 16 x 16 one of kDitherM4 is built from it, each entry
// v becoming 4v, 4v + 3, 4v + 2 and 4v + 1 at the same place of the four 8 x 8 quarters (top
// left, top right, bottom left, bottom right). Rows count from the bottom row of the
// picture, columns from its left edge.
using DitherMatrix8 = std::array<std::array<uint8_t, 8>, 8>;
using DitherMatrix16 = std::array<std::array<uint8_t, 16>, 16>;
const DitherMatrix8& DitherM8();

// The mono converted file: a bottom-up 1-bit bitmap of the picture's size whose palette
// entry 0 is black and entry 1 white; a set bit is a white pixel (no dot) and the row
// padding bits are 0. Refuses depths other than 24 and 8. Contrast and brightness are
// clamped to -100..100.
Result<std::vector<uint8_t>> ConvertToMonoBitmap(const BitmapView& picture, Halftone halftone,
                                                 int contrast, int brightness);

}  // namespace zr640
