// Golden results of every conversion and both download streams on checked-in pictures.
// tests/data/logo/golden.txt holds the size and FNV-1a hash of each result. After an
// intended change, regenerate the pictures and the list with
//   ZR640_UPDATE_GOLDEN=1 build/native/bin/zr640_native_tests --gtest_filter='LogoGolden.*'
// and review the change with git diff.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_pack.h"
#include "core/printer/logo_commands.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

const std::filesystem::path kFolder = std::filesystem::path(ZR640_TEST_DATA) / "logo";

bool Updating() { return std::getenv("ZR640_UPDATE_GOLDEN") != nullptr; }

// 45 x 29: rows of 135, 45 and 6 bytes, none a multiple of 8 pixels, an odd height.
// Hue bands over a vertical ramp, a dark disc and a band of fine stripes; integers only,
// so the pictures come out the same everywhere.
test::Rgb Pixel(int x, int y) {
    const int dx = x - 30, dy = y - 14;
    if (dx * dx + dy * dy < 49) return {20, 30, 40};
    if (y >= 3 && y < 6) return x % 2 ? test::Rgb{250, 250, 250} : test::Rgb{5, 5, 5};
    const int level = 40 + 200 * y / 28;
    auto channel = [&](int phase) {
        const int t = (3 * x + y + phase) % 90;
        return static_cast<uint8_t>(level * (55 + (t < 45 ? t : 90 - t)) / 100);
    };
    return {channel(0), channel(30), channel(60)};
}

Bytes Picture24() { return test::Bitmap24(45, 29, Pixel); }
Bytes Picture8() {
    return test::Bitmap8(45, 29, [](int x, int y) {
        const test::Rgb c = Pixel(x, y);
        return (c.red + c.green + c.blue) / 3;
    });
}
Bytes Picture1() {
    return test::Bitmap1(45, 29, [](int x, int y) {
        const test::Rgb c = Pixel(x, y);
        return c.red + c.green + c.blue > 3 * 128;
    });
}

std::string Hash(const Bytes& bytes) {
    uint64_t hash = 0xCBF29CE484222325u;
    for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3u;
    char text[40];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(),
                  static_cast<unsigned long long>(hash));
    return text;
}

// Every result, by name.
std::map<std::string, Bytes> Results(const Bytes& p24, const Bytes& p8, const Bytes& p1) {
    std::map<std::string, Bytes> results;
    const char* names[] = {"none", "m3", "m4", "diffuse"};
    const std::pair<int, int> settings[] = {{0, 0}, {40, -20}, {-60, 10}};
    std::vector<MonoLogo> monoLogos;
    std::vector<GrayLogo> grayLogos;
    for (const auto& [depth, picture] : {std::pair{"24", &p24}, {"8", &p8}}) {
        const auto view = test::View(*picture);
        for (int h = 0; h < 4; ++h) {
            for (const auto& [c, v] : settings) {
                auto mono = ConvertToMonoBitmap(view, static_cast<Halftone>(h), c, v);
                EXPECT_TRUE(mono.ok());
                const std::string name = "mono-" + std::string(names[h]) + "-" + depth + "-c" +
                                         std::to_string(c) + "v" + std::to_string(v);
                results[name] = *mono;
                if (c == 0) monoLogos.push_back(*PackMonoLogo(*mono));
            }
        }
    }
    monoLogos.resize(8);  // the stream takes at most nine logos: eight conversions and p1
    monoLogos.push_back(*PackMonoLogo(p1));
    for (const auto& [depth, picture] : {std::pair{"24", &p24}, {"8", &p8}, {"1", &p1}}) {
        for (const auto& [c, v] : settings) {
            auto gray = ConvertToGrayBitmap(test::View(*picture), c, v);
            EXPECT_TRUE(gray.ok());
            results["gray-" + std::string(depth) + "-c" + std::to_string(c) + "v" +
                    std::to_string(v)] = *gray;
            if (c == 0) grayLogos.push_back(*PackGrayLogo(*gray));
        }
    }
    results["stream-mono"] = MonoLogoDownloadJob(monoLogos).Bytes();
    results["stream-gray"] = GrayLogoDownloadJob(grayLogos).Bytes();
    results["stream-clear"] = ClearAllLogosJob().Bytes();
    return results;
}

TEST(LogoGolden, PicturesAreTheGeneratedOnes) {
    const std::pair<const char*, Bytes> pictures[] = {
        {"picture24.bmp", Picture24()}, {"picture8.bmp", Picture8()}, {"picture1.bmp", Picture1()}};
    for (const auto& [name, bytes] : pictures) {
        if (Updating()) test::WriteFile(kFolder / name, bytes);
        EXPECT_EQ(test::ReadFile(kFolder / name), bytes) << name;
    }
}

TEST(LogoGolden, ConversionsAndStreams) {
    const auto results =
        Results(test::ReadFile(kFolder / "picture24.bmp"), test::ReadFile(kFolder / "picture8.bmp"),
                test::ReadFile(kFolder / "picture1.bmp"));
    const auto listPath = kFolder / "golden.txt";
    if (Updating()) {
        std::ofstream out(listPath);
        for (const auto& [name, bytes] : results) out << name << ' ' << Hash(bytes) << '\n';
    }
    std::ifstream in(listPath);
    std::map<std::string, std::string> expected;
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        expected[line.substr(0, space)] = line.substr(space + 1);
    }
    EXPECT_EQ(expected.size(), results.size());
    for (const auto& [name, bytes] : results) EXPECT_EQ(Hash(bytes), expected[name]) << name;
}

}  // namespace
}  // namespace zr640
