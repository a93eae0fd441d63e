// The emulated printer's commands: barcode settings and both forms of the barcode command,
// paper commands, events, and streams cut off or made of noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/barcode/test_print.h"
#include "core/driverlog/log_bitmap.h"
#include "core/driverlog/print_file_render.h"
#include "core/emulator/printer.h"
#include "core/printer/logo_commands.h"
#include "core/printer/self_test.h"
#include "core/settings/private_devmode.h"
#include "core/imaging/bmp.h"
#include "tests/native/print_file_builder.h"

namespace zr640::emulator {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<Event> Execute(const Bytes& stream) {
    Printer printer;
    printer.Run(stream);
    return printer.events();
}

std::vector<EventKind> Kinds(const std::vector<Event>& events) {
    std::vector<EventKind> kinds;
    for (const auto& event : events) kinds.push_back(event.kind);
    return kinds;
}

// A barcode event either way: drawn, or refused by the symbol drawing with its reason.
bool IsBarcode(const Event& event) {
    return event.kind == EventKind::kBarcode || event.kind == EventKind::kBarcodeRefused;
}

TEST(EmulatorBarcode, SettingCommandsKeepTheirParameterBytes) {
    Printer printer;
    printer.Run(Bytes{0x1D, 0x66, 0x01, 0x1D, 0x48, 0x03, 0x1D, 0x77, 0x05, 0x1D,
                      0x68, 0x50, 0x1D, 0x73, 1,    2,    3,    4,    5,    6,
                      7,    8,    0x1D, 0x70, 9,    10,   11,   12,   13,   14,
                      0x1D, 0x71, 0x04, 0x1D, 0x6F, 0x00, 0x06, 0x01, 0x02});
    const BarcodeSettings& s = printer.barcodeSettings();
    EXPECT_EQ(s.hriFont, 1);
    EXPECT_EQ(s.hriPosition, 3);
    EXPECT_EQ(s.moduleWidth, 5);
    EXPECT_EQ(s.height, 0x50);
    EXPECT_EQ(s.gs1, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.pdf417, (std::array<uint8_t, 6>{9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(s.level, 4);
    EXPECT_EQ(s.qr, (std::array<uint8_t, 4>{0, 6, 1, 2}));
    EXPECT_TRUE(printer.events().empty());

    // Initialising brings back the power-on values.
    printer.Run(Bytes{0x1B, 0x40});
    EXPECT_EQ(printer.barcodeSettings().moduleWidth, BarcodeSettings{}.moduleWidth);
    EXPECT_EQ(printer.barcodeSettings().hriPosition, 0);
}

TEST(EmulatorBarcode, TerminatedFormTakesTheDataUpToTheZero) {
    for (const int code : {0, 1, 2, 3, 4, 5, 6, 0x0A, 0x0B, 0x0C, 0x0D}) {
        const auto m = static_cast<uint8_t>(code);
        const auto events = Execute({0x1D, 0x6B, m, '1', '2', '3', 0x00, 0x1D, 0x56, 0x01});
        ASSERT_EQ(events.size(), 2u) << int{m};
        EXPECT_TRUE(IsBarcode(events[0]));
        EXPECT_NE(events[0].details.find("type " + std::to_string(m) + ", data \"123\""),
                  std::string::npos)
            << events[0].details;
        // The command ends at the zero: the cut after it is read as a cut.
        EXPECT_EQ(events[1].kind, EventKind::kCut);
    }
}

TEST(EmulatorBarcode, LengthFormTakesExactlyTheCountedBytes) {
    // Code128 with code set C packed: the data holds a zero byte and goes on past it.
    const auto events = Execute(
        {0x1D, 0x6B, 0x49, 0x05, 0x7B, 0x43, 0x00, 0x22, 0x41, 0x0A, 0x1B, 0x70, 0x00, 0x19, 0xFA});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(IsBarcode(events[0]));
    EXPECT_NE(events[0].details.find("type 73, data \"{C\\x00\\x22A\""), std::string::npos)
        << events[0].details;
    EXPECT_EQ(events[1].kind, EventKind::kDrawer);

    const auto code93 = Execute({0x1D, 0x6B, 0x48, 0x03, 'A', 'B', 'C'});
    ASSERT_EQ(code93.size(), 1u);
    EXPECT_NE(code93[0].details.find("type 72, data \"ABC\""), std::string::npos);
}

TEST(EmulatorBarcode, CutOffFormsAreTruncatedEvents) {
    const std::vector<Bytes> streams = {
        {0x1D, 0x6B},                    // no type
        {0x1D, 0x6B, 0x02, '1', '2'},    // no terminating zero
        {0x1D, 0x6B, 0x49},              // no length
        {0x1D, 0x6B, 0x49, 0x04, 0x7B},  // fewer bytes than counted
        {0x1D, 0x77},                    // a setting without its value
        {0x1D, 0x73, 1, 2, 3},           // GS1 settings cut short
    };
    for (const auto& stream : streams) {
        const auto events = Execute(stream);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].kind, EventKind::kTruncated);
    }
}

TEST(EmulatorBarcode, TypesWithoutAKnownFormAreUnknownBytes) {
    const auto events = Execute({0x1D, 0x6B, 0x20, 0x0A});
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].kind, EventKind::kUnknown);
    EXPECT_NE(events[0].details.find("1D 6B 20"), std::string::npos);
}

