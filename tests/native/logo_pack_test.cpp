#include <gtest/gtest.h>

#include "core/common/bytes.h"
#include "core/imaging/logo_pack.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using test::Bitmap1;
using test::Bitmap8;

const std::vector<PaletteEntry> kBlackFirst{{0, 0, 0}, {255, 255, 255}};
const std::vector<PaletteEntry> kWhiteFirst{{255, 255, 255}, {0, 0, 0}};

MonoLogo Mono(const std::vector<uint8_t>& file) {
    auto logo = PackMonoLogo(file);
    EXPECT_TRUE(logo.ok()) << logo.error();
    return logo.ok() ? *logo : MonoLogo{};
}

GrayLogo Gray(const std::vector<uint8_t>& file) {
    auto logo = PackGrayLogo(file);
    EXPECT_TRUE(logo.ok()) << logo.error();
    return logo.ok() ? *logo : GrayLogo{};
}

TEST(PackMonoLogo, Width100IsPaddedTo128DotsAndHeight50To56) {
    // All black: every pixel a dot.
    const MonoLogo logo = Mono(Bitmap1(
        100, 50, [](int, int) { return false; }, kBlackFirst));
    EXPECT_EQ(logo.bytesAcross, 16);
    EXPECT_EQ(logo.bands, 7);
    ASSERT_EQ(logo.data.size(), 896u);
    for (size_t column = 0; column < 128; ++column) {
        const uint8_t* bands = &logo.data[column * 7];
        if (column >= 100) {
            for (size_t j = 0; j < 7; ++j) EXPECT_EQ(bands[j], 0) << "column " << column;
            continue;
        }
        EXPECT_EQ(bands[0], 0x03) << "six blank lines above the picture";
        for (size_t j = 1; j < 7; ++j) EXPECT_EQ(bands[j], 0xFF);
    }
}

TEST(PackMonoLogo, ColumnsFromTheLeftBandsFromTheTop) {
    // 16 x 8: a dot at the top left and one at the bottom of column 9.
    auto dot = [](int x, int y) { return (x == 0 && y == 7) || (x == 9 && y == 0); };
    const MonoLogo logo = Mono(Bitmap1(
        16, 8, [&](int x, int y) { return !dot(x, y); }, kBlackFirst));
    ASSERT_EQ(logo.data.size(), 4u * 8u);  // 32 columns (a 4-byte row), one band
    for (size_t column = 0; column < 32; ++column) {
        const uint8_t expected = column == 0 ? 0x80 : column == 9 ? 0x01 : 0x00;
        EXPECT_EQ(logo.data[column], expected) << column;
    }
}

TEST(PackMonoLogo, EitherPaletteOrderGivesTheSameDots) {
    auto black = [](int x, int y) { return (x * 3 + y * 5) % 7 < 3; };
    const auto blackFirst = Bitmap1(
        21, 13, [&](int x, int y) { return !black(x, y); }, kBlackFirst);
    const auto whiteFirst = Bitmap1(21, 13, black, kWhiteFirst);
    EXPECT_EQ(Mono(blackFirst).data, Mono(whiteFirst).data);
    EXPECT_EQ(Mono(test::TopDown(whiteFirst)).data, Mono(whiteFirst).data);
}

TEST(PackMonoLogo, PaddingBitsNeverPrint) {
    // A white-first file whose padding bits are all set: the picture is blank, and so must
    // the logo be.
    auto file = Bitmap1(
        13, 3, [](int, int) { return false; }, kWhiteFirst);
    for (size_t y = 0; y < 3; ++y) {
        file[62 + 4 * y + 1] = 0x07;
        file[62 + 4 * y + 2] = 0xFF;
        file[62 + 4 * y + 3] = 0xFF;
    }
    for (uint8_t byte : Mono(file).data) ASSERT_EQ(byte, 0);
}

