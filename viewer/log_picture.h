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

// Renders the print file into the bitmap file; the picture's height and page ends, or why not.
zr640::Result<zr640::LogPicture> RenderLogFile(const std::wstring& printFile,
                                               const std::wstring& bitmapFile,
                                               const zr640::LineGeometry& geometry);

}  // namespace zr640viewer
