// The command edit's filter: an edit that takes hex command text lets through only what the
// core's FilterHexCommandKey passes, and moves the focus on where it says so. Installed with
// SetWindowSubclass, so help attached after it stands in front; it unhooks itself when the
// edit goes.
#pragma once

#include <windows.h>

namespace zr640ui {

// False when the edit could not be subclassed (it then takes every character).
bool InstallHexCommandFilter(HWND edit);

}  // namespace zr640ui
