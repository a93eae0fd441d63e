// Where the plug-in meets its host: nothing thrown leaves a COM method, tooltip records fit
// the tooltip control that is really loaded and tooltips go with their page, and the shell
// calls leave the thread's COM state as the host had it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlwapi.h>

#include <atomic>
#include <new>
#include <thread>

#include "plugin/localisation/tooltip_help.h"
#include "plugin/module.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

class HostBoundaries : public SheetFixture {};

// ---- Exceptions -------------------------------------------------------------------------

LONG_PTR CALLBACK ThrowingHost(HANDLE, UINT, LPARAM, LPARAM) { throw std::bad_alloc(); }

LONG_PTR CALLBACK CountingHost(HANDLE, UINT function, LPARAM, LPARAM) {
    return function == CPSFUNC_ADD_PROPSHEETPAGEW ? 1 : 0;
}

// A failed allocation while the sheets are built (here: in the host's own callback) comes
// back as E_OUTOFMEMORY; the host's program goes on and the next sheet builds as usual.
TEST_F(HostBoundaries, NothingThrownLeavesTheSheetMethods) {
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.pfnComPropSheet = ThrowingHost;
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_OUTOFMEMORY);
    EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), E_OUTOFMEMORY);

    info.pfnComPropSheet = CountingHost;
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 1u);
}

// ---- Tooltips ---------------------------------------------------------------------------

DWORD MajorVersionOf(HMODULE module) {
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof version;
    const auto get = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    return get != nullptr && SUCCEEDED(get(&version)) ? version.dwMajorVersion : 0;
}

// The tools are registered with a record of the size the loaded control takes (Wine's
// controls report version 5 and take the shorter record; version 6 takes the whole one).
TEST_F(HostBoundaries, ToolRecordsAreSizedForTheLoadedControl) {
    HMODULE controls = nullptr;
    {
        const zr640ui::ScopedActivation activation;
        controls = GetModuleHandleW(L"comctl32.dll");
    }
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(zr640ui::ToolInfoSize(),
              MajorVersionOf(controls) >= 6 ? sizeof(TTTOOLINFOW) : UINT{TTTOOLINFOW_V2_SIZE});

    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, 2);
        wintest::Hover(GetDlgItem(page, IDC_MAIN_CHECK_ZOOM));
        EXPECT_NE(TooltipFor(GetDlgItem(page, IDC_MAIN_CHECK_ZOOM)), nullptr)
            << "the control's tool was taken";
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

// A page's tooltip is a popup the sheet owns; the page destroys it when it goes, even while
// the sheet stays.
TEST_F(HostBoundaries, APagesTooltipGoesWithThePage) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, 3);
        const int helped = zr640ui::WatermarkPageDefinition().help.front().control;
        wintest::Hover(GetDlgItem(page, helped));
        const HWND tooltip = TooltipFor(GetDlgItem(page, helped));
        EXPECT_TRUE(IsWindow(tooltip));
        PropSheet_RemovePage(window, 3, nullptr);
        oemhost::Pump(20);
        EXPECT_FALSE(IsWindow(page));
        EXPECT_FALSE(IsWindow(tooltip)) << "left behind with the sheet";
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

// ---- COM around the shell calls ---------------------------------------------------------

enum class Apartment { kNone, kSingle, kMulti };

// The thread's COM state, probed without changing it.
Apartment ApartmentOfThisThread() {
    const HRESULT probe = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (probe == RPC_E_CHANGED_MODE) return Apartment::kMulti;
    CoUninitialize();
    return probe == S_OK ? Apartment::kNone : Apartment::kSingle;
}

// Cancels the dialogs the thread shows (the folder browser).
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && lstrcmpW(name, L"#32770") == 0)
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

TEST_F(HostBoundaries, ShellCallsLeaveTheThreadsComAsTheHostHadIt) {
    zr640ui::SetPlatform(nullptr);  // the real folder browser and shell start
    for (const Apartment host : {Apartment::kNone, Apartment::kSingle, Apartment::kMulti}) {
        Apartment afterBrowse = Apartment::kNone, afterStart = Apartment::kNone;
        bool chosen = true, started = true;
        std::thread caller([&] {
            if (host != Apartment::kNone) {
                CoInitializeEx(nullptr, host == Apartment::kSingle ? COINIT_APARTMENTTHREADED
                                                                   : COINIT_MULTITHREADED);
            }
            std::atomic<bool> done{false};
            const DWORD self = GetCurrentThreadId();
            std::thread closer([&] {
                while (!done) {
                    EnumThreadWindows(self, CancelDialog, 0);
                    Sleep(50);
                }
            });
            std::wstring folder;
            chosen = zr640ui::Platform().BrowseForFolder(nullptr, folder);
            done = true;
            closer.join();
            afterBrowse = ApartmentOfThisThread();
            started = zr640ui::Platform()
                          .StartProgram(L"C:\\no such folder\\no such program.exe", L"")
                          .started;
            afterStart = ApartmentOfThisThread();
            if (host != Apartment::kNone) CoUninitialize();
        });
        caller.join();
        EXPECT_FALSE(chosen) << "the browser was shown and cancelled";
        EXPECT_FALSE(started);
        EXPECT_EQ(afterBrowse, host) << static_cast<int>(host);
        EXPECT_EQ(afterStart, host) << static_cast<int>(host);
    }
    zr640ui::SetPlatform(&platform);
}

}  // namespace
