#include <gtest/gtest.h>

#include <limits>

#include "core/common/bytes.h"
#include "core/imaging/bmp.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using test::Bitmap1;
using test::Bitmap24;
using test::Bitmap8;

std::vector<uint8_t> Small24() {
    return Bitmap24(5, 3, [](int x, int y) {
        return test::Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7};
    });
}

void Put32(std::vector<uint8_t>& file, size_t offset, uint32_t value) {
    StoreU32(file.data() + offset, value);
}

bool Refused(const std::vector<uint8_t>& file, const BitmapLimits& limits = kGeneralLimits) {
    return !ParseBitmap(file, limits).ok();
}

TEST(BitmapWriter, HeadersOfEachDepth) {
    const auto gray = NewBitmapFile(12, 3, 8, std::vector<PaletteEntry>(256));
    EXPECT_EQ(gray.size(), 1078u + 36u);
    EXPECT_EQ(LoadU32(&gray[2]), 1078u + 36u);
    EXPECT_EQ(LoadU32(&gray[10]), 1078u);
    EXPECT_EQ(LoadU32(&gray[14]), 40u);
    EXPECT_EQ(LoadU32(&gray[34]), 36u);

    const auto mono = NewBitmapFile(100, 50, 1, std::vector<PaletteEntry>(2));
    EXPECT_EQ(mono.size(), 62u + 50u * 16u);
    EXPECT_EQ(LoadU32(&mono[10]), 62u);
    EXPECT_EQ(mono[28], 1);

    const auto colour = NewBitmapFile(5, 3, 24, {});
    EXPECT_EQ(colour.size(), 54u + 3u * 16u);  // 15 bytes a row padded to 16
}

TEST(BitmapReader, ReadsRowsBottomUpAndTopDownAlike) {
    const auto file = Small24();
    for (const auto& variant : {file, test::TopDown(file)}) {
        const auto view = ParseBitmap(variant, kGeneralLimits);
        ASSERT_TRUE(view.ok()) << view.error();
        EXPECT_EQ(view->width(), 5);
        EXPECT_EQ(view->height(), 3);
        EXPECT_EQ(view->rowSize(), 16u);
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(view->row(y)[3 * 4 + 0], 7);  // blue of pixel 4
            EXPECT_EQ(view->row(y)[3 * 4 + 1], y);  // green: its row from the bottom
            EXPECT_EQ(view->row(y)[3 * 4 + 2], 4);
        }
    }
    EXPECT_TRUE(ParseBitmap(test::TopDown(file), kGeneralLimits)->topDown());
}

