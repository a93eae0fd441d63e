// GS1 DataBar, PDF417, QR Code and MaxiCode as the emulated printer draws them from their
// setting bytes: read back where the reader knows the kind, and module for module against
// zint's own matrix of the same data.
#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "symbol_pictures.h"

namespace zr640::test {
namespace {

using emulator::BarcodeSettings;
using emulator::DrawSymbol;

constexpr uint32_t kPaper = 640;
constexpr uint8_t kPdf417 = 0x0A, kQrCode = 0x0B, kMaxiCode = 0x0C, kGs1DataBar = 0x0D;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// zint's module matrix of a symbol, encoded here on its own.
struct Matrix {
    int rows = 0, columns = 0;
    std::vector<std::vector<bool>> modules;
    std::vector<float> rowHeights;
};
Matrix ZintMatrix(int symbology, const std::string& data,
                  const std::function<void(zint_symbol&)>& setUp) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    setUp(*symbol);
    Matrix matrix;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (ZBarcode_Encode(symbol, bytes, static_cast<int>(data.size())) < ZINT_ERROR) {
        matrix.rows = symbol->rows;
        matrix.columns = symbol->width;
        for (int r = 0; r < symbol->rows; ++r) {
            const auto row = static_cast<size_t>(r);
            matrix.rowHeights.push_back(symbol->row_height[row]);
            std::vector<bool> modules;
            for (int c = 0; c < symbol->width; ++c) {
                const auto column = static_cast<size_t>(c);
                modules.push_back((symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1);
            }
            matrix.modules.push_back(modules);
        }
    }
    ZBarcode_Delete(symbol);
    return matrix;
}

// Every module of the matrix is a block of `moduleDots` x its row's dots at (x, y).
void ExpectModules(const SymbolDrawing& d, const Matrix& matrix, uint32_t x, uint32_t y,
                   uint32_t moduleDots, const std::vector<uint32_t>& rowDots) {
    ASSERT_GT(matrix.rows, 0);
    ASSERT_EQ(rowDots.size(), static_cast<size_t>(matrix.rows));
    ASSERT_LE(x + static_cast<uint32_t>(matrix.columns) * moduleDots, d.width);
    for (int r = 0; r < matrix.rows; ++r) {
        for (uint32_t line = 0; line < rowDots[static_cast<size_t>(r)]; ++line, ++y) {
            ASSERT_LT(y, d.height) << "row " << r;
            for (int c = 0; c < matrix.columns; ++c) {
                const bool module = matrix.modules[static_cast<size_t>(r)][static_cast<size_t>(c)];
                for (uint32_t dot = 0; dot < moduleDots; ++dot) {
                    ASSERT_EQ(Dot(d, x + static_cast<uint32_t>(c) * moduleDots + dot, y), module)
                        << "row " << r << " dot line " << line << " column " << c;
                }
            }
        }
    }
}

// --- GS1 DataBar -------------------------------------------------------------------------

struct Gs1 {
    uint8_t kind = 1, width = 2, rowHeight = 100, rowHeight2D = 2, separator = 1, segments = 2,
            hri = 4, ai = 1;
};
BarcodeSettings Gs1Settings(const Gs1& g) {
    BarcodeSettings s;
    s.gs1 = {g.kind, g.width, g.rowHeight, g.rowHeight2D, g.separator, g.segments, g.hri, g.ai};
    return s;
}

constexpr int kGs1Symbology[] = {0,
                                 BARCODE_DBAR_OMN,
                                 BARCODE_DBAR_OMN,
                                 BARCODE_DBAR_STK,
                                 BARCODE_DBAR_OMNSTK,
                                 BARCODE_DBAR_LTD,
                                 BARCODE_DBAR_EXP,
                                 BARCODE_DBAR_EXPSTK};
constexpr int kGs1Composite[] = {0,
                                 BARCODE_DBAR_OMN_CC,
                                 BARCODE_DBAR_OMN_CC,
                                 BARCODE_DBAR_STK_CC,
                                 BARCODE_DBAR_OMNSTK_CC,
                                 BARCODE_DBAR_LTD_CC,
                                 BARCODE_DBAR_EXP_CC,
                                 BARCODE_DBAR_EXPSTK_CC};

bool Expanded(uint8_t kind) { return kind == 6 || kind == 7; }

// zint's matrix of the same data, and the dots each of its rows should have: the composite
// rows (before the first separator) the 2D row height, separators (one module in zint's
// matrix) the separator height, the symbol's rows the row height.
struct Gs1Expectation {
    Matrix matrix;
    std::vector<uint32_t> rowDots;
    uint32_t firstLinearDot = 0;  // where the linear part's rows start
};
Gs1Expectation ExpectedGs1(const Gs1& g, const std::string& data) {
    const size_t bar = data.find('|');
    const bool composite = bar != std::string::npos;
    Gs1Expectation e;
    e.matrix = ZintMatrix(composite ? kGs1Composite[g.kind] : kGs1Symbology[g.kind],
                          composite ? data.substr(bar + 1) : data, [&](zint_symbol& s) {
                              if (Expanded(g.kind) || composite)
                                  s.input_mode = GS1_MODE | GS1PARENS_MODE;
                              if (Expanded(g.kind) && g.ai == 0) s.input_mode |= GS1NOCHECK_MODE;
                              if (g.kind == 7) s.option_2 = g.segments / 2;
                              if (composite) std::strcpy(s.primary, data.substr(0, bar).c_str());
                          });
    bool inComposite = composite;
    for (const float height : e.matrix.rowHeights) {
        if (height == 1.0f) inComposite = false;
        e.rowDots.push_back(inComposite      ? g.rowHeight2D
                            : height == 1.0f ? g.separator
                                             : g.rowHeight);
        if (inComposite) e.firstLinearDot += g.rowHeight2D;
    }
    return e;
}

// The fourteen digits of the GTIN of the digits sent, as the reader gives them.
std::string GtinText(std::string digits) {
    digits = std::string(13 - digits.size(), '0') + digits;
    int sum = 0;
    for (size_t i = 0; i < 13; ++i) sum += (digits[i] - '0') * (i % 2 == 0 ? 3 : 1);
    return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

const char* ReaderFormat(uint8_t kind) {
    if (kind == 5) return nullptr;  // the reader does not know DataBar Limited
    return Expanded(kind) ? "DataBarExpanded" : "DataBar";
}

// Draws, compares with zint's modules and, where the reader knows the kind, reads the linear
// part back (an empty `readText`: the reader cannot, as with the linear part of a composite
// symbol, whose link to the 2D part it takes for a digit).
void ExpectGs1(const Gs1& g, const std::string& data, const std::string& readText) {
    SCOPED_TRACE("kind " + std::to_string(g.kind) + " data \"" + data + "\" width " +
                 std::to_string(g.width) + " row " + std::to_string(g.rowHeight) + " 2D row " +
                 std::to_string(g.rowHeight2D) + " separator " + std::to_string(g.separator) +
                 " segments " + std::to_string(g.segments));
    const auto drawing = DrawSymbol(kGs1DataBar, Bytes(data), Gs1Settings(g), kPaper);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    const Gs1Expectation e = ExpectedGs1(g, data);
    uint32_t height = 0;
    for (const uint32_t dots : e.rowDots) height += dots;
    ASSERT_EQ(drawing->height, height);  // no text lines asked for
    const uint32_t x = (drawing->width - static_cast<uint32_t>(e.matrix.columns) * g.width) / 2;
    ExpectModules(*drawing, e.matrix, x, 0, g.width, e.rowDots);

    const char* format = ReaderFormat(g.kind);
    if (format == nullptr || readText.empty() || g.width < 2 || g.rowHeight < 10) return;
    const SymbolDrawing linear =
        Cut(*drawing, 0, e.firstLinearDot, drawing->width, drawing->height - e.firstLinearDot);
    const Reading reading = Read(CutToInk(linear, 10 * g.width), format, false);
    ASSERT_NE(reading.status, -1) << "the reader aborted";
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.textHex, Hex(readText));
}

std::string RandomDigits(std::mt19937& random, size_t count) {
    std::string digits;
    for (size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
    return digits;
}

TEST(SymbolGs1Test, GtinKindsReadBackOrMatchZintAcrossModuleWidthsAndRowHeights) {
    std::mt19937 random(23);
    for (const uint8_t kind : std::initializer_list<uint8_t>{1, 2, 3, 4, 5}) {
        for (uint8_t width = 1; width <= 6; ++width) {
            // Limited takes GTINs starting with 0 or 1.
            const std::string digits =
                (kind == 5 ? "0" : "") + RandomDigits(random, kind == 5 ? 12 : 13);
            Gs1 g;
            g.kind = kind;
            g.width = width;
            g.rowHeight = static_cast<uint8_t>(2 + random() % 249);
            g.separator = static_cast<uint8_t>(1 + random() % 10);
            ExpectGs1(g, digits, GtinText(digits));
        }
    }
}

TEST(SymbolGs1Test, PageSampleHasAWrongCheckDigitAndItsGtinReadsBack) {
    // The pages' sample 01234567890123 ends in 3 where the check digit is 8.
    for (const uint8_t kind : std::initializer_list<uint8_t>{1, 2, 3, 4, 5, 6, 7}) {
        Gs1 g;
        g.kind = kind;
        const auto drawing =
            DrawSymbol(kGs1DataBar, Bytes("01234567890123"), Gs1Settings(g), kPaper);
        ASSERT_FALSE(drawing.ok()) << int{kind};
        EXPECT_NE(drawing.error().find("GS1 DataBar: "), std::string::npos) << drawing.error();
    }
    for (const uint8_t kind : std::initializer_list<uint8_t>{1, 2, 3, 4, 5}) {
        Gs1 g;
        g.kind = kind;
        ExpectGs1(g, "0123456789012", "01234567890128");
        ExpectGs1(g, "01234567890128", "01234567890128");
    }
}

TEST(SymbolGs1Test, ExpandedKindsReadBackWithTheirApplicationIdentifiers) {
    std::mt19937 random(7);
    for (const uint8_t kind : std::initializer_list<uint8_t>{6, 7}) {
        for (uint8_t segments = 2; segments <= 8; segments = static_cast<uint8_t>(segments + 2)) {
            const std::string gtin = GtinText(RandomDigits(random, 13));
            const std::string lot = RandomDigits(random, 1 + random() % 6) + "AB";
            Gs1 g;
            g.kind = kind;
            g.segments = segments;
            g.width = static_cast<uint8_t>(2 + random() % 3);
            g.rowHeight = static_cast<uint8_t>(30 + random() % 60);
            g.separator = static_cast<uint8_t>(1 + random() % 4);
            const std::string data = "(01)" + gtin + "(10)" + lot;
            // The widest module width at which the symbol fits the paper.
            while (g.width > 1 &&
                   !DrawSymbol(kGs1DataBar, Bytes(data), Gs1Settings(g), kPaper).ok())
                --g.width;
            ExpectGs1(g, data, data);
        }
    }
}

TEST(SymbolGs1Test, ApplicationIdentifierRulesApplyOnlyWhenAsked) {
    Gs1 g;
    g.kind = 6;
    const std::string shortGtin = "(01)0123";  // a GTIN is fourteen digits
    EXPECT_FALSE(DrawSymbol(kGs1DataBar, Bytes(shortGtin), Gs1Settings(g), kPaper).ok());
    g.ai = 0;
    ExpectGs1(g, shortGtin, "");
    EXPECT_FALSE(DrawSymbol(kGs1DataBar, Bytes("01234567890123"), Gs1Settings(g), kPaper).ok());
}

TEST(SymbolGs1Test, CompositePartIsAboveTheLinearPartWithTheHeightsGiven) {
    std::mt19937 random(5);
    for (const uint8_t kind : std::initializer_list<uint8_t>{1, 2, 3, 4, 5, 6, 7}) {
        for (uint8_t heights = 1; heights <= 10; heights = static_cast<uint8_t>(heights + 3)) {
            Gs1 g;
            g.kind = kind;
            g.segments = 4;
            g.rowHeight = 40;
            g.rowHeight2D = heights;
            g.separator = static_cast<uint8_t>(11 - heights);
            const std::string digits = "0" + RandomDigits(random, 12);
            const std::string gtin = GtinText(digits);
            const std::string linear = Expanded(kind) ? "(01)" + gtin : digits;
            const std::string part = "(10)" + RandomDigits(random, 4) + "XY";
            ExpectGs1(g, linear + "|" + part, "");
            // The composite part's rows sit above the first separator row.
            const Gs1Expectation e = ExpectedGs1(g, linear + "|" + part);
            ASSERT_GT(e.firstLinearDot, 0u);
            EXPECT_EQ(e.firstLinearDot % heights, 0u);
        }
    }
}

TEST(SymbolGs1Test, HumanReadableContentGivesItsLinesBelowInTheHriFont) {
    const std::string data = "0123456789012|(10)AB12";
    for (const uint8_t font : std::initializer_list<uint8_t>{0, 1}) {
        const uint32_t cell = font == 1 ? 17 : 24;
        uint32_t plainHeight = 0;
        for (const uint8_t hri : std::initializer_list<uint8_t>{4, 1, 2, 3}) {
            Gs1 g;
            g.hri = hri;
            BarcodeSettings s = Gs1Settings(g);
            s.hriFont = font;
            const auto drawing = DrawSymbol(kGs1DataBar, Bytes(data), s, kPaper);
            ASSERT_TRUE(drawing.ok()) << drawing.error();
            if (hri == 4) {
                plainHeight = drawing->height;
                continue;
            }
            const uint32_t lines = hri == 1 ? 2 : 1;
            ASSERT_EQ(drawing->height, plainHeight + lines * cell) << int{hri};
            // "(01)01234567890128" and "(10)AB12": each line's ink within its characters' cells.
            const size_t characters = hri == 3 ? 8 : 18;
            const Box text = InkBox(Cut(*drawing, 0, plainHeight, drawing->width, cell));
            EXPECT_LE(text.width, characters * (cell == 24 ? 12 : 9));
            EXPECT_GT(text.width, (characters - 1) * (cell == 24 ? 12 : 9));
        }
        // Secondary data alone without a composite part: nothing to print.
        Gs1 g;
        g.hri = 3;
        const auto plain = DrawSymbol(kGs1DataBar, Bytes("0123456789012"), Gs1Settings(g), kPaper);
        g.hri = 4;
        const auto none = DrawSymbol(kGs1DataBar, Bytes("0123456789012"), Gs1Settings(g), kPaper);
        ASSERT_TRUE(plain.ok() && none.ok());
        EXPECT_EQ(plain->dots, none->dots);
    }
}

// --- PDF417 ---------------------------------------------------------------------------------

BarcodeSettings PdfSettings(uint8_t rows, uint8_t columns, uint8_t width, uint8_t height,
                            uint8_t level) {
    BarcodeSettings s;
    s.pdf417 = {1, 1, rows, columns, width, height};
    s.level = level;
    return s;
}

void ExpectPdf417(const std::string& data, const BarcodeSettings& s) {
    const auto& p = s.pdf417;
    SCOPED_TRACE("rows " + std::to_string(p[2]) + " columns " + std::to_string(p[3]) + " width " +
                 std::to_string(p[4]) + " height " + std::to_string(p[5]) + " level " +
                 std::to_string(s.level) + " data \"" + data + "\"");
    const auto drawing = DrawSymbol(kPdf417, Bytes(data), s, kPaper);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    const uint32_t width = p[4], rowDots = uint32_t{p[4]} * p[5];
    // Rows and data columns as given (17 modules a column, 69 for the start, stop and row
    // indicators), with a quiet zone of two modules all round.
    if (p[3] >= 1 && p[3] <= 30) {
        EXPECT_EQ(drawing->width, (69u + 17u * p[3] + 4u) * width);
    }
    if (p[2] >= 3 && p[2] <= 90) {
        EXPECT_EQ(drawing->height, p[2] * rowDots + 4u * width);
    }
    EXPECT_EQ((drawing->height - 4u * width) % rowDots, 0u);
    const Reading reading = Read(*drawing, "PDF417");
    ASSERT_NE(reading.status, -1) << "the reader aborted";
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.textHex, Hex(data));
}

TEST(SymbolPdf417Test, ReadsBackWithRowsColumnsWidthsHeightsAndLevelsAsGiven) {
    ExpectPdf417("01234567890123", PdfSettings(0, 0, 3, 3, 5));
    ExpectPdf417("01234567890123", PdfSettings(24, 3, 3, 3, 5));
    std::mt19937 random(417);
    for (uint8_t level = 0; level <= 8; ++level) {
        std::string data;
        for (size_t i = 0; i < 1 + random() % 40; ++i)
            data += static_cast<char>(32 + random() % 95);
        auto width = static_cast<uint8_t>(1 + random() % 7);
        const auto height = static_cast<uint8_t>(2 + random() % 24);
        // Columns that fit the paper and hold the data in at most 90 rows (rows chosen to
        // fit); a narrower module when none does (high levels need many columns).
        const auto fits = [&](uint8_t columns) {
            return DrawSymbol(kPdf417, Bytes(data), PdfSettings(0, columns, width, height, level),
                              kPaper)
                .ok();
        };
        uint8_t columns = 0;
        for (; columns == 0; --width) {
            const auto most = static_cast<uint8_t>(std::clamp((580u / width - 73u) / 17u, 1u, 30u));
            for (auto c = static_cast<uint8_t>(1 + random() % most); c <= most && columns == 0; ++c)
                columns = fits(c) ? c : 0;
            if (columns != 0) break;
        }
        ExpectPdf417(data, PdfSettings(0, columns, width, height, level));
    }
}

TEST(SymbolPdf417Test, RowsAndColumnsOutOfRangeAreChosenToFit) {
    ExpectPdf417("HELLO", PdfSettings(91, 31, 2, 3, 2));
    ExpectPdf417("HELLO", PdfSettings(2, 0, 2, 3, 2));
}

// --- QR Code --------------------------------------------------------------------------------

BarcodeSettings QrSettings(uint8_t width, uint8_t language, uint8_t model) {
    BarcodeSettings s;
    s.qr = {0, width, language, model};
    return s;
}

void ExpectQr(const std::string& sent, const BarcodeSettings& s, const std::string& text,
              const std::string& level) {
    SCOPED_TRACE("width " + std::to_string(s.qr[1]) + " sent \"" + sent + "\"");
    const auto drawing = DrawSymbol(kQrCode, Bytes(sent), s, kPaper);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    // Square modules of the width, four modules of quiet zone where the paper has room.
    const Box ink = InkBox(*drawing);
    EXPECT_EQ(ink.width, ink.height);
    EXPECT_EQ(drawing->height, ink.height + 8u * s.qr[1]);
    EXPECT_EQ(ink.width % s.qr[1], 0u);
    EXPECT_EQ((ink.width / s.qr[1] - 17) % 4, 0u);  // 21, 25, ... modules
    const Reading reading = Read(*drawing, "QRCode");
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.textHex, Hex(text));
    EXPECT_EQ(reading.level, level);
}

TEST(SymbolQrTest, ErrorLettersAndModuleWidthsReadBack) {
    const std::string sample = "01234567890123";
    uint8_t width = 1;
    for (const char letter : {'L', 'M', 'Q', 'H'}) {
        for (int round = 0; round < 3; ++round, width = static_cast<uint8_t>(width + 2))
            ExpectQr(std::string(1, letter) + "A," + sample, QrSettings(width, 0, 2), sample,
                     std::string(1, letter));
    }
    ExpectQr("MA,https://example.com/receipt?id=42", QrSettings(12, 0, 2),
             "https://example.com/receipt?id=42", "M");
}

TEST(SymbolQrTest, MultiByteTextIsTakenInTheLanguageModesCodePage) {
    // Japanese: Shift JIS; Chinese: GB 2312. Both read back as the same characters.
    ExpectQr("LA,\x88\x9f\x88\xa0", QrSettings(4, 1, 2), "\xe4\xba\x9c\xe5\x94\x96", "L");
    ExpectQr("LA,\xb0\xa1\xb0\xa2", QrSettings(4, 0, 2), "\xe5\x95\x8a\xe9\x98\xbf", "L");
}

// --- MaxiCode -------------------------------------------------------------------------------

TEST(SymbolMaxiCodeTest, SampleAndRandomDataReadBackAtTheFixedSize) {
    std::mt19937 random(12);
    std::vector<std::string> data = {"01234567890123"};
    for (int i = 0; i < 3; ++i) {
        std::string d;
        for (size_t n = 0; n < 1 + random() % 80; ++n) d += static_cast<char>('0' + random() % 43);
        data.push_back(d);
    }
    for (const std::string& d : data) {
        const auto drawing = DrawSymbol(kMaxiCode, Bytes(d), BarcodeSettings{}, kPaper);
        ASSERT_TRUE(drawing.ok()) << drawing.error();
        const Box ink = InkBox(*drawing);
        EXPECT_NEAR(ink.width, 239, 8);  // 30 mm at 8 dots a millimetre
        const Reading reading = Read(CutToInk(*drawing, 0), "MaxiCode", true);
        ASSERT_NE(reading.status, -1) << "the reader aborted";
        ASSERT_TRUE(reading.read) << d;
        EXPECT_EQ(reading.textHex, Hex(d));
    }
}

// --- Refusals -------------------------------------------------------------------------------

struct Refusal {
    uint8_t m;
    std::string data;
    BarcodeSettings settings;
    std::string message;
};

Refusal Gs1Refusal(const Gs1& g, std::string data, std::string message) {
    return {kGs1DataBar, std::move(data), Gs1Settings(g), std::move(message)};
}

TEST(SymbolRefusalTest, EveryParameterTheDrawingCannotUseIsNamed) {
    const auto gs1 = [](auto change) {
        Gs1 g;
        change(g);
        return g;
    };
    const std::string gtin = "0123456789012";
    const std::vector<Refusal> refusals = {
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 0; }), gtin,
                   "GS1 DataBar kind 0 cannot be used (1 to 7)"),
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 8; }), gtin, "GS1 DataBar kind 8"),
        Gs1Refusal(gs1([](Gs1& g) { g.width = 0; }), gtin, "GS1 DataBar module width 0"),
        Gs1Refusal(gs1([](Gs1& g) { g.width = 7; }), gtin, "GS1 DataBar module width 7"),
        Gs1Refusal(gs1([](Gs1& g) { g.rowHeight = 1; }), gtin, "GS1 DataBar row height 1"),
        Gs1Refusal(gs1([](Gs1& g) { g.rowHeight = 251; }), gtin, "GS1 DataBar row height 251"),
        Gs1Refusal(gs1([](Gs1& g) { g.rowHeight2D = 0; }), gtin, "GS1 DataBar 2D row height 0"),
        Gs1Refusal(gs1([](Gs1& g) { g.rowHeight2D = 11; }), gtin, "2D row height 11"),
        Gs1Refusal(gs1([](Gs1& g) { g.separator = 0; }), gtin, "GS1 DataBar separator height 0"),
        Gs1Refusal(gs1([](Gs1& g) { g.separator = 11; }), gtin, "separator height 11"),
        Gs1Refusal(gs1([](Gs1& g) { g.hri = 0; }), gtin, "GS1 DataBar HRI content 0"),
        Gs1Refusal(gs1([](Gs1& g) { g.hri = 5; }), gtin, "GS1 DataBar HRI content 5"),
        Gs1Refusal(gs1([](Gs1& g) { g.ai = 2; }), gtin, "application identifier choice 2"),
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 7, g.segments = 1; }), "(01)01234567890128",
                   "GS1 DataBar segments per row 1"),
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 7, g.segments = 22; }), "(01)01234567890128",
                   "segments per row 22"),
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 7, g.segments = 3; }), "(01)01234567890128",
                   "segments per row 3 cannot be used (an even number)"),
        Gs1Refusal(Gs1{}, gtin + "|", "the composite part after '|' is empty"),
        Gs1Refusal(Gs1{}, "|(10)AB", "GS1 DataBar: the data is empty"),
        Gs1Refusal(gs1([](Gs1& g) { g.kind = 6; }), "01234567890128", "GS1 DataBar: "),
        {kPdf417, "A", PdfSettings(0, 0, 0, 3, 1), "PDF417 module width 0 cannot be used (1 to 7)"},
        {kPdf417, "A", PdfSettings(0, 0, 8, 3, 1), "PDF417 module width 8"},
        {kPdf417, "A", PdfSettings(0, 0, 2, 1, 1), "PDF417 row height 1"},
        {kPdf417, "A", PdfSettings(0, 0, 2, 26, 1), "PDF417 row height 26"},
        {kPdf417, "A", PdfSettings(0, 0, 2, 3, 9), "PDF417 error correction level 9"},
        {kPdf417, "01234567890123", PdfSettings(3, 3, 3, 3, 5),
         "PDF417: the data does not fit 3 rows and 3 columns at error correction level 5"},
        {kPdf417, std::string(200, 'x'), PdfSettings(0, 30, 7, 3, 8), "wider than the paper"},
        {kQrCode, "MA,1", QrSettings(0, 0, 2), "QR Code module width 0 cannot be used (1 to 24)"},
        {kQrCode, "MA,1", QrSettings(25, 0, 2), "QR Code module width 25"},
        {kQrCode, "MA,1", QrSettings(3, 2, 2), "QR Code language mode 2"},
        {kQrCode, "MA,1", QrSettings(3, 0, 0), "QR Code model 0"},
        {kQrCode, "MA,1", QrSettings(3, 0, 3), "QR Code model 3"},
        {kQrCode, "MA,1", QrSettings(3, 0, 1), "QR Code model 1 is not drawn"},
        {kQrCode, "XA,1", QrSettings(3, 0, 2), "QR Code error correction letter X"},
        {kQrCode, "M,1", QrSettings(3, 0, 2), "must start with the error correction letter"},
        {kQrCode, "MA,", QrSettings(3, 0, 2), "QR Code: the data is empty"},
        {kQrCode, "HA," + std::string(600, 'x'), QrSettings(8, 0, 2), "wider than the paper"},
        {kMaxiCode, "1",
         [] {
             BarcodeSettings s;
             s.level = 5;
             return s;
         }(),
         "MaxiCode setting byte 5"},
        {kMaxiCode, std::string(140, 'A'), BarcodeSettings{}, "MaxiCode: "},
    };
    for (const Refusal& r : refusals) {
        const auto drawing = DrawSymbol(r.m, Bytes(r.data), r.settings, kPaper);
        ASSERT_FALSE(drawing.ok()) << "m " << int{r.m} << " expected: " << r.message;
        EXPECT_NE(drawing.error().find(r.message), std::string::npos)
            << drawing.error() << " (expected: " << r.message << ")";
    }
    // The first bytes of the PDF417 settings and the QR settings.
    BarcodeSettings pdf = PdfSettings(0, 0, 2, 3, 1);
    pdf.pdf417[1] = 2;
    EXPECT_EQ(DrawSymbol(kPdf417, Bytes("A"), pdf, kPaper).error(),
              "PDF417 setting bytes 1 2 cannot be used (1 1)");
    BarcodeSettings qr = QrSettings(3, 0, 2);
    qr.qr[0] = 1;
    EXPECT_EQ(DrawSymbol(kQrCode, Bytes("MA,1"), qr, kPaper).error(),
              "QR Code setting byte 1 cannot be used (0 to 0)");
}

}  // namespace
}  // namespace zr640::test
