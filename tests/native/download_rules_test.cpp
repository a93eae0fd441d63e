#include <gtest/gtest.h>

#include <string>

#include "core/common/text.h"
#include "core/imaging/logo_files.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "core/printer/logo_conversion.h"
#include "tests/native/recording_spooler.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Bitmap1;
using test::Bitmap24;
using test::Bitmap8;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Lead(int32_t width, int32_t height) {
    Bytes lead(62, 0);
    lead[0] = 'B', lead[1] = 'M';
    StoreU32(&lead[18], static_cast<uint32_t>(width));
    StoreU32(&lead[22], static_cast<uint32_t>(height));
    return lead;
}

TEST(LogoCommands, ClearAllLogos) {
    const RawJob job = ClearAllLogosJob();
    EXPECT_EQ(job.documentName, u"SELFTEST");
    EXPECT_EQ(job.blocks, (std::vector<ByteBlock>{{0x1B, 0x63, 0x3B, 0x01},
                                                  {0x1C, 0x71, 0x00, 0x00, 0x0A},
                                                  {0x1B, 0x63, 0x3B, 0x00}}));
}

TEST(LogoCommands, OneMonoLogoOf100By50) {
    const auto logo = PackMonoLogo(Bitmap1(100, 50, [](int x, int y) { return (x ^ y) & 1; }));
    ASSERT_TRUE(logo.ok());
    const RawJob job = MonoLogoDownloadJob(std::span(&*logo, 1));
    EXPECT_EQ(job.documentName, u"LOGO");
    ASSERT_EQ(job.blocks.size(), 6u);
    EXPECT_EQ(job.blocks[0], (Bytes{0x1B, 0x63, 0x3B, 0x01}));
    EXPECT_EQ(job.blocks[1], (Bytes{0x1C, 0x71, 0x01}));
    EXPECT_EQ(job.blocks[2], (Bytes{0x10, 0x00, 0x07, 0x00}));
    EXPECT_EQ(job.blocks[3].size(), 896u);
    EXPECT_EQ(job.blocks[4], (Bytes{0x0A}));
    EXPECT_EQ(job.blocks[5], (Bytes{0x1B, 0x63, 0x3B, 0x00}));
    EXPECT_EQ(job.Bytes().size(), 4u + 3 + 4 + 896 + 1 + 4);
}

TEST(LogoCommands, TwoGrayLogos) {
    const GrayLogo first{2, 1, Bytes(16, 0xAB)};
    const GrayLogo second{0x0102, 0x0304, Bytes{1, 2, 3}};
    const RawJob job = GrayLogoDownloadJob(std::vector{first, second});
    EXPECT_EQ(job.Bytes(), Concat({{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x72, 0x02},
                                   {0x01, 0x00, 0x02, 0x00, 0x01, 0x00},
                                   Bytes(16, 0xAB),
                                   {0x01, 0x00, 0x02, 0x01, 0x04, 0x03},
                                   {1, 2, 3},
                                   {0x0A, 0x1B, 0x63, 0x3B, 0x00}}));
    EXPECT_EQ(job.blocks.size(), 2u + 2 * 2 + 2);  // each logo: its header block, its data block
}

std::string KeyName(text::Key key) { return Utf16ToUtf8(text::EntryOf(key).key); }

TEST(DownloadMessages, KeysTextsAndCaptions) {
    constexpr Message kMessages[] = {
        kDownloadError1, kDownloadError2, kDownloadError3, kDownloadError4, kDownloadError5,
        kDownloadError6, kDownloadError7, kDownloadError8, kDownloadError9, kDownloadError10,
    };
    for (size_t i = 0; i < std::size(kMessages); ++i) {
        EXPECT_EQ(KeyName(kMessages[i].text), "MB_DOWNLOAD_ERROR" + std::to_string(i + 1));
        EXPECT_EQ(KeyName(kMessages[i].caption), i == 3 ? "MB_INFORMATION" : "MB_ERROR");
    }
    EXPECT_EQ(text::EnglishText(kDownloadError7.text),
              "The total sizes of all the logos is greater 96K!");
    EXPECT_NE(text::EnglishText(kDownloadError3.text).find("selected.\nthe width"),
              std::string::npos);
}

