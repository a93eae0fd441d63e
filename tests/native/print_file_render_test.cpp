#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/driverlog/bit_image_band.h"
#include "core/driverlog/log_bitmap.h"
#include "core/driverlog/print_file_render.h"
#include "tests/native/print_file_builder.h"

namespace zr640 {
namespace {

using testing::PrintFileBuilder;
using Bytes = std::vector<uint8_t>;

constexpr LineGeometry kDefault{80, 640};

struct Rendered {
    uint32_t height = 0;
    std::vector<uint32_t> pageEnds;
    Bytes bitmap;
};

Rendered Render(const Bytes& file, LineGeometry geometry = kDefault) {
    BitmapBytes sink;
    const auto picture = RenderPrintFile(file, geometry, sink);
    EXPECT_TRUE(picture.ok()) << picture.error();
    if (!picture) return {};
    EXPECT_EQ(sink.bytes().size(),
              kLogBitmapHeaderSize + size_t{geometry.bytesPerRow} * picture->height);
    return {picture->height, picture->pageEnds, sink.bytes()};
}

// Row `row` counted from the top, as printed dots (the file stores rows bottom-up, inverted).
Bytes DotsOf(const Bytes& bitmap, const LineGeometry& g, uint32_t row) {
    const uint32_t height = LoadU32(&bitmap[22]);
    const size_t start = kLogBitmapHeaderSize + size_t{height - 1 - row} * g.bytesPerRow;
    Bytes dots(bitmap.begin() + static_cast<long>(start),
               bitmap.begin() + static_cast<long>(start + g.bytesPerRow));
    for (auto& b : dots) b = static_cast<uint8_t>(~b);
    return dots;
}

Bytes Blank(const LineGeometry& g = kDefault) { return Bytes(g.bytesPerRow, 0); }

// Line data that holds no command byte, so that a line the scan walks through adds nothing.
Bytes LineData(size_t size, unsigned seed) {
    Bytes data(size);
    for (size_t j = 0; j < size; ++j) data[j] = static_cast<uint8_t>(0x20 + (seed * 7 + j) % 0x60);
    return data;
}

Bytes Padded(Bytes data, const LineGeometry& g = kDefault) {
    data.resize(g.bytesPerRow, 0);
    return data;
}

// The band decoder's definition, one dot at a time.
Bytes ReferenceBand(const Bytes& columnBytes, size_t stride, size_t maxBytes) {
    Bytes rows(kBandRows * stride, 0);
    for (size_t c = 0; c < columnBytes.size() / 3 && c / 8 < maxBytes; ++c) {
        for (size_t dot = 0; dot < 24; ++dot) {
            if (columnBytes[3 * c + dot / 8] & (0x80 >> (dot % 8))) {
                rows[dot * stride + c / 8] |= static_cast<uint8_t>(0x80 >> (c % 8));
            }
        }
    }
    return rows;
}

Bytes RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

// --- Raster lines and page ends ------------------------------------------------------------

TEST(RenderRaster, LinesUpToTheLastAreDrawnAndTheLastEndsThePage) {
    const size_t n = 6;
    PrintFileBuilder file;
    for (unsigned i = 0; i < n; ++i) {
        file.Line(LineData(80, i));
        if (i + 1 < n) file.Feed(1);
    }
    file.LastLineTail();
    const auto log = Render(file.bytes());
    EXPECT_EQ(log.height, n - 2);
    EXPECT_EQ(log.pageEnds, std::vector<uint32_t>{n - 2});
    const Bytes bitmap = log.bitmap;
    ASSERT_EQ(bitmap.size(), kLogBitmapHeaderSize + 80 * (n - 2));
    for (unsigned row = 0; row < n - 2; ++row) {
        EXPECT_EQ(DotsOf(bitmap, kDefault, row), LineData(80, row));
    }
}

TEST(RenderRaster, FeedInFrontOfADrawnLineMovesIt) {
    PrintFileBuilder file;
    file.Line(LineData(10, 1))
        .Feed(5)
        .Line(LineData(10, 2))
        .Feed(1)
        .Line(LineData(10, 3))
        .LastLineTail();
    const auto log = Render(file.bytes());
    EXPECT_EQ(log.height, 5u);
    EXPECT_EQ(log.pageEnds, std::vector<uint32_t>{5});
    const Bytes bitmap = log.bitmap;
    EXPECT_EQ(DotsOf(bitmap, kDefault, 0), Padded(LineData(10, 1)));
    for (uint32_t row = 1; row < 5; ++row) EXPECT_EQ(DotsOf(bitmap, kDefault, row), Blank());
}

TEST(RenderRaster, LineWithoutFeedAndNextLineIsNotDrawnButStillEndsAPage) {
    // The byte in front of "01 1D 44 00" is not looked at.
    PrintFileBuilder file;
    file.Line(LineData(80, 1)).Raw({0x00, 0x01, 0x1D, 0x44, 0x00}).Spacing(3);
    auto log = Render(file.bytes());
    EXPECT_EQ(log.height, 3u);
    EXPECT_EQ(log.pageEnds, std::vector<uint32_t>{0});
    EXPECT_EQ(DotsOf(log.bitmap, kDefault, 0), Blank());

    // A feed but no raster line after it: not drawn either.
    PrintFileBuilder feedOnly;
    feedOnly.Line(LineData(80, 1)).Feed(1).Spacing(2).PageEnd();
    log = Render(feedOnly.bytes());
    EXPECT_EQ(DotsOf(log.bitmap, kDefault, 0), Blank());
    EXPECT_EQ(log.pageEnds, std::vector<uint32_t>{26});  // the feed counts only before a drawn line
}

TEST(RenderRaster, LineLongerThanTheRowIsCutAtTheRowEnd) {
    const LineGeometry narrow{4, 32};
    PrintFileBuilder file;
    file.Line({1, 2, 3, 4, 5, 6})
        .Feed(1)
        .Line({7})
        .Feed(1)
        .Line({9})
        .Feed(1)
        .Line({8})
        .LastLineTail();
    const auto log = Render(file.bytes(), narrow);
    ASSERT_EQ(log.height, 2u);
    const Bytes bitmap = log.bitmap;
    EXPECT_EQ(DotsOf(bitmap, narrow, 0), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(DotsOf(bitmap, narrow, 1), (Bytes{7, 0, 0, 0}));
}

TEST(RenderRaster, LineRightAfterTheFirstByteLooksAtNothingBeforeTheFile) {
    // The scan starts at offset 1: a raster line there has no two bytes in front of it.
    const Bytes file{0x15, 0x16, 0x01, 0xAA, 0x15, 0x01, 0x16, 0x01, 0x55, 0x15,
                     0x01, 0x16, 0x01, 0x66, 0x15, 0x01, 0x1D, 0x44, 0x00};
    const auto log = Render(file, LineGeometry{4, 32});
    ASSERT_EQ(log.height, 1u);
    EXPECT_EQ(DotsOf(log.bitmap, LineGeometry{4, 32}, 0), (Bytes{0xAA, 0, 0, 0}));
}

TEST(RenderLineSpacing, MovesThePaperAndZeroEndsAPage) {
    PrintFileBuilder file;
    file.Spacing(0x18).PageEnd().Spacing(5).PageEnd();
    const auto log = Render(file.bytes());
    EXPECT_EQ(log.height, 24u + 24u + 5u + 24u);
    EXPECT_EQ(log.pageEnds, (std::vector<uint32_t>{48, 77}));
}

TEST(RenderLineSpacing, ThreeBytesAfterAPageEndArePassedOver) {
    // "1B 33 05 0A" hidden in the three bytes is not seen; one byte later it is.
    const Bytes hidden =
        PrintFileBuilder().Raw({0x1B, 0x33, 0x00, 0x0A, 0x1B, 0x33, 0x05}).Raw({0x0A}).bytes();
    EXPECT_EQ(Render(hidden).height, 24u);
    const Bytes seen = PrintFileBuilder().PageEnd().Spacing(5).bytes();
    EXPECT_EQ(Render(seen).height, 29u);
}

TEST(RenderPageEnds, MoreThanTwoHundredFiftyAreAllKept) {
    PrintFileBuilder file;
    for (int receipt = 0; receipt < 300; ++receipt) {
        file.Line(LineData(80, 1)).Feed(2).Line(LineData(80, 2)).Feed(1).Line(LineData(80, 3));
        file.LastLineTail().Spacing(10).PageEnd();
    }
    const auto log = Render(file.bytes());
    ASSERT_EQ(log.pageEnds.size(), 600u);
    // Per receipt: the line-tail end after the 2-row feed, then 10 + 24 rows and the second end.
    for (uint32_t k = 0; k < 300; ++k) {
        EXPECT_EQ(log.pageEnds[2 * k], 36 * k + 2);
        EXPECT_EQ(log.pageEnds[2 * k + 1], 36 * k + 36);
    }
    EXPECT_EQ(log.height, 300u * 36);
}

// --- Bit-image bands -----------------------------------------------------------------------

TEST(BandDecoder, MatchesTheDotByDotDefinition) {
    // Whole and partial groups of eight columns, even and odd numbers of them, cut or not.
    for (size_t columns : {0u, 1u, 7u, 8u, 9u, 16u, 24u, 100u, 200u, 640u, 700u}) {
        for (size_t maxBytes : {80u, 5u, 2u, 1u}) {
            const Bytes data = RandomBytes(3 * columns, static_cast<unsigned>(columns));
            Bytes command{0x21, static_cast<uint8_t>(columns), static_cast<uint8_t>(columns >> 8)};
            command.insert(command.end(), data.begin(), data.end());
            Bytes rows(kBandRows * 80, 0);
            EXPECT_EQ(DecodeBand(command, rows, 80, maxBytes), static_cast<int>((columns + 7) / 8));
            EXPECT_EQ(rows, ReferenceBand(data, 80, maxBytes))
                << columns << " columns, " << maxBytes;
        }
    }
}

TEST(BandDecoder, RefusesOtherModesAndCutCommands) {
    Bytes rows(kBandRows * 80, 0);
    EXPECT_EQ(DecodeBand(Bytes{0x20, 1, 0, 1, 2, 3}, rows, 80, 80), -1);
    EXPECT_EQ(DecodeBand(Bytes{0x21, 2, 0, 1, 2, 3}, rows, 80, 80), -1);
    EXPECT_EQ(DecodeBand(Bytes{0x21, 1}, rows, 80, 80), -1);
    EXPECT_EQ(DecodeBand(Bytes{0x21, 1, 0, 1, 2, 3}, std::span<uint8_t>(rows).first(80), 80, 80),
              -1);
}

TEST(BandDecoder, SixHundredFortyColumnsFillEightyBytesPerRow) {
    Bytes command{0x21, 0x80, 0x02};
    command.resize(3 + 3 * 640, 0xFF);
    Bytes rows(kBandRows * 80, 0);
    EXPECT_EQ(DecodeBand(command, rows, 80, 80), 80);
    EXPECT_EQ(rows, Bytes(kBandRows * 80, 0xFF));
}

// A band whose dot row r is the byte pattern r + 1 in every column group: column bytes are
// chosen so that each row's byte is easy to predict.
Bytes StripedBand(size_t columns) {
    Bytes data(3 * columns, 0);
    for (size_t c = 0; c < columns; ++c) {
        // Column c carries dot rows 0, 8 and 16 when c is even: rows 0, 8 and 16 get 0xAA.
        if (c % 2 == 0) data[3 * c] = data[3 * c + 1] = data[3 * c + 2] = 0x80;
    }
    return data;
}

TEST(RenderBand, AtPositionZeroAndTenDots) {
    for (uint16_t x : {uint16_t{0}, uint16_t{10}}) {
        PrintFileBuilder file;
        file.Position(x).Band(StripedBand(16)).Spacing(24).PageEnd();
        const auto log = Render(file.bytes());
        ASSERT_EQ(log.height, 48u);
        const Bytes bitmap = log.bitmap;
        Bytes striped = Blank();
        if (x == 0) {
            striped[0] = striped[1] = 0xAA;
        } else {
            // One zero byte, then the two bytes shifted right by 2 bits, then what shifted out.
            striped[1] = 0x2A;
            striped[2] = 0xAA;
            striped[3] = 0x80;
        }
        for (uint32_t row = 0; row < 24; ++row) {
            EXPECT_EQ(DotsOf(bitmap, kDefault, row), row % 8 == 0 ? striped : Blank())
                << x << " row " << row;
        }
        for (uint32_t row = 24; row < 48; ++row) EXPECT_EQ(DotsOf(bitmap, kDefault, row), Blank());
    }
}

TEST(RenderBand, PositionHoldsForLaterBandsAndFullWidthFillsTheRows) {
    Bytes full(3 * 640, 0xFF);
    PrintFileBuilder file;
    file.Position(8).Band(StripedBand(8)).Spacing(24).Band(StripedBand(8)).Spacing(24);
    file.Position(0).Band(full).Spacing(24).PageEnd();
    const auto log = Render(file.bytes());
    const Bytes bitmap = log.bitmap;
    Bytes second = Blank();
    second[1] = 0xAA;
    EXPECT_EQ(DotsOf(bitmap, kDefault, 0), second);
    EXPECT_EQ(DotsOf(bitmap, kDefault, 24), second);
    for (uint32_t row = 48; row < 72; ++row) {
        EXPECT_EQ(DotsOf(bitmap, kDefault, row), Bytes(80, 0xFF));
    }
}

TEST(RenderBand, WiderThanTheRowIsCutAtTheRowEnd) {
    const LineGeometry narrow{4, 32};
    for (uint16_t x : {uint16_t{0}, uint16_t{20}, uint16_t{24}, uint16_t{40}}) {
        PrintFileBuilder file;
        file.Position(x).Band(Bytes(3 * 700, 0xFF)).Spacing(24).PageEnd();
        const auto log = Render(file.bytes(), narrow);
        ASSERT_EQ(log.height, 48u);
        const Bytes bitmap = log.bitmap;
        Bytes expected{0, 0, 0, 0};
        for (size_t dot = x; dot < 32; ++dot) {
            expected[dot / 8] |= static_cast<uint8_t>(0x80 >> (dot % 8));
        }
        for (uint32_t row = 0; row < 24; ++row) {
            EXPECT_EQ(DotsOf(bitmap, narrow, row), expected) << x;
        }
        EXPECT_EQ(DotsOf(bitmap, narrow, 24), Blank(narrow));  // nothing spilled into the next rows
    }
}

TEST(RenderBand, RunningPastTheRowEndIsCut) {
    // 100 columns at 600 dots: dots 600..639 are drawn, the rest dropped.
    PrintFileBuilder file;
    file.Position(600).Band(Bytes(3 * 100, 0xFF)).Spacing(24).PageEnd();
    const Bytes bitmap = Render(file.bytes()).bitmap;
    Bytes expected = Blank();
    for (size_t i = 75; i < 80; ++i) expected[i] = 0xFF;
    EXPECT_EQ(DotsOf(bitmap, kDefault, 23), expected);

    // Starting inside a byte near the end: the carry byte falls outside and is dropped.
    PrintFileBuilder shifted;
    shifted.Position(636).Band(Bytes(3 * 8, 0xFF)).Spacing(24).PageEnd();
    expected = Blank();
    expected[79] = 0x0F;
    EXPECT_EQ(DotsOf(Render(shifted.bytes()).bitmap, kDefault, 0), expected);
}

TEST(RenderBand, BandsWithoutAPageEndRenderNothing) {
    PrintFileBuilder file;
    file.Band(Bytes(3 * 640, 0xFF)).Spacing(24).Band(Bytes(3 * 640, 0x0F)).Spacing(24);
    const auto log = ScanPrintFile(file.bytes(), kDefault);
    ASSERT_FALSE(log.ok());
    EXPECT_NE(log.error().find("no page"), std::string::npos);
}

// --- Files that end inside a command ---------------------------------------------------------

// Every proper prefix of `command`, behind a complete receipt, leaves the result of the
// receipt alone, even though the rest of the command lies in memory just past the file's end.
// A command that would show in the picture is checked to show when it is whole.
void ExpectCutCommandIgnored(const Bytes& command, const char* what, bool visible = true) {
    PrintFileBuilder builder;
    builder.Line(LineData(80, 1))
        .Feed(1)
        .Line(LineData(80, 2))
        .Feed(1)
        .Line(LineData(80, 3))
        .LastLineTail();
    const Bytes receipt = builder.bytes();
    const auto base = Render(receipt);
    Bytes whole = receipt;
    whole.insert(whole.end(), command.begin(), command.end());
    for (size_t cut = 0; cut < command.size(); ++cut) {
        BitmapBytes sink;
        const auto picture = RenderPrintFile(
            std::span<const uint8_t>(whole.data(), receipt.size() + cut), kDefault, sink);
        ASSERT_TRUE(picture.ok()) << what << " cut after " << cut;
        EXPECT_EQ(picture->pageEnds, base.pageEnds) << what << " cut after " << cut;
        EXPECT_EQ(sink.bytes(), base.bitmap) << what << " cut after " << cut;
    }
    if (!visible) return;
    const auto complete = Render(whole);
    EXPECT_TRUE(complete.pageEnds != base.pageEnds || complete.bitmap != base.bitmap) << what;
}

TEST(RenderCutOff, FileEndingInsideEveryKindOfCommand) {
    ExpectCutCommandIgnored({0x16, 0x03, 0x41, 0x42, 0x43, 0x15, 0x01, 0x1D, 0x44, 0x00},
                            "last raster line");
    ExpectCutCommandIgnored({0x1B, 0x33, 0x18, 0x0A}, "line spacing");
    ExpectCutCommandIgnored({0x1B, 0x33, 0x00, 0x0A}, "page end");
    // A band at the end of the file lies below the picture even when it is whole.
    ExpectCutCommandIgnored({0x1B, 0x2A, 0x21, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                            "band", false);
    ExpectCutCommandIgnored(
        {0x1B, 0x24, 0x0A, 0x00, 0x1B, 0x2A, 0x21, 0x01, 0x00, 0xFF, 0xFF, 0xFF}, "positioned band",
        false);
    // A drawn line needs the next line's first byte; without it the line is not drawn.
    ExpectCutCommandIgnored({0x15, 0x05, 0x16, 0x01, 0xFF, 0x15, 0x01, 0x16}, "feed and line");
}

// --- Refusals ----------------------------------------------------------------------------------

TEST(RenderRefusal, UnusableLogs) {
    EXPECT_FALSE(ScanPrintFile({}, kDefault).ok());
    EXPECT_FALSE(ScanPrintFile(Bytes{0x1B}, kDefault).ok());
    const Bytes noFeed = PrintFileBuilder().Line(LineData(80, 1)).LastLineTail().bytes();
    const auto refused = ScanPrintFile(noFeed, kDefault);  // a page end at row 0, no rows
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("no paper"), std::string::npos);
    EXPECT_FALSE(ScanPrintFile(PrintFileBuilder().Spacing(30).bytes(), kDefault).ok());
    // Nothing at all is written for a refused file.
    BitmapBytes sink;
    EXPECT_FALSE(RenderPrintFile(noFeed, kDefault, sink).ok());
    EXPECT_TRUE(sink.bytes().empty());
}

TEST(RenderRefusal, LineGeometryMustFitTogether) {
    for (auto [bytes, dots] :
         {std::pair<int64_t, int64_t>{80, 640}, {80, 610}, {4, 1}, {8192, 65536}}) {
        EXPECT_TRUE(MakeLineGeometry(bytes, dots).ok()) << bytes << " " << dots;
    }
    for (auto [bytes, dots] : {std::pair<int64_t, int64_t>{81, 640},
                               {80, 641},
                               {0, 0},
                               {-80, -640},
                               {80, 0},
                               {0, 640},
                               {8196, 65537},
                               {1, 8}}) {
        EXPECT_FALSE(MakeLineGeometry(bytes, dots).ok()) << bytes << " " << dots;
    }
    // The renderer itself refuses a geometry that was never checked.
    const Bytes file = PrintFileBuilder().PageEnd().bytes();
    EXPECT_FALSE(ScanPrintFile(file, LineGeometry{81, 640}).ok());
    EXPECT_FALSE(ScanPrintFile(file, LineGeometry{0, 0}).ok());
}

// Feeds that reach `rows` dot rows in all, ending with a page end.
Bytes FeedsTo(uint64_t rows) {
    PrintFileBuilder file;
    rows -= 24;
    for (; rows >= 255; rows -= 255) file.Spacing(255);
    if (rows > 0) file.Spacing(static_cast<uint8_t>(rows));
    return file.PageEnd().bytes();
}

TEST(RenderRefusal, PictureOverTheSizeCap) {
    const uint64_t largestRows = kLargestLogPicture / 80;
    const auto atCap = ScanPrintFile(FeedsTo(largestRows), kDefault);
    ASSERT_TRUE(atCap.ok()) << atCap.error();
    EXPECT_EQ(atCap->height, largestRows);
    const auto over = ScanPrintFile(FeedsTo(largestRows + 1), kDefault);
    ASSERT_FALSE(over.ok());
    EXPECT_NE(over.error().find("larger"), std::string::npos);
    EXPECT_FALSE(ScanPrintFile(FeedsTo(1000), kDefault, 999 * 80).ok());
    EXPECT_FALSE(ScanPrintFile(FeedsTo(largestRows + 1), kDefault, kLargestLogPicture * 2).ok());
}

// --- The bitmap ------------------------------------------------------------------------------

TEST(LogBitmap, HeaderAndBottomUpRowsOfAPage) {
    const uint32_t n = 100;  // rows of the page
    PrintFileBuilder file;
    file.Line(Bytes(80, 0xFF)).Feed(n - 24).Line(Bytes(80, 0x01)).Feed(1).Line({}).Raw({0x1D});
    file.PageEnd();
    const auto log = Render(file.bytes());
    ASSERT_EQ(log.height, n);
    const Bytes bitmap = log.bitmap;
    ASSERT_EQ(bitmap.size(), 62u + 80u * n);
    Bytes header(62, 0);
    header[0] = 'B';
    header[1] = 'M';
    StoreU32(&header[2], 80 * n + 62);
    StoreU32(&header[10], 62);
    StoreU32(&header[14], 40);
    StoreU32(&header[18], 640);
    StoreU32(&header[22], n);
    header[26] = 1;
    header[28] = 1;
    StoreU32(&header[34], 80 * n);
    StoreU32(&header[58], 0x00FFFFFF);
    EXPECT_EQ(Bytes(bitmap.begin(), bitmap.begin() + 62), header);
    // The first stored row is the bottom one; the top row (all dots) is stored last.
    EXPECT_EQ(Bytes(bitmap.end() - 80, bitmap.end()), Bytes(80, 0x00));
    EXPECT_EQ(DotsOf(bitmap, kDefault, n - 24), Padded(Bytes(80, 0x01)));
    // Rows passed by the feeds without drawing are blank paper.
    EXPECT_EQ(Bytes(bitmap.begin() + 62, bitmap.begin() + 62 + 80), Bytes(80, 0xFF));
    EXPECT_EQ(DotsOf(bitmap, kDefault, 1), Blank());
}

// Many pages of raster lines, with stretches of feed longer than the renderer keeps in
// memory at once: every row is where the commands put it.
TEST(LogBitmap, TallPictureRowByRow) {
    PrintFileBuilder file;
    std::map<uint32_t, Bytes> drawn;
    uint32_t row = 0;
    for (unsigned segment = 0; segment < 4; ++segment) {
        for (unsigned i = 0; i < 6000; ++i) {
            const unsigned id = segment * 6000 + i;
            file.Line(LineData(80, id));
            if (i + 1 < 6000) {
                drawn[row] = LineData(80, id);
                const uint8_t feed = static_cast<uint8_t>(i % 500 == 0 ? 200 : 1 + i % 3);
                file.Feed(feed);
                if (i + 2 < 6000) row += feed;  // counted only in front of a drawn line
            }
        }
        // The segment's last line is followed by a long line feed and is not drawn.
        for (int k = 0; k < 60; ++k) file.Spacing(255);
        row += 60 * 255;
    }
    file.PageEnd();
    row += 24;
    const auto log = Render(file.bytes());
    ASSERT_EQ(log.height, row);
    for (uint32_t r = 0; r < row; ++r) {
        const auto it = drawn.find(r);
        ASSERT_EQ(DotsOf(log.bitmap, kDefault, r), it == drawn.end() ? Blank() : it->second)
            << "row " << r;
    }
}

// Bands that overlap (line spacing shorter than a band) and of varying width: a later band
// overwrites the rows and bytes it covers and leaves the rest.
TEST(LogBitmap, OverlappingBandsRowByRow) {
    PrintFileBuilder file;
    std::map<uint32_t, Bytes> rows;
    uint32_t row = 0;
    for (unsigned b = 0; b < 3000; ++b) {
        const size_t columns = 8 * (1 + b % 80);
        Bytes data(3 * columns, 0);
        for (size_t c = 0; c < columns; ++c) {
            data[3 * c] = 0x80;      // dot row 0
            data[3 * c + 2] = 0x01;  // dot row 23
        }
        file.Band(data);
        for (uint32_t i = 0; i < 24; ++i) {
            Bytes& target = rows.try_emplace(row + i, Blank()).first->second;
            std::fill_n(target.begin(), columns / 8, i == 0 || i == 23 ? 0xFF : 0x00);
        }
        const uint8_t spacing = static_cast<uint8_t>(b % 4 == 0 ? 24 : 7 + b % 11);
        file.Spacing(spacing);
        row += spacing;
    }
    file.PageEnd();
    row += 24;
    const auto log = Render(file.bytes());
    ASSERT_EQ(log.height, row);
    for (uint32_t r = 0; r < row; ++r) {
        const auto it = rows.find(r);
        ASSERT_EQ(DotsOf(log.bitmap, kDefault, r), it == rows.end() ? Blank() : it->second)
            << "row " << r;
    }
}

// Fails every write from the n-th on.
class FailingSink : public BitmapSink {
public:
    explicit FailingSink(int failFrom) : failFrom_(failFrom) {}
    bool WriteAt(uint64_t, std::span<const uint8_t>) override { return ++writes < failFrom_; }
    int writes = 0;

private:
    int failFrom_;
};

TEST(LogBitmap, AFailedWriteFailsTheRendering) {
    PrintFileBuilder file;
    for (int k = 0; k < 300; ++k) file.Spacing(255);  // several pieces of blank rows
    file.PageEnd();
    for (int failFrom : {1, 2, 3}) {
        FailingSink sink(failFrom);
        const auto picture = RenderPrintFile(file.bytes(), kDefault, sink);
        ASSERT_FALSE(picture.ok()) << failFrom;
        EXPECT_EQ(sink.writes, failFrom) << "no write after the failed one";
    }
}

class LogBitmapFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("zr640_bitmap_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    static Bytes Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path folder_;
};

TEST_F(LogBitmapFile, ReplacesAnOlderFile) {
    const auto path = folder_ / "job.bmp";
    std::ofstream(path) << "an older, longer bitmap than the new one will be";
    const Bytes file =
        PrintFileBuilder().Line({0xF0}).Feed(1).Line({}).LastLineTail().Spacing(2).bytes();
    const auto picture = RenderPrintFileToBitmap(file, kDefault, path);
    ASSERT_TRUE(picture.ok()) << picture.error();
    EXPECT_EQ(picture->pageEnds, std::vector<uint32_t>{0});
    EXPECT_EQ(Read(path), Render(file).bitmap);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(LogBitmapFile, FailureLeavesNoFileBehind) {
    const Bytes file = PrintFileBuilder().PageEnd().bytes();
    EXPECT_FALSE(RenderPrintFileToBitmap(file, kDefault, folder_ / "missing" / "job.bmp").ok());
    // The name is taken by a folder: the rename fails and the temporary file is removed.
    std::filesystem::create_directories(folder_ / "taken.bmp" / "inside");
    EXPECT_FALSE(RenderPrintFileToBitmap(file, kDefault, folder_ / "taken.bmp").ok());
    // A refused print file leaves nothing either, and an older bitmap stays as it was.
    std::ofstream(folder_ / "old.bmp") << "older";
    EXPECT_FALSE(RenderPrintFileToBitmap(Bytes{0x1B}, kDefault, folder_ / "old.bmp").ok());
    EXPECT_EQ(Read(folder_ / "old.bmp"), (Bytes{'o', 'l', 'd', 'e', 'r'}));
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "taken.bmp" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2);
}

// --- Golden pictures ---------------------------------------------------------------------------

uint64_t Fnv1a(const Bytes& bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (const uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
    return hash;
}

// Receipts as the driver writes them: a logo band, text as raster lines, a cut.
std::map<std::string, Bytes> GoldenFiles() {
    std::map<std::string, Bytes> files;
    PrintFileBuilder raster;
    for (unsigned receipt = 0; receipt < 3; ++receipt) {
        for (unsigned line = 0; line < 40; ++line) {
            raster.Line(RandomBytes(80, receipt * 100 + line)).Feed(line % 3 == 0 ? 3 : 1);
        }
        raster.Line(RandomBytes(80, 999)).LastLineTail();
    }
    files["raster_receipts"] = raster.bytes();

    PrintFileBuilder logo;
    logo.Position(10).Band(RandomBytes(3 * 200, 1)).Spacing(24);
    logo.Position(203).Band(RandomBytes(3 * 437, 2)).Spacing(24);
    logo.Position(0).Band(RandomBytes(3 * 640, 3)).Spacing(24);
    logo.Line(RandomBytes(80, 4)).Feed(2).Line(RandomBytes(60, 5)).Feed(1).Line(RandomBytes(80, 6));
    logo.LastLineTail().Spacing(40).PageEnd();
    files["logo_and_text"] = logo.bytes();

    PrintFileBuilder narrow;
    narrow.Position(3).Band(RandomBytes(3 * 50, 7)).Spacing(30).PageEnd();
    files["narrow_4x32"] = narrow.bytes();
    return files;
}

TEST(RenderGolden, PicturesMatchTheCheckedInHashes) {
    const std::filesystem::path goldenPath =
        std::string(ZR640_TEST_DATA) + "/driverlog/render_golden.txt";
    std::ostringstream actual;
    for (const auto& [name, file] : GoldenFiles()) {
        const LineGeometry g =
            name.find("4x32") != std::string::npos ? LineGeometry{4, 32} : kDefault;
        const auto log = Render(file, g);
        actual << name << ' ' << std::hex << Fnv1a(log.bitmap) << std::dec << " pages";
        for (const uint32_t end : log.pageEnds) actual << ' ' << end;
        actual << '\n';
    }
    if (std::getenv("ZR640_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(goldenPath) << actual.str();
        GTEST_SKIP() << "rewrote " << goldenPath;
    }
    std::ifstream in(goldenPath);
    const std::string expected{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    EXPECT_EQ(actual.str(), expected) << "set ZR640_UPDATE_GOLDEN=1 to rewrite " << goldenPath;
}

}  // namespace
}  // namespace zr640
