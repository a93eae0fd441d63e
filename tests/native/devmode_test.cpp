#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/common/bytes.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"

namespace zr640 {
namespace {

constexpr std::u16string_view kRoot = u"C:\\";

std::vector<uint8_t> Bytes(const PrivateDevMode& r) {
    auto span = BytesOf(r);
    return {span.begin(), span.end()};
}

PrivateDevMode Defaults() {
    PrivateDevMode r;
    std::memset(&r, 0xCC, sizeof r);
    FillDefaultDevMode(r, kRoot);
    return r;
}

// A record with every byte set to something other than its default, but with our header.
std::vector<uint8_t> Scribbled(uint32_t size) {
    std::vector<uint8_t> bytes(std::max<size_t>(size, 12));
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    StoreU32(bytes.data(), size);
    StoreU32(bytes.data() + 4, kPrivateDevModeSignature);
    StoreU32(bytes.data() + 8, 1);
    return bytes;
}

TEST(DevModeDefaults, BytesAtTheStoredOffsets) {
    const auto b = Bytes(Defaults());
    ASSERT_EQ(b.size(), 1976u);
    const std::vector<uint8_t> header{0xB8, 0x07, 0, 0, 0x30, 0x31, 0x32, 0, 1, 0, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), b.begin()));
    EXPECT_EQ(b[147], 12);  // startDoc.bCashDrawer
    EXPECT_EQ(b[309], 1);   // endDoc.bFeedToCut
    EXPECT_EQ(b[440], 1);   // endDoc.bPaperCut
    EXPECT_EQ(b[596], 0);
    EXPECT_EQ(b[597], 3);
    EXPECT_EQ(b[596 + 2 * 36], 3);  // EAN8 is skipped: entry 2 is EAN13
    EXPECT_EQ(b[1384], 50);
    EXPECT_EQ(LoadU32(&b[1388]), 45u);
    EXPECT_EQ(b[1392], 4);
    EXPECT_EQ(b[1393], 100);
    EXPECT_EQ(b[1394], 50);
    EXPECT_EQ(b[1395], 100);
}

