// The preview's layout of the water-mark picture in its frame, and the brightness step.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/watermark/image_cache.h"
#include "core/watermark/preview_layout.h"

namespace zr640 {
namespace {

using Draws = std::vector<PreviewDraw>;

PreviewDraw Draw(PreviewRect source, PreviewRect target) { return {source, target}; }

// A portrait frame and a landscape picture that fits it at every size.
constexpr int64_t kW = 120, kH = 240, kw = 60, kh = 40;

TEST(WatermarkLayout, EveryAnchorAtEverySize) {
    for (const int size : {0, 20, 50, 100}) {
        for (int p = 0; p < 9; ++p) {
            const Draws draws = WatermarkPreviewLayout(kW, kH, kw, kh, p, size);
            if (size == 0) {
                EXPECT_TRUE(draws.empty()) << p;
                continue;
            }
            ASSERT_EQ(draws.size(), 1u) << p << " " << size;
            const PreviewRect& d = draws[0].target;
            const int32_t width = int32_t(kW) * size / 100;
            const int32_t height = int32_t(kh) * width / int32_t(kw);  // the picture's aspect
            EXPECT_EQ(draws[0].source, (PreviewRect{0, 0, int32_t(kw), int32_t(kh)}));
            EXPECT_EQ(d.width, width);
            EXPECT_EQ(d.height, height);
            const int32_t xs[] = {0, (int32_t(kW) - width) / 2, int32_t(kW) - width};
            const int32_t ys[] = {0, (int32_t(kH) - height) / 2, int32_t(kH) - height};
            EXPECT_EQ(d.x, xs[p % 3]) << p << " " << size;
            EXPECT_EQ(d.y, ys[p / 3]) << p << " " << size;
        }
    }
}

TEST(WatermarkLayout, HalfSizeCentreMiddleIsHalfTheFrameWidthCentred) {
    EXPECT_EQ(WatermarkPreviewLayout(kW, kH, kw, kh, 4, 50),
              (Draws{Draw({0, 0, 60, 40}, {30, 100, 60, 40})}));
}

TEST(WatermarkLayout, TallPicturesShowTheRowsOfTheirAnchor) {
    // 40 x 400 at the full width would be 1200 high: 80 rows fill the 240-pixel frame,
    // taken from the top, the middle or the bottom of the picture.
    const int32_t sourceY[] = {0, 160, 320};
    for (int p = 0; p < 9; ++p) {
        EXPECT_EQ(WatermarkPreviewLayout(120, 240, 40, 400, p, 100),
                  (Draws{Draw({0, sourceY[p / 3], 40, 80}, {0, 0, 120, 240})}))
            << p;
    }
}

TEST(WatermarkLayout, TilesWithAPartialColumn) {
    // Size 30: three columns 30 wide at 0, 30 and 60, each of nine 22-row tiles and a last
    // 2-row tile showing the top 2 rows; then the partial column of 10 at 90, showing the
    // left 13 columns of the picture.
    const Draws draws = WatermarkPreviewLayout(100, 200, 40, 30, kWatermarkTiled, 30);
    ASSERT_EQ(draws.size(), 40u);
    for (int column = 0; column < 4; ++column) {
        const int32_t x = column * 30;
        const int32_t width = column < 3 ? 30 : 10;
        const int32_t columns = column < 3 ? 40 : 13;
        for (int tile = 0; tile < 9; ++tile) {
            EXPECT_EQ(draws[size_t(column * 10 + tile)],
                      Draw({0, 0, columns, 30}, {x, tile * 22, width, 22}))
                << column << " " << tile;
        }
        EXPECT_EQ(draws[size_t(column * 10 + 9)], Draw({0, 0, columns, 2}, {x, 198, width, 2}));
    }
}

TEST(WatermarkLayout, TiledSizesBelowTwentyTileAtTwenty) {
    EXPECT_EQ(WatermarkSizeFor(kWatermarkTiled, 10), 20);
    EXPECT_EQ(WatermarkSizeFor(4, 10), 10);
    EXPECT_EQ(WatermarkSizeFor(4, 150), 100);
    const Draws twenty = WatermarkPreviewLayout(kW, kH, kw, kh, kWatermarkTiled, 20);
    EXPECT_EQ(WatermarkPreviewLayout(kW, kH, kw, kh, kWatermarkTiled, 0), twenty);
    EXPECT_EQ(WatermarkPreviewLayout(kW, kH, kw, kh, kWatermarkTiled, 10), twenty);
    // Five whole columns and no partial one; tiles of 16 rows fill 240 exactly.
    ASSERT_EQ(twenty.size(), 5u * 15u);
    EXPECT_EQ(twenty.back(), Draw({0, 0, 60, 40}, {96, 224, 24, 16}));
}

TEST(WatermarkLayout, NothingIsDrawnWhereADivisorIsZero) {
    EXPECT_TRUE(WatermarkPreviewLayout(0, 240, kw, kh, 4, 50).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(120, 0, kw, kh, 4, 50).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(120, 240, 0, kh, 4, 50).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(120, 240, kw, 0, kWatermarkTiled, 50).empty());
    // A frame 3 pixels wide tiles columns of 0 pixels.
    EXPECT_TRUE(WatermarkPreviewLayout(3, 240, kw, kh, kWatermarkTiled, 20).empty());
    // A picture so flat that its tiles have no height.
    EXPECT_TRUE(WatermarkPreviewLayout(120, 240, 100000, 1, kWatermarkTiled, 20).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(120, 240, kw, kh, 10, 50).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(-1, 240, kw, kh, 4, 50).empty());
    EXPECT_TRUE(WatermarkPreviewLayout(120, 240, kMaxPreviewPictureExtent + 1, kh, 4, 50).empty());
}

TEST(WatermarkLayout, WidePicturesAreComputedIn64Bits) {
    // H x w x 100 = 5e9 does not fit 32 bits.
    EXPECT_EQ(WatermarkPreviewLayout(1000, 1000, 50000, 60, 4, 100),
              (Draws{Draw({0, 0, 50000, 60}, {0, 499, 1000, 1})}));
    EXPECT_EQ(WatermarkPreviewLayout(65535, 65535, 65535, 65535, 8, 100),
              (Draws{Draw({0, 0, 65535, 65535}, {0, 0, 65535, 65535})}));
}

TEST(ImageCache, HoldsPicturesUpToItsSize) {
    EXPECT_TRUE(FitsImageCache(1024, 3413));  // 3072-byte rows: 10,484,736 bytes
    EXPECT_FALSE(FitsImageCache(1024, 3414));
    EXPECT_TRUE(FitsImageCache(3495253, 1));  // one row of exactly 10,485,760 bytes
    EXPECT_FALSE(FitsImageCache(3495254, 1));
    EXPECT_FALSE(FitsImageCache(0, 10));
    EXPECT_FALSE(FitsImageCache(int64_t{1} << 40, int64_t{1} << 40));
}

TEST(ImageCache, BrightnessAddsWithACeiling) {
    // Every value, at lengths that end inside and outside a 64-byte step.
    for (const size_t length : {size_t{1}, size_t{63}, size_t{64}, size_t{1000}}) {
        std::vector<uint8_t> source(length);
        for (size_t i = 0; i < length; ++i) source[i] = uint8_t(i * 37);
        for (const int brightness : {-5, 0, 1, 100, 255, 300}) {
            const int add = std::clamp(brightness, 0, 255);
            std::vector<uint8_t> target(length, 0x55);
            BrightenPixels(source, target, brightness);
            for (size_t i = 0; i < length; ++i) {
                ASSERT_EQ(target[i], std::min(255, source[i] + add)) << length << " " << i;
            }
            std::vector<uint8_t> inPlace = source;
            BrightenPixels(inPlace, brightness);
            EXPECT_EQ(inPlace, target);
        }
    }
    std::vector<uint8_t> shorter(3, 7), longer(5, 1);
    BrightenPixels(shorter, longer, 10);
    EXPECT_EQ(longer, (std::vector<uint8_t>{17, 17, 17, 1, 1}));
}

}  // namespace
}  // namespace zr640
