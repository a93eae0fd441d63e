// Whole-file reading and crash-safe writing: the one file writer of the core, the tool, the
// viewer and the plug-in.
//
// A file is written under a temporary name of its own in the destination's folder
// (`.<name>.<unique>.zr640tmp`, created exclusively, so no other file and no other writer is
// ever touched), flushed and closed, then renamed over the destination. Every failure removes
// the temporary file and leaves the destination as it was. The destination is refused, before
// anything is written, when it exists and is not a regular file (a device, a FIFO, a folder:
// replacing those would destroy them and writing into them is not what a picture or a record
// file is for) and when it is one of the inputs of the run (the same file, however spelled).
// A replaced file keeps its permission bits on POSIX systems.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace zr640 {

// Reads a whole file, refusing one larger than maxBytes. The file is opened without blocking
// and must be a regular file: a FIFO, a device or a folder is refused at once, with what it is.
Result<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                           uint64_t maxBytes = uint64_t{1} << 31);

// What a written file must survive before it replaces its destination. Either way a reader
// sees the old file or the whole new one, never a part of it.
enum class Durability {
    // Flushed to the disk before the rename: after a system crash the destination holds the
    // old file or the new one. For records and anything that is not made again.
    kOnDisk,
    // Not flushed: after a system crash the destination may be empty or short. Only for
    // files remade from their sources whenever they are used (a rendered log picture, a
    // converted logo), where waiting for the disk would cost more than the whole run.
    kRemadeFromSource,
};

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so a
// failure half-way leaves the old file as it was and never a half-written one.
Result<bool> WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// The same, refusing first a destination that is one of `inputs`.
Result<bool> WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                 std::span<const std::filesystem::path> inputs,
                                 Durability durability = Durability::kOnDisk);

// Copies a regular file of at most maxBytes over `to` with the same writer (a copy that
// fails half-way leaves `to` as it was).
Result<bool> CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                                uint64_t maxBytes = uint64_t{1} << 31);

// Where a file lives: device and inode on POSIX systems, volume serial number and file index
// on Windows. Two paths name the same file exactly when their identities are equal.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What a path names, following symbolic links.
enum class FileKind { kMissing, kRegular, kDirectory, kFifo, kDevice, kSocket, kOther };

struct FileFacts {
    FileKind kind = FileKind::kMissing;
    FileIdentity identity;  // meaningful unless kMissing
};

// The facts of `path`; an error only when the path exists but cannot be examined.
Result<FileFacts> ExamineFile(const std::filesystem::path& path);

// "is a FIFO", "is a directory", "no such file", ... for a kind that is not a regular file.
std::string_view DescribeFileKind(FileKind kind);

// The recognisable part of every temporary name the writer makes: a name ending in it, and
// starting with a ".", is a writer's leftover.
inline constexpr std::string_view kTemporarySuffix = ".zr640tmp";

// True for a file name (not a path) the writer gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

// A part of a name (hex digits) that differs in every call, in every thread and in every
// process: for names that must not meet another program's or another call's.
std::string UniqueNamePart();

// Refuses `destination` when it is one of `inputs` (same identity) or exists and is not a
// regular file. Nothing is written.
Result<bool> CheckDestination(const std::filesystem::path& destination,
                              std::span<const std::filesystem::path> inputs = {});

// A file being written under its temporary name. Bytes go in at any offset; Commit closes it
// and renames it over the destination. Dropped without Commit, or when Commit fails, the
// temporary file is removed and the destination stays as it was.
class AtomicFile {
public:
    // Checks the destination (CheckDestination) and creates the temporary file.
    static Result<AtomicFile> Create(const std::filesystem::path& destination,
                                     std::span<const std::filesystem::path> inputs = {},
                                     Durability durability = Durability::kOnDisk);

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Writes at the given offset; false (and every later write and Commit fail) on an error.
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes);
    // Claims room for a file of `size` bytes ahead of writing it, where the system can. Only
    // a hint: the file is as long as what is written.
    void Reserve(uint64_t size);
    // Flushes, closes and renames; the destination is examined again just before.
    Result<bool> Commit();

    const std::filesystem::path& temporaryPath() const { return temporary_; }

private:
    AtomicFile() = default;
    void Discard();

    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    std::vector<std::filesystem::path> inputs_;
    intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
    Durability durability_ = Durability::kOnDisk;
    bool failed_ = false;
    std::string error_;
};

// Writes the bytes to an open stream and flushes it; an error when any of it fails (a full
// disk behind standard output, a closed pipe).
Result<bool> WriteToStream(std::FILE* stream, std::span<const uint8_t> bytes,
                           std::string_view name);

}  // namespace zr640
