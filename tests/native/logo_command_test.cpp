// zr640 logo, run as a program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_pack.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

class LogoCommand : public ::testing::Test {
protected:
    // Runs zr640 with the arguments; returns its exit status and keeps its standard error.
    int Run(const std::string& arguments) {
        const auto errors = folder_ / "stderr.txt";
        const std::string command =
            std::string("\"") + ZR640_TOOL + "\" " + arguments + " 2>\"" + errors.string() + "\"";
        const int status = std::system(command.c_str());
        const Bytes text = test::ReadFile(errors);
        errors_.assign(text.begin(), text.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Path(const std::string& name) { return (folder_ / name).string(); }
    std::string Picture(const std::string& name, const Bytes& bytes) {
        test::WriteFile(folder_ / name, bytes);
        return Path(name);
    }

    test::TempFolder folder_;
    std::string errors_;
};

Bytes Colour(int w, int h) {
    return test::Bitmap24(w, h, [](int x, int y) {
        return test::Rgb{static_cast<uint8_t>(x * 5), static_cast<uint8_t>(y * 7), 100};
    });
}

TEST_F(LogoCommand, MonoAndGrayWriteTheConvertedFile) {
    const Bytes picture = Colour(40, 20);
    const std::string in = Picture("shop.bmp", picture);
    ASSERT_EQ(Run("logo mono " + in + " --halftone diffuse --contrast 30 --brightness -10"), 0)
        << errors_;
    EXPECT_EQ(test::ReadFile(Path("shopTemp.bmp")),
              *ConvertToMonoBitmap(test::View(picture), Halftone::kErrorDiffuse, 30, -10));
    ASSERT_EQ(Run("logo gray " + in + " -o " + Path("gray.bmp")), 0) << errors_;
    EXPECT_EQ(test::ReadFile(Path("gray.bmp")), *ConvertToGrayBitmap(test::View(picture), 0, 0));
}

TEST_F(LogoCommand, DownloadWritesTheWholeStream) {
    const Bytes picture = Colour(100, 50);
    const std::string in = Picture("a.bmp", picture);
    const std::string bits =
        Picture("b.bmp", test::Bitmap1(9, 9, [](int x, int) { return x > 3; }));
    ASSERT_EQ(Run("logo download --format mono --halftone m4 " + in + " " + bits + " -o " +
                  Path("s.bin")),
              0)
        << errors_;
    const std::vector<MonoLogo> mono{
        *PackMonoLogo(*ConvertToMonoBitmap(test::View(picture), Halftone::kDitherM4, 0, 0)),
        *PackMonoLogo(test::ReadFile(bits))};
    EXPECT_EQ(test::ReadFile(Path("s.bin")), MonoLogoDownloadJob(mono).Bytes());

    ASSERT_EQ(Run("logo download --format gray " + in + " " + bits + " -o " + Path("g.bin")), 0)
        << errors_;
    const std::vector<GrayLogo> gray{
        *PackGrayLogo(*ConvertToGrayBitmap(test::View(picture), 0, 0)),
        *PackGrayLogo(*ConvertToGrayBitmap(test::View(test::ReadFile(bits)), 0, 0))};
    EXPECT_EQ(test::ReadFile(Path("g.bin")), GrayLogoDownloadJob(gray).Bytes());

    ASSERT_EQ(Run("logo clear -o " + Path("c.bin")), 0) << errors_;
    EXPECT_EQ(test::ReadFile(Path("c.bin")), ClearAllLogosJob().Bytes());
}

TEST_F(LogoCommand, DownloadRefusesWhatThePageRefuses) {
    const std::string small = Picture("small.bmp", Colour(8, 8));
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += small + " ";
    EXPECT_NE(Run("logo download --format mono " + ten + "-o " + Path("s.bin")), 0);
    EXPECT_NE(errors_.find(zr640::text::EnglishText(kDownloadError4.text)), std::string::npos)
        << errors_;

    const std::string wide = Picture("wide.bmp", Colour(1025, 1));
    EXPECT_NE(Run("logo download --format gray " + wide + " -o " + Path("s.bin")), 0);
    EXPECT_NE(errors_.find(zr640::text::EnglishText(kDownloadError3.text)), std::string::npos)
        << errors_;
    EXPECT_EQ(Run("logo download --format gray " + Picture("edge.bmp", Colour(1024, 1)) + " -o " +
                  Path("s.bin")),
              0)
        << errors_;

    // Two gray logos of 1078 + 48 000 bytes each: 98 156 pass, with one more row 98 476 do not.
    const std::string half = Picture("half.bmp", Colour(320, 150));
    EXPECT_EQ(Run("logo download --format gray " + half + " " + half + " -o " + Path("s.bin")), 0)
        << errors_;
    const std::string more = Picture("more.bmp", Colour(320, 151));
    EXPECT_NE(Run("logo download --format gray " + half + " " + more + " -o " + Path("s.bin")), 0);
    EXPECT_NE(errors_.find(zr640::text::EnglishText(kDownloadError7.text)), std::string::npos)
        << errors_;

    EXPECT_NE(Run("logo download --format gray " + Path("absent.bmp") + " -o " + Path("s.bin")), 0);
    EXPECT_NE(errors_.find(zr640::text::EnglishText(kDownloadError1.text)), std::string::npos)
        << errors_;
    EXPECT_NE(Run("logo download --format gray -o " + Path("s.bin")), 0);
    EXPECT_NE(errors_.find(zr640::text::EnglishText(kDownloadError5.text)), std::string::npos)
        << errors_;
}

TEST_F(LogoCommand, BadArgumentsAndBadFiles) {
    const std::string in = Picture("in.bmp", Colour(8, 8));
    EXPECT_NE(Run("logo mono " + in + " --halftone m5"), 0);
    EXPECT_NE(Run("logo mono " + in + " --contrast 101"), 0);
    EXPECT_NE(Run("logo gray " + in + " --halftone m3"), 0) << "gray logos have no halftone";
    EXPECT_NE(Run("logo download --format original " + in + " -o " + Path("s.bin")), 0);
    const std::string junk = Picture("junk.bmp", Bytes(100, 'B'));
    EXPECT_NE(Run("logo mono " + junk), 0);
    EXPECT_FALSE(errors_.empty());
    EXPECT_FALSE(std::filesystem::exists(Path("junkTemp.bmp")));
}

}  // namespace
}  // namespace zr640
