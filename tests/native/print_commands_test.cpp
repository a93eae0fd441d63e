// The reader of the paper commands shared by the print-file rendering and the emulated
// printer: what it recognises, and commands cut off by the end of the bytes.
#include <gtest/gtest.h>

#include <vector>

#include "core/driverlog/print_commands.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;
using Kind = PrintCommandKind;

PrintCommand Read(const Bytes& bytes, size_t at = 0) { return ReadPrintCommand(bytes, at); }

TEST(PrintCommands, WholeCommandsWithTheirParameters) {
    const auto feed = Read({0x15, 0x07});
    EXPECT_EQ(feed.kind, Kind::kFeed);
    EXPECT_TRUE(feed.complete);
    EXPECT_EQ(feed.size, 2u);
    EXPECT_EQ(feed.value, 7u);

    const Bytes line = {0x16, 0x02, 0xAA, 0x55, 0x15};
    const auto raster = Read(line);
    EXPECT_EQ(raster.kind, Kind::kRasterLine);
    EXPECT_EQ(raster.size, 4u);
    EXPECT_EQ(raster.data.data(), line.data() + 2);
    EXPECT_EQ(raster.data.size(), 2u);

    EXPECT_EQ(Read({0x1B, 0x33, 0x18}).kind, Kind::kLineSpacing);
    const auto spacingFeed = Read({0x1B, 0x33, 0x18, 0x0A});
    EXPECT_EQ(spacingFeed.kind, Kind::kLineSpacingFeed);
    EXPECT_EQ(spacingFeed.size, 4u);
    EXPECT_EQ(spacingFeed.value, 0x18u);

    const auto position = Read({0x1B, 0x24, 0x0A, 0x01});
    EXPECT_EQ(position.kind, Kind::kHorizontalPosition);
    EXPECT_EQ(position.value, 266u);

    const Bytes band = {0x1B, 0x2A, 0x21, 0x02, 0x00, 1, 2, 3, 4, 5, 6, 0x0A};
    const auto image = Read(band);
    EXPECT_EQ(image.kind, Kind::kBitImageBand);
    EXPECT_EQ(image.size, 11u);
    EXPECT_EQ(image.value, 2u);
    EXPECT_EQ(image.data.data(), band.data() + 2);  // from the mode byte, as the decoder takes it
    EXPECT_EQ(image.data.size(), 9u);

    EXPECT_EQ(Read({0x1D, 0x44, 0x00}).kind, Kind::kPageEnd);
    EXPECT_EQ(Read({0x00, 0x15, 0x01}, 1).kind, Kind::kFeed);
}

TEST(PrintCommands, CutOffCommandsKeepTheirKindAndAreNotComplete) {
    const std::vector<std::pair<Bytes, Kind>> cases = {
        {{0x15}, Kind::kFeed},
        {{0x16}, Kind::kRasterLine},
        {{0x16, 0x03, 1, 2}, Kind::kRasterLine},
        {{0x1B, 0x33}, Kind::kLineSpacing},
        {{0x1B, 0x24, 0x01}, Kind::kHorizontalPosition},
        {{0x1B, 0x2A}, Kind::kBitImageBand},
        {{0x1B, 0x2A, 0x21, 0x01}, Kind::kBitImageBand},
        {{0x1B, 0x2A, 0x21, 0x01, 0x00, 1, 2}, Kind::kBitImageBand},
        {{0x1D, 0x44}, Kind::kPageEnd},
    };
    for (const auto& [bytes, kind] : cases) {
        const auto command = Read(bytes);
        EXPECT_EQ(command.kind, kind) << bytes.size();
        EXPECT_FALSE(command.complete) << bytes.size();
    }
}

TEST(PrintCommands, OtherBytesAreNoCommand) {
    for (const Bytes& bytes : std::vector<Bytes>{{},
                                                 {0x1B},
                                                 {0x1B, 0x40},
                                                 {0x1B, 0x2A, 0x00},
                                                 {0x1D, 0x44, 0x01},
                                                 {0x1D, 0x56, 0x00},
                                                 {0x0A}}) {
        EXPECT_EQ(Read(bytes).kind, Kind::kNone) << bytes.size();
    }
    EXPECT_EQ(Read({0x15, 0x01}, 2).kind, Kind::kNone);  // past the end
}

}  // namespace
}  // namespace zr640
