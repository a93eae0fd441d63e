// The Download page's preview: a bitmap file stretched over the preview frame.
#pragma once

#include <windows.h>

#include <filesystem>

namespace zr640ui {

// Loads the file as a device-independent bitmap and stretches the whole picture over `area`
// (colour-on-colour stretching, so one-bit pictures keep their dots); false, with nothing
// drawn, when the file is not a bitmap the platform can load.
bool DrawPictureFile(HDC dc, const RECT& area, const std::filesystem::path& file);

// Fills `area` with the dialog background: no picture to show.
void ClearPicture(HDC dc, const RECT& area);

}  // namespace zr640ui
