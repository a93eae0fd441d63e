#include <gtest/gtest.h>

#include "core/common/bytes.h"
#include "core/imaging/gray.h"
#include "core/imaging/transfer.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using test::View;

std::vector<uint8_t> Gray(const std::vector<uint8_t>& picture, int c = 0, int v = 0) {
    auto gray = ConvertToGrayBitmap(View(picture), c, v);
    EXPECT_TRUE(gray.ok()) << gray.error();
    return gray.ok() ? *gray : std::vector<uint8_t>{};
}

uint8_t Level(const std::vector<uint8_t>& gray, int x, int y) {
    const size_t rowSize =
        static_cast<size_t>(BitmapRowSize(uint64_t(test::HeaderI32(gray, 18)), 8));
    return gray[1078 + static_cast<size_t>(y) * rowSize + static_cast<size_t>(x)];
}

TEST(ConvertToGray, WritesTheGrayFileLayout) {
    const auto gray = Gray(test::Bitmap8(5, 3, [](int x, int y) { return 10 * x + y; }));
    ASSERT_EQ(gray.size(), 1078u + 3 * 8);
    EXPECT_EQ(LoadU32(&gray[2]), 1078u + 24);
    EXPECT_EQ(LoadU32(&gray[10]), 1078u);
    EXPECT_EQ(gray[28], 8);
    EXPECT_EQ(LoadU32(&gray[34]), 24u);
    for (uint32_t i = 0; i < 256; ++i) EXPECT_EQ(LoadU32(&gray[54 + 4 * i]), i * 0x010101u);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(Level(gray, x, y), 10 * x + y);  // neutral: unchanged
        for (int x = 5; x < 8; ++x) EXPECT_EQ(Level(gray, x, y), 0);           // padding
    }
}

TEST(ConvertToGray, ColourPixelsAreTransferredTwice) {
    const auto picture = test::Bitmap24(2, 1, [](int x, int) {
        return x == 0 ? test::Rgb{200, 100, 50} : test::Rgb{0, 0, 0};
    });
    // Channels + 40: 240, 140, 90; luma (587*140 + 299*240 + 114*90) / 1000 = 164; + 40.
    const auto gray = Gray(picture, 0, 40);
    EXPECT_EQ(Level(gray, 0, 0), 204);
    EXPECT_EQ(Level(gray, 1, 0), 80);
    const auto contrasted = Gray(picture, -100, 0);  // every level lands in 100..155
    EXPECT_EQ(Level(contrasted, 1, 0), Transfer(Transfer(0, -100, 0), -100, 0));
}

TEST(ConvertToGray, OneBitPixelsAreBlackOrWhiteWhateverThePalette) {
    for (const auto& palette : {std::vector<PaletteEntry>{{0, 0, 0}, {255, 255, 255}},
                                std::vector<PaletteEntry>{{255, 255, 255}, {0, 0, 0}}}) {
        const auto bits = test::Bitmap1(
            9, 2, [](int x, int) { return x % 2 == 0; }, palette);
        const auto gray = Gray(bits, 0, -50);
        for (int x = 0; x < 9; ++x) EXPECT_EQ(Level(gray, x, 1), x % 2 == 0 ? 205 : 0);
    }
}

TEST(ConvertToGray, TopDownPicturesConvertAsTheirBottomUpTwins) {
    const auto colour = test::Bitmap24(7, 6, [](int x, int y) {
        return test::Rgb{static_cast<uint8_t>(30 * x), static_cast<uint8_t>(40 * y), 9};
    });
    const auto bits = test::Bitmap1(7, 6, [](int x, int y) { return (x + y) % 3 == 0; });
    for (const auto& picture : {colour, bits}) {
        EXPECT_EQ(Gray(test::TopDown(picture), 30, 5), Gray(picture, 30, 5));
    }
}

}  // namespace
}  // namespace zr640