// The 1D Code page's test print of every general type, as the page sends it.
TEST(EmulatorBarcode, TestPrintsOfEveryGeneralTypeAreBarcodesThenACut) {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    struct Sample {
        uint8_t bType;
        const char* data;
    };
    const Sample samples[] = {{0, "123456789012"},  {1, "023456789012"}, {2, "12345678"},
                              {3, "1234567890123"}, {4, "123ABC*"},      {5, "123456789"},
                              {6, "A123456789A"},   {7, "123ABC"},       {8, "{A1234"}};
    for (const Sample& sample : samples) {
        Barcode1DSettings font = record.barcode1D[0];
        font.bType = sample.bType;
        const std::string data = sample.data;
        const auto job =
            Barcode1DTestPrint(font, {reinterpret_cast<const uint8_t*>(data.data()), data.size()});
        ASSERT_TRUE(job.has_value());
        Printer printer;
        printer.Run(job->Bytes());
        const auto& events = printer.events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back().kind, EventKind::kCut) << sample.data;
        const auto withData = std::count_if(events.begin(), events.end(), [&](const Event& e) {
            return IsBarcode(e) && e.details.find("\"" + data + "\"") != std::string::npos;
        });
        EXPECT_EQ(withData, 1) << sample.data;
        for (const auto& event : events) {
            EXPECT_NE(event.kind, EventKind::kUnknown) << sample.data << ": " << event.details;
            EXPECT_NE(event.kind, EventKind::kTruncated) << sample.data << ": " << event.details;
        }
        EXPECT_EQ(printer.barcodeSettings().moduleWidth, font.bElementWidth);
        EXPECT_EQ(printer.barcodeSettings().height, font.dwElementHeight & 0xFF);
    }
}

TEST(EmulatorEvents, MaintenanceCommandsAreEventsAtTheirRow) {
    Bytes stream = SelfTestJob().Bytes();  // brackets around the self-test request
    const Bytes rest = {0x15, 0x10, 0x1B, 0x70, 0x01, 0x32, 0x64,  // feed 16, drawer pin 5
                        0x1D, 0x56, 0x42, 0x08,                    // feed 8 and partial cut
                        0x1D, 0x56, 0x00};                         // full cut
    stream.insert(stream.end(), rest.begin(), rest.end());
    const auto events = Execute(stream);
    ASSERT_EQ(Kinds(events), (std::vector<EventKind>{EventKind::kBracketOpen, EventKind::kSelfTest,
                                                     EventKind::kBracketClose, EventKind::kDrawer,
                                                     EventKind::kCut, EventKind::kCut}));
    EXPECT_EQ(events[3].row, 16u);
    EXPECT_EQ(events[3].details, "pin 5, on 100 ms, off 200 ms");
    EXPECT_EQ(events[4].row, 24u);
    EXPECT_EQ(events[4].details, "partial cut after feeding 8 rows");
    EXPECT_EQ(events[5].details, "full cut");
}

