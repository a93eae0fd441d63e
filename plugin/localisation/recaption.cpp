#include "plugin/localisation/recaption.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/texts.h"
#include "plugin/sheets.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

struct OpenPage {
    HWND window;
    std::wstring printer;
    bool deviceSheet;
    DWORD thread;
};

// The open pages of every sheet of this module, newest last.
struct OpenPages {
    zr640::win::Lock lock;
    std::vector<OpenPage> pages;
};

OpenPages& Open() {
    static OpenPages open;
    return open;
}

std::vector<OpenPage> Snapshot() {
    OpenPages& open = Open();
    const zr640::win::Shared hold(open.lock);
    return open.pages;
}

HWND TabControlOf(HWND sheet) {
    const HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (tabs != nullptr) return tabs;
    return FindWindowExW(sheet, nullptr, WC_TABCONTROLW, nullptr);
}

void SetTabText(HWND tabs, int index, Key title) {
    LoadText(title);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(Text(title));
    SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The titles of the sheet's pages go to the last tabs, after the driver's own pages.
void SetTabTitles(HWND tabs, std::span<const PageEntry> pages) {
    const auto count = static_cast<size_t>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count < pages.size()) return;
    for (size_t i = 0; i < pages.size(); ++i) {
        SetTabText(tabs, static_cast<int>(count - pages.size() + i), pages[i].title);
    }
}

void RepaintPagesOf(HWND sheet) {
    for (const OpenPage& page : Snapshot()) {
        if (GetParent(page.window) == sheet) {
            RedrawWindow(page.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
}

}  // namespace

void NotePage(HWND page, const wchar_t* printer, bool deviceSheet) {
    OpenPages& open = Open();
    const zr640::win::Exclusive hold(open.lock);
    open.pages.push_back(
        {page, printer != nullptr ? printer : L"", deviceSheet, GetCurrentThreadId()});
}

void ForgetPage(HWND page) {
    OpenPages& open = Open();
    const zr640::win::Exclusive hold(open.lock);
    std::erase_if(open.pages, [page](const OpenPage& entry) { return entry.window == page; });
}

UINT RecaptionMessage() {
    static const UINT message = RegisterWindowMessageW(L"ZR640UI.Recaption");
    return message;
}

void RecaptionDocumentSheet(HWND sheet) {
    const HWND tabs = TabControlOf(sheet);
    if (tabs == nullptr) return;
    ResolveCurrentStringFile();
    SetTabTitles(tabs, DocumentSheetPages());
}

void RecaptionDeviceSheetOf(HWND page) {
    const HWND sheet = GetParent(page);
    const HWND tabs = sheet != nullptr ? TabControlOf(sheet) : nullptr;
    if (tabs == nullptr) return;
    ResolveCurrentStringFile();
    SetTabTitles(tabs, DeviceSheetPages());
    RepaintPagesOf(sheet);
}

void RecaptionOtherSheets(HWND documentSheet) {
    const std::vector<OpenPage> pages = Snapshot();
    const auto ours = std::find_if(pages.begin(), pages.end(), [&](const OpenPage& page) {
        return !page.deviceSheet && GetParent(page.window) == documentSheet;
    });
    if (ours == pages.end() || ours->printer.empty()) return;
    std::vector<HWND> done;
    for (const OpenPage& page : pages) {
        if (!page.deviceSheet || page.printer != ours->printer) continue;
        const HWND sheet = GetParent(page.window);
        if (sheet == nullptr || sheet == documentSheet ||
            std::find(done.begin(), done.end(), sheet) != done.end()) {
            continue;
        }
        done.push_back(sheet);
        if (page.thread == GetCurrentThreadId()) {
            RecaptionDeviceSheetOf(page.window);
        } else {
            PostMessageW(page.window, RecaptionMessage(), 0, 0);  // done on the sheet's thread
        }
    }
}

}  // namespace zr640ui
