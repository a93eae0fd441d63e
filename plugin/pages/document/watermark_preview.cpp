#include "plugin/pages/document/watermark_preview.h"

#include <utility>

#include "core/watermark/image_cache.h"
#include "core/watermark/picture_file.h"
#include "core/watermark/preview_layout.h"
#include "plugin/pages/document/watermark_page_tables.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

// A picture held as bottom-up DIB rows.
struct PreviewPicture {
    int32_t width = 0;
    int32_t height = 0;
    WORD bitCount = 24;
    const uint8_t* pixels = nullptr;
};

// Fills the frame white and stretches the picture's rectangles into it. The layout counts
// source rows from the top; a bottom-up DIB counts them from the bottom.
void DrawPicture(HDC dc, const RECT& area, const PreviewPicture& picture,
                 const PreviewPlacement& placement, int stretchMode) {
    FillWhite(dc, area);
    const BITMAPINFO info = BottomUpDib(picture.width, picture.height, picture.bitCount);
    SetStretchBltMode(dc, stretchMode);
    const auto draws =
        zr640::WatermarkPreviewLayout(area.right - area.left, area.bottom - area.top, picture.width,
                                      picture.height, placement.position, placement.size);
    for (const zr640::PreviewDraw& draw : draws) {
        const int32_t sourceBottom = picture.height - (draw.source.y + draw.source.height);
        StretchDIBits(dc, area.left + draw.target.x, area.top + draw.target.y, draw.target.width,
                      draw.target.height, draw.source.x, sourceBottom, draw.source.width,
                      draw.source.height, picture.pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    }
}

}  // namespace

void FillWhite(HDC dc, const RECT& area) {
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, WHITENESS);
}

WatermarkPreview::Load WatermarkPreview::Reload(HDC dc, const std::wstring& chosen,
                                                const std::wstring& pictureFile) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const zr640::WatermarkConversion conversion = zr640::ConvertWatermarkBitmap(
            chosen, pictureFile, zr640::WatermarkPictureLimit::kImageCache);
        if (conversion.tooBig) return Load::kTooBig;
        if (conversion.result == zr640::WatermarkConvertResult::kCannotCreate)
            return Load::kCannotCreate;
        if (!conversion.done()) return Load::kFileMissing;
        const zr640::win::ScopedBitmap loaded(
            static_cast<HBITMAP>(LoadImageW(nullptr, pictureFile.c_str(), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        BITMAP size = {};
        if (!loaded || GetObjectW(loaded.get(), sizeof size, &size) == 0) continue;
        if (!zr640::FitsImageCache(size.bmWidth, size.bmHeight)) return Load::kTooBig;
        const size_t rowBytes = (static_cast<size_t>(size.bmWidth) * 3 + 3) / 4 * 4;
        std::vector<uint8_t> rows(rowBytes * static_cast<size_t>(size.bmHeight));
        BITMAPINFO info = BottomUpDib(size.bmWidth, size.bmHeight, 24);
        if (GetDIBits(dc, loaded.get(), 0, static_cast<UINT>(size.bmHeight), rows.data(), &info,
                      DIB_RGB_COLORS) != size.bmHeight) {
            continue;
        }
        rows_ = std::move(rows);
        width_ = size.bmWidth;
        height_ = size.bmHeight;
        return Load::kLoaded;
    }
    return Load::kFileMissing;
}

void WatermarkPreview::PaintEmpty(HDC dc, const RECT& area) {
    FillWhite(dc, area);
    reload_ = true;
}

void WatermarkPreview::PaintText(HDC dc, const RECT& area, const TextStyle& style,
                                 const PreviewPlacement& placement) {
    reload_ = true;
    auto pixels = RenderText(dc, style);
    if (!pixels) return;
    zr640::BrightenPixels(*pixels, placement.brightness);
    constexpr int32_t kSide = zr640::kTextPictureSide;
    DrawPicture(dc, area, {kSide, kSide, 32, pixels->data()}, placement, BLACKONWHITE);
}

void WatermarkPreview::PaintImage(HWND page, HDC dc, const RECT& area, const std::wstring& chosen,
                                  const std::optional<std::wstring>& pictureFile,
                                  const PreviewPlacement& placement) {
    if (reload_) {
        const Load load = pictureFile ? Reload(dc, chosen, *pictureFile) : Load::kCannotCreate;
        if (load != Load::kLoaded) {
            if (showErrors_) {
                showErrors_ = false;
                ShowMessage(page, load == Load::kTooBig         ? watermark::kTooBig
                                  : load == Load::kCannotCreate ? watermark::kCannotCreate
                                                                : watermark::kFileMissing);
            }
            return;  // the frame stays as it was
        }
        reload_ = false;
    }
    brightened_.resize(rows_.size());
    zr640::BrightenPixels(rows_, brightened_, placement.brightness);
    DrawPicture(dc, area, {width_, height_, 24, brightened_.data()}, placement, COLORONCOLOR);
}

}  // namespace zr640ui
