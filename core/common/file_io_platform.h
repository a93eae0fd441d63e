// The operating system's part of file_io: one implementation for POSIX systems
// (file_io_posix.cpp) and one for Windows (file_io_windows.cpp), each built only on its own
// platform. Nothing outside file_io uses these.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/file_io.h"

namespace zr640::platform {

inline constexpr intptr_t kNoHandle = -1;

// A path for a message, in UTF-8 whatever the platform's own form (never throws).
inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

Result<FileFacts> Examine(const std::filesystem::path& path);

// Opens without blocking, checks that the file is regular, reads it whole.
Result<std::vector<uint8_t>> ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes);

// A number that differs between processes running at once.
uint64_t ProcessNumber();

// Creates `path` exclusively for writing (fails when anything exists under that name, and
// then sets `exists`); the error is the system's reason alone. When `permissionsOf` names an
// existing file, the new file takes its permission bits (POSIX).
Result<intptr_t> CreateExclusive(const std::filesystem::path& path,
                                 const std::filesystem::path* permissionsOf, bool& exists);

bool WriteAt(intptr_t handle, uint64_t offset, std::span<const uint8_t> bytes);

// Gives the file room for `size` bytes on the disk at once, where the system can, so that
// the writes that follow do not each claim their blocks. Nothing happens elsewhere.
void Preallocate(intptr_t handle, uint64_t size);

// Flushes the file to the disk (when `flush`) and closes it; false when either fails.
bool FlushAndClose(intptr_t handle, bool flush);

void Close(intptr_t handle);

// Renames `from` over `to`, replacing a regular file there.
Result<bool> Replace(const std::filesystem::path& from, const std::filesystem::path& to);

void Remove(const std::filesystem::path& path);

}  // namespace zr640::platform
