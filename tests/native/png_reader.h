// PNG pictures read back in tests, through libpng's simplified reader.
#pragma once

#include <png.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zr640::test {

struct PngPixels {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t channels = 0;        // 1 gray, 3 red green blue
    std::vector<uint8_t> values;  // row by row from the top
    uint8_t at(uint32_t x, uint32_t y, uint32_t channel = 0) const {
        return values[(size_t{y} * width + x) * channels + channel];
    }
    bool Dot(uint32_t x, uint32_t y) const { return at(x, y) < 128; }  // black
};

// The picture as 8-bit gray (rgb false) or colour; empty when the file is no PNG.
inline PngPixels ReadPng(const std::filesystem::path& path, bool rgb = false) {
    PngPixels picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.string().c_str())) return picture;
    image.format = rgb ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
    std::vector<uint8_t> values(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, values.data(), 0, nullptr)) return picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.channels = rgb ? 3 : 1;
    picture.values = std::move(values);
    return picture;
}

}  // namespace zr640::test
