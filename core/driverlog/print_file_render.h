// Rendering a logged print file (the bytes the driver sent to the printer) into a one-bit
// picture of the paper, and finding where each receipt ends.
//
// The scan recognises the few commands that put dots on paper or move it:
//   15 k                      feed of k dot rows, counted only in front of a drawn raster line
//   16 n d1..dn               raster line, drawn when a feed and the next raster line follow
//   16 n d1..dn x 01 1D 44 00 last raster line of a receipt: a page end at the current row
//   1B 33 n 0A                line spacing n and line feed; n = 0 also ends a page
//   1B 24 nL nH 1B 2A         horizontal position of the bit image that follows
//   1B 2A 21 nL nH d...       24-dot bit-image band
// Every other byte is passed over.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/result.h"
#include "core/driverlog/log_bitmap.h"

namespace zr640 {

// No receipt log comes near this much pixel data; a file whose feeds would reach it is
// refused rather than filling the disk. (It also keeps every offset in the bitmap file
// below 2 GiB.) A smaller cap may be passed; a larger one is not honoured.
inline constexpr uint64_t kLargestLogPicture = uint64_t{1} << 30;

struct LogPicture {
    uint32_t height = 0;             // the row counter at the end of the file
    std::vector<uint32_t> pageEnds;  // rows at which a receipt ends, in file order
};

// Scans the print file without drawing: the picture's height and page ends. Refuses (with
// the reason) an unchecked line geometry, an empty file, a file that moves the paper by no
// row or ends no page, and a picture of more than `largestPicture` bytes; the viewer shows
// every refusal as the same log error.
Result<LogPicture> ScanPrintFile(std::span<const uint8_t> file, const LineGeometry& geometry,
                                 uint64_t largestPicture = kLargestLogPicture);

// Scans the print file, then draws it and writes the whole bitmap to `sink`. Refuses what
// ScanPrintFile refuses, and fails when memory or the sink fails.
Result<LogPicture> RenderPrintFile(std::span<const uint8_t> file, const LineGeometry& geometry,
                                   BitmapSink& sink, uint64_t largestPicture = kLargestLogPicture);

// RenderPrintFile into the bitmap file at `path` (see BitmapFile, which refuses a path that
// is one of `inputs`).
Result<LogPicture> RenderPrintFileToBitmap(std::span<const uint8_t> file,
                                           const LineGeometry& geometry,
                                           const std::filesystem::path& path,
                                           uint64_t largestPicture = kLargestLogPicture,
                                           std::span<const std::filesystem::path> inputs = {});

}  // namespace zr640
