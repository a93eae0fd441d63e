// Saves what the screen shows of a window as a 24-bit bitmap file.
#pragma once

#include <windows.h>

#include <string>

namespace oemhost {

bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace oemhost
