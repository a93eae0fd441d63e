#include "plugin/localisation/recaption.h"

#include <commctrl.h>

#include <array>
#include <cwchar>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/texts.h"

namespace zr640ui {
namespace {

std::array<HWND, static_cast<size_t>(NotedPage::Count)> notedPages = {};
std::wstring printerName;
HWND documentSheet = nullptr;

bool IsTabControl(HWND window) {
    wchar_t className[200] = {};
    GetClassNameW(window, className, 200);
    return std::wcsstr(className, WC_TABCONTROLW) != nullptr;
}

void SetTabText(HWND tabs, int index, Key title) {
    LoadText(title);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(Text(title));
    SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void Repaint(NotedPage page) {
    const HWND window = NotedPageWindow(page);
    if (window != nullptr) SendMessageW(window, WM_PAINT, 0, 0);
}

BOOL CALLBACK DocumentTabs(HWND child, LPARAM) {
    if (!IsTabControl(child)) return TRUE;
    ResolveCurrentStringFile();
    constexpr Key kTitles[] = {Key::Layout_RC_LAYOUTFORM, Key::Watermark_RC_WATERMARKFORM,
                               Key::Operation_RC_OPERATIONFORM, Key::Code1D_RC_1DCODEFORM,
                               Key::Code2D_RC_2DCODEFORM, Key::Version_RC_VERSIONFORM};
    for (int i = 0; i < 6; ++i) SetTabText(child, 2 + i, kTitles[i]);
    return TRUE;
}

BOOL CALLBACK DeviceTabs(HWND child, LPARAM) {
    if (!IsTabControl(child)) return TRUE;
    ResolveCurrentStringFile();
    const int count = static_cast<int>(SendMessageW(child, TCM_GETITEMCOUNT, 0, 0));
    SetTabText(child, count - 4, Key::Utility_RC_UTILITYFORM);
    Repaint(NotedPage::Utility);
    SetTabText(child, count - 3, Key::Download_RC_DOWNLOADFORM);
    Repaint(NotedPage::Download);
    SetTabText(child, count - 2, Key::Font_RC_FONTFORM);
    Repaint(NotedPage::Font);
    SetTabText(child, count - 1, Key::Version_RC_VERSIONFORM);
    Repaint(NotedPage::DocumentVersion);
    Repaint(NotedPage::DeviceVersion);
    return FALSE;
}

BOOL CALLBACK FindSheets(HWND window, LPARAM) {
    wchar_t className[200] = {};
    GetClassNameW(window, className, 200);
    if (std::wcscmp(className, L"#32770") != 0) return TRUE;
    wchar_t title[1024] = {};
    GetWindowTextW(window, title, 1024);
    OutputDebugStringW(title);
    if (!printerName.empty() && std::wcsstr(title, printerName.c_str()) != nullptr &&
        window != documentSheet) {
        EnumChildWindows(window, DeviceTabs, 0);
    }
    return TRUE;
}

}  // namespace

void NotePageWindow(NotedPage page, HWND window) { notedPages[static_cast<size_t>(page)] = window; }

HWND NotedPageWindow(NotedPage page) { return notedPages[static_cast<size_t>(page)]; }

void NotePrinterName(const wchar_t* name) { printerName = name != nullptr ? name : L""; }

const std::wstring& NotedPrinterName() { return printerName; }

void RecaptionDocumentSheet(HWND sheet) {
    documentSheet = sheet;
    EnumChildWindows(sheet, DocumentTabs, 0);
}

void RecaptionOtherSheets(HWND sheet) {
    documentSheet = sheet;
    EnumWindows(FindSheets, 0);
}

}  // namespace zr640ui
