// Raw jobs through Wine's real spooler to the test printer, whose port is a file: what the
// plug-in writes must arrive there unchanged.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "core/printer/logo_commands.h"
#include "plugin/platform/printer_spooler.h"
#include "tests/windows/test_support.h"

namespace {

std::vector<uint8_t> Capture() {
    std::ifstream in("C:\\capture\\zr640.prn", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RawJobTest : public ::testing::Test {
protected:
    HANDLE printer = nullptr;
    void SetUp() override {
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(L"T-ZR640 Test"), &printer, nullptr));
        DeleteFileW(L"C:\\capture\\zr640.prn");
    }
    void TearDown() override { ClosePrinter(printer); }
};

TEST_F(RawJobTest, BlocksArriveUnchangedInOrder) {
    zr640::RawJob job{u"SELFTEST",
                      {{0x1B, 0x63, 0x3B, 0x01}, std::vector<uint8_t>(70000, 0xA5), {0x00, 0x1B}}};
    ASSERT_TRUE(zr640ui::SendRawJob(printer, job));
    EXPECT_EQ(Capture(), job.Bytes());
}

TEST_F(RawJobTest, ClearAllLogosIsTheBracketedCommand) {
    const zr640::RawJob job = zr640::ClearAllLogosJob();
    ASSERT_TRUE(zr640ui::SendRawJob(printer, job));
    EXPECT_EQ(Capture(), job.Bytes());
    EXPECT_EQ(job.documentName, u"SELFTEST");
}

TEST_F(RawJobTest, NoPrinterSendsNothing) {
    EXPECT_FALSE(zr640ui::SendRawJob(nullptr, zr640::ClearAllLogosJob()));
}

}  // namespace
