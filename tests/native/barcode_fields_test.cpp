// The 1D page's symbol height and the number fields of both code pages.
#include <gtest/gtest.h>

#include "core/barcode/field_clamps.h"
#include "core/barcode/symbol_height.h"
#include "core/settings/private_devmode.h"

namespace zr640 {
namespace {

Barcode1DSettings Default1D() {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    return record.barcode1D[0];
}

TEST(SymbolHeight, RoundsToHalfPoints) {
    EXPECT_EQ(SymbolHeight(163, 0, 0), 162u);  // 65.2 points -> 65.0 -> 162.5 dots
    EXPECT_EQ(SymbolHeight(100, 3, 1), 133u);  // 134 dots, 53.6 points -> 53.5 -> 133.75
    EXPECT_EQ(SymbolHeight(163, 1, 0), 187u);  // 187 dots, 74.8 points -> 75.0 -> 187.5
    EXPECT_EQ(SymbolHeight(100, 2, 1), 117u);  // 117 dots, 46.8 points -> 47.0 -> 117.5
    EXPECT_EQ(SymbolHeight(200, 3, 0), 247u);  // 248 dots, 99.2 -> 99.0 -> 247.5
    EXPECT_EQ(SymbolHeight(255, 7, 0), 255u) << "a position outside the list adds nothing";
}

TEST(SymbolHeight, ThresholdsAreExactTenths) {
    // 4 x dots tenths of a point: fractions .0 .4 .8 .2 .6 for dots 0..4 modulo 5.
    EXPECT_EQ(RoundedHalfPoints(5), 4u);  // 2.0
    EXPECT_EQ(RoundedHalfPoints(6), 5u);  // 2.4 -> 2.5: .4 already rounds up
    EXPECT_EQ(RoundedHalfPoints(7), 6u);  // 2.8 -> 3.0
    EXPECT_EQ(RoundedHalfPoints(8), 6u);  // 3.2 -> 3.0
    EXPECT_EQ(RoundedHalfPoints(9), 7u);  // 3.6 -> 3.5: .6 stays below .7
    EXPECT_EQ(QuantiseSymbolHeight(0), 2u);
    EXPECT_EQ(QuantiseSymbolHeight(1), 1u);
    EXPECT_EQ(QuantiseSymbolHeight(uint64_t{0xFFFFFFFF} + 48), 0xFFFFFFFFu);
}

TEST(SymbolHeight, DisplayTexts) {
    EXPECT_EQ(SymbolHeightMillimetres(163), " 23.0");
    EXPECT_EQ(SymbolHeightPoints(163), " 65.0");
    EXPECT_EQ(SymbolHeightMillimetres(187), " 26.4");
    EXPECT_EQ(SymbolHeightPoints(187), " 75.0");
    EXPECT_EQ(SymbolHeightMillimetres(162), " 22.9");
    EXPECT_EQ(SymbolHeightPoints(133), " 53.0");
    EXPECT_EQ(SymbolHeightPoints(134), " 53.5");
    EXPECT_EQ(SymbolHeightMillimetres(2), "  0.3");
    EXPECT_EQ(SymbolHeightPoints(1000), "400.0");
}

TEST(FieldClamps, OneDimensionalFields) {
    Barcode1DSettings font = Default1D();
    EXPECT_EQ(StoreField(font, Field1D::kElementWidth, 9), 6);
    EXPECT_EQ(font.bElementWidth, 6);
    EXPECT_EQ(font.dwElementWidthX8, 48u);
    EXPECT_EQ(StoreField(font, Field1D::kElementWidth, 0), 2);
    EXPECT_EQ(StoreField(font, Field1D::kElementWidth, 1), 2);
    EXPECT_EQ(font.dwElementWidthX8, 16u);
    EXPECT_EQ(StoreField(font, Field1D::kElementWidth, -1), 6) << "negative counts as above";

    EXPECT_EQ(StoreField(font, Field1D::kElementHeight, 0), 1);
    EXPECT_EQ(StoreField(font, Field1D::kElementHeight, 999), 255);
    EXPECT_EQ(font.dwElementHeight, 255u);
    EXPECT_EQ(font.dwSymbolHeight, 255u);
    EXPECT_EQ(StoreField(font, Field1D::kElementHeight, 163), 163);
    EXPECT_EQ(font.dwSymbolHeight, 162u);

    EXPECT_EQ(StoreField(font, Field1D::kGs1RowHeight, 1), 2);
    EXPECT_EQ(font.dwGs1RowHeight, 2u);
    EXPECT_EQ(StoreField(font, Field1D::kGs1RowHeight, 251), 250);
    EXPECT_EQ(StoreField(font, Field1D::kGs1ElementWidth, 0), 1);
    EXPECT_EQ(StoreField(font, Field1D::kGs1RowHeight2D, 11), 10);
    EXPECT_EQ(font.dwGs1RowHeight2D, 10u);
    EXPECT_EQ(StoreField(font, Field1D::kGs1SeparatorHeight, 0), 1);
    EXPECT_EQ(font.bGs1SeparatorHeight, 1);
}

TEST(FieldClamps, HriChoicesRecomputeTheSymbolHeight) {
    Barcode1DSettings font = Default1D();
    StoreField(font, Field1D::kElementHeight, 100);
    StoreHriPosition(font, 3);
    EXPECT_EQ(font.dwSymbolHeight, 147u);  // 148 dots, 59.2 points -> 59.0
    StoreHriFont(font, 1);
    EXPECT_EQ(font.dwSymbolHeight, 133u);
    StoreHriPosition(font, 0);
    EXPECT_EQ(font.dwSymbolHeight, 100u);
}

TEST(FieldClamps, TwoDimensionalFields) {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    Barcode2DSettings& font = record.barcode2D[1];
    const struct {
        Field2D field;
        int64_t typed;
        int32_t stored;
    } cases[] = {
        {Field2D::kPdfElementWidth, 0, 1},
        {Field2D::kPdfElementWidth, 8, 7},
        {Field2D::kPdfElementHeight, 1, 2},
        {Field2D::kPdfElementHeight, 26, 25},
        {Field2D::kPdfColumns, 31, 30},
        {Field2D::kPdfRows, 2, 3},
        {Field2D::kPdfRows, 91, 90},
        {Field2D::kGs1ElementWidth, 7, 6},
        {Field2D::kGs1RowHeight, 1, 2},
        {Field2D::kGs1RowHeight2D, 0, 1},
        {Field2D::kGs1SeparatorHeight, 11, 10},
        {Field2D::kGs1Segments, 1, 2},
        {Field2D::kGs1Segments, 21, 20},
        {Field2D::kQrElementWidth, 25, 24},
        {Field2D::kQrElementWidth, -4, 24},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoreField(font, c.field, c.typed), c.stored)
            << static_cast<int>(c.field) << " " << c.typed;
    }
    EXPECT_EQ(font.bPdfRows, 90);
    EXPECT_EQ(font.bQrElementWidth, 24);
    EXPECT_EQ(record.barcode2D[0].bQrElementWidth, 3) << "the other font keeps its settings";

