// oemhost: stands in for the printer driver's configuration module. It loads ZR640UI.dll by
// path (by default the one installed from the driver package in the driver folder), creates
// the plug-in through its COM entry and calls it as the module would.
//
//   oemhost [--dll PATH] devmode OUT.bin   GetInfo, then size, default, convert and merge the
//                                          private record and write the result to OUT.bin
//   oemhost [--dll PATH] [--language FILE] doc|dev [--shots DIR] [--demo-state]
//           [--watermark-image BMP | --watermark-text] [-o OUT.bin]
//        open the document or device sheet on the test printer; with --shots visit every
//        tab and save a picture of each (tab-N.bmp); the final record goes to OUT.bin. With
//        --demo-state and --shots the device sheet also saves the control-font table with two
//        commands (control-font.bmp) and the Version page with its link under the mouse
//        (version-link.bmp).
//        --watermark-image starts with that bitmap as the water mark (Center-Middle, size
//        50), --watermark-text with a text water mark at 45 degrees
//        --event-shot FILE.bmp: on the Operation page, open the end-of-document dialog,
//        choose a command, "Full Cut" and "Print Logo2", save its picture and press OK
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "core/settings/private_devmode.h"
#include "plugin/resources/resource.h"
#include "tools/oemhost/host_driver.h"
#include "tools/oemhost/host_sheet.h"
#include "tools/oemhost/screenshot.h"

namespace {

int Fail(const wchar_t* message) {
    std::fwprintf(stderr, L"oemhost: %ls\n", message);
    return 1;
}

bool WriteRecord(const std::wstring& path, const std::vector<BYTE>& record) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == record.size();
}

int RunDevMode(oemhost::LoadedPlugin& loaded, const std::wstring& outPath) {
    IPrintOemUI* plugin = loaded.plugin;
    oemhost::RecordingDriverUi* driverUi = oemhost::RecordingDriverUi::New();
    plugin->PublishDriverInterface(driverUi);
    driverUi->Release();  // the plug-in keeps its own reference

    DWORD signature = 0, version = 0, needed = 0;
    plugin->GetInfo(oem::OEMGI_GETSIGNATURE, &signature, sizeof signature, &needed);
    plugin->GetInfo(oem::OEMGI_GETVERSION, &version, sizeof version, &needed);
    std::wprintf(L"GetInfo: signature 0x%06lX, version %lu\n",
                 static_cast<unsigned long>(signature), static_cast<unsigned long>(version));

    oem::OEMDMPARAM param = {};
    param.cbSize = sizeof param;
    if (FAILED(plugin->DevMode(oem::OEMDM_SIZE, &param))) return Fail(L"DevMode size failed");
    std::wprintf(L"DevMode size: %lu bytes\n", static_cast<unsigned long>(param.cbBufSize));

    std::vector<BYTE> defaults(param.cbBufSize), converted(param.cbBufSize),
        merged(param.cbBufSize);
    param.pOEMDMOut = defaults.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_DEFAULT, &param))) return Fail(L"DevMode default failed");
    converted = defaults;
    param.pOEMDMIn = defaults.data();
    param.pOEMDMOut = converted.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_CONVERT, &param))) return Fail(L"DevMode convert failed");
    merged = defaults;
    param.pOEMDMIn = converted.data();
    param.pOEMDMOut = merged.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_MERGE, &param))) return Fail(L"DevMode merge failed");
    std::wprintf(L"DevMode default, convert, merge: %ls\n",
                 merged == defaults ? L"the record survives unchanged" : L"the record changed");

    if (!WriteRecord(outPath, merged)) return Fail(L"cannot write the record");
    std::wprintf(L"record written to %ls\n", outPath.c_str());
    return 0;
}

constexpr wchar_t kPrinter[] = L"T-ZR640 Test";

// Records a language the way the Main page does, before the plug-in is loaded.
void ChooseLanguage(const std::wstring& file) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\TALVORN\\LANGUAGE\\", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    auto write = [&](const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    write(L"LANGUAGE_ZR640", file);
    write(L"IsFirstRun_ZR640", L"FALSE");
    RegCloseKey(key);
}

