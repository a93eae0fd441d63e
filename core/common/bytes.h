// Little-endian readers and writers over byte spans. Every read is bounds-checked; a read
// past the end sets a sticky failure flag and yields zero, so a parser can read a whole
// header and check ok() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace zr640 {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return ok_ ? data_.size() - pos_ : 0; }

    void seek(size_t pos) {
        if (pos > data_.size()) {
            ok_ = false;
            return;
        }
        pos_ = pos;
    }
    void skip(size_t n) { seek(n > data_.size() - pos_ ? data_.size() + 1 : pos_ + n); }

    uint8_t u8() { return take(1) ? data_[pos_ - 1] : uint8_t{0}; }
    uint16_t u16() {
        if (!take(2)) return 0;
        const uint8_t* p = &data_[pos_ - 2];
        return static_cast<uint16_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8);
    }
    uint32_t u32() {
        if (!take(4)) return 0;
        const uint8_t* p = &data_[pos_ - 4];
        return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }

    std::span<const uint8_t> bytes(size_t n) {
        if (!take(n)) return {};
        return data_.subspan(pos_ - n, n);
    }

private:
    bool take(size_t n) {
        if (!ok_ || n > data_.size() - pos_) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) {
        out_.push_back(static_cast<uint8_t>(v));
        out_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(static_cast<uint8_t>(v >> shift));
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void bytes(std::span<const uint8_t> data) { out_.insert(out_.end(), data.begin(), data.end()); }
    void zeros(size_t n) { out_.insert(out_.end(), n, uint8_t{0}); }

private:
    std::vector<uint8_t>& out_;
};

inline uint32_t LoadU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace zr640
