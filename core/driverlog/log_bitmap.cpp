#include "core/driverlog/log_bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "core/common/bytes.h"

namespace zr640 {
namespace {

constexpr size_t kChunkBytes = 1 << 20;

// A file written under a temporary name beside its final one and renamed over it on
// Commit; dropped without Commit, the temporary file is removed.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::filesystem::path& path) : path_(path), temporary_(path) {
        temporary_ += ".partial";
        out_.open(temporary_, std::ios::binary | std::ios::trunc);
    }
    ~ReplacingFile() {
        if (committed_) return;
        out_.close();
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool opened() const { return out_.is_open(); }

    bool Write(std::span<const uint8_t> bytes) {
        out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out_);
    }

    Result<bool> Commit() {
        out_.close();
        if (out_.fail()) return Error{"cannot write " + path_.string()};
        std::error_code ec;
        std::filesystem::rename(temporary_, path_, ec);
        if (ec) return Error{"cannot replace " + path_.string() + ": " + ec.message()};
        committed_ = true;
        return true;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::ofstream out_;
    bool committed_ = false;
};

}  // namespace

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

bool WriteLogBitmap(const RenderedLog& log,
                    const std::function<bool(std::span<const uint8_t>)>& write) {
    if (!write(LogBitmapHeader(log.geometry, log.height))) return false;

    const size_t rowBytes = log.geometry.bytesPerRow;
    const size_t rowsPerChunk = std::max<size_t>(1, kChunkBytes / rowBytes);
    std::vector<uint8_t> chunk(rowsPerChunk * rowBytes);
    uint32_t row = log.height;
    while (row > 0) {
        const size_t rows = std::min<size_t>(rowsPerChunk, row);
        uint8_t* out = chunk.data();
        for (size_t k = 0; k < rows; ++k, out += rowBytes) {
            const uint8_t* drawn = log.canvas.RowOrNull(--row);
            if (drawn == nullptr) {
                std::memset(out, 0xFF, rowBytes);  // never drawn on: blank paper
            } else {
                for (size_t i = 0; i < rowBytes; ++i) out[i] = static_cast<uint8_t>(~drawn[i]);
            }
        }
        if (!write(std::span<const uint8_t>(chunk.data(), rows * rowBytes))) return false;
    }
    return true;
}

Result<bool> WriteLogBitmapFile(const std::filesystem::path& path, const RenderedLog& log) {
    ReplacingFile file(path);
    if (!file.opened()) return Error{"cannot create " + path.string()};
    if (!WriteLogBitmap(log, [&file](std::span<const uint8_t> bytes) { return file.Write(bytes); })) {
        return Error{"cannot write " + path.string()};
    }
    return file.Commit();
}

}  // namespace zr640
