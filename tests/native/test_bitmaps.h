// Bitmaps made in tests: pictures drawn by a function of (x, y), y counted from the bottom
// row, written with the core's own bitmap writer, and small helpers to read results.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/imaging/bmp.h"

namespace zr640::test {

struct Rgb {
    uint8_t red, green, blue;
};

template <typename Pixel>
std::vector<uint8_t> Bitmap24(int32_t width, int32_t height, Pixel pixel) {
    std::vector<uint8_t> file = NewBitmapFile(width, height, 24, {});
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 24));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = file.data() + BitmapPixelOffset(0) + static_cast<size_t>(y) * rowSize;
        for (int32_t x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row[3 * x] = c.blue;
            row[3 * x + 1] = c.green;
            row[3 * x + 2] = c.red;
        }
    }
    return file;
}

// An 8-bit bitmap with a gray palette; the pixel byte is the level.
template <typename Level>
std::vector<uint8_t> Bitmap8(int32_t width, int32_t height, Level level) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        palette.push_back({v, v, v});
    }
    std::vector<uint8_t> file = NewBitmapFile(width, height, 8, palette);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 8));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = file.data() + BitmapPixelOffset(256) + static_cast<size_t>(y) * rowSize;
        for (int32_t x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(level(x, y));
    }
    return file;
}

// A 1-bit bitmap; `bit(x, y)` gives the stored bit, `palette` its two colours.
template <typename Bit>
std::vector<uint8_t> Bitmap1(int32_t width, int32_t height, Bit bit,
                             std::vector<PaletteEntry> palette = {{0, 0, 0}, {255, 255, 255}}) {
    std::vector<uint8_t> file = NewBitmapFile(width, height, 1, palette);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 1));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = file.data() + BitmapPixelOffset(2) + static_cast<size_t>(y) * rowSize;
        for (int32_t x = 0; x < width; ++x) {
            if (bit(x, y)) row[x / 8] = static_cast<uint8_t>(row[x / 8] | 0x80 >> (x % 8));
        }
    }
    return file;
}

inline int32_t HeaderI32(const std::vector<uint8_t>& file, size_t offset) {
    return static_cast<int32_t>(LoadU32(file.data() + offset));
}

// The same picture stored top-down: negative height, rows in the opposite order.
inline std::vector<uint8_t> TopDown(const std::vector<uint8_t>& file) {
    const int32_t width = HeaderI32(file, 18);
    const int32_t height = HeaderI32(file, 22);
    const auto bits = static_cast<uint32_t>(file[28]);
    const size_t offset = LoadU32(file.data() + 10);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), bits));
    std::vector<uint8_t> flipped = file;
    StoreU32(flipped.data() + 22, static_cast<uint32_t>(-height));
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        std::memcpy(flipped.data() + offset + y * rowSize,
                    file.data() + offset + (static_cast<size_t>(height) - 1 - y) * rowSize,
                    rowSize);
    }
    return flipped;
}

inline BitmapView View(const std::vector<uint8_t>& file,
                       const BitmapLimits& limits = kGeneralLimits) {
    auto view = ParseBitmap(file, limits);
    EXPECT_TRUE(view.ok()) << view.error();
    return view.ok() ? *view : BitmapView{};
}

// Whether pixel (x, y) of a mono converted file is white (its bit set).
inline bool White(const std::vector<uint8_t>& mono, int32_t x, int32_t y) {
    const int32_t width = HeaderI32(mono, 18);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 1));
    const uint8_t byte = mono[62 + static_cast<size_t>(y) * rowSize + static_cast<size_t>(x) / 8];
    return (byte & (0x80 >> (x % 8))) != 0;
}

inline int CountWhite(const std::vector<uint8_t>& mono) {
    int count = 0;
    for (int32_t y = 0; y < HeaderI32(mono, 22); ++y) {
        for (int32_t x = 0; x < HeaderI32(mono, 18); ++x) count += White(mono, x, y);
    }
    return count;
}

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("zr640-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zr640::test
