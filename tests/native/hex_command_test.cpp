// The hex command text: what a command edit shows for stored bytes, what it reads back from
// typed or pasted text, and which typed characters it lets through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/operation/hex_command.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(HexCommandParse, ReadsTokensOfOneOrTwoDigits) {
    EXPECT_EQ(ParseHexCommand(u"1D 56 42 00"), (Bytes{0x1D, 0x56, 0x42, 0x00}));
    EXPECT_EQ(ParseHexCommand(u"1D5642"), (Bytes{0x1D, 0x56, 0x42}));
    EXPECT_EQ(ParseHexCommand(u"1D 5 4"), (Bytes{0x1D, 0x05, 0x04}));
    EXPECT_EQ(ParseHexCommand(u"123"), (Bytes{0x12, 0x03}));
    EXPECT_EQ(ParseHexCommand(u"   1d  56 "), (Bytes{0x1D, 0x56})) << "spaces anywhere";
    EXPECT_EQ(ParseHexCommand(u"ff Ff fF"), (Bytes{0xFF, 0xFF, 0xFF}));
}

TEST(HexCommandParse, OtherCharactersCountAsZero) {
    EXPECT_EQ(ParseHexCommand(u"-"), (Bytes{0x00}));
    EXPECT_EQ(ParseHexCommand(u"1-"), (Bytes{0x10}));
    EXPECT_EQ(ParseHexCommand(u".5 -"), (Bytes{0x05, 0x00}));
    EXPECT_EQ(ParseHexCommand(u"GZ 1g"), (Bytes{0x00, 0x10}));
    // A tab or a line break is no separator: it is a character of a token.
    EXPECT_EQ(ParseHexCommand(u"1D\t56"), (Bytes{0x1D, 0x05, 0x06}));
    // Outside ASCII too (each UTF-16 unit of a pair is one character).
    EXPECT_EQ(ParseHexCommand(u"\u00e91"), (Bytes{0x01}));
}

TEST(HexCommandParse, EmptyAndBlankTextsHaveNoBytes) {
    EXPECT_TRUE(ParseHexCommand(u"").empty());
    EXPECT_TRUE(ParseHexCommand(u"    ").empty());
    EXPECT_EQ(CountHexCommandBytes(u""), 0u);
}

TEST(HexCommandParse, CountsAnyNumberOfBytes) {
    const std::u16string digits257(257, u'7');
    EXPECT_EQ(ParseHexCommand(digits257).size(), 129u);
    EXPECT_EQ(CountHexCommandBytes(digits257), 129u);
    EXPECT_EQ(ParseHexCommand(digits257).back(), 0x07) << "the odd last digit is a byte alone";
    EXPECT_EQ(CountHexCommandBytes(std::u16string(256, u'A')), 128u);
    EXPECT_EQ(CountHexCommandBytes(std::string(10000, '1')), 5000u);
}

TEST(HexCommandParse, NarrowAndWideTextsAgree) {
    for (const char* text : {"1D 56 42 00", "1d5642", "1 2 3", "12-.zz ", "", "a"}) {
        const std::string narrow(text);
        const std::u16string wide(narrow.begin(), narrow.end());
        EXPECT_EQ(ParseHexCommand(narrow), ParseHexCommand(wide)) << text;
        EXPECT_EQ(CountHexCommandBytes(narrow), ParseHexCommand(narrow).size()) << text;
    }
}

// The one digit reader: exactly 0-9, A-F and a-f, and nothing for the characters around
// those ranges or for look-alikes outside ASCII.
TEST(HexDigits, OnlyTheSixteenDigitsInEitherCase) {
    for (char32_t c = 0; c < 0x80; ++c) {
        const auto digit = HexDigitOf(c);
        const bool isDigit =
            (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
        EXPECT_EQ(digit.has_value(), isDigit) << static_cast<uint32_t>(c);
    }
    EXPECT_EQ(HexDigitOf(U'0'), 0);
    EXPECT_EQ(HexDigitOf(U'9'), 9);
    EXPECT_EQ(HexDigitOf(U'A'), 10);
    EXPECT_EQ(HexDigitOf(U'f'), 15);
    EXPECT_FALSE(HexDigitOf(U'\uFF10').has_value()) << "a full-width 0";
    EXPECT_FALSE(HexDigitOf(U'\uFF21').has_value()) << "a full-width A";
    EXPECT_FALSE(HexDigitOf(0x130).has_value());
}

TEST(HexCommandFormat, TwoUpperCaseDigitsAndASpacePerByte) {
    EXPECT_EQ(FormatHexCommand(Bytes{0x1D, 0x56, 0x42, 0x00}), u"1D 56 42 00 ");
    EXPECT_EQ(FormatHexCommand(Bytes{0x00, 0x0A, 0xFF}), u"00 0A FF ");
    EXPECT_EQ(FormatHexCommand(Bytes{}), u"");
    EXPECT_EQ(FormatHexCommandNarrow(Bytes{0xAB}), "AB ");
}

TEST(HexCommandFormat, LowerCaseInComesBackUpperCase) {
    EXPECT_EQ(FormatHexCommand(ParseHexCommand(u"1d 56 42 00")), u"1D 56 42 00 ");
    Bytes all(256);
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(ParseHexCommand(FormatHexCommand(all)), all) << "every byte survives a round trip";
}

TEST(HexCommandFilter, TypedCharacters) {
    for (const char32_t c : U"0123456789abcdefABCDEF ") {
        if (c == 0) continue;
        EXPECT_EQ(FilterHexCommandKey(c, false, false), HexKeyAction::kPass) << static_cast<int>(c);
    }
    for (const char32_t c : {U'\b', U'-', U'.'}) {
        EXPECT_EQ(FilterHexCommandKey(c, false, false), HexKeyAction::kPass) << static_cast<int>(c);
    }
    for (const char32_t c : {U'g', U'G', U'z', U'x', U'X', U',', U'\r', U'\t', U'\u00e9'}) {
        EXPECT_EQ(FilterHexCommandKey(c, false, false), HexKeyAction::kDrop) << static_cast<int>(c);
    }
}

TEST(HexCommandFilter, CtrlPassesEverythingAndTabMovesOn) {
    // Ctrl+V, Ctrl+C, Ctrl+X and Ctrl+A arrive as control characters.
    for (const char32_t c : {U'\x16', U'\x03', U'\x18', U'\x01', U'g', U'z'}) {
        EXPECT_EQ(FilterHexCommandKey(c, false, true), HexKeyAction::kPass) << static_cast<int>(c);
    }
    // Tab held wins over everything, Ctrl included.
    for (const char32_t c : {U'\t', U'1', U'g'}) {
        EXPECT_EQ(FilterHexCommandKey(c, true, false), HexKeyAction::kNextControl);
        EXPECT_EQ(FilterHexCommandKey(c, true, true), HexKeyAction::kNextControl);
    }
}

TEST(HexCommandFilter, WhatPassesParsesAsTheEditShowsIt) {
    // A "-" or "." that passes the filter counts as the digit 0.
    EXPECT_EQ(ParseHexCommand(u"-1 .F"), (Bytes{0x01, 0x0F}));
    EXPECT_EQ(HexDigitValue(U'-'), 0);
    EXPECT_EQ(HexDigitValue(U'.'), 0);
    EXPECT_EQ(HexDigitValue(U'f'), 15);
    EXPECT_EQ(HexDigitValue(U'F'), 15);
    EXPECT_EQ(HexDigitValue(U'g'), 0);
}

}  // namespace
}  // namespace zr640
