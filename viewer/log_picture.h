// Rendering a print file of the log into its bitmap file, with wide paths: the print file is
// mapped into memory, and the bitmap is written by the core's BitmapFile under a temporary
// name and renamed over its place, so a failure half-way leaves no half-written bitmap.
#pragma once

#include <windows.h>

#include <string>

#include "core/driverlog/log_bitmap.h"
#include "core/driverlog/print_file_render.h"
#include "win32/handles.h"

namespace zr640viewer {

// The tallest one-bit picture the window can load: LoadImageW with LR_CREATEDIBSECTION loads
// a 640-dot bitmap 65535 rows high and refuses one of 65536 rows (measured under Wine 8; the
// same for 8 and 20000 dots). A print file whose picture would be taller is refused before
// its bitmap is written. The command-line tool has its own, larger cap (kLargestLogPicture).
inline constexpr uint32_t kTallestShownPicture = 65535;

// Renders the print file into the bitmap file; the picture's height and page ends, or why not.
// A picture taller than kTallestShownPicture is refused and nothing is written.
zr640::Result<zr640::LogPicture> RenderLogFile(const std::wstring& printFile,
                                               const std::wstring& bitmapFile,
                                               const zr640::LineGeometry& geometry);

}  // namespace zr640viewer
