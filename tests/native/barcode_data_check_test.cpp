// The barcode data check: each symbology's lengths and bytes, and the Code128 packing.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/barcode/barcode_types.h"
#include "core/barcode/data_check.h"
#include "core/barcode/test_print.h"
#include "core/common/text.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) { return {text.begin(), text.end()}; }

bool Passes(int ruleCode, std::string_view data) {
    return CheckBarcodeData(ruleCode, B(data)).has_value();
}

bool Passes1D(uint8_t bType, std::string_view data) {
    return CheckBarcode1DData(bType, B(data)).has_value();
}

bool Passes2D(uint8_t bType, std::string_view data) {
    return CheckBarcode2DData(bType, B(data)).has_value();
}

TEST(BarcodeRules, ListsUseRangeAndEndMarkers) {
    ASSERT_EQ(BarcodeRules().size(), 19u);
    for (const BarcodeRule& rule : BarcodeRules()) {
        size_t i = 0;
        while (rule.allowed[i] != kEndMarker) ++i;  // every list ends
        EXPECT_LE(rule.minLength, rule.maxLength);
    }
    // The GS1 set, byte by byte.
    const BarcodeRule gs1{1, 40, kGs1Set, true};
    std::string allowed;
    for (int byte = 0; byte < 256; ++byte) {
        if (RuleAllowsByte(gs1, static_cast<uint8_t>(byte))) allowed += static_cast<char>(byte);
    }
    EXPECT_EQ(
        allowed,
        " !\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz{|");
}

TEST(BarcodeRules, RuleCodesOfCode93AndCode128MapBelowTheTable) {
    EXPECT_EQ(BarcodeRuleIndex(72), 7);
    EXPECT_EQ(BarcodeRuleIndex(73), 8);
    EXPECT_EQ(BarcodeRuleIndex(18), 18);
    for (const int outside : {-1, 19, 71, 84, 255}) {
        EXPECT_EQ(BarcodeRuleIndex(outside), -1) << outside;
        EXPECT_FALSE(Passes(outside, "123")) << outside;
    }
}

TEST(BarcodeDataCheck, UpcEanLengthsAndFirstDigit) {
    EXPECT_TRUE(Passes1D(0, "12345678901"));
    EXPECT_TRUE(Passes1D(0, "123456789012"));
    EXPECT_FALSE(Passes1D(0, "1234567890"));
    EXPECT_FALSE(Passes1D(0, "123456789012A"));
    EXPECT_FALSE(Passes1D(0, "12345678901A"));

    EXPECT_FALSE(Passes1D(1, "123456789012"));  // UPC-E starts with 0
    EXPECT_TRUE(Passes1D(1, "023456789012"));

    EXPECT_TRUE(Passes1D(2, "1234567"));  // EAN8 is rule 3
    EXPECT_TRUE(Passes1D(2, "12345678"));
    EXPECT_FALSE(Passes1D(2, "123456789012"));
    EXPECT_TRUE(Passes1D(3, "123456789012"));  // EAN13 is rule 2
    EXPECT_TRUE(Passes1D(3, "1234567890123"));
    EXPECT_FALSE(Passes1D(3, "12345678"));
}

TEST(BarcodeDataCheck, Code39ItfCodabarAndCode93) {
    EXPECT_TRUE(Passes1D(4, "123ABC*"));
    EXPECT_TRUE(Passes1D(4, " $%+-./Z"));
    EXPECT_FALSE(Passes1D(4, "123abc"));
    EXPECT_FALSE(Passes1D(4, "A,B"));
    EXPECT_FALSE(Passes1D(5, "12 3"));
    EXPECT_FALSE(Passes1D(5, std::string(256, '1')));
    EXPECT_TRUE(Passes1D(5, std::string(255, '1')));

    EXPECT_TRUE(Passes1D(6, "A123456789A"));
    EXPECT_FALSE(Passes1D(6, "1234A"));  // start byte
    EXPECT_FALSE(Passes1D(6, "A1234"));  // stop byte
    EXPECT_TRUE(Passes1D(6, "A1234*"));
    EXPECT_TRUE(Passes1D(6, "D$+-.:/T"));
    EXPECT_FALSE(Passes1D(6, "E123A"));  // E stops but does not start

    EXPECT_TRUE(Passes1D(7, "123ABC"));
    EXPECT_TRUE(Passes1D(7, "\x7f\x01"));
    EXPECT_FALSE(Passes1D(7, "caf\xe9"));
}

