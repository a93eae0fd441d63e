// Every vectorised or otherwise fast path against its portable twin, byte for byte, on random
// input from fixed seeds. A path the processor does not run is reported as skipped.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/driverlog/bit_image_band.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(size_t count, std::mt19937& random) {
    Bytes bytes(count);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

// --- Bit-image bands -------------------------------------------------------------------------

class BandDecoders : public testing::TestWithParam<BandDecoder> {};

// Column counts around every group size the decoders take at once (8, 16 and 32 columns),
// rows wider and narrower than the band, cuts inside and between groups, and a stride wider
// than the bytes produced, whose bytes past the cut must stay as they were.
TEST_P(BandDecoders, MatchThePortableDecoderOnRandomBands) {
    if (!BandDecoderRuns(GetParam())) GTEST_SKIP() << "not run by this processor or build";
    std::mt19937 random(640);
    for (size_t columns = 0; columns <= 700; columns += columns < 80 ? 1 : 37) {
        const Bytes data = RandomBytes(3 * columns, random);
        Bytes command{0x21, static_cast<uint8_t>(columns), static_cast<uint8_t>(columns >> 8)};
        command.insert(command.end(), data.begin(), data.end());
        for (const size_t stride : {size_t{4}, size_t{80}, size_t{96}}) {
            for (const size_t maxBytes : {stride, size_t{1}, size_t{3}, size_t{5}, size_t{33}}) {
                const Bytes before = RandomBytes(kBandRows * stride, random);
                Bytes expected = before;
                Bytes actual = before;
                const int width =
                    DecodeBandWith(BandDecoder::kPortable, command, expected, stride, maxBytes);
                EXPECT_EQ(DecodeBandWith(GetParam(), command, actual, stride, maxBytes), width);
                ASSERT_EQ(actual, expected)
                    << columns << " columns, stride " << stride << ", cut at " << maxBytes;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fast, BandDecoders,
                         testing::Values(BandDecoder::kSse2, BandDecoder::kAvx2),
                         [](const testing::TestParamInfo<BandDecoder>& decoder) {
                             return decoder.param == BandDecoder::kSse2 ? "Sse2" : "Avx2";
                         });

}  // namespace
}  // namespace zr640
