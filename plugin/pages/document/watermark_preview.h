// The Water Mark page's preview: the image or the text picture, brightened and laid out on the
// page-shaped frame as the print position and size place it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plugin/pages/document/watermark_text_picture.h"

namespace zr640ui {

// Where and how light the picture is drawn: the record's position, size and brightness.
struct PreviewPlacement {
    int position = 0;
    int size = 0;
    int brightness = 0;
};

void FillWhite(HDC dc, const RECT& area);

// What the preview keeps and how it paints: the image water mark's pixels (the picture
// file's 24-bit rows, bottom row first), read afresh only when due, with a brightened copy
// drawn by every paint; and the rendering of the text, made afresh by every paint.
class WatermarkPreview {
public:
    // The image is read from its file at the next paint (a change of kind, a new bitmap, a
    // cancel of the sheet).
    void ReloadImage() { reload_ = true; }

    // No water mark, or an image without a file: the frame white.
    void PaintEmpty(HDC dc, const RECT& area);
    void PaintText(HDC dc, const RECT& area, const TextStyle& style,
                   const PreviewPlacement& placement);
    // Converts the chosen bitmap into the picture file and reads it when due. A failure leaves
    // the frame as it was and the reload due; only the preview's first failure is shown, in a
    // message box owned by `page`.
    void PaintImage(HWND page, HDC dc, const RECT& area, const std::wstring& chosen,
                    const std::optional<std::wstring>& pictureFile,
                    const PreviewPlacement& placement);

private:
    enum class Load { kLoaded, kFileMissing, kCannotCreate, kTooBig };
    Load Reload(HDC dc, const std::wstring& chosen, const std::wstring& pictureFile);

    std::vector<uint8_t> rows_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> brightened_;  // the copy each paint draws
    bool reload_ = true;
    bool showErrors_ = true;
};

}  // namespace zr640ui
