#include "core/driverlog/log_bitmap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/common/bytes.h"

namespace zr640 {

Result<LineGeometry> MakeLineGeometry(int64_t bytesPerRow, int64_t dots) {
    if (bytesPerRow <= 0 || dots <= 0) {
        return Error{"the line width and dot count must be positive"};
    }
    if (dots > kWidestLogLine) {
        return Error{"a line of more than " + std::to_string(kWidestLogLine) + " dots"};
    }
    if (bytesPerRow != (dots + 31) / 32 * 4) {
        return Error{"a line of " + std::to_string(dots) + " dots does not take " +
                     std::to_string(bytesPerRow) + " bytes per row"};
    }
    return LineGeometry{static_cast<uint32_t>(bytesPerRow), static_cast<uint32_t>(dots)};
}

std::array<uint8_t, kLogBitmapHeaderSize> LogBitmapHeader(const LineGeometry& geometry,
                                                          uint32_t height) {
    const uint32_t pixelBytes = geometry.bytesPerRow * height;
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    out.u8('B');
    out.u8('M');
    out.u32(pixelBytes + kLogBitmapHeaderSize);
    out.u32(0);
    out.u32(kLogBitmapHeaderSize);
    out.u32(40);
    out.u32(geometry.dots);
    out.u32(height);  // positive: rows stored bottom-up
    out.u16(1);
    out.u16(1);
    out.u32(0);
    out.u32(pixelBytes);
    out.zeros(16);
    out.u32(0x00000000);  // colour 0: black
    out.u32(0x00FFFFFF);  // colour 1: white
    std::array<uint8_t, kLogBitmapHeaderSize> header{};
    std::copy(bytes.begin(), bytes.end(), header.begin());
    return header;
}

bool BitmapBytes::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    const size_t end = static_cast<size_t>(offset) + bytes.size();
    if (bytes_.size() < end) bytes_.resize(end);
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<long>(offset));
    return true;
}

// Sized once, so the rows arriving from the end of the picture's bytes backwards do not
// move everything written before them.
void BitmapBytes::Reserve(uint64_t size) {
    if (size > bytes_.size()) bytes_.resize(static_cast<size_t>(size));
}

BitmapFile::BitmapFile(const std::filesystem::path& path,
                       std::span<const std::filesystem::path> inputs)
    : file_(AtomicFile::Create(path, inputs, Durability::kRemadeFromSource)) {}

bool BitmapFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    return file_ && file_->WriteAt(offset, bytes);
}

void BitmapFile::Reserve(uint64_t size) {
    if (file_) file_->Reserve(size);
}

Result<bool> BitmapFile::Commit() {
    if (!file_) return Error{file_.error()};
    return file_->Commit();
}

}  // namespace zr640
