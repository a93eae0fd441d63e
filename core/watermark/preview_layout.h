// Where the page's preview draws the water-mark picture in its page-shaped frame: pure
// arithmetic, the rectangles to stretch in drawing order. Everything outside them stays
// white.
//
// All arithmetic is in 64 bits with truncating division, as the preview has always done
// it; where a divisor would be 0 (a frame or picture without pixels, a tile column
// narrower than one pixel) nothing is drawn, and a rectangle with no width or height is
// left out.
#pragma once

#include <cstdint>
#include <vector>

namespace zr640 {

// The ten print positions: 0 Left-Top ... 8 Right-Bottom (column p mod 3, row p / 3) and
// Tiled.
constexpr int kWatermarkPositions = 10;
constexpr int kWatermarkTiled = 9;
constexpr int kWatermarkMaxSize = 100;  // percent of the frame's width
// The ranges of the other water-mark settings the page edits (the record's fields keep them).
constexpr int kWatermarkMinFontSize = 8;   // points
constexpr int kWatermarkMaxFontSize = 72;  // points
constexpr int kWatermarkMaxAngle = 360;    // degrees
constexpr int kWatermarkMaxBrightness = 255;
constexpr int kWatermarkMinTiledSize = 20;  // a tiled water mark is at least this size

// The sizes taken; anything larger draws nothing. The frame is a window on the screen; the
// picture is at most what the image cache holds in one row.
constexpr int64_t kMaxPreviewFrameExtent = 65535;
constexpr int64_t kMaxPreviewPictureExtent = int64_t{1} << 24;

// The size used for a position: clamped to 0..100, and at least 20 when tiled.
int WatermarkSizeFor(int position, int size);

struct PreviewRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// One stretch: `source` in picture pixels, with rows counted from the top of the picture;
// `target` in frame pixels.
struct PreviewDraw {
    PreviewRect source;
    PreviewRect target;
    bool operator==(const PreviewDraw&) const = default;
};

// The rectangles for a frame of frameWidth x frameHeight, a picture of pictureWidth x
// pictureHeight, a position 0..9 and a size in percent (WatermarkSizeFor applies). Positions
// 0 to 8 give at most one rectangle; Tiled gives the whole-tile columns left to right, each
// top to bottom, then the partial column. Negative or oversized extents and an unknown
// position give none.
std::vector<PreviewDraw> WatermarkPreviewLayout(int64_t frameWidth, int64_t frameHeight,
                                                int64_t pictureWidth, int64_t pictureHeight,
                                                int position, int size);

}  // namespace zr640
