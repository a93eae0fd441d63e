// zr640 watermark, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "core/watermark/picture_file.h"
#include "tests/native/test_bitmaps.h"
#include "tests/native/tool_runner.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;
using test::RunTool;

class WatermarkTool : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        test::WriteFile(folder_ / name, bytes);
        return Quoted(name);
    }
    std::string Quoted(const std::string& name) { return "\"" + (folder_ / name).string() + "\""; }
    test::TempFolder folder_;
};

TEST_F(WatermarkTool, ConvertWritesThePictureFile) {
    const Bytes source = test::Bitmap1(21, 4, [](int x, int y) { return x > y; });
    const auto run =
        RunTool("watermark convert " + Write("in.bmp", source) + " -o " + Quoted("out.bmp"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(test::ReadFile(folder_ / "out.bmp"), *WatermarkPictureFromBitmap(source));
}

TEST_F(WatermarkTool, ConvertReportsThePageMessages) {
    const std::string out = Write("out.bmp", {'o', 'l', 'd'});
    const Bytes fourBitSource = NewBitmapFile(4, 4, 4, std::vector<PaletteEntry>(16));
    const std::string fourBit = Write("in.bmp", fourBitSource);
    const auto refused = RunTool("watermark convert " + fourBit + " -o " + out);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(
        refused.output.starts_with("zr640: Make sure the specified bitmap is 1/8/24/ bits!\n"))
        << refused.output;
    EXPECT_EQ(test::ReadFile(folder_ / "out.bmp"), (Bytes{'o', 'l', 'd'}));

    const std::string good = Write("good.bmp", test::Bitmap8(3, 3, [](int x, int) { return x; }));
    const auto uncreatable = RunTool("watermark convert " + good + " -o " + Quoted("none/out.bmp"));
    EXPECT_EQ(uncreatable.status, 3);
    EXPECT_TRUE(uncreatable.output.starts_with(
        "zr640: Please check if user has administrator privileges!\n"))
        << uncreatable.output;

    EXPECT_EQ(RunTool("watermark convert " + good).status, 2);
    EXPECT_EQ(RunTool("watermark convert -o " + out).status, 2);
}

TEST_F(WatermarkTool, LayoutPrintsTheRectanglesOnly) {
    auto run = RunTool("watermark layout --frame 120x240 --picture 60x40 --position 4 --size 50");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "src 0 0 60 40 -> dst 30 100 60 40\n");

    run = RunTool("watermark layout --frame 100x200 --picture 40x30 --position 9 --size 30");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.output.starts_with(
        "src 0 0 40 30 -> dst 0 0 30 22\nsrc 0 0 40 30 -> dst 0 22 30 22\n"));
    EXPECT_NE(run.output.find("src 0 0 40 2 -> dst 0 198 30 2\nsrc 0 0 40 30 -> dst 30 0 30 22\n"),
              std::string::npos);
    EXPECT_TRUE(run.output.ends_with(
        "src 0 0 13 30 -> dst 90 176 10 22\nsrc 0 0 13 2 -> dst 90 198 10 2\n"));

    run = RunTool("watermark layout --frame 0x240 --picture 60x40 --position 4 --size 50");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "");
}

TEST_F(WatermarkTool, LayoutRefusesInvalidNumbers) {
    for (const char* arguments : {
             "--frame 120 --picture 60x40 --position 4 --size 50",
             "--frame 120xa --picture 60x40 --position 4 --size 50",
             "--frame 120x240 --picture -60x40 --position 4 --size 50",
             "--frame 70000x240 --picture 60x40 --position 4 --size 50",
             "--frame 120x240 --picture 60x40 --position 10 --size 50",
             "--frame 120x240 --picture 60x40 --position 4 --size 101",
             "--frame 120x240 --picture 60x40 --position 4 --size 5x",
             "--frame 120x240 --picture 60x40 --position 4",
             "--frame 120x240 --picture 60x40 --position 4 --size 50 --extra",
         }) {
        const auto run = RunTool(std::string("watermark layout ") + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.find("src"), std::string::npos) << arguments;
    }
}

}  // namespace
}  // namespace zr640