TEST(BitmapReader, PixelsAtTheStoredOffsetAndPaletteAfterTheHeader) {
    // An 8-bit file with a 16-entry palette keeps its pixels at 54 + 64, not at 1078.
    auto file = NewBitmapFile(4, 1, 8, std::vector<PaletteEntry>(16));
    file[118] = 200;
    auto view = ParseBitmap(file, kGeneralLimits);
    ASSERT_TRUE(view.ok()) << view.error();
    EXPECT_EQ(view->row(0)[0], 200);

    // A 1-bit file with a 124-byte header: palette at 14 + 124, pixels after it.
    auto mono = Bitmap1(8, 1, [](int, int) { return true; }, {{255, 255, 255}, {0, 0, 0}});
    std::vector<uint8_t> v5(mono.begin(), mono.begin() + 54);
    v5.insert(v5.end(), 84, 0);
    v5.insert(v5.end(), mono.begin() + 54, mono.end());
    Put32(v5, 14, 124);
    Put32(v5, 10, 62 + 84);
    const auto v5View = ParseBitmap(v5, kGeneralLimits);
    ASSERT_TRUE(v5View.ok()) << v5View.error();
    EXPECT_EQ(v5View->palette()[0], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(v5View->row(0)[0], 0xFF);
}

TEST(BitmapReader, ReportsTheStatedLayout) {
    std::vector<PaletteEntry> palette(16);
    palette[15] = {1, 2, 3};
    auto file = NewBitmapFile(4, 1, 8, palette);
    Put32(file, 46, 16);
    const auto view = ParseBitmap(file, kGeneralLimits);
    ASSERT_TRUE(view.ok()) << view.error();
    EXPECT_EQ(view->headerSize(), 40u);
    EXPECT_EQ(view->pixelOffset(), 118u);
    EXPECT_EQ(view->coloursUsed(), 16u);
    ASSERT_EQ(view->colourEntries(), 16u);
    EXPECT_EQ(view->colour(15), (PaletteEntry{1, 2, 3}));
    // Bytes between a header and its pixels that are not whole entries are not entries.
    auto gap = NewBitmapFile(4, 1, 24, {});
    gap.insert(gap.begin() + 54, 3, uint8_t{0});
    Put32(gap, 10, 57);
    EXPECT_EQ(ParseBitmap(gap, kGeneralLimits)->colourEntries(), 0u);
}

TEST(BitmapReader, RefusesMalformedHeaders) {
    const auto good = Small24();
    ASSERT_FALSE(Refused(good));

    auto bad = good;
    bad[0] = 'B', bad[1] = 'A';
    EXPECT_TRUE(Refused(bad)) << "signature";
    for (uint32_t size : {0u, 12u, 39u, 64u, 0xFFFFFFFFu}) {
        bad = good;
        Put32(bad, 14, size);
        EXPECT_TRUE(Refused(bad)) << "header size " << size;
    }
    for (int bits : {0, 2, 4, 16, 32, 48}) {
        bad = good;
        bad[28] = static_cast<uint8_t>(bits);
        EXPECT_TRUE(Refused(bad)) << "depth " << bits;
    }
    for (uint32_t compression : {1u, 2u, 3u, 4u}) {
        bad = good;
        Put32(bad, 30, compression);
        EXPECT_TRUE(Refused(bad)) << "compression " << compression;
    }
    for (uint32_t offset : {0u, 14u, 53u, 0xFFFFFFF0u}) {
        bad = good;
        Put32(bad, 10, offset);
        EXPECT_TRUE(Refused(bad)) << "pixel data offset " << offset;
    }
    // A 1-bit file whose pixel data would overlap the two palette entries it needs.
    auto mono = Bitmap1(8, 1, [](int, int) { return false; });
    Put32(mono, 10, 58);
    EXPECT_TRUE(Refused(mono));
}

TEST(BitmapReader, RefusesEmptyNegativeAndHugeSizes) {
    const auto good = Small24();
    const int32_t sizes[][2] = {
        {0, 3},
        {5, 0},
        {-5, 3},
        {std::numeric_limits<int32_t>::min(), 3},
        {5, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<int32_t>::max(), 1},
        {1, std::numeric_limits<int32_t>::max()},
        {0x40000000, 0x40000000},
        {32769, 1},
        {30000, 30000},  // within each cap, but too many pixels
    };
    for (const auto& [w, h] : sizes) {
        auto bad = good;
        Put32(bad, 18, static_cast<uint32_t>(w));
        Put32(bad, 22, static_cast<uint32_t>(h));
        EXPECT_TRUE(Refused(bad)) << w << " x " << h;
    }
}

TEST(BitmapReader, LogoLimitsAreInclusive) {
    const auto edge = Bitmap1(1024, 768, [](int, int) { return false; });
    EXPECT_FALSE(Refused(edge, kLogoLimits));
    EXPECT_FALSE(Refused(test::TopDown(edge), kLogoLimits));
    EXPECT_TRUE(Refused(Bitmap1(1025, 1, [](int, int) { return false; }), kLogoLimits));
    EXPECT_TRUE(Refused(Bitmap1(1, 769, [](int, int) { return false; }), kLogoLimits));
    EXPECT_TRUE(
        Refused(test::TopDown(Bitmap1(1, 769, [](int, int) { return false; })), kLogoLimits));
}

TEST(BitmapReader, RefusesFilesShorterThanTheirHeadersClaim) {
    for (const auto& file : {Small24(), Bitmap8(7, 5, [](int, int) { return 1; }),
                             Bitmap1(33, 9, [](int, int) { return true; })}) {
        ASSERT_FALSE(Refused(file));
        for (size_t cut : {size_t{1}, size_t{4}}) {
            EXPECT_TRUE(Refused({file.begin(), file.end() - static_cast<long>(cut)}))
                << file.size();
        }
        for (size_t length : {size_t{0}, size_t{2}, size_t{14}, size_t{33}, size_t{53}}) {
            EXPECT_TRUE(Refused({file.begin(), file.begin() + static_cast<long>(length)}));
        }
        auto longer = file;
        longer.push_back(0);  // trailing bytes are not the picture's business
        EXPECT_FALSE(Refused(longer));
    }
}

}  // namespace
}  // namespace zr640