TEST(EmulatorEvents, CutDrawsADashedLineAcrossThePaper) {
    Printer printer(64);
    printer.Run(Bytes{0x15, 0x05, 0x1D, 0x56, 0x30});
    const Paper& paper = printer.paper();
    for (uint32_t x = 0; x < 64; ++x) EXPECT_EQ(paper.Dot(x, 5), (x / 8) % 2 == 0) << x;
    EXPECT_FALSE(paper.Dot(0, 4));
}

TEST(EmulatorEvents, UnknownBytesAreOneEventPerRun) {
    const auto events = Execute({0x00, 0x07, 0xFF, 0x15, 0x02, 0x1B, 0x99, 0x1D, 0x56, 0x07});
    ASSERT_EQ(Kinds(events), (std::vector<EventKind>{EventKind::kUnknown, EventKind::kUnknown}));
    EXPECT_EQ(events[0].details, "00 07 FF (3 bytes)");
    EXPECT_EQ(events[0].row, 0u);
    EXPECT_EQ(events[1].details, "1B 99 1D 56 07 (5 bytes)");
    EXPECT_EQ(events[1].row, 2u);
}

TEST(EmulatorEvents, NearMissesOfFixedCommandsAreUnknownAndCutOffOnesTruncated) {
    EXPECT_EQ(Kinds(Execute({0x1B, 0x63, 0x3B, 0x02})),
              (std::vector<EventKind>{EventKind::kUnknown}));
    EXPECT_EQ(Kinds(Execute({0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x03})),
              (std::vector<EventKind>{EventKind::kUnknown}));
    EXPECT_EQ(Kinds(Execute({0x1D, 0x28, 0x41, 0x02})),
              (std::vector<EventKind>{EventKind::kTruncated}));
    EXPECT_EQ(Kinds(Execute({0x1B, 0x63, 0x3B})), (std::vector<EventKind>{EventKind::kTruncated}));
    EXPECT_EQ(Kinds(Execute({0x1B})), (std::vector<EventKind>{EventKind::kTruncated}));
}

TEST(EmulatorPaper, RasterLinesBandsAndFeedsPlaceDots) {
    Printer printer;
    // A raster line at row 0, feed 3, line spacing 10 with its line feed, a band of one
    // column 10 dots in, then the receipt's end.
    printer.Run(Bytes{0x16, 0x01, 0x81, 0x15, 0x03, 0x1B, 0x33, 0x0A, 0x0A, 0x1B, 0x24, 0x0A, 0x00,
                      0x1B, 0x2A, 0x21, 0x01, 0x00, 0x80, 0x00, 0x01, 0x1B, 0x33, 0x00, 0x0A});
    const Paper& paper = printer.paper();
    EXPECT_TRUE(paper.Dot(0, 0));
    EXPECT_TRUE(paper.Dot(7, 0));
    EXPECT_FALSE(paper.Dot(1, 0));
    EXPECT_TRUE(paper.Dot(10, 13));  // band top dot at row 3 + 10
    EXPECT_TRUE(paper.Dot(10, 36));  // its bottom dot, 23 rows lower
    EXPECT_FALSE(paper.Dot(10, 14));
    EXPECT_FALSE(paper.Dot(9, 13));
    ASSERT_EQ(Kinds(printer.events()), (std::vector<EventKind>{EventKind::kPageEnd}));
    EXPECT_EQ(printer.row(), 13u + 24u);
    // A plain line feed uses the spacing last set.
    printer.Run(Bytes{0x1B, 0x33, 0x05, 0x0A});
    EXPECT_EQ(printer.row(), 13u + 24u + 5u);
}