// A document with zoom printing and the driver log on, "1D Code1" a GS1 DataBar font and
// "2D Code1" a QR code, to show pages with settings made.
void SetDemoState(std::vector<BYTE>& bytes) {
    auto& record = *reinterpret_cast<zr640::PrivateDevMode*>(bytes.data());
    record.bZoom = 1;
    record.bZoomScale = 80;
    record.bPrintAsImage = 1;
    record.bDriverLog = 1;
    const std::u16string folder = u"C:\\Shop\\ReceiptLogs";
    std::copy(folder.begin(), folder.end(), record.wszLogFolder);
    record.wszLogFolder[folder.size()] = 0;
    record.barcode1D[0].bType = 12;  // GS1 DataBar Expanded
    record.barcode2D[0].bType = 4;   // QR Code
}

// A water mark to show on the Water Mark page: the bitmap, or the text when it is empty.
void SetDemoWatermark(std::vector<BYTE>& bytes, const std::wstring& bitmap) {
    auto& record = *reinterpret_cast<zr640::PrivateDevMode*>(bytes.data());
    record.bPrintAsImage = 1;
    if (!bitmap.empty()) {
        record.bWatermarkType = 1;
        const size_t kept = std::min(bitmap.size(), std::size(record.wszWatermarkBitmap) - 1);
        std::copy_n(bitmap.begin(), kept, record.wszWatermarkBitmap);
        record.bWatermarkPosition = 4;
        record.bWatermarkSize = 50;
    } else {
        record.bWatermarkType = 2;
        const std::u16string text = u"CONFIDENTIAL";
        std::copy(text.begin(), text.end(), record.wszWatermarkText);
        record.bWatermarkFontSize = 36;
        record.dwWatermarkAngle = 45;
    }
}

// The event-operation dialog runs its own message loop: a thread timer finds it there.
struct EventShot {
    std::wstring path;
    bool saved = false;
    int ticks = 0;
} eventShot;

BOOL CALLBACK MatchEventDialog(HWND window, LPARAM result) {
    if (!IsWindowVisible(window) || GetDlgItem(window, IDC_EVENT_FRAME_PREVIEW) == nullptr) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND FindEventDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchEventDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void Choose(HWND dialog, int combo, int index) {
    SendDlgItemMessageW(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, combo)));
}

VOID CALLBACK EventDialogTick(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindEventDialog();
    if (dialog == nullptr) {
        if (++eventShot.ticks > 100) KillTimer(nullptr, timer);  // 5 s without the dialog
        return;
    }
    KillTimer(nullptr, timer);
    SendDlgItemMessageW(dialog, IDC_EVENT_CHECK_SENDCOMMAND, BM_CLICK, 0, 0);
    SetDlgItemTextW(dialog, IDC_EVENT_EDIT_COMMAND, L"1B 40 1D 56 42 00");
    Choose(dialog, IDC_EVENT_COMBO_PAPERCUT, 2);  // "Full Cut"
    Choose(dialog, IDC_EVENT_COMBO_LOGO, 2);      // "Print Logo2"
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    oemhost::Pump(300);
    eventShot.saved = oemhost::SaveWindowPicture(dialog, eventShot.path);
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

void ShootEventDialog(HWND sheet) {
    constexpr int kOperationTab = 4;
    const HWND page = oemhost::PageAt(sheet, kOperationTab);
    SetCursorPos(0, 0);  // no tooltip over the dialog
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, EventDialogTick);
    SendDlgItemMessageW(page, IDC_OPERATION_BUTTON_ENDDOC, BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    if (eventShot.saved) std::wprintf(L"saved %ls\n", eventShot.path.c_str());
}

// Two commands in the control-font table file, as the table dialog writes them.
void WriteDemoControlFontTable() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring folder = std::wstring(windows) + L"\\system32\\spool\\drivers\\w32x86";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\3";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\ZR640CONTROL.dat";
    DeleteFileW(file.c_str());
    constexpr wchar_t kSection[] = L"Character Translation Table";
    WritePrivateProfileStringW(kSection, L"41", L"1B 21 08", file.c_str());
    WritePrivateProfileStringW(kSection, L"42", L"1D 56 42 00", file.c_str());
}

