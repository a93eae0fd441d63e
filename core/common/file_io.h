// Whole-file reading and crash-safe writing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace zr640 {

// Reads a whole file, refusing one larger than maxBytes.
Result<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                           uint64_t maxBytes = uint64_t{1} << 31);

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so a
// failure half-way leaves the old file as it was and never a half-written one.
Result<bool> WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace zr640