TEST(PackMonoLogo, RefusesWhatIsNotABlackAndWhiteOneBitBitmap) {
    EXPECT_FALSE(PackMonoLogo(Bitmap8(8, 8, [](int, int) { return 0; })).ok());
    for (const auto& palette : {std::vector<PaletteEntry>{{0, 0, 0}, {0, 0, 0}},
                                std::vector<PaletteEntry>{{255, 255, 255}, {255, 255, 255}},
                                std::vector<PaletteEntry>{{0, 0, 0}, {255, 255, 254}},
                                std::vector<PaletteEntry>{{0, 0, 1}, {255, 255, 255}}}) {
        EXPECT_FALSE(PackMonoLogo(Bitmap1(
                                      8, 8, [](int, int) { return true; }, palette))
                         .ok());
    }
    // The fourth palette byte is not a colour and is not compared.
    auto reserved = Bitmap1(
        8, 8, [](int, int) { return true; }, kBlackFirst);
    reserved[57] = reserved[61] = 0x55;
    EXPECT_TRUE(PackMonoLogo(reserved).ok());
    EXPECT_FALSE(PackMonoLogo(Bitmap1(1025, 1, [](int, int) { return true; })).ok());
}

TEST(PackGrayLogo, Height3GivesTwelveLinesAndFourBlankOnes) {
    const GrayLogo logo = Gray(Bitmap8(8, 3, [](int, int) { return 0; }));  // black: level 15
    EXPECT_EQ(logo.bytesPerLine, 1);
    EXPECT_EQ(logo.bands, 2);
    ASSERT_EQ(logo.data.size(), 16u);
    for (size_t line = 0; line < 16; ++line) EXPECT_EQ(logo.data[line], line < 12 ? 0xFF : 0x00);
}

TEST(PackGrayLogo, Width12EndsEachLineWithAHalfByte) {
    const GrayLogo logo = Gray(Bitmap8(12, 2, [](int, int) { return 0; }));
    EXPECT_EQ(logo.bytesPerLine, 2);
    EXPECT_EQ(logo.bands, 1);
    ASSERT_EQ(logo.data.size(), 16u);
    for (size_t line = 0; line < 8; ++line) {
        EXPECT_EQ(logo.data[2 * line], 0xFF);
        EXPECT_EQ(logo.data[2 * line + 1], 0xF0);
    }
}

TEST(PackGrayLogo, FourPlaneLinesPerRowFromTheTop) {
    // Top row: levels 0x00, 0x5A, 0xFF, 0x9F then padding; bottom row all white.
    const uint8_t top[] = {0x00, 0x5A, 0xFF, 0x9F};
    const GrayLogo logo = Gray(Bitmap8(4, 2, [&](int x, int y) { return y == 1 ? top[x] : 255; }));
    ASSERT_EQ(logo.bytesPerLine, 1);
    ASSERT_EQ(logo.data.size(), 8u);
    // Plane 7: bits 7 of 00 5A FF 9F are 0 0 1 1, dots 1 1 0 0; plane 6: 0 1 1 0, dots
    // 1 0 0 1; plane 5: 0 0 1 0; plane 4: 0 1 1 1. Pixels 4 to 7 are padding: white, no dots.
    EXPECT_EQ(logo.data[0], 0xC0);
    EXPECT_EQ(logo.data[1], 0x90);
    EXPECT_EQ(logo.data[2], 0xD0);
    EXPECT_EQ(logo.data[3], 0x80);
    for (size_t line = 4; line < 8; ++line) EXPECT_EQ(logo.data[line], 0);
    EXPECT_EQ(
        Gray(test::TopDown(Bitmap8(4, 2, [&](int x, int y) { return y == 1 ? top[x] : 255; })))
            .data,
        logo.data);
}

TEST(PackGrayLogo, RefusesWhatIsNotAnEightBitBitmap) {
    EXPECT_FALSE(PackGrayLogo(Bitmap1(8, 8, [](int, int) { return true; })).ok());
    auto gray = Bitmap8(8, 8, [](int, int) { return 0; });
    EXPECT_TRUE(PackGrayLogo(gray).ok());
    gray.pop_back();
    EXPECT_FALSE(PackGrayLogo(gray).ok());
}

}  // namespace
}  // namespace zr640
