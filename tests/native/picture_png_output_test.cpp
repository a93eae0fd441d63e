// The tool's picture outputs written as PNG when the name ends in ".png": the same picture
// as the bitmap the same command writes otherwise.
#include <gtest/gtest.h>

#include <string>

#include "core/imaging/bmp.h"
#include "tests/native/png_reader.h"
#include "tests/native/test_bitmaps.h"
#include "tests/native/tool_runner.h"

namespace zr640 {
namespace {

using test::ReadFile;
using test::RunTool;

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

// A picture with colour, so the mono, gray and water-mark conversions all differ.
std::vector<uint8_t> Source() {
    return test::Bitmap24(37, 21, [](int32_t x, int32_t y) {
        return test::Rgb{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 12),
                         static_cast<uint8_t>((x + y) * 5)};
    });
}

// Runs `command` once with OUT.bmp and once with OUT.PNG; both must succeed.
void RunBoth(const test::TempFolder& folder, const std::string& command) {
    for (const char* name : {"out.bmp", "out.PNG"}) {
        const auto run = RunTool(command + " -o " + Quoted(folder / name));
        ASSERT_EQ(run.status, 0) << name << ": " << run.output;
    }
    const auto bitmap = ReadFile(folder / "out.bmp");
    ASSERT_GE(bitmap.size(), 2u);
    EXPECT_EQ(bitmap[0], 'B');
    EXPECT_EQ(bitmap[1], 'M');
}

TEST(PictureOutputs, LogoConversionsAsPng) {
    test::TempFolder folder;
    test::WriteFile(folder / "in.bmp", Source());
    for (const std::string kind : {"mono --halftone diffuse", "gray"}) {
        SCOPED_TRACE(kind);
        RunBoth(folder, "logo " + kind + " " + Quoted(folder / "in.bmp"));
        const auto bitmap = ReadFile(folder / "out.bmp");
        const BitmapView view = test::View(bitmap);
        const test::PngPixels png = test::ReadPng(folder / "out.PNG");
        ASSERT_EQ(png.width, 37u);
        ASSERT_EQ(png.height, 21u);
        int differences = 0;
        for (int32_t y = 0; y < 21; ++y) {
            const uint8_t* row = view.row(20 - y);
            for (int32_t x = 0; x < 37; ++x) {
                // Mono: a set bit is white; gray: the byte is the level.
                const int expected = view.bitsPerPixel() == 1
                                         ? ((row[x / 8] >> (7 - x % 8) & 1) != 0 ? 255 : 0)
                                         : row[x];
                differences +=
                    png.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) != expected;
            }
        }
        EXPECT_EQ(differences, 0);
    }
}

TEST(PictureOutputs, WatermarkPictureAsPng) {
    test::TempFolder folder;
    test::WriteFile(folder / "in.bmp", Source());
    RunBoth(folder, "watermark convert " + Quoted(folder / "in.bmp"));
    const auto bitmap = ReadFile(folder / "out.bmp");
    const BitmapView view = test::View(bitmap);
    const test::PngPixels png = test::ReadPng(folder / "out.PNG", true);
    ASSERT_EQ(png.width, 37u);
    int differences = 0;
    for (int32_t y = 0; y < 21; ++y) {
        const uint8_t* row = view.row(20 - y);
        for (uint32_t x = 0; x < 37; ++x) {
            for (uint32_t c = 0; c < 3; ++c) {
                differences += png.at(x, static_cast<uint32_t>(y), c) != row[3 * x + 2 - c];
            }
        }
    }
    EXPECT_EQ(differences, 0);
    // The input is not replaced, whatever the output's kind.
    EXPECT_NE(RunTool("watermark convert " + Quoted(folder / "in.bmp") + " -o " +
                      Quoted(folder / "in.bmp"))
                  .status,
              0);
}

TEST(PictureOutputs, RenderedLogAsPngWithTheSamePageEnds) {
    test::TempFolder folder;
    const auto log = std::filesystem::path(ZR640_TEST_DATA) / ".." / "fuzz" / "corpus" /
                     "render_log" / "full_band_and_lines.prn";
    const auto bmpRun = RunTool("render-log " + Quoted(log) + " -o " + Quoted(folder / "out.bmp"));
    const auto pngRun = RunTool("render-log " + Quoted(log) + " -o " + Quoted(folder / "out.png"));
    ASSERT_EQ(bmpRun.status, 0) << bmpRun.output;
    ASSERT_EQ(pngRun.status, 0) << pngRun.output;
    EXPECT_EQ(pngRun.output, bmpRun.output);  // the page ends

    const auto bitmap = ReadFile(folder / "out.bmp");
    const BitmapView view = test::View(bitmap);
    const test::PngPixels png = test::ReadPng(folder / "out.png");
    ASSERT_EQ(png.width, static_cast<uint32_t>(view.width()));
    ASSERT_EQ(png.height, static_cast<uint32_t>(view.height()));
    int differences = 0, dots = 0;
    for (uint32_t y = 0; y < png.height; ++y) {
        const uint8_t* row = view.row(static_cast<int32_t>(png.height - 1 - y));
        for (uint32_t x = 0; x < png.width; ++x) {
            const bool black = (row[x / 8] >> (7 - x % 8) & 1) == 0;  // colour 0 is black
            differences += png.Dot(x, y) != black;
            dots += black;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(dots, 0);
}

}  // namespace
}  // namespace zr640
