#include "core/watermark/image_cache.h"

#include <algorithm>
#include <cstring>

#include "core/imaging/bmp.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define ZR640_BRIGHTEN_SSE2 1
#include <emmintrin.h>
#endif

namespace zr640 {
namespace {

void Brighten(const uint8_t* in, uint8_t* out, size_t count, uint8_t brightness) {
    size_t i = 0;
#ifdef ZR640_BRIGHTEN_SSE2
    // Saturating byte adds, 64 bytes a step: the cost of the step is then the memory traffic
    // of a copy.
    const __m128i add = _mm_set1_epi8(static_cast<char>(brightness));
    for (; i + 64 <= count; i += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 48));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_adds_epu8(a, add));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 16), _mm_adds_epu8(b, add));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 32), _mm_adds_epu8(c, add));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 48), _mm_adds_epu8(d, add));
    }
#endif
    for (; i < count; ++i) {
        const unsigned sum = unsigned{in[i]} + brightness;
        out[i] = static_cast<uint8_t>(sum > 255 ? 255 : sum);
    }
}

}  // namespace

bool FitsImageCache(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > int64_t{kImageCacheBytes}) return false;
    const uint64_t rowSize = BitmapRowSize(uint64_t(width), 24);
    return rowSize * uint64_t(height) <= kImageCacheBytes;
}

void BrightenPixels(std::span<const uint8_t> source, std::span<uint8_t> target, int brightness) {
    const size_t count = std::min(source.size(), target.size());
    const auto add = static_cast<uint8_t>(std::clamp(brightness, 0, 255));
    if (add == 0) {
        if (source.data() != target.data() && count != 0) {
            std::memcpy(target.data(), source.data(), count);
        }
        return;
    }
    Brighten(source.data(), target.data(), count, add);
}

void BrightenPixels(std::span<uint8_t> pixels, int brightness) {
    BrightenPixels(pixels, pixels, brightness);
}

}  // namespace zr640