TEST(DownloadChecks, SizesAddUpToLessThan96K) {
    using Sizes = std::vector<std::optional<uint64_t>>;
    EXPECT_EQ(CheckDownloadAll(Sizes{50000, 48303}), std::nullopt);
    EXPECT_EQ(CheckDownloadAll(Sizes{98303}), std::nullopt);
    EXPECT_EQ(CheckDownloadAll(Sizes{50000, 48304}), kDownloadError7);
    EXPECT_EQ(CheckDownloadAll(Sizes{98304}), kDownloadError7);
    EXPECT_EQ(CheckDownloadAll(Sizes{UINT64_MAX, UINT64_MAX}), kDownloadError7) << "no wrap-around";
    EXPECT_EQ(CheckDownloadAll(Sizes{}), kDownloadError5);
    EXPECT_EQ(CheckDownloadAll(Sizes{100, std::nullopt, 200000}), kDownloadError6);
}

TEST(DownloadChecks, LogoDimensions) {
    EXPECT_EQ(CheckLogoLead(Lead(1024, 768)), std::nullopt);
    EXPECT_EQ(CheckLogoLead(Lead(1024, -768)), std::nullopt);
    EXPECT_EQ(CheckLogoLead(Lead(1025, 768)), kDownloadError3);
    EXPECT_EQ(CheckLogoLead(Lead(1024, 769)), kDownloadError3);
    EXPECT_EQ(CheckLogoLead(Lead(1024, -769)), kDownloadError3);
    EXPECT_EQ(CheckLogoLead(Lead(1, INT32_MIN)), kDownloadError3);
    const Bytes shortLead(61, 0);
    EXPECT_EQ(CheckLogoLead(shortLead), kDownloadError2);
}

TEST(LogoList, AddsNineAtMost) {
    LogoList list;
    list.SetFormat(LogoFormat::kTransformation);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(CheckAddLogo(list), std::nullopt);
        EXPECT_TRUE(list.Add(list.NewRow("logo" + std::to_string(i) + ".bmp", {})));
    }
    EXPECT_EQ(CheckAddLogo(list), kDownloadError4);
    EXPECT_EQ(KeyName(CheckAddLogo(list)->caption), "MB_INFORMATION");
    EXPECT_FALSE(list.Add(list.NewRow("tenth.bmp", {})));
    EXPECT_EQ(list.size(), 9u);
    EXPECT_EQ(list[8].settings, (LogoSettings{1, 0, 0}));
}

TEST(LogoList, DeletingRenumbersAndMovesSettingsUp) {
    LogoList list;
    list.SetFormat(LogoFormat::kGray);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) list.Add(list.NewRow(name, {}));
    list.settings(2) = {0, -40, 25};
    list.Remove(1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].path, "c.bmp");
    EXPECT_EQ(LogoList::IdText(1), u"2");
    EXPECT_EQ(list[1].settings, (LogoSettings{0, -40, 25}));
    list.Add(list.NewRow("d.bmp", {}));
    EXPECT_EQ(list[2].settings, (LogoSettings{0, 0, 0})) << "the freed place was cleared";
    EXPECT_EQ(LogoList::NameText("/logos/shop.bmp"), u"shop.bmp");
    EXPECT_EQ(DefaultLogoSettings(LogoFormat::kOriginal), (LogoSettings{0, 0, 0}));
}

TEST(ConvertedFile, NameBesideTheLogo) {
    EXPECT_EQ(ConvertedFilePath("C:\\logo\\shop.bmp").string(), "C:\\logo\\shopTemp.bmp");
    EXPECT_EQ(ConvertedFilePath("/logos/shop.bmp"), "/logos/shopTemp.bmp");
    EXPECT_EQ(ConvertedFilePath("/logos/picture"), "/logos/picTemp.bmp");
    EXPECT_EQ(ConvertedFilePath("/logos/ab"), "/logos/Temp.bmp") << "never outside the folder";
    EXPECT_EQ(ConvertedFilePath("/logos/caf\xC3\xA9.bmp\xE2\x82\xAC"),
              "/logos/caf\xC3\xA9.Temp.bmp")
        << "whole characters";
    const std::string longFolder = "/" + std::string(300, 'x') + "/";
    EXPECT_EQ(ConvertedFilePath(longFolder + "a.bmp"), longFolder + "aTemp.bmp");
}

