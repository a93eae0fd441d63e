// The general 1D symbols as the emulated printer draws them: read back by a barcode reader,
// bars in whole modules, quiet zones, and the human-readable text in the font's cells.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/barcode/barcode_types.h"
#include "symbol_pictures.h"

namespace zr640::test {
namespace {

using emulator::BarcodeSettings;
using emulator::DrawSymbol;

constexpr uint32_t kPaper = 640;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The UPC/EAN check digit of the digits before it.
char CheckDigit(std::string_view digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        const int weight = (digits.size() - i) % 2 == 1 ? 3 : 1;
        sum += (digits[i] - '0') * weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// A UPC-E number (number system, six digits, check digit) written out as its UPC-A number.
std::string ExpandUpcE(const std::string& e) {
    const std::string x = e.substr(1, 6);
    std::string a;
    switch (x[5]) {
    case '0':
    case '1':
    case '2': a = x.substr(0, 2) + x[5] + "0000" + x.substr(2, 3); break;
    case '3': a = x.substr(0, 3) + "00000" + x.substr(3, 2); break;
    case '4': a = x.substr(0, 4) + "00000" + x[4]; break;
    default: a = x.substr(0, 5) + "0000" + x[5]; break;
    }
    return e[0] + a + e[7];
}

struct Case {
    uint8_t m;
    std::string data;
    std::string expected;  // the text the reader gives back (UPC-E: written out as UPC-A)
    std::string format;    // the reader's name of the symbology
    uint32_t quietLeft, quietRight;
    std::string hri = {};  // UPC-E: the eight digits
};

// The bar rows of a drawing with `linesAbove` HRI lines over them.
SymbolDrawing BarRows(const SymbolDrawing& d, const BarcodeSettings& s, uint32_t linesAbove) {
    const uint32_t cell = s.hriFont == 1 ? 17 : 24;
    return Cut(d, 0, linesAbove * cell, d.width, s.height);
}

void ExpectDrawnAndRead(const Case& c, const BarcodeSettings& s) {
    SCOPED_TRACE("m " + std::to_string(c.m) + " data \"" + c.data + "\" width " +
                 std::to_string(s.moduleWidth) + " height " + std::to_string(s.height) + " hri " +
                 std::to_string(s.hriPosition) + " font " + std::to_string(s.hriFont));
    const auto drawing = DrawSymbol(c.m, Bytes(c.data), s, kPaper);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    const uint32_t above = s.hriPosition == 1 || s.hriPosition == 3 ? 1 : 0;
    const uint32_t below = s.hriPosition == 2 || s.hriPosition == 3 ? 1 : 0;
    const uint32_t cellHeight = s.hriFont == 1 ? 17 : 24;
    const uint32_t cellWidth = s.hriFont == 1 ? 9 : 12;
    ASSERT_EQ(drawing->height, s.height + (above + below) * cellHeight);

    const SymbolDrawing bars = BarRows(*drawing, s, above);
    // Every bar runs the full height.
    for (uint32_t y = 1; y < bars.height; ++y)
        ASSERT_EQ(Runs(bars, y), Runs(bars, 0)) << "row " << y;
    // Whole modules between the quiet zones, which are at least the symbology's.
    const Box ink = InkBox(bars);
    const std::vector<uint32_t> runs = Runs(Cut(bars, ink.x, 0, ink.width, 1), 0);
    for (const uint32_t run : runs) EXPECT_EQ(run % s.moduleWidth, 0u) << "run " << run;
    // Quiet zones narrow only to what the paper leaves beside the bars.
    const uint32_t quiet = (c.quietLeft + c.quietRight) * s.moduleWidth;
    if (ink.width + quiet <= kPaper) {
        EXPECT_GE(ink.x, c.quietLeft * s.moduleWidth);
        EXPECT_GE(bars.width - ink.x - ink.width, c.quietRight * s.moduleWidth);
    } else {
        EXPECT_EQ(drawing->width, kPaper);
        const uint32_t share = (kPaper - ink.width) * c.quietLeft / (c.quietLeft + c.quietRight);
        EXPECT_GE(ink.x + 2 * s.moduleWidth, share);
        EXPECT_LE(ink.x, share + 2 * s.moduleWidth);
    }

    // The text lines: in the font's cells, one per character, centred on the bars.
    const uint32_t barCentre = ink.x + ink.width / 2;
    std::string hriText = c.m == 4 ? "*" + c.expected + "*" : c.expected;
    if (c.format == "UPC-E") hriText = c.hri;
    for (char& ch : hriText) ch = ch >= 0x20 && ch < 0x7F ? ch : ' ';
    const bool spaceAtAnEnd = hriText.front() == ' ' || hriText.back() == ' ';
    for (uint32_t line = 0; line < above + below; ++line) {
        const uint32_t top = line < above ? 0 : above * cellHeight + s.height;
        const Box text = InkBox(Cut(*drawing, 0, top, drawing->width, cellHeight));
        ASSERT_GT(text.width, 0u) << "line " << line;
        EXPECT_LE(text.width, hriText.size() * cellWidth);
        if (spaceAtAnEnd) continue;
        EXPECT_GT(text.width + 2 * cellWidth, hriText.size() * cellWidth);
        const uint32_t textCentre = text.x + text.width / 2;
        EXPECT_LE(std::max(textCentre, barCentre) - std::min(textCentre, barCentre), cellWidth);
    }

    if (s.height < 8) return;  // too short for the reader
    const Reading reading = Read(bars, c.format);
    ASSERT_TRUE(reading.read) << "reader status " << reading.status;
    EXPECT_EQ(reading.format, c.format);
    if (c.format == "UPC-E") {
        // UPC-E reads as its eight digits; written out they are the UPC-A number sent.
        std::string e;
        for (size_t i = 0; i + 1 < reading.textHex.size(); i += 2)
            e += static_cast<char>(std::stoi(reading.textHex.substr(i, 2), nullptr, 16));
        ASSERT_EQ(e.size(), 8u);
        EXPECT_EQ(ExpandUpcE(e), c.expected);
    } else {
        EXPECT_EQ(reading.textHex, Hex(c.expected)) << "expected \"" << c.expected << "\"";
    }
}

BarcodeSettings Settings(uint8_t width, uint8_t height, uint8_t position, uint8_t font) {
    BarcodeSettings s;
    s.moduleWidth = width;
    s.height = height;
    s.hriPosition = position;
    s.hriFont = font;
    return s;
}

// The pages' sample data that makes a symbol, each with what reads back. (The EAN8, EAN13
// and UPC-E samples do not: see the refusal tests.)
const std::vector<Case> kSamples = {
    {0, "123456789012", "123456789012", "UPC-A", 9, 9},
    {4, "123ABC*", "123ABC", "Code39", 10, 10},
    {5, "123456789", "0123456789", "ITF", 10, 10},
    {6, "A123456789A", "A123456789A", "Codabar", 10, 10},
    {72, "123ABC", "123ABC", "Code93", 10, 10},
    {73, "{A1234", "1234", "Code128", 10, 10},
};

TEST(Symbol1DTest, PageSamplesReadBackAtEveryModuleWidthAndHriSetting) {
    for (const Case& c : kSamples) {
        const auto narrow = DrawSymbol(c.m, Bytes(c.data), Settings(2, 10, 0, 0), kPaper);
        ASSERT_TRUE(narrow.ok()) << narrow.error();
        const uint32_t modules = InkBox(*narrow).width / 2;
        for (uint8_t width = 2; width <= 6; ++width) {
            const auto s =
                Settings(width, static_cast<uint8_t>(30 * width), static_cast<uint8_t>(width % 4),
                         static_cast<uint8_t>(width % 2));
            if (modules * width > kPaper) {
                // Only bars wider than the paper are refused.
                const auto refused = DrawSymbol(c.m, Bytes(c.data), s, kPaper);
                ASSERT_FALSE(refused.ok());
                EXPECT_NE(refused.error().find("wider than the paper"), std::string::npos);
                continue;
            }
            ExpectDrawnAndRead(c, s);
        }
    }
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    return text;
}

// Valid data of each type, with what the reader gives back.
Case RandomCase(uint8_t m, std::mt19937& random) {
    const std::string digits = "0123456789";
    const bool withCheck = random() % 2 == 0;
    switch (m) {
    case 0: {
        const std::string a = RandomText(random, digits, 11);
        return {0, withCheck ? a + CheckDigit(a) : a, a + CheckDigit(a), "UPC-A", 9, 9};
    }
    case 1: {
        // Six digits whose UPC-A number has no other zero-suppressed form.
        std::string e = "0" + RandomText(random, digits, 6);
        if (e[6] == '3' && e[3] <= '2') e[3] = '5';
        if (e[6] == '4' && e[4] == '0') e[4] = '7';
        if (e[6] >= '5' && e[5] == '0') e[5] = '8';
        const std::string a = ExpandUpcE(e + "0").substr(0, 11);
        e += CheckDigit(a);
        return {1, withCheck ? a + CheckDigit(a) : a, a + CheckDigit(a), "UPC-E", 9, 7, e};
    }
    case 2: {
        const std::string d = RandomText(random, digits, 12);
        return {2, withCheck ? d + CheckDigit(d) : d, d + CheckDigit(d), "EAN-13", 11, 7};
    }
    case 3: {
        const std::string d = RandomText(random, digits, 7);
        return {3, withCheck ? d + CheckDigit(d) : d, d + CheckDigit(d), "EAN-8", 7, 7};
    }
    case 4: {
        const std::string d =
            RandomText(random, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", 1 + random() % 12);
        return {4, withCheck ? "*" + d + "*" : d, d, "Code39", 10, 10};
    }
    case 5: {
        const std::string d = RandomText(random, digits, 6 + 2 * (random() % 6));
        return {5, d, d, "ITF", 10, 10};
    }
    case 6: {
        const std::string d = RandomText(random, "ABCD", 1) +
                              RandomText(random, "0123456789-$:/.+", 1 + random() % 12) +
                              RandomText(random, "ABCD", 1);
        return {6, d, d, "Codabar", 10, 10};
    }
    case 72: {
        std::string d =
            RandomText(random, "abcXYZ0123 !#$%&()*+,-./:;<=>?@[]^_`{|}~", 1 + random() % 16);
        d[random() % d.size()] = static_cast<char>(random() % 32);  // a control character
        return {72, d, d, "Code93", 10, 10};
    }
    default: {
        // Code 128 with each code set: controls in A, lower case and "{{" in B, packed digit
        // pairs in C.
        std::string sent = "{B", text;
        for (int segment = 0; segment < 4; ++segment) {
            switch (random() % 3) {
            case 0: {
                const std::string t = RandomText(random, "ABC123\t\r", 1 + random() % 4);
                sent += "{A" + t;
                text += t;
                break;
            }
            case 1: {
                const std::string t = RandomText(random, "abcXYZ09 ~", 1 + random() % 4);
                sent += "{B" + t + "{{";
                text += t + "{";
                break;
            }
            default: {
                sent += "{C";
                for (size_t pair = 0; pair < 1 + random() % 4; ++pair) {
                    const auto value = static_cast<char>(random() % 100);
                    sent += value;
                    text += std::string(1, static_cast<char>('0' + value / 10)) +
                            static_cast<char>('0' + value % 10);
                }
            }
            }
        }
        return {73, sent, text, "Code128", 10, 10};
    }
    }
}

TEST(Symbol1DTest, RandomValidDataReadsBackAcrossWidthsHeightsAndHriSettings) {
    std::mt19937 random(22);
    for (const int m : {0, 1, 2, 3, 4, 5, 6, 72, 73}) {
        for (int round = 0; round < 4; ++round) {
            const Case c = RandomCase(static_cast<uint8_t>(m), random);
            auto s = Settings(static_cast<uint8_t>(2 + random() % 5),
                              static_cast<uint8_t>(20 + random() % 236),
                              static_cast<uint8_t>(round), static_cast<uint8_t>(random() % 2));
            // The widest module width at which the data fits the paper.
            while (s.moduleWidth > 2 && !DrawSymbol(c.m, Bytes(c.data), s, kPaper).ok())
                --s.moduleWidth;
            ExpectDrawnAndRead(c, s);
        }
    }
}

TEST(Symbol1DTest, CountedFormsOfTheGeneralTypesDrawTheSameSymbol) {
    const BarcodeSettings s = Settings(2, 50, 2, 0);
    for (const Case& c : kSamples) {
        if (c.m > 6) continue;
        const auto plain = DrawSymbol(c.m, Bytes(c.data), s, kPaper);
        const auto counted = DrawSymbol(static_cast<uint8_t>(c.m + 65), Bytes(c.data), s, kPaper);
        ASSERT_TRUE(plain.ok() && counted.ok());
        EXPECT_EQ(plain->dots, counted->dots) << "m " << int{c.m};
    }
}

TEST(Symbol1DTest, HeightOfOneDotIsOneRowOfBars) {
    const auto drawing = DrawSymbol(4, Bytes("AB"), Settings(3, 1, 0, 0), kPaper);
    ASSERT_TRUE(drawing.ok());
    EXPECT_EQ(drawing->height, 1u);
    EXPECT_EQ(Runs(*drawing, 0).front(), 30u);  // the quiet zone
}

TEST(Symbol1DTest, TextWiderThanTheBarsWidensTheDrawingAndStaysWhole) {
    // Code set C packs two digits into one 11-module character: at 2 dots a module the
    // Font A line is wider than the bars.
    std::string sent = "{C";
    for (int i = 0; i < 20; ++i) sent += static_cast<char>(11 * (i % 9));
    BarcodeSettings s = Settings(2, 40, 2, 0);
    const auto drawing = DrawSymbol(73, Bytes(sent), s, kPaper);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    const Box text = InkBox(Cut(*drawing, 0, 40, drawing->width, 24));
    EXPECT_GE(drawing->width, 40u * 12);
    EXPECT_GT(text.width, 39u * 12);
}

struct Refusal {
    uint8_t m;
    std::string data;
    BarcodeSettings settings;
    std::string message;  // a part of the refusal's text
};

TEST(Symbol1DTest, SettingsAndDataTheDrawingCannotUseAreRefusedByName) {
    const BarcodeSettings ok = Settings(3, 80, 0, 0);
    const std::vector<Refusal> refusals = {
        {4, "AB", Settings(0, 80, 0, 0), "module width 0 cannot be used (2 to 6)"},
        {4, "AB", Settings(1, 80, 0, 0), "module width 1"},
        {4, "AB", Settings(7, 80, 0, 0), "module width 7"},
        {4, "AB", Settings(3, 0, 0, 0), "barcode height 0"},
        {4, "AB", Settings(3, 80, 4, 0), "HRI position 4"},
        {4, "AB", Settings(3, 80, 0, 2), "HRI font 2"},
        {7, "AB", ok, "barcode type 7 is not drawn"},
        {0, "1234567890", ok, "UPC-A data must be 11 or 12 digits"},
        {0, "12345678901A", ok, "UPC-A data must be 11 or 12 digits"},
        {0, "123456789013", ok, "check digit"},
        // The 1D page's UPC-E sample has no zero-suppressed form.
        {1, "023456789012", ok, "UPC-E: the number 02345678901 has no zero-suppressed form"},
        // The pages' EAN8 and EAN13 samples end in a wrong check digit.
        {3, "12345678", ok, "check digit"},
        {2, "1234567890123", ok, "check digit"},
        {2, "12345678901", ok, "EAN13 data must be 12 or 13 digits"},
        {4, "12*3", ok, "data after the stop character"},
        {4, "abc", ok, "Code39"},
        {5, "12A4", ok, "ITF data must be digits"},
        {6, "A1234", ok, "Codabar"},
        {72, "AB\x80", ok, "Code93 data must be ASCII"},
        {73, "1234", ok, "Code128 data must start with a code set"},
        {73, "{D12", ok, "selector {D"},
        {73, "{A12{1", ok, "selector {1"},
        {73, std::string("{C") + char(100), ok, "code set C byte 100 is above 99"},
        {73, "{Aabc", ok, "byte 97 is not in code set A"},
        {73, "{B12{", ok, "ends inside a '{' selector"},
        {73, "{B", ok, "holds no characters"},
        {72, "", ok, "Code93: the data is empty"},
        {73, "", ok, "Code128: the data is empty"},
        {4, std::string(60, 'A'), Settings(6, 80, 0, 0), "wider than the paper (640 dots)"},
    };
    for (const Refusal& r : refusals) {
        const auto drawing = DrawSymbol(r.m, Bytes(r.data), r.settings, kPaper);
        ASSERT_FALSE(drawing.ok()) << "m " << int{r.m} << " " << r.data;
        EXPECT_NE(drawing.error().find(r.message), std::string::npos)
            << drawing.error() << " (expected: " << r.message << ")";
    }
}

TEST(Symbol1DTest, Code128ShiftTakesOneByteOfTheOtherCodeSet) {
    ExpectDrawnAndRead({73, "{AAB{Sa1\t", "ABa1\t", "Code128", 10, 10}, Settings(2, 60, 0, 0));
    ExpectDrawnAndRead({73, "{Bab{S\r1", "ab\r1", "Code128", 10, 10}, Settings(2, 60, 0, 0));
    for (const char* refused : {"{C{S1", "{BA{S\x80", "{AA{S"}) {
        const auto drawing = DrawSymbol(73, Bytes(refused), Settings(2, 60, 0, 0), kPaper);
        ASSERT_FALSE(drawing.ok()) << refused;
        EXPECT_NE(drawing.error().find("selector {S cannot be used here"), std::string::npos)
            << drawing.error();
    }
}

TEST(Symbol1DTest, CheckDigitCorrectedSamplesOfEan8AndEan13ReadBack) {
    ExpectDrawnAndRead({2, "123456789012", "1234567890128", "EAN-13", 11, 7},
                       Settings(3, 100, 2, 0));
    ExpectDrawnAndRead({3, "1234567", "12345670", "EAN-8", 7, 7}, Settings(3, 100, 3, 1));
}

}  // namespace
}  // namespace zr640::test
