// Logos through the emulated printer: downloaded as `zr640 logo download` packs them, kept
// in the store, printed dot for dot; the store file across runs of `zr640 emulate`.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/emulator/logo_store.h"
#include "core/emulator/printer.h"
#include "core/printer/logo_commands.h"
#include "tests/native/png_reader.h"
#include "tests/native/test_bitmaps.h"
#include "tests/native/tool_runner.h"

namespace zr640::emulator {
namespace {

using test::ReadFile;
using test::RunTool;
using test::TempFolder;
using test::WriteFile;
using Bytes = std::vector<uint8_t>;

constexpr int32_t kWidth = 100;  // 13 bytes of gray line, 16 bytes (128 dots) of mono logo
constexpr int32_t kHeight = 50;  // 7 bands of mono logo (6 blank rows on top), 25 gray bands

// A picture with gradients and edges, so every halftone gives something of its own.
Bytes Picture() {
    return test::Bitmap24(kWidth, kHeight, [](int32_t x, int32_t y) {
        return test::Rgb{static_cast<uint8_t>(x * 255 / (kWidth - 1)), static_cast<uint8_t>(y * 5),
                         static_cast<uint8_t>((x * y) % 256)};
    });
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

struct Downloaded {
    Bytes stream;
    Bytes converted;
};

// The download stream and the converted file for the picture, both by the tool.
Downloaded Download(const TempFolder& folder, const std::string& format,
                    const std::string& halftone) {
    const auto source = folder / "logo.bmp";
    WriteFile(source, Picture());
    const std::string options = format == "mono" ? " --halftone " + halftone : "";
    const auto stream = folder / "stream.bin";
    const auto converted = folder / "converted.bmp";
    auto run = RunTool("logo download --format " + format + options + " " + Quoted(source) +
                       " -o " + Quoted(stream));
    EXPECT_EQ(run.status, 0) << run.output;
    run = RunTool("logo " + format + options + " " + Quoted(source) + " -o " + Quoted(converted));
    EXPECT_EQ(run.status, 0) << run.output;
    return {ReadFile(stream), ReadFile(converted)};
}

// Whether the converted mono file has a dot at (x, y), y from the top.
bool ConvertedDot(const Bytes& mono, int32_t x, int32_t y) {
    return !test::White(mono, x, kHeight - 1 - y);
}

uint8_t ConvertedGray(const Bytes& gray, int32_t x, int32_t y) {
    const size_t rowSize = static_cast<size_t>(BitmapRowSize(kWidth, 8));
    return gray[1078 + static_cast<size_t>(kHeight - 1 - y) * rowSize + static_cast<size_t>(x)];
}

TEST(EmulatorLogos, MonoLogosPrintTheConvertedPictureDotForDot) {
    for (const std::string halftone : {"none", "m3", "m4", "diffuse"}) {
        SCOPED_TRACE(halftone);
        TempFolder folder;
        const Downloaded logo = Download(folder, "mono", halftone);
        Printer printer;
        printer.Run(logo.stream);
        ASSERT_EQ(printer.logos().size(), 1u);
        ASSERT_EQ(printer.events().size(), 3u);  // the brackets around the download
        EXPECT_EQ(printer.events()[1].kind, EventKind::kLogosStored);
        EXPECT_EQ(printer.events()[1].details, "1 mono logo: 128 x 56 dots");

        for (const int code : {0, 3}) {
            const auto mode = static_cast<uint8_t>(code);
            const uint64_t top = printer.row();
            printer.Run(Bytes{0x1C, 0x70, 0x01, mode});
            const unsigned scale = mode == 3 ? 2 : 1;
            EXPECT_EQ(printer.row(), top + 56 * scale);
            const Paper& paper = printer.paper();
            int differences = 0;
            for (int32_t y = 0; y < 56; ++y) {
                for (int32_t x = 0; x < 128; ++x) {
                    // 6 blank rows on top, 28 blank columns on the right.
                    const bool expected =
                        y >= 6 && x < kWidth && ConvertedDot(logo.converted, x, y - 6);
                    for (unsigned dy = 0; dy < scale; ++dy) {
                        for (unsigned dx = 0; dx < scale; ++dx) {
                            differences +=
                                paper.Dot(static_cast<uint32_t>(x) * scale + dx,
                                          top + static_cast<uint64_t>(y) * scale + dy) != expected;
                        }
                    }
                }
            }
            EXPECT_EQ(differences, 0) << "mode " << int{mode};
        }
    }
}

TEST(EmulatorLogos, GrayLogosKeepTheSixteenLevels) {
    TempFolder folder;
    const Downloaded logo = Download(folder, "gray", "");
    Printer printer;
    printer.Run(logo.stream);
    ASSERT_EQ(printer.logos().size(), 1u);
    const StoredLogo* stored = printer.logos().Find(1);
    ASSERT_NE(stored, nullptr);
    ASSERT_TRUE(IsGray(*stored));
    const LogoPicture picture = PictureOf(*stored);
    ASSERT_EQ(picture.width, 104u);
    ASSERT_EQ(picture.height, 50u);
    int differences = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < 104; ++x) {
            const int expected = x < kWidth ? 15 - ConvertedGray(logo.converted, x, y) / 16 : 0;
            differences +=
                picture.values[static_cast<size_t>(y) * 104 + static_cast<size_t>(x)] != expected;
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(EmulatorLogos, GrayLogosPrintThroughAFixedDither) {
    // Black on the left (level 15: every dot), white on the right (no dot), a middle gray in
    // between (some dots, the same on every print).
    const Bytes source = test::Bitmap8(48, 16, [](int32_t x, int32_t) {
        return x < 16 ? 0 : x < 32 ? 128 : 255;
    });
    const auto packed = PackGrayLogo(source);
    ASSERT_TRUE(packed.ok()) << packed.error();
    const GrayLogo logos[] = {*packed};
    Printer printer;
    printer.Run(GrayLogoDownloadJob(logos).Bytes());
    const uint64_t top = printer.row();
    printer.Run(Bytes{0x1C, 0x70, 0x01, 0x00, 0x1C, 0x70, 0x01, 0x00});
    int left = 0, middle = 0, right = 0, repeated = 0;
    for (uint64_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 48; ++x) {
            const bool dot = printer.paper().Dot(x, top + y);
            (x < 16 ? left : x < 32 ? middle : right) += dot;
            repeated += dot == printer.paper().Dot(x, top + 16 + y);
        }
    }
    EXPECT_EQ(left, 256);
    EXPECT_EQ(right, 0);
    EXPECT_GT(middle, 64);
    EXPECT_LT(middle, 192);
    EXPECT_EQ(repeated, 16 * 48);
}

TEST(EmulatorLogos, ClearEmptiesTheStoreAndMissingLogosAreEvents) {
    TempFolder folder;
    const Downloaded logo = Download(folder, "mono", "m3");
    Printer printer;
    printer.Run(logo.stream);
    ASSERT_EQ(printer.logos().size(), 1u);
    printer.Run(ClearAllLogosJob().Bytes());
    EXPECT_TRUE(printer.logos().empty());
    const auto& events = printer.events();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[4].kind, EventKind::kLogosCleared);  // and no unknown bytes around it

    const uint64_t row = printer.row();
    printer.Run(Bytes{0x1C, 0x70, 0x01, 0x00, 0x1C, 0x70, 0x00, 0x00});
    ASSERT_EQ(printer.events().size(), 8u);
    EXPECT_EQ(printer.events()[6].kind, EventKind::kLogoMissing);
    EXPECT_EQ(printer.events()[6].details, "logo 1 is not stored (the store holds 0)");
    EXPECT_EQ(printer.events()[7].kind, EventKind::kLogoMissing);
    EXPECT_EQ(printer.row(), row);
}

TEST(EmulatorLogos, BadGrayHeaderAndOversizedDownloadsKeepTheStore) {
    TempFolder folder;
    Printer printer;
    printer.Run(Download(folder, "mono", "none").stream);
    ASSERT_EQ(printer.logos().size(), 1u);
    printer.Run(Bytes{0x1C, 0x72, 0x01, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00});
    EXPECT_EQ(printer.events().back().kind, EventKind::kUnknown);
    EXPECT_EQ(printer.events()[printer.events().size() - 2].kind, EventKind::kLogoRefused);
    // 1 + 8 logos of 255 x 255 x 8 bytes: more than the store takes.
    Bytes big = {0x1C, 0x71, 0x09};
    for (int i = 0; i < 9; ++i) {
        big.insert(big.end(), {0xFF, 0x00, 0xFF, 0x00});
        big.resize(big.size() + 255 * 255 * 8, 0x55);
    }
    printer.Run(big);
    EXPECT_EQ(printer.events().back().kind, EventKind::kLogoRefused);
    EXPECT_EQ(printer.logos().size(), 1u);
}

TEST(EmulatorLogoStore, FileRoundTripsAndRefusesDamage) {
    LogoStore store;
    store.Replace({MonoLogo{1, 1, {1, 2, 3, 4, 5, 6, 7, 8}}, GrayLogo{2, 1, Bytes(16, 0xA5)}});
    const Bytes file = store.Save();
    const auto loaded = LogoStore::Load(file);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded->Save(), file);
    ASSERT_EQ(loaded->size(), 2u);
    EXPECT_FALSE(IsGray(*loaded->Find(1)));
    EXPECT_TRUE(IsGray(*loaded->Find(2)));
    EXPECT_EQ(loaded->Find(3), nullptr);
    EXPECT_EQ(loaded->Find(0), nullptr);

