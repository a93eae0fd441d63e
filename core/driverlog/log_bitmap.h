// The bitmap a rendered print file becomes: one bit per pixel, rows bottom-up, colour 0
// black and colour 1 white, so a printed dot (a set bit on the canvas) is stored as 0.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/common/result.h"

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

inline constexpr size_t kLogBitmapHeaderSize = 62;  // file header, information header, 2 colours

// The 62 bytes in front of the pixel rows of a picture `height` rows high.
std::array<uint8_t, kLogBitmapHeaderSize> LogBitmapHeader(const LineGeometry& geometry,
                                                          uint32_t height);

// Where the bitmap goes. The renderer knows the picture's height before it draws and writes
// every byte of the file exactly once, each piece at its place: the header first, then runs
// of rows from the top of the picture down, which lie ever nearer the start of the file.
class BitmapSink {
public:
    virtual ~BitmapSink() = default;
    virtual bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) = 0;
    // The whole file's size, told before the rows are written: a hint for claiming room.
    virtual void Reserve(uint64_t /*size*/) {}
};

// The whole bitmap in memory.
class BitmapBytes : public BitmapSink {
public:
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    void Reserve(uint64_t size) override;
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// A bitmap file written by the core's atomic writer (AtomicFile): under a temporary name of
// its own beside `path`, renamed over it by Commit, so a failure half-way leaves no
// half-written file under `path` (and an older file there stays as it was). A destination
// that is one of `inputs` or is not a regular file is refused before anything is written.
// Dropped without Commit, the temporary file is removed. The picture is remade from its log
// whenever it is shown, so it is not flushed to the disk before the rename
// (Durability::kRemadeFromSource): waiting for the disk would take longer than the rendering.
class BitmapFile : public BitmapSink {
public:
    explicit BitmapFile(const std::filesystem::path& path,
                        std::span<const std::filesystem::path> inputs = {});
    BitmapFile(const BitmapFile&) = delete;
    BitmapFile& operator=(const BitmapFile&) = delete;

    bool opened() const { return file_.ok(); }
    const std::string& error() const { return file_.error(); }  // why it did not open
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    void Reserve(uint64_t size) override;
    Result<bool> Commit();

private:
    Result<AtomicFile> file_;
};

}  // namespace zr640
