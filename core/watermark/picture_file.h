// The water-mark picture file that the rendering side reads: a 24-bit, bottom-up bitmap with
// no colour table. It is made either from the bitmap the user chose (a 1-, 8- or 24-bit
// file) or from the 300 x 300 rendering of the water-mark text.
//
// Both writers read and check everything first and then write the file under a temporary
// name and rename it, so a refused source or a failure half-way leaves the old picture file
// as it was. They never replace what is not a regular file, nor the source itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace zr640 {

// The page's results for a conversion; the values are the routine's traditional ones.
enum class WatermarkConvertResult : int {
    kNotDone = 0,       // the source cannot be read or is not a bitmap of a layout taken
    kDone = 1,          // the picture file holds the converted source
    kCannotCreate = 2,  // the picture file cannot be created or written
};

struct WatermarkConversion {
    WatermarkConvertResult result = WatermarkConvertResult::kNotDone;
    // Not done because the picture is larger than the limit of the conversion (or than any
    // bitmap the reader takes): a picture too big, not one of a layout refused.
    bool tooBig = false;
    std::string detail;  // why, when not done; the page shows its own message for the result
    bool done() const { return result == WatermarkConvertResult::kDone; }
};

// How large a converted picture may be.
enum class WatermarkPictureLimit {
    kAny,         // whatever the bitmap reader takes
    kImageCache,  // what the page's preview holds: its 24-bit rows fit the image cache
};

// The layouts taken, each with the 40-byte info header, no compression and every row
// present:
//   1 bit,   2 colour entries (pixel data at 62): each bit becomes its entry's colour;
//   8 bits, 256 colour entries (pixel data at 1078): each index becomes its entry's colour;
//   24 bits, no colour table (pixel data at 54): copied byte for byte (a top-down file is
//   stored bottom-up, as the picture file is).
// A converted file carries the source's resolution, the true image size and no colour
// counts. Anything else (4 or 32 bits, RLE or bit fields, another colour-table size, a
// header size or pixel offset that does not match the depth, missing rows) is refused.
Result<std::vector<uint8_t>> WatermarkPictureFromBitmap(std::span<const uint8_t> source);

// Converts the bitmap file `source` into the picture file `destination`. A picture beyond
// the limit is refused (tooBig) before the destination is touched; its width and height are
// taken from the info header, so a picture too big is told from one of a layout refused
// whatever its depth.
WatermarkConversion ConvertWatermarkBitmap(
    const std::filesystem::path& source, const std::filesystem::path& destination,
    WatermarkPictureLimit limit = WatermarkPictureLimit::kAny);

// The text picture: 300 x 300 pixels, 24 bits, rows of 900 bytes without padding.
constexpr int32_t kTextPictureSide = 300;
constexpr size_t kTextPictureFileSize = 270054;
// What the page reads back from its rendering: 32-bit pixels (blue, green, red, unused),
// the bottom row first.
constexpr size_t kTextPicturePixelBytes = size_t{kTextPictureSide} * kTextPictureSide * 4;

// The text picture file for the rendered pixels: "BM", file size 270054, pixel data at 54;
// info header 40, 300 x 300, 1 plane, 24 bits, no compression, every other field 0 (the
// image size too); then blue, green and red of each pixel, bottom row first.
Result<std::vector<uint8_t>> TextPictureFromPixels(std::span<const uint8_t> pixels);

// Writes the text picture file; the old file stays as it was on any failure.
Result<bool> WriteTextPicture(const std::filesystem::path& destination,
                              std::span<const uint8_t> pixels);

}  // namespace zr640
