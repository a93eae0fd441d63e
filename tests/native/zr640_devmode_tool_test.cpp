// zr640 devmode as support staff run it: files in, files and listings out.
#include <gtest/gtest.h>

#include "tests/native/tool_runner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using zr640::test::ToolRun;

ToolRun Tool(const std::string& arguments) { return zr640::test::RunTool(arguments); }

class DevModeTool : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("zr640-devmode-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(const char* name) { return (dir / name).string(); }
    void WriteBytes(const char* name, const std::vector<char>& bytes) {
        std::ofstream(Path(name), std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    }
};

TEST_F(DevModeTool, DefaultConvertShowRoundTrip) {
    ASSERT_EQ(Tool("devmode default -o " + Path("d.bin") + " --system-drive 'E:\\'").status, 0);
    EXPECT_EQ(fs::file_size(Path("d.bin")), 1976u);
    ASSERT_EQ(Tool("devmode convert " + Path("d.bin") + " -o " + Path("c.bin") + " --merge").status, 0);
    const ToolRun shown = Tool("devmode show " + Path("c.bin"));
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.output.find("barcode1D[2].bType = 3\n"), std::string::npos);
    EXPECT_NE(shown.output.find("wszLogFolder = \"E:\\\\RZKDriverlog\\\\ZR640\"\n"), std::string::npos)
        << "a converted record's folder comes from the input";
}

TEST_F(DevModeTool, RefusesWhatIsNotARecord) {
    WriteBytes("short.bin", {'0', '1'});
    WriteBytes("other.bin", std::vector<char>(1976, 'x'));
    for (const char* name : {"short.bin", "other.bin", "missing.bin"}) {
        const ToolRun run = Tool("devmode show " + Path(name));
        EXPECT_NE(run.status, 0) << name;
        EXPECT_NE(run.output.find("zr640: "), std::string::npos) << run.output;
    }
    EXPECT_NE(Tool("devmode show " + Path("other.bin")).output.find("signature"), std::string::npos);
}

TEST_F(DevModeTool, ConvertOfForeignBytesGivesDefaultsAndKeepsOldOutputOnFailure) {
    WriteBytes("garbage.bin", std::vector<char>(5000, '\x7f'));
    ASSERT_EQ(Tool("devmode default -o " + Path("out.bin")).status, 0);
    ASSERT_EQ(Tool("devmode convert " + Path("garbage.bin") + " -o " + Path("conv.bin")).status, 0);
    std::ifstream a(Path("out.bin"), std::ios::binary), b(Path("conv.bin"), std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(a), {}, std::istreambuf_iterator<char>(b)));

    // A failed convert (missing input) leaves the existing output as it was.
    EXPECT_NE(Tool("devmode convert " + Path("nothing.bin") + " -o " + Path("out.bin")).status, 0);
    EXPECT_EQ(fs::file_size(Path("out.bin")), 1976u);
}

}  // namespace
