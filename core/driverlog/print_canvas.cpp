#include "core/driverlog/print_canvas.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZR640_CANVAS_SSE2 1
#endif

namespace zr640 {
namespace {

constexpr size_t kWindowBytes = 1 << 20;

// Enough for a short receipt whole, about a megabyte for a long one, and never less than
// two bands.
size_t WindowRows(const LineGeometry& geometry, uint32_t height) {
    const size_t rows = std::min<size_t>(size_t{height} + PrintCanvas::kMostRowsAtOnce,
                                         kWindowBytes / geometry.bytesPerRow);
    return std::max<size_t>(rows, 2 * PrintCanvas::kMostRowsAtOnce);
}

// One row inverted into `to` and cleared where it was, sixteen bytes at a time where the
// build has SSE2 (every x86-64 one), else eight: a row is a whole number of 32-bit words,
// and the loop is as fast without the auto-vectoriser (the plug-in and the viewer are built
// at -O2) as with it.
void InvertAndClear(uint8_t* from, uint8_t* to, size_t bytes) {
    size_t i = 0;
#ifdef ZR640_CANVAS_SSE2
    const __m128i ones = _mm_set1_epi32(-1);
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= bytes; i += 16) {
        auto* source = reinterpret_cast<__m128i*>(from + i);
        const __m128i row = _mm_loadu_si128(source);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_xor_si128(row, ones));
        _mm_storeu_si128(source, zero);
    }
#endif
    constexpr uint64_t kZero = 0;
    for (; i + 8 <= bytes; i += 8) {
        uint64_t word;
        std::memcpy(&word, from + i, 8);
        word = ~word;
        std::memcpy(to + i, &word, 8);
        std::memcpy(from + i, &kZero, 8);
    }
    for (; i < bytes; ++i) {
        to[i] = static_cast<uint8_t>(~from[i]);
        from[i] = 0;
    }
}

}  // namespace

PrintCanvas::PrintCanvas(const LineGeometry& geometry, uint32_t height, BitmapSink& sink)
    : geometry_(geometry), height_(height), sink_(sink), windowRows_(WindowRows(geometry, height)) {
    const size_t bytes = windowRows_ * geometry_.bytesPerRow;
    window_.reset(new (std::nothrow) uint8_t[bytes]());
    out_.reset(new (std::nothrow) uint8_t[bytes]);
    if (!out_) window_.reset();
}

uint8_t* PrintCanvas::RowsAfterFlush(uint64_t row, size_t count) {
    if (failed_ || row < top_ || count > kMostRowsAtOnce) return nullptr;
    if (row + count > top_ + windowRows_ && !Flush(row)) return nullptr;
    return window_.get() + (row - top_) * geometry_.bytesPerRow;
}

bool PrintCanvas::Finish() { return !failed_ && Flush(std::max<uint64_t>(height_, top_)); }

// Writes the rows above `end` and moves the window down to start there; what was drawn below
// `end` (at most the rows of one band) moves with it. WriteRows clears the rows it takes, so
// only the rows that the kept ones leave behind need clearing here.
bool PrintCanvas::Flush(uint64_t end) {
    const size_t rowBytes = geometry_.bytesPerRow;
    const size_t drawn = static_cast<size_t>(std::min<uint64_t>(end - top_, windowRows_));
    if (!WriteRows(top_, drawn, window_.get())) return false;
    for (uint64_t blank = top_ + drawn; blank < end;) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(end - blank, windowRows_));
        if (!WriteRows(blank, count, nullptr)) return false;
        blank += count;
    }
    const size_t kept = windowRows_ - drawn;
    if (kept > 0) {
        std::memmove(window_.get(), window_.get() + drawn * rowBytes, kept * rowBytes);
        const size_t stale = std::max(kept, drawn);
        std::memset(window_.get() + stale * rowBytes, 0, (windowRows_ - stale) * rowBytes);
    }
    top_ = end;
    return true;
}

// Rows [first, first + count) of the picture, from `rows` (nullptr: blank), go to the bitmap
// bottom-up and inverted, and `rows` are cleared for the next ones drawn there; rows at or
// below the picture's height are dropped.
bool PrintCanvas::WriteRows(uint64_t first, size_t count, uint8_t* rows) {
    const size_t rowBytes = geometry_.bytesPerRow;
    const size_t kept =
        first >= height_ ? 0 : static_cast<size_t>(std::min<uint64_t>(count, height_ - first));
    if (rows != nullptr) std::memset(rows + kept * rowBytes, 0, (count - kept) * rowBytes);
    count = kept;
    if (count == 0) return true;
    uint8_t* out = out_.get();
    if (rows == nullptr) {
        std::memset(out, 0xFF, count * rowBytes);
    } else {
        for (size_t k = 0; k < count; ++k) {
            InvertAndClear(rows + k * rowBytes, out + (count - 1 - k) * rowBytes, rowBytes);
        }
    }
    const uint64_t offset = kLogBitmapHeaderSize + (height_ - first - count) * uint64_t{rowBytes};
    if (sink_.WriteAt(offset, {out, count * rowBytes})) return true;
    failed_ = true;
    return false;
}

}  // namespace zr640
