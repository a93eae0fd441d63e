#include "core/watermark/preview_layout.h"

#include <algorithm>

namespace zr640 {
namespace {

class Drawing {
public:
    // Keeps a stretch only when both rectangles have pixels. Every value passed is within
    // the frame or the picture, so it fits 32 bits.
    void Add(int64_t sx, int64_t sy, int64_t sw, int64_t sh, int64_t dx, int64_t dy, int64_t dw,
             int64_t dh) {
        if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
        draws_.push_back({Rect(sx, sy, sw, sh), Rect(dx, dy, dw, dh)});
    }
    std::vector<PreviewDraw> Take() { return std::move(draws_); }

private:
    static PreviewRect Rect(int64_t x, int64_t y, int64_t w, int64_t h) {
        return {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w),
                static_cast<int32_t>(h)};
    }
    std::vector<PreviewDraw> draws_;
};

// One column of tiles at x, `width` wide, showing the left `columns` of the source: whole
// tiles of dh rows from the top of the frame, each showing the source's top hs rows, then
// the rest of the frame's height showing the top rows in proportion.
void TileColumn(Drawing& drawing, int64_t x, int64_t width, int64_t columns, int64_t frameHeight,
                int64_t hs, int64_t dh) {
    const int64_t whole = frameHeight / dh;
    for (int64_t j = 0; j < whole; ++j) drawing.Add(0, 0, columns, hs, x, j * dh, width, dh);
    const int64_t rest = frameHeight - dh * whole;
    drawing.Add(0, 0, columns, hs * rest / dh, x, dh * whole, width, rest);
}

}  // namespace

int WatermarkSizeFor(int position, int size) {
    const int clamped = std::clamp(size, 0, kWatermarkMaxSize);
    return position == kWatermarkTiled ? std::max(clamped, kWatermarkMinTiledSize) : clamped;
}

std::vector<PreviewDraw> WatermarkPreviewLayout(int64_t frameWidth, int64_t frameHeight,
                                                int64_t pictureWidth, int64_t pictureHeight,
                                                int position, int size) {
    const int64_t W = frameWidth, H = frameHeight, w = pictureWidth, h = pictureHeight;
    if (position < 0 || position >= kWatermarkPositions) return {};
    if (W < 0 || H < 0 || W > kMaxPreviewFrameExtent || H > kMaxPreviewFrameExtent) return {};
    if (w < 0 || h < 0 || w > kMaxPreviewPictureExtent || h > kMaxPreviewPictureExtent) return {};
    const int64_t c = WatermarkSizeFor(position, size);
    // W x c and w x 100 divide below; without them there is nothing to draw either.
    if (W == 0 || w == 0 || c == 0) return {};

    const int64_t hs = std::min(h, H * w * 100 / (W * c));
    const int64_t dw = W * c / 100;
    const int64_t dh = std::min(H, W * c * hs / (w * 100));

    Drawing drawing;
    if (position != kWatermarkTiled) {
        const int64_t column = position % 3;
        const int64_t row = position / 3;
        const int64_t x = column == 0 ? 0 : column == 1 ? (W - dw) / 2 : W - dw;
        const int64_t y = row == 0 ? 0 : row == 1 ? (H - dh) / 2 : H - dh;
        const int64_t sy = row == 0 ? 0 : row == 1 ? (h - hs) / 2 : h - hs;
        drawing.Add(0, sy, w, hs, x, y, dw, dh);
        return drawing.Take();
    }

    // Tiled: q and dh divide below.
    const int64_t q = W * c / 100;
    if (dh == 0 || q == 0) return {};
    const int64_t n = 100 / c;
    for (int64_t i = 0; i < n; ++i) TileColumn(drawing, c * W * i / 100, q, w, H, hs, dh);
    const int64_t partWidth = W - n * q;
    TileColumn(drawing, W * c * n / 100, partWidth, w * partWidth / q, H, hs, dh);
    return drawing.Take();
}

}  // namespace zr640
