// Work done when the module is loaded and unloaded.
#pragma once

#include <windows.h>

namespace zr640ui {

void OnProcessAttach(HINSTANCE instance);
void OnProcessDetach();

}  // namespace zr640ui
