#include "plugin/pages/device/logo_preview.h"

#include "win32/handles.h"

namespace zr640ui {

bool DrawPictureFile(HDC dc, const RECT& area, const std::filesystem::path& file) {
    const zr640::win::ScopedGdiObject picture(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP size = {};
    if (picture.get() == nullptr || GetObjectW(picture.get(), sizeof size, &size) == 0)
        return false;
    const zr640::win::MemoryDC memory(dc);
    const zr640::win::ScopedSelection selected(memory.get(), picture.get());
    if (!selected.ok()) return false;
    SetStretchBltMode(dc, COLORONCOLOR);
    return StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                      memory.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY) != FALSE;
}

void ClearPicture(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace zr640ui
