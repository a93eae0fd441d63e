#include "core/driverlog/bit_image_band.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZR640_BAND_SSE2 1
#endif

namespace zr640 {
namespace {

// Transposes an 8 x 8 bit matrix: byte j of the input (its bit 7 - i) becomes bit 7 - j of
// byte i of the output. The three swap stages exchange 1 x 1, 2 x 2 and 4 x 4 blocks across
// the diagonal.
uint64_t Transpose8x8(uint64_t x) {
    uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    return x;
}

// Byte `part` of up to eight columns, column j in byte 7 - j (the first column on top).
inline uint64_t GatherPart(const uint8_t* columns, size_t count, size_t part) {
    uint64_t matrix = 0;
    for (size_t j = 0; j < count; ++j) matrix |= uint64_t{columns[3 * j + part]} << (56 - 8 * j);
    return matrix;
}

// Decodes up to eight columns (`count`) starting at `columns` into byte `group` of the 24
// rows: for each of the three bytes of a column, the eight columns' bytes form one 8 x 8
// matrix whose transpose gives eight dot rows.
inline void DecodeGroup(const uint8_t* columns, size_t count, uint8_t* rows, size_t stride) {
    for (size_t part = 0; part < 3; ++part) {
        const uint64_t matrix = Transpose8x8(GatherPart(columns, count, part));
        uint8_t* out = rows + part * 8 * stride;
        for (size_t i = 0; i < 8; ++i) {
            out[i * stride] = static_cast<uint8_t>(matrix >> (56 - 8 * i));
        }
    }
}

#ifdef ZR640_BAND_SSE2
// Two whole groups (sixteen columns) at once: with the first column in the top lane of each
// half, the mask of the lanes' top bits is one dot row of both groups; doubling every lane
// brings up the next row.
inline void DecodeGroupPair(const uint8_t* columns, uint8_t* rows, size_t stride) {
    for (size_t part = 0; part < 3; ++part) {
        __m128i lanes = _mm_set_epi64x(static_cast<long long>(GatherPart(columns + 24, 8, part)),
                                       static_cast<long long>(GatherPart(columns, 8, part)));
        uint8_t* out = rows + part * 8 * stride;
        for (size_t i = 0; i < 8; ++i, out += stride) {
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(lanes));
            out[0] = static_cast<uint8_t>(mask);
            out[1] = static_cast<uint8_t>(mask >> 8);
            lanes = _mm_add_epi8(lanes, lanes);
        }
    }
}
#endif

}  // namespace

int DecodeBand(std::span<const uint8_t> command, std::span<uint8_t> rows, size_t stride,
               size_t maxBytes) {
    if (command.size() < 3 || command[0] != kBandMode24Dot) return -1;
    const size_t columns = size_t{command[1]} | size_t{command[2]} << 8;
    if (command.size() - 3 < 3 * columns) return -1;
    maxBytes = std::min(maxBytes, stride);
    if (maxBytes > 0 && rows.size() < (kBandRows - 1) * stride + maxBytes) return -1;

    const size_t width = (columns + 7) / 8;
    const size_t produced = std::min(width, maxBytes);
    const uint8_t* data = command.data() + 3;
    const size_t whole = std::min(produced, columns / 8);
    size_t group = 0;
#ifdef ZR640_BAND_SSE2
    for (; group + 2 <= whole; group += 2) {
        DecodeGroupPair(data + 24 * group, rows.data() + group, stride);
    }
#endif
    for (; group < whole; ++group) DecodeGroup(data + 24 * group, 8, rows.data() + group, stride);
    if (produced > whole) DecodeGroup(data + 24 * whole, columns % 8, rows.data() + whole, stride);
    return static_cast<int>(width);
}

}  // namespace zr640
