// The bytes of the code pages' test prints, block by block.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/barcode/test_print.h"
#include "core/settings/private_devmode.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) { return {text.begin(), text.end()}; }

const Bytes kTail{0x0A, 0x1D, 0x56, 0x42, 0x00};

PrivateDevMode Defaults() {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    return record;
}

Barcode1DSettings Font1D(uint8_t type) {
    Barcode1DSettings font = Defaults().barcode1D[0];
    font.bType = type;
    return font;
}

Barcode2DSettings Font2D(uint8_t type) {
    Barcode2DSettings font = Defaults().barcode2D[0];
    font.bType = type;
    return font;
}

TEST(Barcode1DTestPrint, GeneralTypesSendSettingsDataAndCut) {
    Barcode1DSettings font = Font1D(2);  // EAN8: printer code 3
    font.bHriPosition = 2;
    font.bHriFont = 1;
    const auto job = Barcode1DTestPrint(font, B("1234567"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->documentName, u"Barcode");
    const std::vector<Bytes> expected{
        {0x1D, 0x66, 1, 0x1D, 0x48, 2, 0x1D, 0x77, 3, 0x1D, 0x68, 163, 0x1D, 0x6B, 3},
        B("1234567"),
        {0x00},
        kTail};
    EXPECT_EQ(job->blocks, expected);

    EXPECT_EQ(Barcode1DTestPrint(Font1D(3), B("1234567890123"))->blocks[0][14], 2) << "EAN13";
    font.bHriPosition = 7;  // outside the list: no HRI
    font.bHriFont = 9;      // any font but 0 is Font B
    font.dwElementHeight = 0x1FF;
    const Bytes head = Barcode1DTestPrint(font, B("1234567"))->blocks[0];
    EXPECT_EQ(head[2], 1);
    EXPECT_EQ(head[5], 0);
    EXPECT_EQ(head[11], 0xFF) << "the low byte of the height";
}

TEST(Barcode1DTestPrint, Code93AndCode128EndThePlainFormAndCountTheData) {
    const auto code93 = Barcode1DTestPrint(Font1D(7), B("123ABC"));
    ASSERT_TRUE(code93);
    ASSERT_EQ(code93->blocks.size(), 7u);
    EXPECT_EQ(code93->blocks[0], (Bytes{0x1D, 0x66, 0, 0x1D, 0x48, 0, 0x1D, 0x77, 3, 0x1D, 0x68,
                                        163, 0x1D, 0x6B, 72}));
    EXPECT_EQ(code93->blocks[1], Bytes{0x00});
    EXPECT_EQ(code93->blocks[2], (Bytes{0x1D, 0x77, 3, 0x1D, 0x68, 163, 0x1D, 0x6B, 72}));
    EXPECT_EQ(code93->blocks[3], Bytes{6});

    const auto code128 = Barcode1DTestPrint(Font1D(8), B("{C1234"));
    ASSERT_TRUE(code128);
    const Bytes bytes = code128->Bytes();
    const Bytes end{0x1D, 0x6B, 0x49, 0x04, 0x7B, 0x43, 0x0C,
                    0x22, 0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00};
    ASSERT_GE(bytes.size(), end.size());
    EXPECT_TRUE(std::equal(end.begin(), end.end(), bytes.end() - static_cast<long>(end.size())));
    EXPECT_EQ(Bytes(bytes.begin() + 13, bytes.begin() + 16), (Bytes{0x6B, 0x49, 0x00}));
}

TEST(Barcode1DTestPrint, Gs1KindsPrintWithoutTheGeneralHri) {
    Barcode1DSettings font = Font1D(12);  // Expanded: kind 6
    font.bHriPosition = 3;
    font.bHriFont = 1;
    font.bGs1ElementWidth = 4;
    font.dwGs1RowHeight = 250;
    font.dwGs1RowHeight2D = 7;
    font.bGs1SeparatorHeight = 9;
    font.bGs1Hri = 3;
    font.bGs1Ai = 0;
    const auto job = Barcode1DTestPrint(font, B("0123abc"));
    ASSERT_TRUE(job);
    const std::vector<Bytes> expected{
        {0x1D, 0x66, 0, 0x1D, 0x48, 0, 0x1D, 0x73, 6, 4, 250, 7, 9, 2, 3, 0, 0x1D, 0x6B, 0x0D},
        B("0123abc"),
        {0x00},
        kTail};
    EXPECT_EQ(job->blocks, expected);
    const uint8_t kinds[] = {1, 2, 5};
    for (uint8_t type = 9; type <= 11; ++type) {
        EXPECT_EQ(Barcode1DTestPrint(Font1D(type), B("1"))->blocks[0][8], kinds[type - 9]);
    }
}

TEST(Barcode1DTestPrint, RefusedDataOrUnknownTypeSendsNothing) {
    EXPECT_FALSE(Barcode1DTestPrint(Font1D(0), B("1234567890")));
    EXPECT_FALSE(Barcode1DTestPrint(Font1D(8), B("{C123")));
    EXPECT_FALSE(Barcode1DTestPrint(Font1D(13), B("1")));
    EXPECT_FALSE(Barcode1DTestPrint(Font1D(255), B("1")));
    EXPECT_TRUE(TestDataFits(499)) << "499 bytes and the terminator fill the buffer";
    EXPECT_FALSE(TestDataFits(500));
}

TEST(Barcode2DTestPrint, Pdf417AndMaxiCode) {
    Barcode2DSettings font = Font2D(0);
    font.bPdfRows = 90;
    font.bPdfColumns = 30;
    font.bPdfElementWidth = 7;
    font.bPdfElementHeight = 25;
    font.bPdfErrorLevel = 8;
    const auto job = Barcode2DTestPrint(font, B("\xff\x01"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->documentName, u"2Dcode");
    const std::vector<Bytes> expected{
        {0x1D, 0x70, 1, 1, 90, 30, 7, 25, 0x1D, 0x71, 8, 0x1D, 0x6B, 0x0A},
        B("\xff\x01"),
        {0x00},
        kTail};
    EXPECT_EQ(job->blocks, expected);

    const auto maxi = Barcode2DTestPrint(Font2D(5), B(std::string(84, '#')));
    ASSERT_TRUE(maxi);
    EXPECT_EQ(maxi->blocks[0], (Bytes{0x1D, 0x71, 0x00, 0x1D, 0x6B, 0x0C}));
    EXPECT_FALSE(Barcode2DTestPrint(Font2D(5), B(std::string(85, '1'))));
}

TEST(Barcode2DTestPrint, QrErrorLetters) {
    Barcode2DSettings font = Font2D(4);
    font.bQrElementWidth = 24;
    font.bQrLanguage = 1;
    font.bQrModel = 2;
    const char letters[] = {'L', 'M', 'H', 'Q'};
    for (uint8_t level = 0; level < 4; ++level) {
        font.bQrErrorLevel = level;
        const auto job = Barcode2DTestPrint(font, B("x"));
        ASSERT_TRUE(job);
        EXPECT_EQ(job->blocks[0], (Bytes{0x1D, 0x6F, 0, 24, 1, 2, 0x1D, 0x6B, 0x0B,
                                         static_cast<uint8_t>(letters[level]), 'A', ','}));
    }
    font.bQrErrorLevel = 200;
    EXPECT_EQ(Barcode2DTestPrint(font, B("x"))->blocks[0][9], 'M') << "outside the list";
}

TEST(Barcode2DTestPrint, Gs1StackedSendsTheSegmentNumber) {
    Barcode2DSettings font = Font2D(3);  // Expanded Stacked: kind 7
    font.bGs1Segments = 20;
    font.dwGs1RowHeight = 0x102;
    const auto job = Barcode2DTestPrint(font, B("0123abc"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->blocks[0], (Bytes{0x1D, 0x66, 0, 0x1D, 0x48, 0, 0x1D, 0x73, 7, 2, 0x02, 2, 2, 20,
                                     1, 1, 0x1D, 0x6B, 0x0D}));
    EXPECT_EQ(Barcode2DTestPrint(Font2D(1), B("1"))->blocks[0][8], 3);
    EXPECT_EQ(Barcode2DTestPrint(Font2D(2), B("1"))->blocks[0][8], 4);
    EXPECT_FALSE(Barcode2DTestPrint(Font2D(1), B("01#")));
    EXPECT_FALSE(Barcode2DTestPrint(Font2D(6), B("1")));
}

}  // namespace
}  // namespace zr640