    for (size_t i = 0; i < file.size(); ++i) {
        Bytes damaged = file;
        damaged[i] ^= 0x10;
        EXPECT_FALSE(LogoStore::Load(damaged).ok()) << "byte " << i;
    }
    for (size_t n = 0; n < file.size(); ++n) {
        EXPECT_FALSE(
            LogoStore::Load(Bytes(file.begin(), file.begin() + static_cast<long>(n))).ok());
    }
    Bytes longer = file;
    longer.push_back(0);
    EXPECT_FALSE(LogoStore::Load(longer).ok());
    EXPECT_TRUE(LogoStore::Load(LogoStore{}.Save()).ok());
}

TEST(EmulateTool, LogoStoreLivesAcrossRuns) {
    TempFolder folder;
    const Downloaded logo = Download(folder, "mono", "diffuse");
    const auto store = folder / "printer.nv";
    auto run =
        RunTool("emulate " + Quoted(folder / "stream.bin") + " --nv " + Quoted(store) + " -o " +
                Quoted(folder / "download.png") + " --events " + Quoted(folder / "download.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto events = ReadFile(folder / "download.txt");
    EXPECT_EQ(std::string(events.begin(), events.end()),
              "bracket-open 0 1B 63 3B 01\n"
              "logos-stored 0 1 mono logo: 128 x 56 dots\n"
              "bracket-close 30 1B 63 3B 00\n");

    WriteFile(folder / "print.bin", {0x1C, 0x70, 0x01, 0x00, 0x1D, 0x56, 0x00});
    run = RunTool("emulate " + Quoted(folder / "print.bin") + " --nv " + Quoted(store) +
                  " --width 200 -o " + Quoted(folder / "receipt.png") + " --events -");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "logo-printed 0 logo 1, mono, 128 x 56 dots\ncut 56 full cut\n");
    const test::PngPixels paper = test::ReadPng(folder / "receipt.png");
    ASSERT_EQ(paper.width, 200u);
    ASSERT_EQ(paper.height, 57u);
    int differences = 0;
    for (uint32_t y = 6; y < 56; ++y) {
        for (uint32_t x = 0; x < 200; ++x) {
            const bool expected =
                x < kWidth &&
                ConvertedDot(logo.converted, static_cast<int32_t>(x), static_cast<int32_t>(y - 6));
            differences += paper.Dot(x, y) != expected;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_TRUE(paper.Dot(0, 56));  // the cut's dashes
    EXPECT_FALSE(paper.Dot(8, 56));
}

TEST(EmulateTool, DamagedStoreIsRefusedAndKept) {
    TempFolder folder;
    LogoStore store;
    store.Replace({MonoLogo{1, 1, Bytes(8, 0xFF)}});
    Bytes file = store.Save();
    file[20] ^= 1;
    WriteFile(folder / "printer.nv", file);
    WriteFile(folder / "print.bin", {0x1C, 0x70, 0x01, 0x00});
    const auto run = RunTool("emulate " + Quoted(folder / "print.bin") + " --nv " +
                             Quoted(folder / "printer.nv") + " -o " + Quoted(folder / "paper.png"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("damaged"), std::string::npos) << run.output;
    EXPECT_EQ(ReadFile(folder / "printer.nv"), file);
    EXPECT_FALSE(std::filesystem::exists(folder / "paper.png"));
}

TEST(EmulateTool, CommandLineMistakesAreUsageErrors) {
    TempFolder folder;
    WriteFile(folder / "s.bin", {0x0A});
    EXPECT_EQ(RunTool("emulate " + Quoted(folder / "s.bin")).status, 2);
    EXPECT_EQ(RunTool("emulate -o " + Quoted(folder / "p.png")).status, 2);
    EXPECT_EQ(
        RunTool("emulate " + Quoted(folder / "s.bin") + " --width 7 -o " + Quoted(folder / "p.png"))
            .status,
        2);
    // Two outputs may not be one file, even before it exists.
    EXPECT_EQ(RunTool("emulate " + Quoted(folder / "s.bin") + " -o " + Quoted(folder / "p.png") +
                      " --events " + Quoted(folder / "." / "p.png"))
                  .status,
              2);
    EXPECT_EQ(RunTool("emulate " + Quoted(folder / "s.bin") + " --nv " + Quoted(folder / "p.png") +
                      " -o " + Quoted(folder / "p.png"))
                  .status,
              2);
    EXPECT_FALSE(std::filesystem::exists(folder / "p.png"));
    // The output may not be the stream.
    EXPECT_EQ(
        RunTool("emulate " + Quoted(folder / "s.bin") + " -o " + Quoted(folder / "s.bin")).status,
        1);
    EXPECT_EQ(ReadFile(folder / "s.bin"), Bytes{0x0A});
}

}  // namespace
}  // namespace zr640::emulator
