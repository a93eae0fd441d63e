// viewershot: starts RZKDriverlogViewer on a log folder, shows one of its print files and saves
// a picture of the window, for the demonstration.
//
//   viewershot VIEWER.exe MODEL LOG_FOLDER DAY FILE OUT.bmp [NEXT_PRESSES]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tools/oemhost/screenshot.h"
#include "tools/viewershot/remote_viewer.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 7) {
        std::fwprintf(
            stderr,
            L"usage: viewershot VIEWER.exe MODEL LOG_FOLDER DAY FILE OUT.bmp [NEXT_PRESSES]\n");
        return 2;
    }
    const std::wstring program = argv[1], model = argv[2], folder = argv[3], day = argv[4],
                       file = argv[5], picture = argv[6];
    const int nextPresses = argc > 7 ? _wtoi(argv[7]) : 0;

    viewershot::RemoteViewer viewer;
    if (!viewer.Start(program, L"\"" + model + L"\" \"" + folder + L"\"")) {
        std::fwprintf(stderr, L"viewershot: the viewer did not start\n");
        return 1;
    }
    const HTREEITEM item = viewer.FindItem(0, day, file);
    if (item == nullptr) {
        std::fwprintf(stderr, L"viewershot: %ls\\%ls is not in the tree\n", day.c_str(),
                      file.c_str());
        return 1;
    }
    viewer.Select(item);
    const auto said = viewer.DismissOwnedWindows();
    if (!said.empty()) {
        std::fwprintf(stderr, L"viewershot: the viewer said \"%ls\"\n", said.front().c_str());
        return 1;
    }
    for (int i = 0; i < nextPresses; ++i) viewer.Click(1010);  // NEXT
    SetForegroundWindow(viewer.window());
    RedrawWindow(viewer.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    viewer.Settle();
    Sleep(300);
    const bool saved = oemhost::SaveWindowPicture(viewer.window(), picture);
    if (!viewer.Exit()) std::fwprintf(stderr, L"viewershot: the viewer did not close\n");
    if (!saved) {
        std::fwprintf(stderr, L"viewershot: cannot write %ls\n", picture.c_str());
        return 1;
    }
    std::wprintf(L"%ls\n", picture.c_str());
    return 0;
}
