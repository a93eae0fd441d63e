// The emulated printer's paper: a one-bit canvas one dot per pixel, a fixed number of dots
// across, growing downward as the printer feeds it. Its length is capped, so no stream can
// make it take more memory than kLongestPaperBytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zr640::emulator {

inline constexpr uint32_t kDefaultPaperWidth = 640;  // dots
inline constexpr uint32_t kNarrowestPaper = 8;
inline constexpr uint32_t kWidestPaper = 4096;
// The most bytes of dots the paper keeps (64 MiB: over 800,000 rows of a 640-dot line).
inline constexpr uint64_t kLongestPaperBytes = uint64_t{64} << 20;

class Paper {
public:
    // `width` is clamped into kNarrowestPaper..kWidestPaper.
    explicit Paper(uint32_t width = kDefaultPaperWidth);

    uint32_t width() const { return width_; }
    size_t bytesPerRow() const { return stride_; }
    // The rows the paper holds so far (drawn on, or passed by a feed).
    uint64_t rows() const { return rows_; }
    // The most rows the paper can hold at this width.
    uint64_t longestRows() const { return longest_; }

    // Lengthens the paper to at least `rows` rows (at most longestRows()); false when that
    // would pass the cap (the paper then ends at the cap).
    bool Reach(uint64_t rows);

    // Row `row` of the paper, bit 7 of the first byte the leftmost dot, a set bit a printed
    // dot; nullptr past the cap. Lengthens the paper to hold it.
    uint8_t* Row(uint64_t row);

    // Sets the dot at (x, row); dots past the right edge or the cap are dropped.
    void Set(uint32_t x, uint64_t row);
    bool Dot(uint32_t x, uint64_t row) const;

    // ORs `bits` (bit 7 of the first byte the leftmost dot) into row `row` from dot `x` on,
    // `dots` dots of it; what runs past the right edge is dropped.
    void Put(uint64_t row, uint32_t x, std::span<const uint8_t> bits, uint32_t dots);

    // A dashed line across the whole row: 8 dots on, 8 off.
    void Dashes(uint64_t row);

    // The rows 0..rows()-1, one after the other bytesPerRow() apart.
    std::span<const uint8_t> bits() const { return {bits_.data(), stride_ * rows_}; }

private:
    uint32_t width_;
    size_t stride_;
    uint64_t longest_;
    uint64_t rows_ = 0;
    std::vector<uint8_t> bits_;
};

}  // namespace zr640::emulator