// The table dialog runs its own loop: a timer of this thread takes its picture and closes it.
std::wstring tableShot;
VOID CALLBACK ShootTable(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND table = oemhost::FindThreadWindow(L"Control Font Character Translation Table");
    if (table == nullptr) return;
    KillTimer(nullptr, timer);
    const HWND list = GetDlgItem(table, IDC_CFTABLE_LIST_TABLE);
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0x21, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, 0x25, FALSE);
    SetFocus(list);
    oemhost::Pump(300);
    if (oemhost::SaveWindowPicture(table, tableShot))
        std::wprintf(L"saved %ls\n", tableShot.c_str());
    PostMessageW(table, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void ShootDeviceExtras(HWND sheet, const std::wstring& shots) {
    WriteDemoControlFontTable();
    tableShot = shots + L"\\control-font.bmp";
    const HWND utility = oemhost::PageAt(sheet, 2);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ShootTable);
    SendDlgItemMessageW(utility, IDC_UTILITY_BUTTON_CONTROLFONT, BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);

    const HWND version = oemhost::PageAt(sheet, oemhost::TabCount(sheet) - 1);
    RECT link = {};
    GetWindowRect(GetDlgItem(version, IDC_VERSION_LABEL_WEB), &link);
    MapWindowPoints(nullptr, version, reinterpret_cast<POINT*>(&link), 2);
    SendMessageW(version, WM_MOUSEMOVE, 0, MAKELPARAM(link.left + 6, link.top + 4));
    oemhost::Pump(300);
    const std::wstring path = shots + L"\\version-link.bmp";
    if (oemhost::SaveWindowPicture(sheet, path)) std::wprintf(L"saved %ls\n", path.c_str());
}

int RunSheet(IPrintOemUI* plugin, bool document, std::vector<std::wstring> args) {
    std::wstring shots, out, watermarkImage;
    bool demoState = false, watermarkText = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--shots" && i + 1 < args.size())
            shots = args[++i];
        else if (args[i] == L"-o" && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == L"--demo-state")
            demoState = true;
        else if (args[i] == L"--watermark-image" && i + 1 < args.size())
            watermarkImage = args[++i];
        else if (args[i] == L"--watermark-text")
            watermarkText = true;
        else if (args[i] == L"--event-shot" && i + 1 < args.size() && document)
            eventShot.path = args[++i];
        else
            return Fail(
                L"usage: oemhost doc|dev [--shots DIR] [--demo-state] "
                L"[--watermark-image BMP | --watermark-text] [--event-shot FILE.bmp] [-o OUT.bin]");
    }
    oemhost::SheetSession session(plugin, kPrinter);
    if (demoState) SetDemoState(session.record);
    if (!watermarkImage.empty() || watermarkText) SetDemoWatermark(session.record, watermarkImage);
    session.scenario = [&](HWND sheet) {
        if (!eventShot.path.empty()) ShootEventDialog(sheet);
        if (shots.empty()) return true;
        for (int tab = 0; tab < oemhost::TabCount(sheet); ++tab) {
            oemhost::PageAt(sheet, tab);
            oemhost::Pump(300);
            const std::wstring path = shots + L"\\tab-" + std::to_wstring(tab) + L".bmp";
            if (oemhost::SaveWindowPicture(sheet, path)) std::wprintf(L"saved %ls\n", path.c_str());
        }
        if (demoState && !document) ShootDeviceExtras(sheet, shots);
        return true;
    };
    if (!session.Run(document ? oemhost::SheetKind::Document : oemhost::SheetKind::Device)) {
        return Fail(L"the platform's property-sheet host is not available");
    }
    if (!out.empty() && !WriteRecord(out, session.record)) return Fail(L"cannot write the record");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    std::wstring dll = oemhost::InstalledPluginPath();
    if (args.size() >= 2 && args[0] == L"--dll") {
        dll = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() >= 2 && args[0] == L"--language") {
        ChooseLanguage(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    constexpr wchar_t kUsage[] =
        L"usage: oemhost [--dll PATH] [--language FILE] devmode OUT.bin | doc | dev";
    if (args.empty()) return Fail(kUsage);

    oemhost::LoadedPlugin loaded(dll);
    if (!loaded.ok()) return Fail(loaded.error().c_str());
    if (args[0] == L"devmode" && args.size() == 2) return RunDevMode(loaded, args[1]);
    if (args[0] == L"doc" || args[0] == L"dev") {
        return RunSheet(loaded.plugin, args[0] == L"doc",
                        std::vector<std::wstring>(args.begin() + 1, args.end()));
    }
    return Fail(kUsage);
}
