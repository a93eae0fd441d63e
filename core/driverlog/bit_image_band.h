// 24-dot bit-image bands: the command "1B 2A 21 nL nH" followed by nL + 256 * nH columns of
// three bytes each, top to bottom, bit 7 of each byte the upper dot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zr640 {

inline constexpr size_t kBandRows = 24;
inline constexpr uint8_t kBandMode24Dot = 0x21;

// Decodes a band given from its mode byte on (mode, nL, nH, column bytes) into 24 rows of
// `stride` bytes in `rows`: row r holds dot row r, eight columns to a byte, bit 7 the
// leftmost. Only the first `maxBytes` bytes of each row are produced (at most `stride`; a
// band wider than that is cut at the right). Returns the bytes per band row,
// (columns + 7) / 8, or -1 when the mode is not 0x21, the command is cut off, or `rows` is
// too small for 24 rows.
int DecodeBand(std::span<const uint8_t> command, std::span<uint8_t> rows, size_t stride,
               size_t maxBytes);

// The ways DecodeBand can decode, for the tests that compare them byte for byte: it takes the
// fastest that this build has and this processor runs.
enum class BandDecoder {
    kPortable,  // eight columns at a time with 64-bit integer transposes
    kSse2,      // sixteen columns at a time (builds whose baseline has SSE2)
    kAvx2,      // thirty-two columns at a time (when the processor runs AVX2)
};
bool BandDecoderRuns(BandDecoder decoder);
int DecodeBandWith(BandDecoder decoder, std::span<const uint8_t> command, std::span<uint8_t> rows,
                   size_t stride, size_t maxBytes);

}  // namespace zr640
