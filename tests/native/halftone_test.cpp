#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/common/bytes.h"
#include "core/imaging/halftone.h"
#include "core/imaging/transfer.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using test::Bitmap24;
using test::Bitmap8;
using test::View;
using test::White;

constexpr Halftone kAllHalftones[] = {Halftone::kNone, Halftone::kDitherM3, Halftone::kDitherM4,
                                      Halftone::kErrorDiffuse};

std::vector<uint8_t> Mono(const std::vector<uint8_t>& picture, Halftone halftone, int c = 0,
                          int v = 0) {
    auto mono = ConvertToMonoBitmap(View(picture), halftone, c, v);
    EXPECT_TRUE(mono.ok()) << mono.error();
    return mono.ok() ? *mono : std::vector<uint8_t>{};
}

// The 16 x 16 matrix by its rule (see DitherMatrix8): four times the 8 x 8 entry at the same
// place of its quarter, plus 0, 3, 2 or 1 for the top left, top right, bottom left and bottom
// right quarter.
DitherMatrix16 ReferenceM16() {
    constexpr int kQuarter[2][2] = {{0, 3}, {2, 1}};
    DitherMatrix16 m{};
    for (size_t i = 0; i < 16 * 16; ++i) {
        const size_t r = i / 16, c = i % 16;
        m[r][c] = static_cast<uint8_t>(4 * DitherM8()[r % 8][c % 8] + kQuarter[r / 8][c / 8]);
    }
    return m;
}

uint32_t Noise(uint32_t seed, int x, int y) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<uint32_t>(y) * 0x85EBCA77u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// A picture with smooth areas (where the methods differ most) and noise.
std::vector<uint8_t> Colour(int w, int h, uint32_t seed) {
    return Bitmap24(w, h, [=](int x, int y) {
        const uint32_t n = Noise(seed, x, y);
        return test::Rgb{static_cast<uint8_t>(static_cast<uint32_t>(x * 255 / w) + (n & 15)),
                         static_cast<uint8_t>(static_cast<uint32_t>(y * 255 / h) + (n >> 8 & 31)),
                         static_cast<uint8_t>(n >> 16)};
    });
}

std::vector<uint8_t> Levels(int w, int h, uint32_t seed) {
    return Bitmap8(w, h, [=](int x, int y) {
        return (x * 7 + y * 3 + static_cast<int>(Noise(seed, x, y) & 63)) & 255;
    });
}

// The methods as their description reads, pixel by pixel, floating point where it says so.
std::vector<std::vector<bool>> Reference(const BitmapView& p, Halftone method, int c, int v) {
    const int w = p.width(), h = p.height();
    const bool colour = p.bitsPerPixel() == 24;
    auto channel = [&](int x, int y, int k) { return p.row(y)[colour ? 3 * x + k : x]; };
    auto gray = [&](int x, int y) {
        if (!colour) return int{Transfer(channel(x, y, 0), c, v)};
        return (587 * Transfer(channel(x, y, 1), c, v) + 299 * Transfer(channel(x, y, 2), c, v) +
                114 * Transfer(channel(x, y, 0), c, v)) /
               1000;
    };
    auto mean = [&](int k, bool transferred) {
        uint64_t sum = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                sum += transferred ? Transfer(channel(x, y, k), c, v) : channel(x, y, k);
        }
        return static_cast<int>(sum / static_cast<uint64_t>(w * h));
    };
    std::vector<std::vector<bool>> white(static_cast<size_t>(h),
                                         std::vector<bool>(static_cast<size_t>(w)));
    auto set = [&](int x, int y, bool on) {
        white[static_cast<size_t>(y)][static_cast<size_t>(x)] = on;
    };
    const auto& m8 = DitherM8();
    const DitherMatrix16 m16 = ReferenceM16();

    if (method == Halftone::kNone) {
        const int m = colour
                          ? (587 * mean(1, true) + 299 * mean(2, true) + 114 * mean(0, true)) / 1000
                          : mean(0, true);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) set(x, y, gray(x, y) > m);
    } else if (method == Halftone::kDitherM3) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int t = m8[static_cast<size_t>(y % 8)][static_cast<size_t>(x % 8)];
                set(x, y, colour ? gray(x, y) / 4 >= t : gray(x, y) / 4 > t);
            }
        }
    } else if (method == Halftone::kDitherM4) {
        const int mb = colour ? mean(0, false) : 0, mg = colour ? mean(1, false) : 0,
                  mr = colour ? mean(2, false) : 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int t = m16[static_cast<size_t>(y % 16)][static_cast<size_t>(x % 16)];
                if (colour) {
                    const int g = (587 * MeanPivotTransfer(channel(x, y, 1), c, v, mg) +
                                   299 * MeanPivotTransfer(channel(x, y, 2), c, v, mr) +
                                   114 * MeanPivotTransfer(channel(x, y, 0), c, v, mb)) /
                                  1000;
                    set(x, y, g >= t);
                } else {
                    set(x, y, Transfer(channel(x, y, 0), c, v) > t);
                }
            }
        }
    } else {
        std::vector<int> current(static_cast<size_t>(w)), next(static_cast<size_t>(w));
        for (int r = 0; r < h; ++r) {
            current = next;
            std::fill(next.begin(), next.end(), 0);
            const bool leftToRight = r % 2 == 1;
            int carry = 0;
            for (int n = 0; n < w; ++n) {
                const int i = leftToRight ? n : w - 1 - n;
                const int value = gray(i, r) + current[static_cast<size_t>(i)] + carry;
                const bool on = value > 128;
                set(i, r, on);
                const float e = static_cast<float>(on ? value - 255 : value);
                auto share = [&](double f) {
                    return static_cast<int>(std::trunc(static_cast<double>(e) * f));
                };
                if (n != w - 1) carry = share(0.375);
                if (r != h - 1) {
                    next[static_cast<size_t>(i)] += share(0.375);
                    const int j = leftToRight ? i + 1 : i - 1;
                    if (j >= 0 && j < w) next[static_cast<size_t>(j)] += share(0.25);
                }
            }
        }
    }
    return white;
}

