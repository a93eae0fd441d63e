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
        std::ofstream(Path(name), std::ios::binary)
            .write(bytes.data(), static_cast<long>(bytes.size()));
    }
};

TEST_F(DevModeTool, DefaultConvertShowRoundTrip) {
    ASSERT_EQ(Tool("devmode default -o " + Path("d.bin") + " --system-drive 'E:\\'").status, 0);
    EXPECT_EQ(fs::file_size(Path("d.bin")), 1976u);
    ASSERT_EQ(Tool("devmode convert " + Path("d.bin") + " -o " + Path("c.bin") + " --merge").status,
              0);
    const ToolRun shown = Tool("devmode show " + Path("c.bin"));
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.output.find("barcode1D[2].bType = 3\n"), std::string::npos);
    EXPECT_NE(shown.output.find("wszLogFolder = \"E:\\\\RZKDriverlog\\\\ZR640\"\n"),
              std::string::npos)
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
    EXPECT_NE(Tool("devmode show " + Path("other.bin")).output.find("signature"),
              std::string::npos);
}

TEST_F(DevModeTool, ConvertOfForeignBytesGivesDefaultsAndKeepsOldOutputOnFailure) {
    WriteBytes("garbage.bin", std::vector<char>(5000, '\x7f'));
    ASSERT_EQ(Tool("devmode default -o " + Path("out.bin")).status, 0);
    ASSERT_EQ(Tool("devmode convert " + Path("garbage.bin") + " -o " + Path("conv.bin")).status, 0);
    std::ifstream a(Path("out.bin"), std::ios::binary), b(Path("conv.bin"), std::ios::binary);
    EXPECT_TRUE(
        std::equal(std::istreambuf_iterator<char>(a), {}, std::istreambuf_iterator<char>(b)));

    // A failed convert (missing input) leaves the existing output as it was.
    EXPECT_NE(Tool("devmode convert " + Path("nothing.bin") + " -o " + Path("out.bin")).status, 0);
    EXPECT_EQ(fs::file_size(Path("out.bin")), 1976u);
}

std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(DevModeTool, SetThenShowPrintsWhatWasSet) {
    ASSERT_EQ(Tool("devmode default -o " + Path("r.bin")).status, 0);
    const ToolRun set =
        Tool("devmode set " + Path("r.bin") +
             " startDoc.bPaperCut=2 'barcode1D[3].bType=8' 'wszWatermarkText=\"DRAFT\"'"
             " 'endDoc.abCommand=1D 56 42 00' 'wszLogFolder=\"D:\\\\a \\\"b\\\"\"'");
    ASSERT_EQ(set.status, 0) << set.output;
    EXPECT_EQ(set.output, "");
    EXPECT_EQ(fs::file_size(Path("r.bin")), 1976u);
    const std::string shown = Tool("devmode show " + Path("r.bin")).output;
    for (const char* line : {"startDoc.bPaperCut = 2\n", "barcode1D[3].bType = 8\n",
                             "wszWatermarkText = \"DRAFT\"\n", "endDoc.abCommand = 1D 56 42\n",
                             "endDoc.cbCommand = 4\n", "wszLogFolder = \"D:\\\\a \\\"b\\\"\"\n"}) {
        EXPECT_NE(shown.find(line), std::string::npos) << line << shown;
    }
    // A shown text line goes back in as it stands.
    const std::string paper = " 'wszPaperName=\"80mm \\\"Roll\\\"\"'";
    ASSERT_EQ(Tool("devmode set " + Path("r.bin") + paper).status, 0);
    const std::string again = Tool("devmode show " + Path("r.bin")).output;
    const size_t at = again.find("wszPaperName = ");
    ASSERT_NE(at, std::string::npos);
    const std::string value = again.substr(at + 15, again.find('\n', at) - at - 15);
    EXPECT_EQ(value, "\"80mm \\\"Roll\\\"\"");
}

