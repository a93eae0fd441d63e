// Packing converted logos into the byte layouts of the printer's logo commands.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/common/result.h"
#include "core/imaging/bmp.h"

namespace zr640 {

// Bit-image logo data: `bytesAcross` (X) bytes of 8 dots across, `bands` (Y) bands of 8
// dots down; X x Y x 8 bytes, column by column from the left, each column's bands from the
// top, the top dot of a band in bit 7. A set bit is a printed dot.
struct MonoLogo {
    uint16_t bytesAcross = 0;
    uint16_t bands = 0;
    std::vector<uint8_t> data;
};

// Gray logo data: `bands` (B) bands of 8 lines of `bytesPerLine` (W) bytes, top line
// first; each picture row gives four lines, the bit planes 7, 6, 5 and 4 of its gray
// levels with a set bit where the plane's bit is 0, so a pixel of level g carries the dot
// level 15 - g / 16. An odd number of rows is completed with four blank lines.
struct GrayLogo {
    uint16_t bytesPerLine = 0;
    uint16_t bands = 0;
    std::vector<uint8_t> data;
};

// A logo's picture as the printer keeps it: `width` x `height` values, row by row from the
// top, one byte per dot.
struct LogoPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> values;
};

// The dots of bit-image logo data: 8X across, 8Y rows, 1 a printed dot. Data shorter than
// X x Y x 8 bytes leaves the rest blank.
LogoPicture UnpackMonoLogo(const MonoLogo& logo);

// The dot levels of gray logo data: 8W across, 2B rows (four lines make a row), each level
// 0 (no dot) to 15, the level 15 - g / 16 of a pixel of gray g. Data shorter than W x B x 8
// bytes leaves the rest blank.
LogoPicture UnpackGrayLogo(const GrayLogo& logo);

// Accepts a 1-bit bitmap whose first two palette entries are black and white, in either
// order. The rows are padded at the top to a multiple of 8 and at the right to the stored
// row size; the padding is blank whatever the file's padding bits hold.
Result<MonoLogo> PackMonoLogo(std::span<const uint8_t> file,
                              const BitmapLimits& limits = kLogoLimits);

// Accepts an 8-bit bitmap, the gray converted file; the pixel byte is the gray level and
// the padding pixels of each row count as white.
Result<GrayLogo> PackGrayLogo(std::span<const uint8_t> file,
                              const BitmapLimits& limits = kLogoLimits);

}  // namespace zr640
