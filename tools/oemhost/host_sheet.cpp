#include "tools/oemhost/host_sheet.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace oemhost {
namespace {

using CommonPropertySheetUIWFn = LONG(WINAPI*)(HWND, PageUiCallback, LPARAM, LPDWORD);

// The session being opened; the sheet UI hands it back through the info block's UserData.
thread_local SheetSession* opening = nullptr;
// The sessions whose scenario is waiting for its sheet window, newest last.
thread_local std::vector<SheetSession*> waiting;

// An empty child dialog for the host's own pages.
struct alignas(4) EmptyPage {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

const EmptyPage kEmptyPage = {{WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 0, 0, 252, 218}, 0, 0, 0};

INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

void AddHostPage(PPROPSHEETUI_INFO info, const wchar_t* title) {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    page.pResource = &kEmptyPage.header;
    page.pszTitle = title;
    page.pfnDlgProc = EmptyPageProc;
    info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                          reinterpret_cast<LPARAM>(&page), 0);
}

HWND TabControl(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
}

}  // namespace

SheetSession::SheetSession(IPrintOemUI* plugin_, std::wstring printerName_)
    : plugin(plugin_),
      printerName(std::move(printerName_)),
      driverUi(RecordingDriverUi::New()),
      record(1976) {
    OpenPrinterW(const_cast<LPWSTR>(printerName.c_str()), &printer, nullptr);

    oem::OEMDMPARAM param = {};
    param.cbSize = sizeof param;
    param.pOEMDMOut = record.data();
    plugin->DevMode(oem::OEMDM_DEFAULT, &param);

    uiObject.cbSize = sizeof uiObject;
    common.cbSize = sizeof common;
    common.poemuiobj = &uiObject;
    common.hPrinter = printer;
    common.pPrinterName = const_cast<PWSTR>(printerName.c_str());
    common.pOEMDM = record.data();
    common.pDrvOptItems = options.items();
    common.cDrvOptItems = options.count();
    uiParams.cbSize = sizeof uiParams;
    uiParams.poemuiobj = &uiObject;
    uiParams.hPrinter = printer;
    uiParams.pPrinterName = const_cast<PWSTR>(printerName.c_str());
    uiParams.pOEMDM = record.data();
}

SheetSession::~SheetSession() {
    driverUi->Release();
    if (printer != nullptr) ClosePrinter(printer);
}

std::wstring SheetSession::title() const {
    return printerName + (kind_ == SheetKind::Document ? L" Printing Preferences" : L" Properties");
}

bool SheetSession::Run(SheetKind kind) {
    kind_ = kind;
    const HMODULE compstui = LoadLibraryW(L"compstui.dll");
    if (compstui == nullptr) return false;
    const auto open = reinterpret_cast<CommonPropertySheetUIWFn>(
        reinterpret_cast<void*>(GetProcAddress(compstui, "CommonPropertySheetUIW")));
    if (open == nullptr) return false;

    plugin->PublishDriverInterface(driverUi);
    plugin->CommonUIProp(kind == SheetKind::Document ? oem::OEMCUIP_DOCPROP : oem::OEMCUIP_PRNPROP,
                         &common);
    if (scenario) {
        waiting.push_back(this);
        timer_ = SetTimer(nullptr, 0, 100, Tick);
    }
    opening = this;
    DWORD sheetResult = 0;
    result = open(nullptr, Callback, reinterpret_cast<LPARAM>(this), &sheetResult);
    if (timer_ != 0) KillTimer(nullptr, timer_);
    std::erase(waiting, this);
    return true;
}

LONG WINAPI SheetSession::Callback(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) return -1;
    if (info->Reason == PROPSHEETUI_REASON_INIT || info->UserData == 0) {
        info->UserData = reinterpret_cast<ULONG_PTR>(opening);
    }
    auto* self = reinterpret_cast<SheetSession*>(info->UserData);
    if (self == nullptr) return -1;
    self->reasons.push_back(info->Reason);

    // The plug-in sees the info block as the configuration module passes it on: its
    // lParamInit is the plug-in's page parameter block.
    const LPARAM hostParam = info->lParamInit;
    info->lParamInit = reinterpret_cast<LPARAM>(&self->uiParams);
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        AddHostPage(info, self->kind_ == SheetKind::Document ? L"Layout" : L"General");
        AddHostPage(info, self->kind_ == SheetKind::Document ? L"Paper/Quality" : L"Sharing");
    }
    if (self->kind_ == SheetKind::Document) {
        self->plugin->DocumentPropertySheets(info, lParam);
    } else {
        self->plugin->DevicePropertySheets(info, lParam);
    }
    info->lParamInit = hostParam;

    if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER && lParam != 0) {
        // The header is the configuration module's: the sheet is titled after the printer.
        static thread_local std::wstring title;
        title = self->title();
        auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
        header->pTitle = title.data();
        header->hInst = GetModuleHandleW(nullptr);
        info->Result = 1;
    }
    return 1;
}

VOID CALLBACK SheetSession::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    for (SheetSession* session : waiting) {
        if (session->timer_ != timer) continue;
        const std::wstring title = session->title();
        const HWND sheet = FindWindowW(L"#32770", title.c_str());
        if (sheet == nullptr) {
            if (++session->ticks_ > 200) {  // 20 s without a sheet: give up
                KillTimer(nullptr, timer);
                session->timer_ = 0;
            }
            return;
        }
        KillTimer(nullptr, timer);
        session->timer_ = 0;
        session->sheet_ = sheet;
        session->RunScenario();
        return;
    }
}

void SheetSession::RunScenario() {
    Pump();
    const bool ok = scenario(sheet_);
    PostMessageW(sheet_, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
}

HWND PageAt(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Pump();
    return reinterpret_cast<HWND>(
        SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

std::wstring TabText(HWND sheet, int index) {
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(TabControl(sheet), TCM_GETITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

int TabCount(HWND sheet) {
    return static_cast<int>(SendMessageW(TabControl(sheet), TCM_GETITEMCOUNT, 0, 0));
}

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

namespace {

struct WindowSearch {
    const wchar_t* title;
    HWND found;
};

// A named callback: the enumeration wants the platform's calling convention.
BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (!IsWindowVisible(window) || std::wstring(text) != search.title) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindThreadWindow(const wchar_t* title) {
    WindowSearch search{title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace oemhost