void ExpectMatchesReference(const std::vector<uint8_t>& picture, Halftone method, int c, int v) {
    const auto mono = Mono(picture, method, c, v);
    const auto expected = Reference(View(picture), method, c, v);
    for (size_t y = 0; y < expected.size(); ++y) {
        for (size_t x = 0; x < expected[y].size(); ++x) {
            ASSERT_EQ(White(mono, static_cast<int>(x), static_cast<int>(y)), expected[y][x])
                << "pixel " << x << ", " << y << " method " << static_cast<int>(method)
                << " contrast " << c << " brightness " << v;
        }
    }
}

TEST(DitherMatrices, M16IsBuiltFromM8) {
    const auto& m8 = DitherM8();
    const DitherMatrix16 m16 = ReferenceM16();
    EXPECT_EQ(m8[7][0], 63);
    EXPECT_EQ(m8[7][7], 21);
    EXPECT_EQ(m16[0][0], 0);
    EXPECT_EQ(m16[0][8], 3);
    EXPECT_EQ(m16[8][0], 2);
    EXPECT_EQ(m16[8][8], 1);
    EXPECT_EQ(m16[15][15], 4 * 21 + 1);
    std::set<int> values8, values16;
    for (const auto& row : m8) values8.insert(row.begin(), row.end());
    for (const auto& row : m16) values16.insert(row.begin(), row.end());
    EXPECT_EQ(values8.size(), 64u);
    EXPECT_EQ(*values8.rbegin(), 63);
    EXPECT_EQ(values16.size(), 256u);
    EXPECT_EQ(*values16.rbegin(), 255);
}

