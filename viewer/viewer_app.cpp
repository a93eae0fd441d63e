#include "viewer/viewer_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "viewer/log_printing.h"
#include "viewer/viewer_dlg.h"

namespace zr640viewer {
namespace {

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    if (argv == nullptr) return arguments;
    arguments.assign(argv, argv + count);
    LocalFree(argv);
    return arguments;
}

}  // namespace

ViewerArguments ParseViewerArguments(const std::vector<std::wstring>& argv) {
    if (argv.size() < 3) return {};
    return {argv[1], argv[2]};
}

void CVELKDriverlogViewerApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's folder browser needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const ViewerArguments arguments = ParseViewerArguments(CommandLineArguments());
    WindowsSpooler spooler;
    CVELKDriverlogViewerDlg dialog(arguments.model, arguments.logFolder, spooler);
    dialog.DoModal(nullptr);

    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace zr640viewer
