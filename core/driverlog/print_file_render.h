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
#include <span>
#include <string_view>
#include <vector>

#include "core/common/result.h"
#include "core/driverlog/print_canvas.h"

namespace zr640 {

// The printer line as the picture stores it: bytes per canvas row and dots per line (the
// bitmap's width). A row is the line rounded up to whole 32-bit words, as bitmap rows are.
struct LineGeometry {
    uint32_t bytesPerRow = 80;
    uint32_t dots = 640;
};

inline constexpr uint32_t kWidestLogLine = 65536;  // dots

// Accepts a geometry whose numbers are positive, at most kWidestLogLine dots, and fit
// together (bytesPerRow == (dots + 31) / 32 * 4); refuses anything else, which would give
// a distorted or oversized picture.
Result<LineGeometry> MakeLineGeometry(int64_t bytesPerRow, int64_t dots);

// No receipt log comes near this much pixel data; a file whose feeds would reach it is
// refused rather than filling memory or the disk.
inline constexpr uint64_t kLargestLogPicture = uint64_t{1} << 30;

struct RenderedLog {
    LineGeometry geometry;
    PrintCanvas canvas;
    uint32_t height = 0;              // the row counter at the end of the file
    std::vector<uint32_t> pageEnds;   // rows at which a receipt ends, in file order
};

// Scans the print file and draws it. Refuses (with the reason) an empty file, a file that
// moves the paper by no row or ends no page, a picture larger than `largestPicture` bytes,
// and running out of memory; the viewer shows every refusal as the same log error.
Result<RenderedLog> RenderPrintFile(std::span<const uint8_t> file, const LineGeometry& geometry,
                                    uint64_t largestPicture = kLargestLogPicture);

}  // namespace zr640