TEST(ConvertFiles, WriteTheConvertedFileOrLeaveTheOldOne) {
    test::TempFolder folder;
    const auto logo = folder / (std::string(120, 'n') + ".bmp");  // a path of well over 100 bytes
    test::WriteFile(logo, Bitmap24(30, 10, [](int x, int) {
                        return test::Rgb{uint8_t(8 * x), 9, 9};
                    }));

    const ConvertOutcome mono =
        ConvertToMono(logo, ConvertedFilePath(logo), Halftone::kDitherM4, 10, 0);
    ASSERT_TRUE(mono.done()) << mono.message;
    EXPECT_EQ(mono.converted, ConvertedFilePath(logo));
    const Bytes monoFile = test::ReadFile(mono.converted);
    EXPECT_EQ(monoFile.size(), 62u + 10 * 4);

    const ConvertOutcome gray = ConvertToGray(logo, ConvertedFilePath(logo), 0, 0);
    ASSERT_TRUE(gray.done()) << gray.message;
    EXPECT_EQ(test::ReadFile(gray.converted).size(), 1078u + 10 * 32);

    // A logo that turns into something else keeps the last converted file.
    test::WriteFile(logo, Bytes{'B', 'M', 1, 2, 3});
    EXPECT_EQ(ConvertToMono(logo, ConvertedFilePath(logo), Halftone::kNone, 0, 0).status,
              ConvertStatus::kFailed);
    EXPECT_EQ(ConvertToGray(logo, ConvertedFilePath(logo), 0, 0).status,
              ConvertStatus::kFailed);  // cut short
    EXPECT_EQ(test::ReadFile(gray.converted).size(), 1078u + 10 * 32);
    EXPECT_EQ(ConvertToGray(folder / "missing.bmp", folder / "out.bmp", 0, 0).status,
              ConvertStatus::kFailed);
    // So does one of another depth or beyond the logo limits.
    test::WriteFile(logo, Bitmap1(8, 8, [](int, int) { return true; }));
    EXPECT_EQ(ConvertToMono(logo, ConvertedFilePath(logo), Halftone::kNone, 0, 0).status,
              ConvertStatus::kFailed);
    test::WriteFile(logo, Bitmap8(1025, 1, [](int, int) { return 0; }));
    EXPECT_EQ(ConvertToGray(logo, ConvertedFilePath(logo), 0, 0).status,
              ConvertStatus::kFailed);  // beyond the limits
    EXPECT_EQ(test::ReadFile(gray.converted).size(), 1078u + 10 * 32);
}

// The gray conversion says -2 only for the wrong type, depth or compression.
TEST(LogoFiles, GrayRefusesWrongTypeDepthOrCompressionWithItsOwnStatus) {
    const auto folder = std::filesystem::temp_directory_path() / "zr640_gray_status";
    std::filesystem::create_directories(folder);
    const auto logo = folder / "logo.bmp";
    const auto statusOf = [&](Bytes bytes) {
        test::WriteFile(logo, bytes);
        return ConvertToGray(logo, ConvertedFilePath(logo), 0, 0).status;
    };
    const Bytes good = Bitmap8(8, 2, [](int, int) { return 0; });
    EXPECT_EQ(statusOf(good), ConvertStatus::kDone);
    Bytes type = good;
    type[0] = 'X';
    EXPECT_EQ(statusOf(type), ConvertStatus::kRefused);
    Bytes depth = good;
    depth[28] = 4;
    EXPECT_EQ(statusOf(depth), ConvertStatus::kRefused);
    Bytes compressed = good;
    compressed[30] = 1;
    EXPECT_EQ(statusOf(compressed), ConvertStatus::kRefused);
    Bytes cut = good;
    cut.resize(good.size() - 4);
    EXPECT_EQ(statusOf(cut), ConvertStatus::kFailed);
    EXPECT_EQ(statusOf({}), ConvertStatus::kFailed);
    EXPECT_EQ(ConvertToGray(folder, folder / "out.bmp", 0, 0).status,
              ConvertStatus::kFailed);  // a folder
    std::filesystem::remove_all(folder);
}

class DownloadAllFromFiles : public ::testing::Test {
protected:
    std::filesystem::path Logo(const std::string& name, const Bytes& bytes) {
        const auto path = folder_ / name;
        test::WriteFile(path, bytes);
        return path;
    }
    // A row whose converted file is the traditional name beside the logo.
    static LogoRow Row(const std::filesystem::path& logo) {
        return {logo, {}, ConvertedFilePath(logo)};
    }
    test::TempFolder folder_;
};

