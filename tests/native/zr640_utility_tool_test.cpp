// zr640 selftest and zr640 control-font as support staff run them.
#include <gtest/gtest.h>

#include "tests/native/file_size_limit.h"
#include "tests/native/tool_runner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using zr640::test::RunTool;
using zr640::test::ToolRun;

class UtilityTool : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("zr640-utility-" + std::to_string(::getpid()));
    std::string file = (dir / "ZR640CONTROL.dat").string();
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    ToolRun ControlFont(const std::string& arguments) {
        return RunTool("control-font " + arguments);
    }
};

TEST_F(UtilityTool, SelfTestWritesTheJobsBytes) {
    const std::string out = (dir / "selftest.bin").string();
    ASSERT_EQ(RunTool("selftest -o " + out).status, 0);
    EXPECT_EQ(Read(out),
              std::string("\x1B\x63\x3B\x01\x1D\x28\x41\x02\x00\x00\x02\x1B\x63\x3B\x00", 15));
    EXPECT_EQ(RunTool("selftest").status, 2);
    EXPECT_EQ(RunTool("selftest extra -o " + out).status, 2);
}

TEST_F(UtilityTool, SetShowAndClearRewriteTheTable) {
    ASSERT_EQ(ControlFont("set " + file + " 41 \"1d 56 42 00\"").status, 0);
    ASSERT_EQ(ControlFont("set " + file + " 0x7f 1B40").status, 0);
    // Each run reads the file again, and a reader cuts the blank after the last byte.
    EXPECT_EQ(Read(file), "[Character Translation Table]\r\n41=1D 56 42 00\r\n7F=1B 40 \r\n");

    const ToolRun shown = ControlFont("show " + file);
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(std::count(shown.output.begin(), shown.output.end(), '\n'), 97) << shown.output;
    EXPECT_NE(shown.output.find("\n41   A    1D 56 42 00\n"), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("\n7F   DEL  1B 40\n"), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("\n20\n21   !\n"), std::string::npos) << shown.output;

    ASSERT_EQ(ControlFont("clear " + file + " 41").status, 0);
    EXPECT_EQ(Read(file), "[Character Translation Table]\r\n7F=1B 40\r\n");
    ASSERT_EQ(ControlFont("clear " + file + " 7F").status, 0);
    EXPECT_FALSE(fs::exists(file)) << "a table without commands leaves no file";
    EXPECT_EQ(ControlFont("clear " + file + " 7F").status, 0);
}

TEST_F(UtilityTool, ShowsStoredTextAsStoredAndKeepsOtherRows) {
    Write("[Character Translation Table]\r\n30=1b 21 08\r\n");
    EXPECT_NE(ControlFont("show " + file).output.find("\n30   0    1b 21 08\n"), std::string::npos);
    ASSERT_EQ(ControlFont("set " + file + " 31 0A").status, 0);
    EXPECT_EQ(Read(file), "[Character Translation Table]\r\n30=1b 21 08\r\n31=0A \r\n");
}

TEST_F(UtilityTool, OverLongOrForeignCommandsAreRefusedAndTheFileKept) {
    Write("[Character Translation Table]\r\n41=1B 40\r\n");
    const ToolRun tooLong = ControlFont("set " + file + " 42 " + std::string(258, '0'));
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.output.find("Command length error"), std::string::npos) << tooLong.output;
    EXPECT_EQ(ControlFont("set " + file + " 42 " + std::string(256, 'F')).status, 0) << "128 bytes";
    ASSERT_EQ(ControlFont("clear " + file + " 42").status, 0);

    EXPECT_EQ(ControlFont("set " + file + " 42 \"1B G0\"").status, 1);
    EXPECT_EQ(Read(file), "[Character Translation Table]\r\n41=1B 40\r\n");

    // A new file that cannot be written whole keeps the old one.
    {
        const FileSizeLimit full(Read(file).size());
        EXPECT_EQ(ControlFont("set " + file + " 42 0A").status, 1);
    }
    EXPECT_EQ(Read(file), "[Character Translation Table]\r\n41=1B 40\r\n");
    EXPECT_EQ(ControlFont("show " + dir.string()).status, 1) << "a folder is not a table";
}

TEST_F(UtilityTool, UsageErrorsExitWith2) {
    for (const std::string& arguments : std::vector<std::string>{
             "", "show", "frob " + file, "set " + file + " 41", "clear " + file,
             "set " + file + " 80 0A", "set " + file + " 1F 0A", "clear " + file + " zz",
             "clear " + file + " 141"}) {
        EXPECT_EQ(ControlFont(arguments).status, 2) << arguments;
    }
    EXPECT_FALSE(fs::exists(file));
}

}  // namespace
