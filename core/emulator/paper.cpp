#include "core/emulator/paper.h"

#include <algorithm>

namespace zr640::emulator {

Paper::Paper(uint32_t width)
    : width_(std::clamp(width, kNarrowestPaper, kWidestPaper)),
      stride_((width_ + 7) / 8),
      longest_(kLongestPaperBytes / stride_) {}

bool Paper::Reach(uint64_t rows) {
    const bool fits = rows <= longest_;
    rows = std::min(rows, longest_);
    if (rows <= rows_) return fits;
    const size_t needed = static_cast<size_t>(rows) * stride_;
    if (needed > bits_.size()) {
        // Doubling keeps a long receipt from being copied once per feed.
        bits_.resize(std::min<size_t>(std::max(needed, bits_.size() * 2),
                                      static_cast<size_t>(longest_) * stride_));
    }
    rows_ = rows;
    return fits;
}

uint8_t* Paper::Row(uint64_t row) {
    if (row >= longest_) return nullptr;
    Reach(row + 1);
    return bits_.data() + static_cast<size_t>(row) * stride_;
}

void Paper::Set(uint32_t x, uint64_t row) {
    if (x >= width_) return;
    if (uint8_t* bits = Row(row)) bits[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
}

bool Paper::Dot(uint32_t x, uint64_t row) const {
    if (x >= width_ || row >= rows_) return false;
    return (bits_[static_cast<size_t>(row) * stride_ + x / 8] & (0x80 >> (x % 8))) != 0;
}

void Paper::Put(uint64_t row, uint32_t x, std::span<const uint8_t> bits, uint32_t dots) {
    if (x >= width_) return;
    uint8_t* out = Row(row);
    if (out == nullptr) return;
    dots = std::min({dots, width_ - x,
                     static_cast<uint32_t>(std::min<size_t>(bits.size(), UINT32_MAX / 8) * 8)});
    const unsigned shift = x % 8;
    uint8_t* target = out + x / 8;
    const size_t whole = dots / 8;
    for (size_t i = 0; i < whole; ++i) {
        target[i] |= static_cast<uint8_t>(bits[i] >> shift);
        if (shift != 0) target[i + 1] |= static_cast<uint8_t>(bits[i] << (8 - shift));
    }
    // The last part byte dot by dot: the right edge may cut it anywhere.
    for (uint32_t d = static_cast<uint32_t>(whole * 8); d < dots; ++d) {
        if ((bits[d / 8] & (0x80 >> (d % 8))) != 0) {
            out[(x + d) / 8] |= static_cast<uint8_t>(0x80 >> ((x + d) % 8));
        }
    }
}

void Paper::Dashes(uint64_t row) {
    uint8_t* out = Row(row);
    if (out == nullptr) return;
    for (uint32_t x = 0; x < width_; ++x) {
        if ((x / 8) % 2 == 0) out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
}

}  // namespace zr640::emulator
