// The code pages' test prints run through the emulated printer: the paper, cut to the symbol,
// reads back as the data sent (or the printer lists why it drew nothing).
#include <gtest/gtest.h>

#include <string>

#include "core/barcode/barcode_types.h"
#include "core/barcode/test_print.h"
#include "core/emulator/printer.h"
#include "core/settings/private_devmode.h"
#include "symbol_pictures.h"

namespace zr640::test {
namespace {

using emulator::Event;
using emulator::EventKind;
using emulator::Printer;

std::span<const uint8_t> Span(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

PrivateDevMode DefaultRecord() {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    return record;
}

struct Printed {
    std::vector<Event> events;
    SymbolDrawing symbol;  // the paper from the symbol's first row to the cut
};

// Runs the job and cuts the paper from the row of the last symbol drawn to the cut.
Printed Print(const RawJob& job) {
    Printer printer;
    printer.Run(job.Bytes());
    Printed printed{printer.events(), {}};
    uint64_t top = 0, bottom = 0;
    for (const Event& event : printed.events) {
        if (event.kind == EventKind::kBarcode) top = event.row;
        if (event.kind == EventKind::kCut) bottom = event.row;
    }
    const auto& paper = printer.paper();
    printed.symbol.width = paper.width();
    printed.symbol.height = static_cast<uint32_t>(bottom - top);
    for (uint64_t row = top; row < bottom; ++row) {
        for (uint32_t x = 0; x < paper.width(); ++x)
            printed.symbol.dots.push_back(paper.Dot(x, row));
    }
    return printed;
}

// The symbol events of a print, drawn or refused, with their details.
std::string SymbolEvents(const Printed& printed) {
    std::string text;
    for (const Event& event : printed.events) {
        if (event.kind == EventKind::kBarcode || event.kind == EventKind::kBarcodeRefused)
            text += std::string(emulator::EventName(event.kind)) + " " + event.details + "\n";
    }
    return text;
}

struct Case {
    uint8_t bType;
    std::string data;
    std::string format;  // the reader's name, empty where it does not read the kind
    std::string read;    // the text read back
    bool pure = false;   // read from the picture cut to the symbol only
};

void ExpectReadBack(const Case& c, const RawJob& job) {
    SCOPED_TRACE("type " + std::to_string(c.bType) + " data \"" + c.data + "\"");
    const Printed printed = Print(job);
    ASSERT_EQ(printed.events.back().kind, EventKind::kCut);
    ASSERT_GT(printed.symbol.height, 0u) << SymbolEvents(printed);
    const Reading reading = Read(CutToInk(printed.symbol, 16), c.format, c.pure);
    ASSERT_NE(reading.status, -1) << "the reader aborted";
    ASSERT_TRUE(reading.read) << SymbolEvents(printed);
    EXPECT_EQ(reading.textHex, Hex(c.read));
}

TEST(SymbolTestPrintTest, OneDimensionalPageTestPrintsReadBack) {
    const PrivateDevMode record = DefaultRecord();
    const std::vector<Case> cases = {
        {0, "123456789012", "UPC-A", "123456789012"},
        {1, "01234500006", "UPC-E", "01234565"},
        {2, "1234567", "EAN-8", "12345670"},
        {3, "123456789012", "EAN-13", "1234567890128"},
        {4, "123ABC*", "Code39", "123ABC"},
        {5, "123456789", "ITF", "0123456789"},
        {6, "A123456789A", "Codabar", "A123456789A"},
        {7, "123ABC", "Code93", "123ABC"},
        {8, "{A1234", "Code128", "1234"},
        {8, "{C1234{B-x", "Code128", "1234-x"},  // sent packed
        {9, "0123456789012", "DataBar", "01234567890128"},
        {10, "0123456789012", "DataBar", "01234567890128"},
        {12, "(01)01234567890128(10)AB", "DataBarExpanded", "(01)01234567890128(10)AB"},
    };
    for (const Case& c : cases) {
        Barcode1DSettings font = record.barcode1D[0];
        font.bType = c.bType;
        font.bHriPosition = 2;
        const auto job = Barcode1DTestPrint(font, Span(c.data));
        ASSERT_TRUE(job.has_value()) << c.data;
        ExpectReadBack(c, *job);
    }
}

TEST(SymbolTestPrintTest, LimitedIsPrintedAsItsDrawing) {
    // The reader does not know GS1 DataBar Limited: the paper holds the symbol's drawing.
    Barcode1DSettings font = DefaultRecord().barcode1D[0];
    font.bType = 11;
    const auto job = Barcode1DTestPrint(font, Span("0123456789012"));
    ASSERT_TRUE(job.has_value());
    const Printed printed = Print(*job);
    emulator::BarcodeSettings settings;
    settings.gs1 = {5,
                    font.bGs1ElementWidth,
                    static_cast<uint8_t>(font.dwGs1RowHeight),
                    static_cast<uint8_t>(font.dwGs1RowHeight2D),
                    font.bGs1SeparatorHeight,
                    2,
                    font.bGs1Hri,
                    font.bGs1Ai};
    const auto drawing = emulator::DrawSymbol(0x0D, Span("0123456789012"), settings, 640);
    ASSERT_TRUE(drawing.ok());
    EXPECT_EQ(Cut(printed.symbol, 0, 0, drawing->width, drawing->height).dots, drawing->dots);
}

TEST(SymbolTestPrintTest, SamplesThePrinterCannotDrawAreListedWithTheReason) {
    // The pages' samples of UPC-E, EAN8, EAN13 and the GS1 kinds; the default PDF417 and QR
    // settings.
    const PrivateDevMode record = DefaultRecord();
    const std::vector<std::pair<uint8_t, std::string>> samples = {
        {1, "has no zero-suppressed form"},
        {2, "check digit"},
        {3, "check digit"},
        {9, "check digit"},
        {12, "GS1 DataBar: "}};
    for (const auto& [bType, reason] : samples) {
        Barcode1DSettings font = record.barcode1D[0];
        font.bType = bType;
        const auto type = Barcode1DTypeOf(bType);
        const std::u16string_view sample = type->sample;
        const std::string data(sample.begin(), sample.end());
        const Printed printed = Print(*Barcode1DTestPrint(font, Span(data)));
        EXPECT_NE(SymbolEvents(printed).find("barcode-refused"), std::string::npos) << data;
        EXPECT_NE(SymbolEvents(printed).find(reason), std::string::npos) << SymbolEvents(printed);
    }
    Barcode2DSettings pdf = record.barcode2D[0];
    pdf.bType = 0;
    EXPECT_NE(SymbolEvents(Print(*Barcode2DTestPrint(pdf, Span("01234567890123"))))
                  .find("the data does not fit 3 rows and 3 columns"),
              std::string::npos);
    Barcode2DSettings qr = record.barcode2D[0];
    qr.bType = 4;
    EXPECT_NE(SymbolEvents(Print(*Barcode2DTestPrint(qr, Span("01234567890123"))))
                  .find("QR Code model 1 is not drawn"),
              std::string::npos);
}

TEST(SymbolTestPrintTest, TwoDimensionalPageTestPrintsReadBack) {
    const PrivateDevMode record = DefaultRecord();
    const std::string sample = "01234567890123";
    const std::vector<Case> cases = {
        {0, sample, "PDF417", sample},
        {1, "0123456789012", "DataBar", "01234567890128", true},
        {2, "0123456789012", "DataBar", "01234567890128", true},
        {3, "(01)01234567890128(10)ABC", "DataBarExpanded", "(01)01234567890128(10)ABC", true},
        {4, sample, "QRCode", sample},
        {5, sample, "MaxiCode", sample, true},
    };
    for (const Case& c : cases) {
        Barcode2DSettings font = record.barcode2D[0];
        font.bType = c.bType;
        font.bPdfRows = 24;  // room for the data at level 5
        font.bQrModel = 2;
        font.bGs1Hri = 4;  // the reader wants the symbol alone
        const auto job = Barcode2DTestPrint(font, Span(c.data));
        ASSERT_TRUE(job.has_value()) << c.data;
        ExpectReadBack(c, *job);
    }
}

}  // namespace
}  // namespace zr640::test
