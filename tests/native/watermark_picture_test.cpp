// The water-mark picture file: conversion of the bitmap the user chose, and the text picture.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/common/bytes.h"
#include "core/imaging/bmp.h"
#include "core/watermark/picture_file.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Field(const Bytes& file, size_t offset) { return LoadU32(file.data() + offset); }

// The 24-bit picture file's colour at (x, y), y counted from the bottom.
PaletteEntry PixelAt(const Bytes& file, int32_t x, int32_t y) {
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(Field(file, 18), 24));
    const uint8_t* p = file.data() + 54 + static_cast<size_t>(y) * rowSize + 3 * size_t(x);
    return {p[0], p[1], p[2]};
}

// A converted file's headers: 24 bits, no colour table, the true sizes, no colour counts.
void ExpectPictureHeaders(const Bytes& file, int32_t width, int32_t height) {
    const uint32_t imageSize =
        static_cast<uint32_t>(BitmapRowSize(uint64_t(width), 24)) * static_cast<uint32_t>(height);
    ASSERT_EQ(file.size(), 54u + imageSize);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Field(file, 2), 54u + imageSize);
    EXPECT_EQ(Field(file, 10), 54u);
    EXPECT_EQ(Field(file, 14), 40u);
    EXPECT_EQ(test::HeaderI32(file, 18), width);
    EXPECT_EQ(test::HeaderI32(file, 22), height);
    EXPECT_EQ(file[26], 1);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(Field(file, 30), 0u);
    EXPECT_EQ(Field(file, 34), imageSize);
    EXPECT_EQ(Field(file, 46), 0u);
    EXPECT_EQ(Field(file, 50), 0u);
}

Bytes Converted(const Bytes& source) {
    auto picture = WatermarkPictureFromBitmap(source);
    EXPECT_TRUE(picture.ok()) << picture.error();
    return picture.ok() ? *picture : Bytes{};
}

// An 8-bit bitmap whose 256 colour entries are all different and not gray.
Bytes Indexed(int32_t width, int32_t height, bool topDown = false) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back({uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
    }
    Bytes file = NewBitmapFile(width, height, 8, palette);
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(uint64_t(width), 8));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            file[1078 + size_t(y) * rowSize + size_t(x)] = uint8_t(x * 11 + y * 3);
        }
    }
    return topDown ? test::TopDown(file) : file;
}

TEST(WatermarkConversion, MonoBitsBecomeTheirColourEntries) {
    const std::vector<PaletteEntry> palette = {{10, 20, 30}, {200, 150, 100}};
    auto source = test::Bitmap1(
        13, 5, [](int x, int y) { return (x + y) % 3 == 0; }, palette);
    StoreU32(source.data() + 38, 2835);  // resolution, carried over
    StoreU32(source.data() + 42, 3780);
    StoreU32(source.data() + 46, 2);  // colour count as some writers store it
    const Bytes picture = Converted(source);
    ExpectPictureHeaders(picture, 13, 5);
    EXPECT_EQ(Field(picture, 38), 2835u);
    EXPECT_EQ(Field(picture, 42), 3780u);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 13; ++x) {
            EXPECT_EQ(PixelAt(picture, x, y), palette[(x + y) % 3 == 0 ? 1 : 0]) << x << "," << y;
        }
    }
    // Row padding: 39 bytes of pixels, one zero byte.
    EXPECT_EQ(picture[54 + 39], 0);
}

TEST(WatermarkConversion, IndexesBecomeTheirColourEntries) {
    for (const int32_t width : {1, 4, 7, 33}) {
        const Bytes source = Indexed(width, 6);
        const Bytes picture = Converted(source);
        ExpectPictureHeaders(picture, width, 6);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t i = uint8_t(x * 11 + y * 3);
                const PaletteEntry entry{i, uint8_t(255 - i), uint8_t(i * 7)};
                EXPECT_EQ(PixelAt(picture, x, y), entry);
            }
        }
    }
}

TEST(WatermarkConversion, ColourFilesAreCopiedByteForByte) {
    Bytes source = test::Bitmap24(7, 3, [](int x, int y) {
        return test::Rgb{uint8_t(x * 30), uint8_t(y * 80), 9};
    });
    StoreU32(source.data() + 38, 1234);
    EXPECT_EQ(Converted(source), source);
    source.push_back(0xEE);  // bytes behind the rows travel too
    EXPECT_EQ(Converted(source), source);
}

TEST(WatermarkConversion, TopDownFilesAreStoredBottomUp) {
    const Bytes colour = test::Bitmap24(5, 4, [](int x, int y) {
        return test::Rgb{uint8_t(x), uint8_t(y), 200};
    });
    EXPECT_EQ(Converted(test::TopDown(colour)), colour);
    EXPECT_EQ(Converted(Indexed(9, 5, true)), Converted(Indexed(9, 5)));
    const auto bits = [](int x, int y) { return x == y; };
    EXPECT_EQ(Converted(test::TopDown(test::Bitmap1(9, 9, bits))),
              Converted(test::Bitmap1(9, 9, bits)));
}

