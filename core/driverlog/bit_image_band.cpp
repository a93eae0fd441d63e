#include "core/driverlog/bit_image_band.h"

#include <algorithm>
#include <cstring>

#include "core/common/cpu_features.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZR640_BAND_SSE2 1
#endif
#ifdef ZR640_X86_DISPATCH
#include <immintrin.h>
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

#ifdef ZR640_X86_DISPATCH
// The shuffle that gathers byte `part` of sixteen columns (48 bytes, loaded as three 16-byte
// vectors) from vector `source`: lane k takes column 8 (k / 8) + 7 - k % 8, so that the mask
// of the lanes' top bits holds each group of eight columns as one output byte, the first
// column in bit 7. Lanes whose byte lies in another vector are cleared (index 0x80).
struct ColumnShuffles {
    alignas(16) uint8_t index[3][3][16];
    constexpr ColumnShuffles() : index{} {
        for (size_t part = 0; part < 3; ++part) {
            for (size_t source = 0; source < 3; ++source) {
                for (size_t k = 0; k < 16; ++k) {
                    const size_t column = 8 * (k / 8) + 7 - k % 8;
                    const size_t at = 3 * column + part;
                    index[part][source][k] =
                        at / 16 == source ? static_cast<uint8_t>(at % 16) : uint8_t{0x80};
                }
            }
        }
    }
};
constexpr ColumnShuffles kColumnShuffles;

ZR640_TARGET_AVX2 inline __m256i LoadHalves(const uint8_t* low, const uint8_t* high) {
    const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low));
    const __m128i h = _mm_loadu_si128(reinterpret_cast<const __m128i*>(high));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(l), h, 1);
}

// Four whole groups (32 columns, 96 bytes): columns 0 to 15 in the low half of the vectors,
// 16 to 31 in the high half. Each mask of top bits is one dot row of all four groups, stored
// as four bytes at once.
ZR640_TARGET_AVX2 void DecodeGroupQuad(const uint8_t* columns, uint8_t* rows, size_t stride) {
    const __m256i source[3] = {LoadHalves(columns, columns + 48),
                               LoadHalves(columns + 16, columns + 64),
                               LoadHalves(columns + 32, columns + 80)};
    for (size_t part = 0; part < 3; ++part) {
        __m256i lanes = _mm256_setzero_si256();
        for (size_t k = 0; k < 3; ++k) {
            const __m128i index =
                _mm_load_si128(reinterpret_cast<const __m128i*>(kColumnShuffles.index[part][k]));
            const __m256i both = _mm256_broadcastsi128_si256(index);
            lanes = _mm256_or_si256(lanes, _mm256_shuffle_epi8(source[k], both));
        }
        uint8_t* out = rows + part * 8 * stride;
        for (size_t i = 0; i < 8; ++i, out += stride) {
            const auto mask = static_cast<uint32_t>(_mm256_movemask_epi8(lanes));
            std::memcpy(out, &mask, 4);  // groups in byte order: little-endian
            lanes = _mm256_add_epi8(lanes, lanes);
        }
    }
}

ZR640_TARGET_AVX2 size_t DecodeGroupsAvx2(const uint8_t* data, size_t whole, uint8_t* rows,
                                          size_t stride) {
    size_t group = 0;
    for (; group + 4 <= whole; group += 4) DecodeGroupQuad(data + 24 * group, rows + group, stride);
    return group;
}
#endif

}  // namespace

bool BandDecoderRuns(BandDecoder decoder) {
    switch (decoder) {
    case BandDecoder::kPortable: return true;
    case BandDecoder::kSse2:
#ifdef ZR640_BAND_SSE2
        return true;
#else
        return false;
#endif
    case BandDecoder::kAvx2: return CpuRunsAvx2();
    }
    return false;
}

int DecodeBand(std::span<const uint8_t> command, std::span<uint8_t> rows, size_t stride,
               size_t maxBytes) {
    static const BandDecoder fastest = BandDecoderRuns(BandDecoder::kAvx2) ? BandDecoder::kAvx2
                                       : BandDecoderRuns(BandDecoder::kSse2)
                                           ? BandDecoder::kSse2
                                           : BandDecoder::kPortable;
    return DecodeBandWith(fastest, command, rows, stride, maxBytes);
}

int DecodeBandWith(BandDecoder decoder, std::span<const uint8_t> command, std::span<uint8_t> rows,
                   size_t stride, size_t maxBytes) {
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
    if (!BandDecoderRuns(decoder)) decoder = BandDecoder::kPortable;
#ifdef ZR640_X86_DISPATCH
    if (decoder == BandDecoder::kAvx2) group = DecodeGroupsAvx2(data, whole, rows.data(), stride);
#endif
#ifdef ZR640_BAND_SSE2
    if (decoder != BandDecoder::kPortable) {
        for (; group + 2 <= whole; group += 2) {
            DecodeGroupPair(data + 24 * group, rows.data() + group, stride);
        }
    }
#endif
    for (; group < whole; ++group) DecodeGroup(data + 24 * group, 8, rows.data() + group, stride);
    if (produced > whole) DecodeGroup(data + 24 * whole, columns % 8, rows.data() + whole, stride);
    return static_cast<int>(width);
}

}  // namespace zr640
