#include "core/watermark/picture_file.h"

#include <algorithm>
#include <array>
#include <string>
#include <system_error>

#include "core/common/bytes.h"
#include "core/common/file_io.h"
#include "core/imaging/bmp.h"
#include "core/imaging/logo_files.h"
#include "core/watermark/image_cache.h"

namespace zr640 {
namespace {

// Where each layout taken keeps its pixel rows: both headers, then its colour table.
constexpr uint32_t kMonoPixelOffset = 62;
constexpr uint32_t kIndexedPixelOffset = 1078;
constexpr uint32_t kColourPixelOffset = 54;

// Offsets inside the file of the info header fields the writers touch.
constexpr size_t kImageSizeField = 34;
constexpr size_t kResolutionFields = 38;  // horizontal, then vertical pixels per metre

Result<bool> CheckLayout(const BitmapView& picture) {
    if (picture.headerSize() != kBitmapInfoHeaderSize) {
        return Error{"the info header has " + std::to_string(picture.headerSize()) +
                     " bytes, not 40"};
    }
    uint32_t offset = kColourPixelOffset;
    uint32_t entries = 0;
    if (picture.bitsPerPixel() == 1) {
        offset = kMonoPixelOffset;
        entries = 2;
    } else if (picture.bitsPerPixel() == 8) {
        offset = kIndexedPixelOffset;
        entries = 256;
    }
    if (picture.coloursUsed() != 0 && picture.coloursUsed() != entries) {
        return Error{"a " + std::to_string(picture.bitsPerPixel()) + "-bit bitmap with " +
                     std::to_string(picture.coloursUsed()) + " colours is not taken"};
    }
    if (picture.pixelOffset() != offset) {
        return Error{"the pixel data of a " + std::to_string(picture.bitsPerPixel()) +
                     "-bit bitmap must begin at " + std::to_string(offset) + ", not " +
                     std::to_string(picture.pixelOffset())};
    }
    return true;
}

// The 24-bit picture file for a 1- or 8-bit picture, or for a top-down 24-bit one.
std::vector<uint8_t> Expand(const BitmapView& picture, std::span<const uint8_t> source) {
    const int32_t width = picture.width();
    std::vector<uint8_t> file = NewBitmapFile(width, picture.height(), 24, {});
    ByteReader header(source);
    header.seek(kResolutionFields);
    StoreU32(file.data() + kResolutionFields, header.u32());
    StoreU32(file.data() + kResolutionFields + 4, header.u32());

    std::array<PaletteEntry, 256> colours{};
    for (size_t i = 0; i < picture.colourEntries() && i < colours.size(); ++i) {
        colours[i] = picture.colour(i);
    }
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 24));
    const size_t pixels = static_cast<size_t>(width);
    uint8_t* out = file.data() + BitmapPixelOffset(0);
    for (int32_t y = 0; y < picture.height(); ++y, out += rowSize) {
        const uint8_t* in = picture.row(y);
        if (picture.bitsPerPixel() == 24) {
            std::copy(in, in + 3 * pixels, out);
            continue;
        }
        for (size_t x = 0; x < pixels; ++x) {
            const size_t index = picture.bitsPerPixel() == 1
                                     ? (size_t{in[x / 8]} >> (7 - x % 8)) & 1
                                     : size_t{in[x]};
            const PaletteEntry& c = colours[index];
            out[3 * x] = c.blue;
            out[3 * x + 1] = c.green;
            out[3 * x + 2] = c.red;
        }
    }
    return file;
}

// Whether the file's picture is larger than the limit or than any bitmap the reader takes,
// by the width and height of its info header (a top-down picture's height by its size).
// Bytes that hold no such header, or a picture without pixels, are left to the reader.
bool TooBig(std::span<const uint8_t> file, WatermarkPictureLimit limit) {
    ByteReader header(file);
    const bool signature = header.u8() == 'B' && header.u8() == 'M';
    header.seek(14);
    const uint32_t headerSize = header.u32();
    const int64_t width = header.i32();
    const int64_t height = header.i32();
    if (!header.ok() || !signature || headerSize < kBitmapInfoHeaderSize || width <= 0 ||
        height == 0) {
        return false;
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width > kGeneralLimits.maxWidth || rows > kGeneralLimits.maxHeight ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) > kGeneralLimits.maxPixels) {
        return true;
    }
    return limit == WatermarkPictureLimit::kImageCache && !FitsImageCache(width, rows);
}

}  // namespace

Result<std::vector<uint8_t>> WatermarkPictureFromBitmap(std::span<const uint8_t> source) {
    const auto picture = ParseBitmap(source, kGeneralLimits);
    if (!picture) return Error{picture.error()};
    if (const auto layout = CheckLayout(*picture); !layout) return Error{layout.error()};
    if (picture->bitsPerPixel() == 24 && !picture->topDown()) {
        return std::vector<uint8_t>(source.begin(), source.end());
    }
    return Expand(*picture, source);
}

WatermarkConversion ConvertWatermarkBitmap(const std::filesystem::path& source,
                                           const std::filesystem::path& destination,
                                           WatermarkPictureLimit limit) {
    WatermarkConversion conversion;
    const auto bytes = ReadWholeFile(source, kLargestBitmapFile);
    if (!bytes) {
        // Only a picture's pixels make a bitmap file larger than the reader takes.
        std::error_code ec;
        const auto size = std::filesystem::file_size(source, ec);
        conversion.tooBig = !ec && size > kLargestBitmapFile;
        conversion.detail = bytes.error();
        return conversion;
    }
    if (TooBig(*bytes, limit)) {
        conversion.tooBig = true;
        conversion.detail = "the picture is too big";
        return conversion;
    }
    const auto picture = WatermarkPictureFromBitmap(*bytes);
    if (!picture) {
        conversion.detail = picture.error();
        return conversion;
    }
    // The writer refuses a destination that is not a regular file or is the source itself.
    const std::filesystem::path inputs[] = {source};
    const auto written = WriteFileAtomically(destination, *picture, inputs);
    if (!written) {
        conversion.result = WatermarkConvertResult::kCannotCreate;
        conversion.detail = written.error();
        return conversion;
    }
    conversion.result = WatermarkConvertResult::kDone;
    return conversion;
}

Result<std::vector<uint8_t>> TextPictureFromPixels(std::span<const uint8_t> pixels) {
    if (pixels.size() != kTextPicturePixelBytes) {
        return Error{"the text picture takes " + std::to_string(kTextPicturePixelBytes) +
                     " bytes of pixels, not " + std::to_string(pixels.size())};
    }
    std::vector<uint8_t> file = NewBitmapFile(kTextPictureSide, kTextPictureSide, 24, {});
    StoreU32(file.data() + kImageSizeField, 0);
    uint8_t* out = file.data() + BitmapPixelOffset(0);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        *out++ = pixels[i];
        *out++ = pixels[i + 1];
        *out++ = pixels[i + 2];
    }
    return file;
}

Result<bool> WriteTextPicture(const std::filesystem::path& destination,
                              std::span<const uint8_t> pixels) {
    const auto file = TextPictureFromPixels(pixels);
    if (!file) return Error{file.error()};
    return WriteFileAtomically(destination, *file);
}

}  // namespace zr640
