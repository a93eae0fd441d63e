#include "core/imaging/bmp.h"

#include <cstdlib>
#include <string>

#include "core/common/bytes.h"

namespace zr640 {
namespace {

constexpr uint16_t kSignature = 0x4D42;  // "BM"

// The info header and its longer versions (V2, V3, V4, V5) keep width, height, depth and
// compression at the same offsets. The 12-byte core header does not, and is refused.
bool KnownHeaderSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

Result<BitmapView> ParseBitmap(std::span<const uint8_t> file, const BitmapLimits& limits) {
    ByteReader in(file);
    const uint16_t type = in.u16();
    in.skip(8);  // file size and reserved words: the real length of the file is what counts
    const uint32_t dataOffset = in.u32();
    const uint32_t headerSize = in.u32();
    const int32_t width = in.i32();
    const int32_t storedHeight = in.i32();
    in.skip(2);  // planes
    const uint16_t bits = in.u16();
    const uint32_t compression = in.u32();
    in.skip(12);  // image size and resolution
    const uint32_t coloursUsed = in.u32();
    if (!in.ok()) return Error{"the file is too short for a bitmap header"};
    if (type != kSignature) return Error{"not a bitmap (no \"BM\" signature)"};
    if (!KnownHeaderSize(headerSize)) {
        return Error{"unsupported bitmap header size " + std::to_string(headerSize)};
    }
    if (bits != 24 && bits != 8 && bits != 1) {
        return Error{"unsupported bit depth " + std::to_string(bits) + " (24, 8 or 1)"};
    }
    if (compression != 0) return Error{"compressed bitmaps are not supported"};

    // int64 so that negating the smallest int32 cannot overflow.
    const int64_t height = std::llabs(int64_t{storedHeight});
    if (width <= 0 || height == 0) return Error{"the bitmap has no pixels"};
    if (width > limits.maxWidth || height > limits.maxHeight ||
        uint64_t(width) * uint64_t(height) > limits.maxPixels) {
        return Error{"the bitmap is too large (" + std::to_string(width) + " x " +
                     std::to_string(height) + ", at most " + std::to_string(limits.maxWidth) +
                     " x " + std::to_string(limits.maxHeight) + ")"};
    }

    // Everything below is at most 2^15 x 3 bytes a row by 2^15 rows: no 64-bit overflow.
    const uint64_t headersEnd = kBitmapFileHeaderSize + uint64_t{headerSize};
    const uint64_t paletteNeeded = bits == 1 ? 8 : 0;
    if (uint64_t{dataOffset} < headersEnd + paletteNeeded) {
        return Error{"the pixel data offset points into the headers"};
    }
    const uint64_t rowSize = BitmapRowSize(uint64_t(width), bits);
    const uint64_t imageEnd = uint64_t{dataOffset} + rowSize * uint64_t(height);
    if (imageEnd > file.size()) {
        return Error{"the file is shorter than its header claims (" + std::to_string(file.size()) +
                     " bytes of " + std::to_string(imageEnd) + ")"};
    }

    BitmapView view;
    view.pixels_ = file.data() + dataOffset;
    view.rowSize_ = static_cast<size_t>(rowSize);
    view.width_ = width;
    view.height_ = static_cast<int32_t>(height);
    view.bits_ = bits;
    view.topDown_ = storedHeight < 0;
    view.headerSize_ = headerSize;
    view.pixelOffset_ = dataOffset;
    view.coloursUsed_ = coloursUsed;
    view.colourTable_ = file.data() + headersEnd;
    view.colourEntries_ = static_cast<size_t>((uint64_t{dataOffset} - headersEnd) / 4);
    if (bits == 1) {
        for (size_t i = 0; i < 2; ++i) {
            const uint8_t* entry = file.data() + headersEnd + 4 * i;
            view.palette_[i] = {entry[0], entry[1], entry[2]};
        }
    }
    return view;
}

std::vector<uint8_t> NewBitmapFile(int32_t width, int32_t height, uint16_t bitsPerPixel,
                                   std::span<const PaletteEntry> palette) {
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), bitsPerPixel));
    const size_t imageSize = rowSize * static_cast<size_t>(height);
    const size_t offset = BitmapPixelOffset(palette.size());

    std::vector<uint8_t> file;
    file.reserve(offset + imageSize);
    ByteWriter out(file);
    out.u16(kSignature);
    out.u32(static_cast<uint32_t>(offset + imageSize));
    out.u32(0);  // two reserved words
    out.u32(static_cast<uint32_t>(offset));
    out.u32(kBitmapInfoHeaderSize);
    out.i32(width);
    out.i32(height);
    out.u16(1);  // planes
    out.u16(bitsPerPixel);
    out.u32(0);  // compression
    out.u32(static_cast<uint32_t>(imageSize));
    out.zeros(16);  // resolution and colour counts
    for (const PaletteEntry& entry : palette) {
        out.u8(entry.blue);
        out.u8(entry.green);
        out.u8(entry.red);
        out.u8(0);
    }
    out.zeros(imageSize);
    return file;
}

}  // namespace zr640