// Layouts refused: each named by what is wrong with it.
std::vector<std::pair<std::string, Bytes>> RefusedSources() {
    const Bytes colour = test::Bitmap24(6, 4, [](int, int) { return test::Rgb{1, 2, 3}; });
    std::vector<std::pair<std::string, Bytes>> cases;
    cases.emplace_back("4-bit", NewBitmapFile(6, 4, 4, std::vector<PaletteEntry>(16)));
    cases.emplace_back("32-bit", NewBitmapFile(6, 4, 32, {}));
    Bytes rle = Indexed(6, 4);
    StoreU32(rle.data() + 30, 1);
    cases.emplace_back("RLE8", rle);
    Bytes fields = colour;
    StoreU32(fields.data() + 30, 3);
    cases.emplace_back("bit fields", fields);
    Bytes truncated = Indexed(6, 4);
    truncated.pop_back();
    cases.emplace_back("truncated rows", truncated);
    cases.emplace_back("truncated header", Bytes(colour.begin(), colour.begin() + 40));
    cases.emplace_back("16-colour 8-bit", NewBitmapFile(6, 4, 8, std::vector<PaletteEntry>(16)));
    Bytes counted = Indexed(6, 4);
    StoreU32(counted.data() + 46, 16);  // 16 colours said, 256 entries stored
    cases.emplace_back("colour count mismatch", counted);
    Bytes table = NewBitmapFile(6, 4, 24, std::vector<PaletteEntry>(4));
    cases.emplace_back("24-bit with a colour table", table);
    Bytes v4 = colour;  // a 108-byte header, as a newer writer stores the same picture
    v4.insert(v4.begin() + 54, 68, uint8_t{0});
    StoreU32(v4.data() + 10, 122);
    StoreU32(v4.data() + 14, 108);
    cases.emplace_back("108-byte header", v4);
    Bytes signature = colour;
    signature[0] = 'X';
    cases.emplace_back("no signature", signature);
    cases.emplace_back("empty", Bytes{});
    return cases;
}

class WatermarkConvertFile : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const Bytes& bytes) {
        test::WriteFile(folder_ / name, bytes);
        return folder_ / name;
    }
    test::TempFolder folder_;
    const Bytes old_{'o', 'l', 'd'};
};

TEST_F(WatermarkConvertFile, ConvertsIntoTheDestination) {
    const Bytes source = Indexed(10, 3);
    const auto destination = Write("T-ZR640 Test1.bmp", old_);
    const auto conversion = ConvertWatermarkBitmap(Write("in.bmp", source), destination);
    EXPECT_EQ(conversion.result, WatermarkConvertResult::kDone) << conversion.detail;
    EXPECT_EQ(test::ReadFile(destination), Converted(source));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "T-ZR640 Test1.bmp.partial"));
}

TEST_F(WatermarkConvertFile, RefusedSourcesLeaveTheOldPictureFile) {
    const auto destination = Write("picture.bmp", old_);
    for (const auto& [name, bytes] : RefusedSources()) {
        const auto conversion = ConvertWatermarkBitmap(Write("in.bmp", bytes), destination);
        EXPECT_EQ(conversion.result, WatermarkConvertResult::kNotDone) << name;
        EXPECT_FALSE(conversion.detail.empty()) << name;
        EXPECT_FALSE(conversion.tooBig) << name << ": refused for its layout, not its size";
        EXPECT_EQ(test::ReadFile(destination), old_) << name;
    }
    const auto missing = ConvertWatermarkBitmap(folder_ / "missing.bmp", destination);
    EXPECT_EQ(missing.result, WatermarkConvertResult::kNotDone);
    EXPECT_EQ(test::ReadFile(destination), old_);
}

TEST_F(WatermarkConvertFile, UncreatableDestinationsGiveTwo) {
    const Bytes source = test::Bitmap1(8, 8, [](int x, int) { return x < 4; });
    const auto in = Write("in.bmp", source);
    EXPECT_EQ(ConvertWatermarkBitmap(in, folder_ / "no folder" / "p.bmp").result,
              WatermarkConvertResult::kCannotCreate);
    std::filesystem::create_directory(folder_ / "folder.bmp");
    EXPECT_EQ(ConvertWatermarkBitmap(in, folder_ / "folder.bmp").result,
              WatermarkConvertResult::kCannotCreate);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "folder.bmp"));
    // The source is never replaced by its own conversion.
    EXPECT_EQ(ConvertWatermarkBitmap(in, in).result, WatermarkConvertResult::kCannotCreate);
    EXPECT_EQ(test::ReadFile(in), source);
}