TEST_F(DownloadAllFromFiles, MonoLogosFromConvertedFilesAndOneBitOriginals) {
    const auto colour = Logo("colour.bmp", Bitmap24(100, 50, [](int x, int) {
                                 return test::Rgb{uint8_t(2 * x), uint8_t(2 * x), uint8_t(2 * x)};
                             }));
    const auto bits = Logo("bits.bmp", Bitmap1(16, 8, [](int x, int) { return x < 8; }));
    ASSERT_TRUE(ConvertToMono(colour, ConvertedFilePath(colour), Halftone::kDitherM3, 0, 0).done());
    const std::vector rows{Row(colour), Row(bits)};

    const DownloadAllPlan plan = PrepareDownloadAll(LogoFormat::kTransformation, rows);
    ASSERT_TRUE(plan.job) << plan.failure;
    const auto& blocks = plan.job->blocks;
    ASSERT_EQ(blocks.size(), 2u + 4 + 2);
    EXPECT_EQ(blocks[1], (Bytes{0x1C, 0x71, 0x02}));
    EXPECT_EQ(blocks[2], (Bytes{0x10, 0x00, 0x07, 0x00}));
    EXPECT_EQ(blocks[4], (Bytes{0x04, 0x00, 0x01, 0x00}));
    EXPECT_EQ(blocks[5][0], 0x00) << "the white left half of bits.bmp prints nothing";
    EXPECT_EQ(blocks[5][8], 0xFF);

    // The job is sent as it stands.
    test::RecordingSpooler spooler;
    EXPECT_TRUE(SendRawJob(spooler, *plan.job));
    EXPECT_EQ(spooler.calls.front(), "StartDoc LOGO");
    EXPECT_EQ(spooler.written, blocks);
}

TEST_F(DownloadAllFromFiles, MonoLogoThatCannotBeReadSendsNothingAndSaysWhy) {
    const auto good = Logo("good.bmp", Bitmap1(8, 8, [](int, int) { return true; }));
    const auto gray =
        Logo("gray.bmp", Bitmap8(8, 8, [](int, int) { return 0; }));  // never converted
    const std::vector rows{Row(good), Row(gray)};
    const DownloadAllPlan plan = PrepareDownloadAll(LogoFormat::kTransformation, rows);
    EXPECT_FALSE(plan.job);
    EXPECT_EQ(plan.message, kDownloadError1) << "its converted file is missing";
    EXPECT_FALSE(plan.failure.empty());

    test::WriteFile(ConvertedFilePath(gray), Bytes(100, 'x'));  // there, but no bitmap
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kTransformation, rows).message, kDownloadError2);
}

TEST_F(DownloadAllFromFiles, GrayLogoThatCannotBePackedIsSentEmpty) {
    const auto first = Logo("first.bmp", Bitmap8(12, 3, [](int, int) { return 0; }));
    const auto second = Logo("second.bmp", Bitmap8(4, 4, [](int, int) { return 0; }));
    ASSERT_TRUE(ConvertToGray(first, ConvertedFilePath(first), 0, 0).done());
    test::WriteFile(ConvertedFilePath(second), Bytes(100, 'x'));  // there, but no bitmap
    const std::vector rows{Row(first), Row(second)};

    const DownloadAllPlan plan = PrepareDownloadAll(LogoFormat::kGray, rows);
    ASSERT_TRUE(plan.job) << plan.failure;
    const auto& blocks = plan.job->blocks;
    ASSERT_EQ(blocks.size(), 2u + 4 + 2);
    EXPECT_EQ(blocks[1], (Bytes{0x1C, 0x72, 0x02}));
    EXPECT_EQ(blocks[2], (Bytes{0x01, 0x00, 0x02, 0x00, 0x02, 0x00}));
    EXPECT_EQ(blocks[3].size(), 2u * 2 * 8);
    EXPECT_EQ(blocks[4], (Bytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(blocks[5].empty());

    std::filesystem::remove(ConvertedFilePath(second));  // gone: nothing is sent, and said why
    EXPECT_FALSE(PrepareDownloadAll(LogoFormat::kGray, rows).job);
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kGray, rows).message, kDownloadError1);
}