    StoreField(font, Field2D::kGs1Segments, 1);
    EXPECT_EQ(font.bGs1Segments, 2) << "typing 1 stores 2";
    EXPECT_EQ(SegmentRange(true).lowest, 4);
    EXPECT_EQ(SegmentRange(false).lowest, 2);
}

// The edits show what is stored: every field reads back the value the edit stored, from the
// field it was stored into, and a corrupt 32-bit height shows as the largest int rather than
// as a negative number.
TEST(FieldClamps, StoredFieldsReadBackWhatTheEditsStored) {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    Barcode1DSettings& font1D = record.barcode1D[3];
    for (const Field1D field :
         {Field1D::kElementWidth, Field1D::kElementHeight, Field1D::kGs1ElementWidth,
          Field1D::kGs1RowHeight, Field1D::kGs1RowHeight2D, Field1D::kGs1SeparatorHeight}) {
        const ui::NumberRange range = RangeOf(field);
        for (const int32_t value : {range.lowest, range.highest}) {
            StoreField(font1D, field, value);
            EXPECT_EQ(StoredField(font1D, field), value) << static_cast<int>(field);
        }
    }
    Barcode2DSettings& font2D = record.barcode2D[0];
    for (int i = 0; i <= static_cast<int>(Field2D::kQrElementWidth); ++i) {
        const auto field = static_cast<Field2D>(i);
        const ui::NumberRange range = RangeOf(field);
        for (const int32_t value : {range.lowest, range.highest}) {
            StoreField(font2D, field, value);
            EXPECT_EQ(StoredField(font2D, field), value) << i;
        }
    }
    font1D.dwElementHeight = 0xFFFFFFFFu;
    EXPECT_EQ(StoredField(font1D, Field1D::kElementHeight), 2147483647);
    font1D.bElementWidth = 0;
    EXPECT_EQ(StoredField(font1D, Field1D::kElementWidth), 0) << "shown as stored, not clamped";
}

}  // namespace
}  // namespace zr640