// Bit images, positions, line spacing and a receipt's end mean the same to the printer as
// to the log viewer's rendering: the same picture, rows and receipt end.
TEST(EmulatorPaper, BandsLandWhereTheLogViewerDrawsThem) {
    std::vector<uint8_t> columns;
    for (int i = 0; i < 3 * 90; ++i) columns.push_back(static_cast<uint8_t>(i * 37 + 11));
    testing::PrintFileBuilder file;
    file.Band(columns).Spacing(24).Position(13).Band(columns).Spacing(30);
    file.Position(600).Band(columns).Spacing(24).Position(8).Band(columns).PageEnd();

    BitmapBytes bitmap;
    const auto rendered = RenderPrintFile(file.bytes(), LineGeometry{}, bitmap);
    ASSERT_TRUE(rendered.ok()) << rendered.error();
    Printer printer;
    printer.Run(file.bytes());
    ASSERT_EQ(printer.row(), rendered->height);
    ASSERT_EQ(Kinds(printer.events()),
              (std::vector<EventKind>{EventKind::kPageEnd, EventKind::kCut}));
    EXPECT_EQ(printer.events()[0].row, rendered->pageEnds.at(0));

    const auto view = ParseBitmap(bitmap.bytes(), kGeneralLimits);
    ASSERT_TRUE(view.ok()) << view.error();
    int differences = 0, dots = 0;
    for (uint32_t y = 0; y < rendered->height; ++y) {
        const uint8_t* row = view->row(static_cast<int32_t>(rendered->height - 1 - y));
        for (uint32_t x = 0; x < 640; ++x) {
            const bool dot = (row[x / 8] >> (7 - x % 8) & 1) == 0;
            differences += printer.paper().Dot(x, y) != dot;
            dots += dot;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(dots, 1000);
}

TEST(EmulatorPaper, FeedsStopAtTheLongestPaper) {
    Printer printer(kWidestPaper);
    Bytes stream;
    for (int i = 0; i < 200000; ++i) {
        stream.insert(stream.end(), {0x15, 0xFF});
    }
    printer.Run(stream);
    EXPECT_EQ(printer.row(), printer.paper().longestRows());
    EXPECT_LE(printer.paper().bits().size(), kLongestPaperBytes);
    ASSERT_EQ(Kinds(printer.events()), (std::vector<EventKind>{EventKind::kPaperEnd}));
}

// Every prefix of a stream that uses every kind of command: no crash, and a prefix that
// ends inside a command says so as its last event.
TEST(EmulatorStreams, EveryPrefixOfAStreamIsHandled) {
    Bytes stream = SelfTestJob().Bytes();
    const Bytes tail = {0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00, 1,    2,    3,    4,    5,
                        6,    7,    8,    0x1C, 0x70, 0x01, 0x03, 0x1C, 0x72, 0x01, 0x01, 0x00,
                        0x01, 0x00, 0x01, 0x00, 1,    2,    3,    4,    5,    6,    7,    8,
                        0x16, 0x02, 0xFF, 0xFF, 0x1B, 0x2A, 0x21, 0x01, 0x00, 1,    2,    3,
                        0x1D, 0x6B, 0x49, 0x02, 'A',  'B',  0x1D, 0x56, 0x42, 0x00};
    stream.insert(stream.end(), tail.begin(), tail.end());
    const auto whole = Execute(stream);
    for (const auto& event : whole) EXPECT_NE(event.kind, EventKind::kUnknown) << event.details;
    for (size_t n = 0; n < stream.size(); ++n) {
        const auto events = Execute(Bytes(stream.begin(), stream.begin() + static_cast<long>(n)));
        EXPECT_LE(events.size(), whole.size() + 1);
    }
    // Cut inside the mono logo's data: the store keeps what it had.
    Printer printer;
    printer.Run(Bytes{0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00, 1, 2, 3});
    EXPECT_TRUE(printer.logos().empty());
    EXPECT_EQ(Kinds(printer.events()), (std::vector<EventKind>{EventKind::kTruncated}));
}

TEST(EmulatorStreams, RandomStreamsKeepEventsAndPaperBounded) {
    std::mt19937 random(22);
    for (int round = 0; round < 300; ++round) {
        Bytes stream(random() % 4096);
        // Mostly command bytes, so commands are started often.
        const uint8_t common[] = {0x0A, 0x15, 0x16, 0x1B, 0x1C, 0x1D, 0x00, 0x6B, 0x70, 0x71};
        for (auto& byte : stream) {
            byte = random() % 2 == 0 ? common[random() % 10] : static_cast<uint8_t>(random());
        }
        Printer printer;
        printer.Run(stream);
        EXPECT_LE(printer.events().size(), stream.size() + 1);
        EXPECT_LE(printer.paper().bits().size(), kLongestPaperBytes);
    }
}

}  // namespace
}  // namespace zr640::emulator
