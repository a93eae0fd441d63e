// zr640 barcode as support staff run it: the check, the test-print bytes and the height.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "core/barcode/test_print.h"
#include "core/settings/private_devmode.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class BarcodeTool : public ::testing::Test {
protected:
    // Runs zr640 with the arguments, standard output and standard error apart.
    Outcome Tool(const std::string& arguments) {
        const auto errors = folder_ / "stderr.txt";
        const std::string command =
            std::string("\"") + ZR640_TOOL + "\" " + arguments + " 2>\"" + errors.string() + "\"";
        Outcome run;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return run;
        char buffer[4096];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            run.out.append(buffer, n);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const Bytes text = test::ReadFile(errors);
        run.err.assign(text.begin(), text.end());
        return run;
    }
    std::string Path(const std::string& name) { return (folder_ / name).string(); }

    test::TempFolder folder_;
};

TEST_F(BarcodeTool, CheckPrintsTheBytesToSend) {
    Outcome run = Tool("barcode check --type 8 '{C1234'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "7B 43 0C 22 \n");
    run = Tool("barcode check --type 0 --data-hex '31323334353637383930 31'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "31 32 33 34 35 36 37 38 39 30 31 \n");
    run = Tool("barcode check --2d --type 1 --data-hex 6162");
    EXPECT_EQ(run.out, "61 62 \n") << "lower case is in the GS1 set";
    EXPECT_EQ(Tool("barcode check --2d --type 5 " + std::string(84, 'Z')).status, 0);
}

TEST_F(BarcodeTool, CheckRefusalsAreTheDataError) {
    for (const std::string& arguments : std::vector<std::string>{
             "--type 1 123456789012", "--type 8 '{C123'", "--2d --type 1 '01#'", "--type 0 ''",
             "--2d --type 5 " + std::string(85, 'Z'), "--2d --type 0 --data-hex '41 00 42'"}) {
        const Outcome run = Tool("barcode check " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "BarCode data error!\n") << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
}

TEST_F(BarcodeTool, UsageErrorsExitTwo) {
    for (const char* arguments :
         {"barcode check 123", "barcode check --type 13 1", "barcode check --2d --type 6 1",
          "barcode check --type 0 --data-hex 3", "barcode check --type 0 --data-hex '3 1'",
          "barcode check --type 0 --data-hex 0x31", "barcode check --type 0 1 --data-hex 31",
          "barcode check --type 0 1 2", "barcode check --type 0",
          "barcode testprint --font 9 1 -o x", "barcode testprint --2d --font 3 1 -o x",
          "barcode testprint --font 1 1", "barcode height --dots 0 --hri 0 --hri-font 0",
          "barcode height --dots 10 --hri 4 --hri-font 0", "barcode height --dots 10 --hri 0",
          "barcode height --dots 10 --hri 0 --hri-font 0 --x", "barcode", "barcode draw"}) {
        EXPECT_EQ(Tool(arguments).status, 2) << arguments;
    }
}

TEST_F(BarcodeTool, HeightPrintsStoredHeightAndTheTexts) {
    Outcome run = Tool("barcode height --dots 163 --hri 0 --hri-font 0");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "162\n 22.9\n 65.0\n");
    run = Tool("barcode height --dots 100 --hri 3 --hri-font 1");
    EXPECT_EQ(run.out, "133\n 18.8\n 53.0\n");
}

TEST_F(BarcodeTool, TestPrintWritesTheJobOfTheRecordsFont) {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    // Default record: font 8 is Code128.
    ASSERT_EQ(Tool("barcode testprint --font 8 '{C1234' -o " + Path("default.bin")).status, 0);
    EXPECT_EQ(
        test::ReadFile(Path("default.bin")),
        Barcode1DTestPrint(record.barcode1D[7], Bytes{'{', 'C', '1', '2', '3', '4'})->Bytes());

    record.barcode1D[2].bType = 10;  // GS1 DataBar Truncated
    record.barcode1D[2].bGs1Hri = 4;
    record.barcode2D[1].bType = 4;  // QR Code
    record.barcode2D[1].bQrErrorLevel = 3;
    test::WriteFile(Path("record.bin"), Bytes(BytesOf(record).begin(), BytesOf(record).end()));

    ASSERT_EQ(Tool("barcode testprint --font 3 --record " + Path("record.bin") +
                   " --data-hex '30 31 61' -o " + Path("gs1.bin"))
                  .status,
              0);
    EXPECT_EQ(test::ReadFile(Path("gs1.bin")),
              Barcode1DTestPrint(record.barcode1D[2], Bytes{'0', '1', 'a'})->Bytes());
    ASSERT_EQ(Tool("barcode testprint --2d --font 2 --record " + Path("record.bin") + " hello -o " +
                   Path("qr.bin"))
                  .status,
              0);
    const Bytes qr = test::ReadFile(Path("qr.bin"));
    EXPECT_EQ(qr, Barcode2DTestPrint(record.barcode2D[1], Bytes{'h', 'e', 'l', 'l', 'o'})->Bytes());
    ASSERT_GT(qr.size(), 9u);
    EXPECT_EQ(qr[9], 'Q');
}

TEST_F(BarcodeTool, TestPrintRefusalsLeaveTheOutputAlone) {
    test::WriteFile(Path("out.bin"), Bytes{1, 2, 3});
    Outcome run = Tool("barcode testprint --font 1 12345 -o " + Path("out.bin"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "BarCode data error!\n");
    EXPECT_EQ(test::ReadFile(Path("out.bin")), (Bytes{1, 2, 3}));

    // Not a record, the record itself, or a folder as the output: refused, nothing replaced.
    test::WriteFile(Path("junk.bin"), Bytes(1976, 0x55));
    run = Tool("barcode testprint --font 1 12345678901 --record " + Path("junk.bin") + " -o " +
               Path("out.bin"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("zr640: "), std::string::npos);
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    const Bytes stored(BytesOf(record).begin(), BytesOf(record).end());
    test::WriteFile(Path("record.bin"), stored);
    EXPECT_EQ(Tool("barcode testprint --font 1 12345678901 --record " + Path("record.bin") +
                   " -o " + Path("record.bin"))
                  .status,
              1);
    EXPECT_EQ(test::ReadFile(Path("record.bin")), stored);
    std::filesystem::create_directories(folder_ / "folder");
    EXPECT_EQ(Tool("barcode testprint --font 1 12345678901 -o " + Path("folder")).status, 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "folder"));
    EXPECT_EQ(test::ReadFile(Path("out.bin")), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace zr640
