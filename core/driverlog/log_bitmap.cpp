#include "core/driverlog/log_bitmap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

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

BitmapFile::BitmapFile(std::filesystem::path path) : path_(std::move(path)), temporary_(path_) {
    temporary_ += ".partial";
#ifdef _WIN32
    file_ = _wfopen(temporary_.c_str(), L"wb");  // the path's own UTF-16, not the code page
#else
    file_ = std::fopen(temporary_.c_str(), "wb");
#endif
    // The writes are large; the stream's own buffer would only add a copy.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
}

BitmapFile::~BitmapFile() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

bool BitmapFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    if (file_ == nullptr || failed_) return false;
    // Pictures are capped far below 2 GiB, so every offset fits a long.
    failed_ = std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 ||
              std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size();
    return !failed_;
}

Result<bool> BitmapFile::Commit() {
    if (file_ == nullptr) return Error{"cannot create " + temporary_.string()};
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code ec;
    if (failed_ || !closed) {
        std::filesystem::remove(temporary_, ec);
        return Error{"cannot write " + path_.string()};
    }
    std::filesystem::rename(temporary_, path_, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        return Error{"cannot replace " + path_.string() + ": " + ec.message()};
    }
    return true;
}

}  // namespace zr640
