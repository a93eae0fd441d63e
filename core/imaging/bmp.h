// Windows bitmap files of the three layouts the logo code handles: 24-bit colour, 8-bit
// (the pixel byte is the gray level) and 1-bit, uncompressed.
//
// The reader trusts nothing in the file: the signature, the header size (the 40-byte info
// header and its longer successors), the bit depth and the compression are whitelisted,
// width and height are capped before any arithmetic, the row and image sizes are computed
// in 64 bits, and a file shorter than its headers claim is refused. It copies nothing: a
// BitmapView points into the caller's bytes, which must outlive it.
//
// Rows are addressed bottom-up, row 0 being the bottom row of the picture, which is the
// first stored row of an ordinary bitmap. A top-down file (negative height) is read through
// the same row numbers, so it converts to exactly what its bottom-up twin converts to, and
// everything this code writes is bottom-up with a positive height.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace zr640 {

constexpr size_t kBitmapFileHeaderSize = 14;
constexpr size_t kBitmapInfoHeaderSize = 40;
// What the page reads of a bitmap before it accepts it: both headers and two palette
// entries, the whole header of a one-bit file.
constexpr size_t kBitmapLeadSize = 62;

struct BitmapLimits {
    int32_t maxWidth;
    int32_t maxHeight;
    uint64_t maxPixels;
};

// Logos: the printer's and the Download page's limit.
constexpr BitmapLimits kLogoLimits{1024, 768, 1024 * 768};
// Anything else the tool is asked to convert.
constexpr BitmapLimits kGeneralLimits{32768, 32768, uint64_t{1} << 25};

struct PaletteEntry {
    uint8_t blue, green, red;
    bool operator==(const PaletteEntry&) const = default;
};

// Bytes per stored row: rows are padded to a multiple of 4 bytes.
constexpr uint64_t BitmapRowSize(uint64_t width, uint32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

class BitmapView {
public:
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }  // always positive
    uint16_t bitsPerPixel() const { return bits_; }
    bool topDown() const { return topDown_; }
    size_t rowSize() const { return rowSize_; }
    // The first two palette entries; present (and only read) for one-bit files.
    const std::array<PaletteEntry, 2>& palette() const { return palette_; }

    // The layout as the header states it, for code that takes only some layouts.
    uint32_t headerSize() const { return headerSize_; }    // the info header's size
    uint32_t pixelOffset() const { return pixelOffset_; }  // where the rows begin in the file
    uint32_t coloursUsed() const { return coloursUsed_; }  // 0: all 2^bitsPerPixel colours
    // Colour entries: the 4-byte entries between the info header and the pixel rows.
    size_t colourEntries() const { return colourEntries_; }
    PaletteEntry colour(size_t i) const {
        const uint8_t* entry = colourTable_ + 4 * i;
        return {entry[0], entry[1], entry[2]};
    }

    // Row y counted from the bottom of the picture, rowSize() bytes.
    const uint8_t* row(int32_t y) const {
        const size_t stored = static_cast<size_t>(topDown_ ? height_ - 1 - y : y);
        return pixels_ + stored * rowSize_;
    }

private:
    friend Result<BitmapView> ParseBitmap(std::span<const uint8_t>, const BitmapLimits&);

    const uint8_t* pixels_ = nullptr;
    size_t rowSize_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    uint16_t bits_ = 0;
    bool topDown_ = false;
    std::array<PaletteEntry, 2> palette_{};
    uint32_t headerSize_ = 0;
    uint32_t pixelOffset_ = 0;
    uint32_t coloursUsed_ = 0;
    const uint8_t* colourTable_ = nullptr;
    size_t colourEntries_ = 0;
};

// Validates a whole bitmap file and returns a view of its pixels.
Result<BitmapView> ParseBitmap(std::span<const uint8_t> file, const BitmapLimits& limits);

// Starts a bottom-up bitmap file of the given size and depth: both headers (file size and
// image size filled in), then `palette` (4 bytes an entry) and the zeroed pixel rows. The
// caller fills the rows from BitmapPixelOffset on. Width and height must already be
// within a BitmapLimits.
std::vector<uint8_t> NewBitmapFile(int32_t width, int32_t height, uint16_t bitsPerPixel,
                                   std::span<const PaletteEntry> palette);

inline size_t BitmapPixelOffset(size_t paletteEntries) {
    return kBitmapFileHeaderSize + kBitmapInfoHeaderSize + 4 * paletteEntries;
}

}  // namespace zr640