TEST_F(DownloadAllFromFiles, SizesOfConvertedOrOwnFiles) {
    // 98303 bytes in all pass; one more byte is refused.
    const auto first = Logo("first.bmp", Bitmap8(4, 4, [](int, int) { return 0; }));
    ASSERT_TRUE(ConvertToGray(first, ConvertedFilePath(first), 0, 0).done());
    const uint64_t firstSize = 1078 + 16;
    EXPECT_EQ(LogoDownloadSize(Row(first)), firstSize);
    Bytes padded = Bitmap8(4, 4, [](int, int) { return 0; });
    padded.resize(98303 - firstSize);  // no converted file: its own size counts
    const auto second = Logo("second.bmp", padded);
    std::vector rows{Row(first), Row(second)};
    // The sizes pass; the second logo, never converted, is then refused as unreadable.
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kGray, rows).message, kDownloadError1);

    padded.push_back(0);
    Logo("second.bmp", padded);
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kGray, rows).message, kDownloadError7);

    rows.push_back(Row(folder_ / "missing.bmp"));
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kGray, rows).message, kDownloadError6);
    EXPECT_EQ(PrepareDownloadAll(LogoFormat::kGray, {}).message, kDownloadError5);
}

// Packing pads rows to whole bytes and heights to bands of 8: a one-bit logo of 1024 x 761
// is a file of 97470 bytes, and 98308 bytes of logo data.
TEST_F(DownloadAllFromFiles, PackedLogoBytesCountTowardsTheLimitToo) {
    const auto tall = Logo("tall.bmp", Bitmap1(1024, 761, [](int x, int) { return x % 2 == 0; }));
    const auto fits = Logo("fits.bmp", Bitmap1(1024, 760, [](int x, int) { return x % 2 == 0; }));
    ASSERT_LT(*LogoDownloadSize(Row(tall)), kLogoBytesLimit) << "the file sizes pass";

    const std::vector over{Row(tall)};
    const DownloadAllPlan refused = PrepareDownloadAll(LogoFormat::kTransformation, over);
    EXPECT_FALSE(refused.job);
    EXPECT_EQ(refused.message, kDownloadError7);

    const std::vector under{Row(fits)};  // 95 bands: 97280 data bytes and the size block
    const DownloadAllPlan sent = PrepareDownloadAll(LogoFormat::kTransformation, under);
    ASSERT_TRUE(sent.job) << sent.failure;
    EXPECT_EQ(sent.job->blocks[3].size(), 128u * 95 * 8);
}

// Each row converts into its own file: the logo and any file beside it are never written.
TEST_F(DownloadAllFromFiles, RowsOfOneLogoKeepConversionsOfTheirOwn) {
    const auto logo = Logo("shop.bmp", Bitmap8(16, 8, [](int x, int) { return x * 16; }));
    const auto besideIt = Logo("shopTemp.bmp", Bytes(10, 'u'));
    const Bytes original = test::ReadFile(logo);
    LogoRow light{logo, {1, 0, 80}, folder_ / "scratch-1.bmp"};
    LogoRow dark{logo, {1, 0, -80}, folder_ / "scratch-2.bmp"};
    ASSERT_TRUE(ConvertLogo(light, LogoFormat::kTransformation));
    ASSERT_TRUE(ConvertLogo(dark, LogoFormat::kTransformation));
    EXPECT_NE(test::ReadFile(light.converted), test::ReadFile(dark.converted));
    EXPECT_EQ(test::ReadFile(logo), original);
    EXPECT_EQ(test::ReadFile(besideIt), Bytes(10, 'u'));

    const std::vector rows{light, dark};
    const DownloadAllPlan plan = PrepareDownloadAll(LogoFormat::kTransformation, rows);
    ASSERT_TRUE(plan.job) << plan.failure;
    EXPECT_NE(plan.job->blocks[3], plan.job->blocks[5]) << "two logos, each with its settings";

    LogoList list;
    list.Add(light);
    RemoveConvertedFiles(list);
    EXPECT_FALSE(std::filesystem::exists(light.converted));
    EXPECT_TRUE(std::filesystem::exists(dark.converted));
    EXPECT_TRUE(std::filesystem::exists(logo));
    EXPECT_TRUE(std::filesystem::exists(besideIt));
    EXPECT_FALSE(ConvertLogo({logo, {}, {}}, LogoFormat::kGray)) << "a row without a file";
}

}  // namespace
}  // namespace zr640