TEST_F(DevModeTool, SetRefusesAndWritesNothing) {
    ASSERT_EQ(Tool("devmode default -o " + Path("r.bin")).status, 0);
    const std::vector<char> before = ReadBytes(Path("r.bin"));
    const struct {
        const char* assignments;
        const char* named;
    } refusals[] = {
        {"startDoc.bPaperCut=2 startDoc.bPaperCut=3", "startDoc.bPaperCut=3"},
        {"bZoom=1 nosuch.field=1", "nosuch.field"},
        {"'wszWatermarkText=\"12345678901234567\"'", "wszWatermarkText"},
        {"wszWatermarkText=DRAFT", "wszWatermarkText"},
        {"endPage.bFeedMm=abc", "endPage.bFeedMm"},
        {"'endDoc.abCommand=1D 5G'", "endDoc.abCommand"},
        {"dwSize=100", "dwSize"},
        {"bZoom", "bZoom"},
    };
    for (const auto& r : refusals) {
        const ToolRun run = Tool("devmode set " + Path("r.bin") + " " + r.assignments);
        EXPECT_EQ(run.status, 1) << r.assignments;
        EXPECT_NE(run.output.find(r.named), std::string::npos) << run.output;
        EXPECT_EQ(ReadBytes(Path("r.bin")), before) << r.assignments;
    }
    const std::string command257 = " 'endDoc.abCommand=" + std::string(257, '1') + "'";
    EXPECT_NE(Tool("devmode set " + Path("r.bin") + command257).status, 0);
    EXPECT_EQ(ReadBytes(Path("r.bin")), before);
    EXPECT_FALSE(fs::exists(Path("r.bin.partial")));
}

TEST_F(DevModeTool, SetTakesOnlyCompleteRecordsInRegularFiles) {
    ASSERT_EQ(Tool("devmode default -o " + Path("r.bin")).status, 0);
    std::vector<char> shorter = ReadBytes(Path("r.bin"));
    shorter.resize(1000);
    shorter[0] = static_cast<char>(0xE8), shorter[1] = 0x03;  // dwSize 1000
    WriteBytes("short.bin", shorter);
    const ToolRun run = Tool("devmode set " + Path("short.bin") + " bZoom=1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("convert"), std::string::npos) << run.output;
    EXPECT_EQ(ReadBytes(Path("short.bin")), shorter);

    WriteBytes("other.bin", std::vector<char>(1976, 'x'));
    EXPECT_EQ(Tool("devmode set " + Path("other.bin") + " bZoom=1").status, 1);
    EXPECT_EQ(Tool("devmode set " + Path("missing.bin") + " bZoom=1").status, 1);
    EXPECT_FALSE(fs::exists(Path("missing.bin")));

    fs::create_symlink(Path("r.bin"), Path("link.bin"));
    EXPECT_EQ(Tool("devmode set " + Path("link.bin") + " bZoom=1").status, 1);
    EXPECT_TRUE(fs::is_symlink(Path("link.bin")));
    EXPECT_EQ(Tool("devmode set " + dir.string() + " bZoom=1").status, 1);
}

TEST_F(DevModeTool, SetUsageErrorsExitWithTwo) {
    ASSERT_EQ(Tool("devmode default -o " + Path("r.bin")).status, 0);
    EXPECT_EQ(Tool("devmode set").status, 2);
    EXPECT_EQ(Tool("devmode set " + Path("r.bin")).status, 2);
}

TEST_F(DevModeTool, MalformedCommandLinesExitWithTwoAndWriteNothing) {
    ASSERT_EQ(Tool("devmode default -o " + Path("r.bin")).status, 0);
    const std::vector<std::string> malformed = {
        "devmode default --bogus",
        "devmode default extra.bin",
        "devmode default -o",
        "devmode convert " + Path("r.bin"),
        "devmode convert -o " + Path("out.bin"),
        "devmode convert " + Path("r.bin") + " " + Path("r.bin") + " -o " + Path("out.bin"),
        "devmode convert " + Path("r.bin") + " -o " + Path("out.bin") + " --system-drive",
        "devmode show",
        "devmode show " + Path("r.bin") + " " + Path("r.bin"),
        "devmode show --all " + Path("r.bin"),
        "devmode",
        "devmode list"};
    for (const std::string& arguments : malformed) {
        const ToolRun run = Tool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.output.find("zr640"), std::string::npos) << arguments << ": " << run.output;
    }
    EXPECT_FALSE(fs::exists(Path("out.bin")));
    // A well-formed command line whose input is refused is an error of another kind.
    EXPECT_EQ(Tool("devmode show " + Path("missing.bin")).status, 1);
}

}  // namespace
