// Every vectorised or otherwise fast path against its portable twin, byte for byte, on random
// input from fixed seeds. A path the processor does not run is reported as skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "core/driverlog/bit_image_band.h"
#include "core/driverlog/log_bitmap.h"
#include "core/driverlog/print_file_render.h"
#include "tests/native/print_file_builder.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(size_t count, std::mt19937& random) {
    Bytes bytes(count);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

// --- Bit-image bands -------------------------------------------------------------------------

class BandDecoders : public ::testing::TestWithParam<BandDecoder> {};

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
                         ::testing::Values(BandDecoder::kSse2, BandDecoder::kAvx2),
                         [](const ::testing::TestParamInfo<BandDecoder>& decoder) {
                             return decoder.param == BandDecoder::kSse2 ? "Sse2" : "Avx2";
                         });

// --- Whole logs ---------------------------------------------------------------------------

// The picture of a log drawn whole in memory, straight from the drawing rules, for the
// commands RandomLog writes.
class ReferencePicture {
public:
    static constexpr size_t kStride = 80;

    void Line(uint32_t row, const Bytes& data) { std::copy(data.begin(), data.end(), At(row)); }

    void Band(uint32_t row, uint32_t x, const Bytes& columnBytes) {
        const size_t columns = columnBytes.size() / 3;
        const size_t skip = x / 8;
        const unsigned shift = x % 8;
        const size_t room = skip < kStride ? kStride - skip : 0;
        const size_t produced = std::min((columns + 7) / 8, room);
        for (size_t dot = 0; dot < kBandRows; ++dot) {
            Bytes band(kStride, 0);
            for (size_t c = 0; c < columns && c / 8 < produced; ++c) {
                if (columnBytes[3 * c + dot / 8] & (0x80 >> (dot % 8))) {
                    band[c / 8] |= static_cast<uint8_t>(0x80 >> (c % 8));
                }
            }
            uint8_t* out = At(row + static_cast<uint32_t>(dot));
            if (shift == 0) {
                std::copy_n(band.begin(), produced, out + skip);
                continue;
            }
            std::fill_n(out, std::min(skip, kStride), 0);
            uint8_t carry = 0;
            for (size_t m = 0; m < produced; ++m) {
                out[skip + m] = static_cast<uint8_t>(band[m] >> shift | carry);
                carry = static_cast<uint8_t>(band[m] << (8 - shift));
            }
            if (produced > 0 && skip + produced < kStride) out[skip + produced] = carry;
        }
    }

    // The bitmap file of the first `height` rows: bottom-up, a printed dot stored as 0.
    Bytes Bitmap(uint32_t height) {
        const auto header = LogBitmapHeader({kStride, 640}, height);
        Bytes file(header.begin(), header.end());
        At(height);  // rows never drawn on are blank
        for (uint32_t r = height; r-- > 0;) {
            for (size_t i = 0; i < kStride; ++i) {
                file.push_back(static_cast<uint8_t>(~rows_[r * kStride + i]));
            }
        }
        return file;
    }

private:
    uint8_t* At(uint32_t row) {
        if (rows_.size() < (size_t{row} + 1) * kStride) rows_.resize((size_t{row} + 1) * kStride);
        return rows_.data() + size_t{row} * kStride;
    }
    Bytes rows_;
};

// A parameter byte that the scan, which walks through some parameters byte by byte, cannot
// take for a command of its own.
bool Inert(unsigned value) { return value != 0x15 && value != 0x16 && value != 0x1B; }

uint8_t Parameter(std::mt19937& random, unsigned low, unsigned high) {
    for (;;) {
        const auto value = static_cast<uint8_t>(low + random() % (high - low + 1));
        if (Inert(value)) return value;
    }
}

// Receipts of raster lines (feeds of one to three rows) and of bands at any position and
// width (cut at the row's end, overlapping where the spacing is shorter than a band), many
// times taller than the renderer keeps in memory at once, with the picture they make.
struct RandomLog {
    Bytes file;
    Bytes bitmap;
    uint32_t height = 0;
};

RandomLog MakeRandomLog(unsigned seed) {
    std::mt19937 random(seed);
    zr640::testing::PrintFileBuilder file;
    ReferencePicture picture;
    uint32_t row = 0;
    for (int segment = 0; segment < 40; ++segment) {
        if (random() % 2 == 0) {
            const int lines = 2 + static_cast<int>(random() % 400);
            for (int i = 0; i < lines; ++i) {
                Bytes data(Parameter(random, 1, 80));
                for (auto& b : data) b = static_cast<uint8_t>(0x20 + random() % 0x60);
                file.Line(data);
                if (i + 1 == lines) break;  // the last line is not drawn
                if (i > 0) row += file.bytes()[file.bytes().size() - data.size() - 3];
                picture.Line(row, data);
                file.Feed(static_cast<uint8_t>(1 + random() % 3));
            }
        } else {
            const int bands = 1 + static_cast<int>(random() % 60);
            for (int b = 0; b < bands; ++b) {
                uint16_t x = 0;
                do {
                    x = static_cast<uint16_t>(random() % 720);
                } while (!Inert(x & 0xFFu) || !Inert(x >> 8u));
                const Bytes data = RandomBytes(3 * (1 + random() % 700), random);
                file.Position(x).Band(data);
                picture.Band(row, x, data);
                const uint8_t spacing = Parameter(random, 1, 40);
                file.Spacing(spacing);
                row += spacing;
            }
        }
        file.Spacing(Parameter(random, 1, 255));
        row += file.bytes()[file.bytes().size() - 2];
        if (random() % 3 == 0) {
            file.PageEnd();
            row += 24;
        }
    }
    file.PageEnd();
    row += 24;
    return {file.bytes(), picture.Bitmap(row), row};
}

// The renderer, with its window of rows, its band decoder and its bitmap writer, draws what
// the rules draw when the whole picture is kept.
TEST(FastRendering, RandomLogsMatchThePictureDrawnWhole) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        const RandomLog log = MakeRandomLog(seed);
        BitmapBytes sink;
        const auto picture = RenderPrintFile(log.file, {80, 640}, sink);
        ASSERT_TRUE(picture.ok()) << picture.error();
        EXPECT_EQ(picture->height, log.height) << "seed " << seed;
        ASSERT_EQ(sink.bytes(), log.bitmap) << "seed " << seed;
    }
}

}  // namespace
}  // namespace zr640
