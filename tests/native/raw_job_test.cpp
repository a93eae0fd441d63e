#include <gtest/gtest.h>

#include "core/printer/raw_job.h"
#include "tests/native/recording_spooler.h"

namespace zr640 {
namespace {

using Calls = std::vector<std::string>;

const std::vector<ByteBlock> kThreeBlocks{{1, 2, 3, 4}, {5}, {6, 7}};

TEST(SendRawJob, StartsWritesEveryBlockAndEnds) {
    test::RecordingSpooler spooler;
    EXPECT_TRUE(SendRawJob(spooler, u"SELFTEST", kThreeBlocks));
    EXPECT_EQ(spooler.calls, (Calls{"StartDoc SELFTEST", "StartPage", "Write 4", "Write 1",
                                    "Write 2", "EndPage", "EndDoc"}));
    EXPECT_EQ(spooler.written, kThreeBlocks);
}

TEST(SendRawJob, FailedStartOfTheDocumentEndsNothing) {
    test::RecordingSpooler spooler;
    spooler.failing = "StartDoc";
    EXPECT_FALSE(SendRawJob(spooler, u"LOGO", kThreeBlocks));
    EXPECT_EQ(spooler.calls, (Calls{"StartDoc LOGO"}));
}

TEST(SendRawJob, FailedStartOfThePageEndsTheDocument) {
    test::RecordingSpooler spooler;
    spooler.failing = "StartPage";
    EXPECT_FALSE(SendRawJob(spooler, u"LOGO", kThreeBlocks));
    EXPECT_EQ(spooler.calls, (Calls{"StartDoc LOGO", "StartPage", "EndDoc"}));
}

TEST(SendRawJob, FailedSecondBlockStopsTheWrites) {
    test::RecordingSpooler spooler;
    spooler.failing = "Write 2";
    EXPECT_FALSE(SendRawJob(spooler, u"FIRMWARE", kThreeBlocks));
    EXPECT_EQ(spooler.calls,
              (Calls{"StartDoc FIRMWARE", "StartPage", "Write 4", "Write 1", "EndPage", "EndDoc"}));
}

TEST(SendRawJob, ShortWriteIsAFailedWrite) {
    test::RecordingSpooler spooler;
    spooler.shortWrite = true;
    EXPECT_FALSE(SendRawJob(spooler, u"LOGO", kThreeBlocks));
    EXPECT_EQ(spooler.calls, (Calls{"StartDoc LOGO", "StartPage", "Write 4", "EndPage", "EndDoc"}));
}

TEST(SendRawJob, FailedEndOfThePageStillEndsTheDocument) {
    test::RecordingSpooler spooler;
    spooler.failing = "EndPage";
    EXPECT_FALSE(SendRawJob(spooler, u"LOGO", kThreeBlocks));
    EXPECT_EQ(spooler.calls.back(), "EndDoc");
    EXPECT_EQ(spooler.calls.size(), 7u);
}

TEST(SendRawJob, TheEndOfTheDocumentGivesTheResult) {
    test::RecordingSpooler spooler;
    spooler.failing = "EndDoc";
    EXPECT_FALSE(SendRawJob(spooler, u"LOGO", kThreeBlocks));
    EXPECT_EQ(spooler.calls.size(), 7u);
}

TEST(SendRawJob, EmptyBlocksAreWrittenToo) {
    test::RecordingSpooler spooler;
    EXPECT_TRUE(SendRawJob(spooler, u"LOGO", std::vector<ByteBlock>{{}, {1}}));
    EXPECT_EQ(spooler.calls,
              (Calls{"StartDoc LOGO", "StartPage", "Write 0", "Write 1", "EndPage", "EndDoc"}));
}

}  // namespace
}  // namespace zr640