TEST(ConvertToMono, WritesTheMonoFileLayout) {
    const auto mono = Mono(Colour(13, 5, 1), Halftone::kErrorDiffuse);
    ASSERT_EQ(mono.size(), 62u + 5 * 4);
    EXPECT_EQ(LoadU32(&mono[2]), mono.size());
    EXPECT_EQ(LoadU32(&mono[10]), 62u);
    EXPECT_EQ(LoadU32(&mono[14]), 40u);
    EXPECT_EQ(test::HeaderI32(mono, 18), 13);
    EXPECT_EQ(test::HeaderI32(mono, 22), 5);
    EXPECT_EQ(mono[28], 1);
    EXPECT_EQ(LoadU32(&mono[34]), 20u);
    const std::vector<uint8_t> palette{0, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_TRUE(std::equal(palette.begin(), palette.end(), mono.begin() + 54));
    for (size_t y = 0; y < 5; ++y) {  // 13 pixels: bits of pixels 13 to 31 stay clear
        EXPECT_EQ(mono[62 + 4 * y + 1] & 0x07, 0);
        EXPECT_EQ(mono[62 + 4 * y + 2], 0);
        EXPECT_EQ(mono[62 + 4 * y + 3], 0);
    }
}

TEST(ConvertToMono, UniformPictureWithoutHalftoneIsAllBlack) {
    for (const auto& picture : {Bitmap24(20, 9,
                                         [](int, int) {
                                             return test::Rgb{90, 140, 200};
                                         }),
                                Bitmap8(20, 9, [](int, int) { return 173; })}) {
        for (const auto& [c, v] : {std::pair{0, 0}, {50, 20}, {-100, -30}}) {
            EXPECT_EQ(test::CountWhite(Mono(picture, Halftone::kNone, c, v)), 0);
        }
    }
}

TEST(ConvertToMono, DitherM3OnGray128) {
    // Colour: 128 / 4 = 32 >= M8 in 33 of 64 places; gray: 32 > M8 in 32 of them.
    const auto colour = Mono(Bitmap24(16, 16,
                                      [](int, int) {
                                          return test::Rgb{128, 128, 128};
                                      }),
                             Halftone::kDitherM3);
    const auto gray = Mono(Bitmap8(16, 16, [](int, int) { return 128; }), Halftone::kDitherM3);
    EXPECT_EQ(test::CountWhite(colour), 4 * 33);
    EXPECT_EQ(test::CountWhite(gray), 4 * 32);
    // Matrix rows count from the first stored row, columns from the left.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(White(colour, x, y),
                      DitherM8()[static_cast<size_t>(y % 8)][static_cast<size_t>(x % 8)] <= 32);
        }
    }
}

TEST(ConvertToMono, ErrorDiffusionOfASingleRow) {
    // Right to left: 128 stays black and passes 48 on; 176 turns white and passes -29;
    // 99 stays black and passes 37; 165 turns white.
    for (const auto& picture : {Bitmap24(4, 1,
                                         [](int, int) {
                                             return test::Rgb{128, 128, 128};
                                         }),
                                Bitmap8(4, 1, [](int, int) { return 128; })}) {
        const auto mono = Mono(picture, Halftone::kErrorDiffuse);
        EXPECT_FALSE(White(mono, 3, 0));
        EXPECT_TRUE(White(mono, 2, 0));
        EXPECT_FALSE(White(mono, 1, 0));
        EXPECT_TRUE(White(mono, 0, 0));
    }
}

TEST(ConvertToMono, MatchesTheMethodsPixelByPixel) {
    const std::pair<int, int> settings[] = {{0, 0},    {100, 0},  {-100, 0},
                                            {-37, 12}, {64, -45}, {0, 100}};
    for (const auto& picture :
         {Colour(37, 21, 5), Levels(37, 21, 6), Colour(8, 33, 7), Levels(1, 17, 8)}) {
        for (Halftone method : kAllHalftones) {
            for (const auto& [c, v] : settings) ExpectMatchesReference(picture, method, c, v);
        }
    }
}

TEST(ConvertToMono, TopDownPicturesConvertAsTheirBottomUpTwins) {
    for (const auto& picture : {Colour(19, 18, 3), Levels(19, 18, 4)}) {
        for (Halftone method : kAllHalftones) {
            EXPECT_EQ(Mono(test::TopDown(picture), method, 20, -10),
                      Mono(picture, method, 20, -10));
        }
    }
}

TEST(ConvertToMono, RefusesOtherDepthsAndMethods) {
    const auto bits = test::Bitmap1(8, 8, [](int, int) { return true; });
    EXPECT_FALSE(ConvertToMonoBitmap(View(bits), Halftone::kNone, 0, 0).ok());
    EXPECT_FALSE(ConvertToMonoBitmap(View(Levels(4, 4, 1)), static_cast<Halftone>(4), 0, 0).ok());
    EXPECT_FALSE(ConvertToMonoBitmap(View(Levels(4, 4, 1)), static_cast<Halftone>(-1), 0, 0).ok());
    // Out-of-range settings are clamped, never used as they are.
    EXPECT_EQ(Mono(Levels(9, 9, 2), Halftone::kDitherM4, -1000, 1000),
              Mono(Levels(9, 9, 2), Halftone::kDitherM4, -100, 100));
}

}  // namespace
}  // namespace zr640
