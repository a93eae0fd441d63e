// Work done when the module is loaded and unloaded.
#pragma once

#include <windows.h>

namespace zr640ui {

void OnProcessAttach(HINSTANCE instance);

// The per-load language work: user folder, the recorded or first-run language, the
// system-language label, and the user copies of the language list and current string file.
void RunStartup();
void OnProcessDetach();

}  // namespace zr640ui
