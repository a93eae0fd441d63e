// The preview's image cache: the 24-bit pixels of the loaded picture file, and the
// brightness step that every repaint applies to a copy of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zr640 {

// The cache's fixed size, which bounds the pictures the preview shows.
constexpr size_t kImageCacheBytes = 10485760;

// Whether a picture's 24-bit rows (each padded to 4 bytes) fit the cache. Computed in 64
// bits; a picture without pixels does not fit.
bool FitsImageCache(int64_t width, int64_t height);

// target[i] = min(source[i] + brightness, 255) for every byte, brightness clamped to
// 0..255; over the shorter of the two spans. Source and target may be the same bytes, but
// must not overlap otherwise.
void BrightenPixels(std::span<const uint8_t> source, std::span<uint8_t> target, int brightness);

// The same in place, for the text preview's pixels.
void BrightenPixels(std::span<uint8_t> pixels, int brightness);

}  // namespace zr640
