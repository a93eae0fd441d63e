// Checks the checked-in pictures of the plug-in: the sizes and bit depths the dialogs expect,
// and that each paper strip shows the cuts and feeds its name promises.
#include <gtest/gtest.h>

#include <array>
#include <span>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/file_io.h"

namespace zr640 {
namespace {

const std::filesystem::path kArt =
    std::filesystem::path(ZR640_TEST_DATA).parent_path().parent_path() / "plugin" / "resources" /
    "art";

struct Bitmap {
    int32_t width = 0, height = 0;
    uint16_t bits = 0;
    std::vector<std::array<uint8_t, 3>> palette;  // blue, green, red
    std::vector<uint8_t> file;
    uint32_t pixelOffset = 0, stride = 0;

    // Red, green, blue of the pixel at (x, y), y counted from the top.
    std::array<uint8_t, 3> Rgb(int x, int y) const {
        const size_t row = pixelOffset + size_t(uint32_t(height - 1 - y)) * stride;
        if (bits == 24) {
            const uint8_t* p = &file[row + size_t(x) * 3];
            return {p[2], p[1], p[0]};
        }
        const uint8_t byte = file[row + size_t(x) / 2];
        const auto& c = palette[x % 2 ? byte & 0x0F : byte >> 4];
        return {c[2], c[1], c[0]};
    }
};

Bitmap ReadBitmap(const std::string& name) {
    auto bytes = ReadWholeFile(kArt / name);
    EXPECT_TRUE(bytes.ok()) << name;
    Bitmap b;
    if (!bytes.ok()) return b;
    b.file = *bytes;
    ByteReader r(b.file);
    EXPECT_EQ(r.u16(), 0x4D42u) << name;  // "BM"
    EXPECT_EQ(r.u32(), b.file.size()) << name;
    r.skip(4);
    b.pixelOffset = r.u32();
    EXPECT_EQ(r.u32(), 40u) << name;
    b.width = r.i32();
    b.height = r.i32();
    EXPECT_EQ(r.u16(), 1u) << name;
    b.bits = r.u16();
    EXPECT_EQ(r.u32(), 0u) << name << " is compressed";
    r.skip(12);
    const uint32_t colours = r.u32();
    r.skip(4);
    for (uint32_t i = 0; i < colours && r.ok(); ++i) {
        const auto entry = r.bytes(4);
        if (r.ok()) b.palette.push_back({entry[0], entry[1], entry[2]});
    }
    EXPECT_TRUE(r.ok()) << name;
    EXPECT_EQ(r.position(), b.pixelOffset) << name;
    b.stride = (uint32_t(b.width) * b.bits + 31) / 32 * 4;
    EXPECT_GE(b.file.size(), b.pixelOffset + size_t(b.stride) * uint32_t(b.height)) << name;
    return b;
}

// The x positions of the columns that hold pixels of the colour.
std::set<int> ColumnsWith(const Bitmap& b, std::array<uint8_t, 3> rgb) {
    std::set<int> columns;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (b.Rgb(x, y) == rgb) columns.insert(x);
    return columns;
}

TEST(Artwork, RotationPreviewsAre76By76With16Colours) {
    const Bitmap normal = ReadBitmap("rotate_normal.bmp");
    const Bitmap rotated = ReadBitmap("rotate_180.bmp");
    for (const Bitmap* b : {&normal, &rotated}) {
        EXPECT_EQ(b->width, 76);
        EXPECT_EQ(b->height, 76);
        EXPECT_EQ(b->bits, 4);
        EXPECT_EQ(b->palette.size(), 16u);
    }
    // The same picture with its text turned: the same pixels, arranged differently.
    std::map<std::array<uint8_t, 3>, int> normalColours, rotatedColours;
    for (int y = 0; y < 76; ++y) {
        for (int x = 0; x < 76; ++x) {
            ++normalColours[normal.Rgb(x, y)];
            ++rotatedColours[rotated.Rgb(x, y)];
        }
    }
    EXPECT_EQ(normalColours, rotatedColours);
    EXPECT_GE(normalColours.size(), 8u);
    EXPECT_NE(normal.file, rotated.file);
}

TEST(Artwork, PaperStripsShowTheirCutsAndFeeds) {
    constexpr std::array<uint8_t, 3> kCutLine{200, 0, 0}, kFeedArrow{90, 150, 230};
    struct Strip {
        const char* name;
        size_t cuts;
        bool feed;
    };
    const Strip strips[] = {
        {"strip_startdoc_feed_cut.bmp", 2, true}, {"strip_startdoc_feed.bmp", 0, true},
        {"strip_startdoc_cut.bmp", 2, false},     {"strip_startpage_feed_cut.bmp", 4, true},
        {"strip_startpage_feed.bmp", 0, true},    {"strip_startpage_cut.bmp", 4, false},
        {"strip_endpage_feed_cut.bmp", 4, true},  {"strip_endpage_feed.bmp", 0, true},
        {"strip_endpage_cut.bmp", 4, false},      {"strip_enddoc_feed_cut.bmp", 2, true},
        {"strip_enddoc_feed.bmp", 0, true},       {"strip_enddoc_cut.bmp", 2, false},
        {"strip_start_plain.bmp", 0, false},      {"strip_end_plain.bmp", 0, false},
    };
    for (const Strip& s : strips) {
        SCOPED_TRACE(s.name);
        const Bitmap b = ReadBitmap(s.name);
        ASSERT_EQ(b.width, 184);
        ASSERT_EQ(b.height, 61);
        ASSERT_EQ(b.bits, 24);
        EXPECT_EQ(ColumnsWith(b, kCutLine).size(), s.cuts);  // one dashed column per cut
        EXPECT_EQ(!ColumnsWith(b, kFeedArrow).empty(), s.feed);
    }
}

TEST(Artwork, FontTreeIconsHold16And32PixelImages) {
    for (const char* name : {"font_root.ico", "font_face.ico", "font_size.ico"}) {
        SCOPED_TRACE(name);
        auto bytes = ReadWholeFile(kArt / name);
        ASSERT_TRUE(bytes.ok());
        ByteReader r(*bytes);
        EXPECT_EQ(r.u16(), 0u);
        EXPECT_EQ(r.u16(), 1u);  // icon
        ASSERT_EQ(r.u16(), 2u);
        for (uint32_t size : {16u, 32u}) {
            EXPECT_EQ(r.u8(), size);
            EXPECT_EQ(r.u8(), size);
            r.skip(4);
            EXPECT_EQ(r.u16(), 32u);
            const uint32_t length = r.u32(), offset = r.u32();
            ASSERT_TRUE(r.ok());
            ASSERT_LE(size_t(offset) + length, bytes->size());
            ByteReader image(std::span<const uint8_t>(*bytes).subspan(offset, length));
            EXPECT_EQ(image.u32(), 40u);
            EXPECT_EQ(image.u32(), size);
            EXPECT_EQ(image.u32(), 2 * size);  // colour and mask
            image.skip(2);
            EXPECT_EQ(image.u16(), 32u);
            image.seek(40);
            std::set<uint8_t> alphas;
            for (uint32_t i = 0; i < size * size; ++i) alphas.insert(image.bytes(4)[3]);
            image.skip((size + 31) / 32 * 4 * size);  // the AND mask
            EXPECT_TRUE(image.ok());
            EXPECT_EQ(image.remaining(), 0u);
            EXPECT_TRUE(alphas.count(0) && alphas.count(255)) << "a picture on a clear ground";
        }
    }
}

}  // namespace
}  // namespace zr640
