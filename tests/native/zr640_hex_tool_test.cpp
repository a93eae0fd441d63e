// zr640 hex parse as support staff run it.
#include <gtest/gtest.h>

#include <string>

#include "tests/native/tool_runner.h"

namespace {

using zr640::test::RunTool;
using zr640::test::ToolRun;

TEST(HexTool, PrintsTheBytesOfTheEditsReading) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"'1D 56 42 00'", "1D 56 42 00\n"},
        {"1D5642", "1D 56 42\n"},
        {"'1D 5 4'", "1D 05 04\n"},
        {"123", "12 03\n"},
        {"'1d zz'", "1D 00\n"},
        {"''", "\n"},
        {"-", "00\n"},
        {"-- --count", "00 C0 00 00\n"},  // after "--", TEXT as it stands
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(std::string("hex parse ") + c.text);
        EXPECT_EQ(run.status, 0) << c.text;
        EXPECT_EQ(run.output, c.shown) << c.text;
    }
}

TEST(HexTool, CountsAnyNumberOfBytes) {
    EXPECT_EQ(RunTool("hex parse --count " + std::string(257, '1')).output, "129\n");
    EXPECT_EQ(RunTool("hex parse --count " + std::string(256, '1')).output, "128\n");
    EXPECT_EQ(RunTool("hex parse --count ''").output, "0\n");
    const ToolRun long_ = RunTool("hex parse " + std::string(300, 'a'));
    EXPECT_EQ(long_.status, 0);
    EXPECT_EQ(long_.output.size(), 150u * 3) << "150 bytes, the trailing space dropped, a line end";
}

TEST(HexTool, UsageErrorsExitWithTwo) {
    for (const char* arguments :
         {"hex", "hex parse", "hex parse a b", "hex parse --count", "hex show 1D"}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.output.find("usage"), std::string::npos) << arguments;
    }
}

}  // namespace