TEST(BarcodeDataCheck, Code128CodeSets) {
    EXPECT_FALSE(Passes1D(8, "1234"));  // no '{'
    EXPECT_FALSE(Passes1D(8, "{D12"));
    EXPECT_FALSE(Passes1D(8, "{"));
    EXPECT_EQ(CheckBarcode1DData(8, B("{A1234")), B("{A1234"));  // the sample, unchanged
    EXPECT_EQ(CheckBarcode1DData(8, B("{C1234")), (Bytes{0x7B, 0x43, 0x0C, 0x22}));
    EXPECT_FALSE(Passes1D(8, "{C123"));   // odd digit count
    EXPECT_FALSE(Passes1D(8, "{C1{B2"));  // code set left after an odd count
    EXPECT_EQ(CheckBarcode1DData(8, B("{C12{B")), (Bytes{0x7B, 0x43, 0x0C, 0x7B, 0x42}));
    EXPECT_FALSE(Passes1D(8, "{C12A4"));  // only digits in code set C
    EXPECT_EQ(CheckBarcode1DData(8, B("{B{C0099{Ax")),
              (Bytes{'{', 'B', '{', 'C', 0, 99, '{', 'A', 'x'}))
        << "a code set C chosen later is packed too";
    EXPECT_EQ(CheckBarcode1DData(8, B("{C")), B("{C")) << "no digits is an even count";
}

TEST(BarcodeDataCheck, Code128LetterAfterBraceIsAlwaysTheCodeSet) {
    // "{{" chooses the code set '{': it is copied and code set C ends.
    EXPECT_EQ(CheckBarcode1DData(8, B("{C12{{C3")), B("{C\x0c{{C3"));
    EXPECT_FALSE(Passes1D(8, "{C1{{")) << "leaving code set C after an odd count";
    EXPECT_EQ(CheckBarcode1DData(8, B("{A{{C12")), B("{A{{C12")) << "the C after '{{' is data";
}

TEST(BarcodeDataCheck, Gs1Kinds) {
    for (uint8_t type = 9; type <= 12; ++type) {
        EXPECT_TRUE(Passes1D(type, "01234567890123")) << int{type};
        EXPECT_TRUE(Passes1D(type, "(01)abc{|_")) << int{type};
        EXPECT_FALSE(Passes1D(type, "12#4")) << int{type};
        EXPECT_FALSE(Passes1D(type, std::string(41, '1'))) << int{type};
        EXPECT_TRUE(Passes1D(type, std::string(40, '1'))) << int{type};
    }
}

TEST(BarcodeDataCheck, TwoDimensionalTypes) {
    EXPECT_TRUE(Passes2D(0, "any \xff bytes"));
    EXPECT_TRUE(Passes2D(4, "QR \x80\x81"));
    EXPECT_FALSE(Passes2D(4, std::string(256, 'q')));
    EXPECT_TRUE(Passes2D(5, std::string(84, '#')));  // Maxi Code bytes are not checked
    EXPECT_FALSE(Passes2D(5, std::string(85, '1')));
    for (uint8_t type = 1; type <= 3; ++type) {
        EXPECT_TRUE(Passes2D(type, "0123abc")) << int{type};
        EXPECT_FALSE(Passes2D(type, "0123#")) << int{type};
    }
    EXPECT_FALSE(Passes2D(6, "0123"));
}

TEST(BarcodeDataCheck, EmptyDataAndZeroBytesAreRefusedByEveryRule) {
    const Bytes withZero{'1', 0, '2', '3', '4', '5', '6', '7', '8', '9', '0', '1'};
    for (int index = 0; index < kBarcodeRuleCount; ++index) {
        const int code = index == 7 ? 72 : index == 8 ? 73 : index;
        EXPECT_FALSE(CheckBarcodeData(code, {})) << index;
        EXPECT_FALSE(CheckBarcodeData(code, withZero)) << index;
    }
    EXPECT_FALSE(CheckBarcodeData(73, Bytes{'{', 'A', 0}));
}

TEST(BarcodeTypes, SampleDataPassesItsOwnCheck) {
    for (size_t type = 0; type < Barcode1DTypes().size(); ++type) {
        const std::string sample = Utf16ToUtf8(Barcode1DTypes()[type].sample);
        EXPECT_TRUE(Passes1D(static_cast<uint8_t>(type), sample)) << type;
    }
    for (size_t type = 0; type < Barcode2DTypes().size(); ++type) {
        EXPECT_TRUE(Passes2D(static_cast<uint8_t>(type), Utf16ToUtf8(kBarcode2DSample))) << type;
    }
    EXPECT_FALSE(Barcode1DTypeOf(13));
    EXPECT_FALSE(Barcode2DTypeOf(6));
}

// The inputs kept in the fuzz target's crashers folder (a rule code byte, then the data)
// probe the check's edges; every one must be refused.
TEST(BarcodeDataCheck, FuzzCrashersAreRefused) {
    const auto folder =
        std::filesystem::path(ZR640_TEST_DATA) / ".." / "fuzz" / "crashers" / "barcode";
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const Bytes input = test::ReadFile(entry.path());
        ASSERT_FALSE(input.empty()) << entry.path();
        EXPECT_FALSE(CheckBarcodeData(input[0], std::span(input).subspan(1))) << entry.path();
        ++count;
    }
    EXPECT_GT(count, 0u);
}

}  // namespace
}  // namespace zr640
