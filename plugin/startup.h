// Work done when the module is loaded and unloaded.
#pragma once

#include <windows.h>

namespace zr640ui {

// The load notification keeps only the module handle: binding functions, folders, registry
// and file work are forbidden under the loader lock, so they run once, on first use.
void OnProcessAttach(HINSTANCE instance);

// Binds the shell functions and runs the start-up, once per load, on whichever thread asks
// first; the others wait for it. The COM entry calls it before handing out a class object.
void EnsureStarted();

// The per-load language work: user folder, the recorded or first-run language, the
// system-language label, and the user copies of the language list and current string file.
void RunStartup();
void OnProcessDetach();

}  // namespace zr640ui