TEST_F(WatermarkConvertFile, TheSourceIsJudgedBeforeTheDestination) {
    const auto bad = Write("bad.bmp", NewBitmapFile(6, 4, 4, std::vector<PaletteEntry>(16)));
    EXPECT_EQ(ConvertWatermarkBitmap(bad, folder_ / "no folder" / "p.bmp").result,
              WatermarkConvertResult::kNotDone);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "no folder"));
}

// A 1-bit picture is small on disk, but its 24-bit copy must fit the preview's image cache:
// 1872 x 1868 takes 5616 x 1868 = 10,490,688 bytes of rows, just over the 10,485,760.
TEST_F(WatermarkConvertFile, APictureBeyondTheLimitIsRefusedAsTooBig) {
    const std::vector<PaletteEntry> mono = {{0, 0, 0}, {255, 255, 255}};
    const auto destination = Write("picture.bmp", old_);
    const auto fits = Write("fits.bmp", NewBitmapFile(1872, 1867, 1, mono));
    const auto over = Write("over.bmp", NewBitmapFile(1872, 1868, 1, mono));

    const auto refused =
        ConvertWatermarkBitmap(over, destination, WatermarkPictureLimit::kImageCache);
    EXPECT_EQ(refused.result, WatermarkConvertResult::kNotDone);
    EXPECT_TRUE(refused.tooBig);
    EXPECT_EQ(test::ReadFile(destination), old_);

    const auto taken =
        ConvertWatermarkBitmap(fits, destination, WatermarkPictureLimit::kImageCache);
    EXPECT_EQ(taken.result, WatermarkConvertResult::kDone) << taken.detail;
    EXPECT_EQ(ConvertWatermarkBitmap(over, destination).result, WatermarkConvertResult::kDone)
        << "without the limit the same picture is converted";

    // Beyond what the reader takes at all, whatever the limit and the depth (here 4 bits, a
    // layout refused too): the header alone says so.
    Bytes huge = NewBitmapFile(6, 4, 4, std::vector<PaletteEntry>(16));
    StoreU32(huge.data() + 18, 40000);
    const auto beyond = ConvertWatermarkBitmap(Write("huge.bmp", huge), destination);
    EXPECT_EQ(beyond.result, WatermarkConvertResult::kNotDone);
    EXPECT_TRUE(beyond.tooBig);
    Bytes tall = NewBitmapFile(6, 4, 24, {});
    StoreU32(tall.data() + 22, static_cast<uint32_t>(-20000));  // top-down, 20000 rows
    StoreU32(tall.data() + 18, 2000);
    EXPECT_TRUE(ConvertWatermarkBitmap(Write("tall.bmp", tall), destination).tooBig)
        << "2000 x 20000 pixels exceed the reader's 2^25";
}

Bytes TextPixels() {
    Bytes pixels(kTextPicturePixelBytes);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i % 4 == 3 ? 0xAA : i / 4);
    return pixels;
}

TEST(TextPicture, HeaderAndPixels) {
    const auto file = TextPictureFromPixels(TextPixels());
    ASSERT_TRUE(file.ok()) << file.error();
    ASSERT_EQ(file->size(), kTextPictureFileSize);
    // clang-format off
    const std::array<uint8_t, 54> header = {
        'B', 'M', 0xE6, 0x1E, 0x04, 0x00, 0, 0, 0, 0, 54, 0, 0, 0,     // file header
        40, 0, 0, 0, 0x2C, 0x01, 0, 0, 0x2C, 0x01, 0, 0, 1, 0, 24, 0,  // 300 x 300, 1 plane, 24 bits
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // clang-format on
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file->begin()));
    // Blue, green and red of each pixel in the order given, the unused byte dropped.
    EXPECT_EQ((*file)[54], 0);
    EXPECT_EQ((*file)[57], 1);
    EXPECT_EQ((*file)[54 + 3 * 89999], uint8_t(89999));
    EXPECT_EQ(file->back(), uint8_t(89999));
}

TEST(TextPicture, RefusesOtherSizesAndKeepsTheOldFile) {
    EXPECT_FALSE(TextPictureFromPixels(Bytes(kTextPicturePixelBytes - 1)).ok());
    EXPECT_FALSE(TextPictureFromPixels(Bytes{}).ok());

    test::TempFolder folder;
    const auto path = folder / "T-ZR640 Test1.bmp";
    test::WriteFile(path, {'o', 'l', 'd'});
    EXPECT_FALSE(WriteTextPicture(path, Bytes(10)).ok());
    EXPECT_EQ(test::ReadFile(path), (Bytes{'o', 'l', 'd'}));
    ASSERT_TRUE(WriteTextPicture(path, TextPixels()).ok());
    EXPECT_EQ(test::ReadFile(path), *TextPictureFromPixels(TextPixels()));
    std::filesystem::create_directory(folder / "dir.bmp");
    EXPECT_FALSE(WriteTextPicture(folder / "dir.bmp", TextPixels()).ok());
}

}  // namespace
}  // namespace zr640
