// The rendered print file as a Windows bitmap: one bit per pixel, rows bottom-up, colour 0
// black and colour 1 white, so every canvas byte is stored inverted.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "core/common/result.h"
#include "core/driverlog/print_file_render.h"

namespace zr640 {

inline constexpr size_t kLogBitmapHeaderSize = 62;  // file header, information header, 2 colours

// The 62 bytes in front of the pixel rows of a picture `height` rows high.
std::array<uint8_t, kLogBitmapHeaderSize> LogBitmapHeader(const LineGeometry& geometry,
                                                          uint32_t height);

// Hands the whole bitmap file to `write` in pieces, in order; stops and returns false as
// soon as `write` does.
bool WriteLogBitmap(const RenderedLog& log,
                    const std::function<bool(std::span<const uint8_t>)>& write);

// Writes the bitmap file, replacing an older one only once the new one is complete: a
// failure half-way leaves no half-written file under `path`.
Result<bool> WriteLogBitmapFile(const std::filesystem::path& path, const RenderedLog& log);

}  // namespace zr640
