// zr640 render-log as a support engineer runs it.
#include <gtest/gtest.h>

#include "tests/native/tool_runner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/native/print_file_builder.h"

namespace zr640 {
namespace {

using zr640::test::ToolRun;

ToolRun Tool(const std::string& arguments) { return zr640::test::RunTool(arguments); }

class RenderLogCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zr640_render_log_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(RenderLogCommand, WritesTheBitmapBesideTheFileAndListsThePageEnds) {
    testing::PrintFileBuilder file;
    file.Line(std::vector<uint8_t>(80, 0xFF)).Feed(1).Line({}).Feed(1).Line({}).LastLineTail();
    file.Spacing(10).PageEnd();
    const std::string input = Write("job 1.prn", file.bytes());
    const ToolRun run = Tool("render-log '" + input + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "1\n35\n");
    EXPECT_EQ(std::filesystem::file_size(folder_ / "job 1.bmp"), 62u + 80u * 35);

    const ToolRun named =
        Tool("render-log '" + input + "' -o '" + (folder_ / "out.bmp").string() + "'");
    EXPECT_EQ(named.status, 0) << named.output;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "out.bmp"));
}

TEST_F(RenderLogCommand, OtherLineGeometry) {
    const std::string input = Write("narrow.prn", testing::PrintFileBuilder().PageEnd().bytes());
    const ToolRun run = Tool("render-log " + input + " --bytes-per-row 4 --width 32");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(std::filesystem::file_size(folder_ / "narrow.bmp"), 62u + 4u * 24);
}

TEST_F(RenderLogCommand, RefusesWhatTheViewerRefuses) {
    const std::string empty = Write("empty.prn", {});
    const std::string bands =
        Write("bands.prn",
              testing::PrintFileBuilder().Band(std::vector<uint8_t>(30, 0xFF)).Spacing(24).bytes());
    const std::string good = Write("good.prn", testing::PrintFileBuilder().PageEnd().bytes());
    for (const std::string& arguments :
         {empty, bands, good + " --bytes-per-row 81", good + " --width 0"}) {
        const ToolRun run = Tool("render-log " + arguments);
        EXPECT_NE(run.status, 0) << arguments;
        EXPECT_NE(run.output.find("The printer dirver log is error!"), std::string::npos)
            << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ / "empty.bmp"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "bands.bmp"));
    EXPECT_NE(Tool("render-log " + (folder_ / "missing.prn").string()).status, 0);
    EXPECT_NE(Tool("render-log").status, 0);
}

}  // namespace
}  // namespace zr640