TEST(DevModeDefaults, EveryUnlistedByteIsZero) {
    const auto b = Bytes(Defaults());
    // Padding inside the blocks and the record, the reserved fields and the empty texts.
    for (size_t offset :
         {135u, 161u + 136u, 161u + 138u, 932u, 933u, 999u, 1251u, 1386u, 1387u, 1397u}) {
        EXPECT_EQ(b[offset], 0) << "offset " << offset;
    }
    EXPECT_TRUE(std::all_of(&b[934], &b[998], [](uint8_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(&b[1000], &b[1250], [](uint8_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(&b[16 + 2], &b[16 + 130], [](uint8_t v) { return v == 0; }));
}

TEST(DevModeDefaults, BarcodeEntries) {
    const PrivateDevMode r = Defaults();
    const uint8_t types[8] = {0, 1, 3, 4, 5, 6, 7, 8};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(r.barcode1D[k].bType, types[k]);
        EXPECT_EQ(r.barcode1D[k].dwElementHeight, 163u);
        EXPECT_EQ(r.barcode1D[k].dwElementWidthX8, 24u);
        EXPECT_EQ(r.barcode1D[k].bGs1Hri, 1);
    }
    const auto b = Bytes(r);
    // 2D entry 0 from offset 884: 0, 3, 3, 3, 3, 5, 2, pad, 100, 2, 2, 4, 1, 1, 3, 0, 1, 1
    const std::vector<uint8_t> entry{0, 3, 3, 3, 3, 5, 2, 0, 100, 0, 0, 0,
                                     2, 0, 0, 0, 2, 4, 1, 1, 3,   0, 1, 1};
    EXPECT_TRUE(std::equal(entry.begin(), entry.end(), &b[884]));
    EXPECT_TRUE(std::equal(entry.begin(), entry.end(), &b[884 + 24]));
}

TEST(DevModeDefaults, LogFolderFollowsTheSystemDrive) {
    PrivateDevMode r;
    FillDefaultDevMode(r, DriveRootOf(u"D:\\windows\\system32"));
    EXPECT_EQ(std::u16string(r.wszLogFolder), u"D:\\RZKDriverlog\\ZR640");
    const auto b = Bytes(r);
    // The terminator and the rest of the 512-byte field are zero.
    EXPECT_TRUE(std::all_of(b.begin() + 1464 + 21 * 2, b.end(), [](uint8_t v) { return v == 0; }));
}

TEST(DevModeConvert, SameSignatureFullSizeIsAnExactCopy) {
    const auto in = Scribbled(1976);
    PrivateDevMode out = Defaults();
    ConvertDevMode(in, out, kRoot);
    EXPECT_EQ(Bytes(out), in);
}

TEST(DevModeConvert, OlderShorterRecordKeepsDefaultsBehindItsEnd) {
    const auto in = Scribbled(1000);
    PrivateDevMode out = Defaults();
    ConvertDevMode(in, out, kRoot);
    const auto b = Bytes(out);
    const auto defaults = Bytes(Defaults());
    EXPECT_EQ(LoadU32(&b[0]), 1976u);
    EXPECT_TRUE(std::equal(&in[4], &in[1000], &b[4]));
    EXPECT_TRUE(std::equal(&defaults[1000], defaults.data() + 1976, &b[1000]));
}

TEST(DevModeConvert, OutputSizeAlsoLimitsTheCopy) {
    const auto in = Scribbled(1976);
    PrivateDevMode out = Defaults();
    out.dmExtraHeader.dwSize = 500;
    ConvertDevMode(in, out, kRoot);
    const auto b = Bytes(out);
    EXPECT_TRUE(std::equal(&in[12], &in[500], &b[12]));
    EXPECT_EQ(b[500], Bytes(Defaults())[500]);
    EXPECT_EQ(out.dmExtraHeader.dwSize, 1976u);
}

TEST(DevModeConvert, LargerRecordIsCutAt1976) {
    auto in = Scribbled(3000);
    PrivateDevMode out = Defaults();
    ConvertDevMode(in, out, kRoot);
    auto expected = std::vector<uint8_t>(in.begin(), in.begin() + 1976);
    StoreU32(expected.data(), 1976);
    EXPECT_EQ(Bytes(out), expected);
}

TEST(DevModeConvert, OtherSignatureYieldsDefaults) {
    auto in = Scribbled(1976);
    StoreU32(in.data() + 4, 0x12345678);
    PrivateDevMode out = Defaults();
    out.dwReservedLevel = 77;
    ConvertDevMode(in, out, kRoot);
    EXPECT_EQ(Bytes(out), Bytes(Defaults()));
}

TEST(DevModeConvert, InputsTooShortForAHeaderYieldDefaults) {
    for (size_t size : {0u, 4u, 11u}) {
        const auto full = Scribbled(1976);
        PrivateDevMode out = Defaults();
        ConvertDevMode(std::span(full.data(), size), out, kRoot);
        EXPECT_EQ(Bytes(out), Bytes(Defaults())) << size;
    }
}

TEST(DevModeConvert, HeaderOnlyRecordTakesNothingButTheHeader) {
    const auto in = Scribbled(12);
    PrivateDevMode out = Defaults();
    ConvertDevMode(in, out, kRoot);
    EXPECT_EQ(Bytes(out), Bytes(Defaults()));
}

TEST(DevModeConvert, ClaimedSizeBeyondTheBytesPresentIsNotRead) {
    auto in = Scribbled(1976);
    in.resize(700);  // still claims 1976
    PrivateDevMode out = Defaults();
    ConvertDevMode(in, out, kRoot);
    const auto b = Bytes(out);
    EXPECT_TRUE(std::equal(&in[12], &in[700], &b[12]));
    EXPECT_EQ(b[1384], 50);
}

TEST(DevModeConvert, InPlaceKeepsTheInput) {
    const auto in = Scribbled(1976);
    PrivateDevMode record;
    std::memcpy(&record, in.data(), sizeof record);
    ConvertDevMode(BytesOf(record), record, kRoot);
    EXPECT_EQ(Bytes(record), in);

    MergeDevMode(BytesOf(record), record, kRoot);
    auto merged = in;
    if (static_cast<int32_t>(LoadU32(&merged[12])) > 100) StoreU32(&merged[12], 0);
    EXPECT_EQ(Bytes(record), merged);
}

TEST(DevModeMerge, ReservedLevelAbove100IsReset) {
    for (auto [level, expected] : {std::pair{101, 0}, {100, 100}, {-5, -5}, {0x7fffffff, 0}}) {
        PrivateDevMode in = Defaults();
        in.dwReservedLevel = level;
        PrivateDevMode out = Defaults();
        MergeDevMode(BytesOf(in), out, kRoot);
        EXPECT_EQ(out.dwReservedLevel, expected) << level;
    }
}

TEST(DevModeMerge, RepairsTheHeaderAndValidatesNothingElse) {
    PrivateDevMode in = Defaults();
    in.dmExtraHeader.dwVersion = 9;
    in.bZoomScale = 250;
    PrivateDevMode out = Defaults();
    MergeDevMode(BytesOf(in), out, kRoot);
    EXPECT_EQ(out.dmExtraHeader.dwVersion, 1u);
    EXPECT_EQ(out.bZoomScale, 250);
}

TEST(DevModeRecordReader, RefusesWhatIsNotARecord) {
    EXPECT_FALSE(ReadDevModeRecord({}, kRoot).ok());
    auto wrong = Scribbled(1976);
    wrong[5] = 'X';
    const auto refused = ReadDevModeRecord(wrong, kRoot);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("signature"), std::string::npos);
    auto truncated = Scribbled(1976);
    truncated.resize(100);
    EXPECT_FALSE(ReadDevModeRecord(truncated, kRoot).ok());
    EXPECT_FALSE(ReadDevModeRecord(Scribbled(4), kRoot).ok());
}

TEST(DevModeRecordReader, DescribesEveryFieldByName) {
    PrivateDevMode r = Defaults();
    r.startDoc.abCommand[0] = 0x1B;
    r.startDoc.abCommand[1] = 0x40;
    r.startDoc.cbCommand = 2;
    const std::u16string text = u"Q\"x";
    std::copy(text.begin(), text.end(), r.wszWatermarkText);
    const auto read = ReadDevModeRecord(BytesOf(r), kRoot);
    ASSERT_TRUE(read.ok()) << read.error();
    const std::string listing = DescribeDevMode(*read);
    for (const char* line :
         {"dwSize = 1976\n", "dwSignature = 0x00323130\n", "startDoc.bCashDrawer = 12\n",
          "startDoc.abCommand = 1B 40\n", "barcode1D[2].bType = 3\n", "barcode2D[1].bQrModel = 1\n",
          "wszWatermarkText = \"Q\\\"x\"\n", "wszLogFolder = \"C:\\\\RZKDriverlog\\\\ZR640\"\n",
          "endPage.bLogoPosition = 0\n", "bDriverLog = 0\n"}) {
        EXPECT_NE(listing.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4 + 4 * 14 + 8 * 13 + 2 * 17 + 20);
}

}  // namespace
}  // namespace zr640
