// How fast the plug-in's sheets open, show each page the first time and repaint it, beside a
// bare sheet with as many empty pages, both opened through the platform's common property-sheet
// UI in the same run. The plug-in is the one installed from the driver package, created
// through its COM entry and called as the driver's configuration module calls it.
//
//   sheet_bench [--rounds N] [--printer NAME]
//
// A third sheet holds the plug-in's own page templates behind a dialog procedure that does
// nothing: what the pages' standard controls cost by themselves under this platform, the floor
// under what the plug-in's code can reach.
//
// Prints medians over the rounds in milliseconds, each with its ratio to the bare sheet's
// figure, and each page's figure beside its template's. Goals on the development machine: a whole
// sheet at most 3 times its bare sheet, every first visit at most 40 ms, every repaint at most 5
// ms.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tools/oemhost/host_driver.h"
#include "tools/oemhost/host_sheet.h"
#include "plugin/resources/resource.h"
#include "win32/manifest_context.h"

namespace {

using oemhost::SheetKind;
using Clock = LARGE_INTEGER;

double Now() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / perMs;
}

// Paints everything the sheet has waiting to be painted, at once.
void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct Round {
    double whole = 0;                // from opening the sheet until every page was shown once
    double open = 0;                 // from opening the sheet until it first shows
    std::vector<double> firstVisit;  // per tab of the measured pages
    std::vector<double> repaint;
};

// The figures of one sheet being measured, filled by the scenario inside the sheet.
struct Measuring {
    int firstTab = 0;  // the measured pages are the tabs from here on
    Round round;
    double start = 0;  // when the sheet was asked to open
    UINT message = 0;
    HWND sheet = nullptr;
    WNDPROC sheetProc = nullptr;
};

thread_local Measuring* measuring = nullptr;
thread_local HHOOK hook = nullptr;

void Measure(HWND sheet) {
    Measuring& m = *measuring;
    PaintNow(sheet);
    m.round.open = Now() - m.start;
    const int tabs = oemhost::TabCount(sheet);
    for (int tab = m.firstTab; tab < tabs; ++tab) {
        const double start = Now();
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        PaintNow(sheet);
        m.round.firstVisit.push_back(Now() - start);
    }
    m.round.whole = Now() - m.start;
    for (int tab = m.firstTab; tab < tabs; ++tab) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        PaintNow(sheet);
        const HWND page = reinterpret_cast<HWND>(
            SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(tab), 0));
        const double start = Now();
        RedrawWindow(page, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        m.round.repaint.push_back(Now() - start);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Measuring& m = *measuring;
    if (message == m.message) {
        Measure(window);
        return 0;
    }
    return CallWindowProcW(m.sheetProc, window, message, wParam, lParam);
}

// The first top-level dialog this thread activates is the sheet: the measuring starts once its
// loop has handled what the sheet posted to itself while opening.
LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && measuring != nullptr && measuring->sheet == nullptr) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wcscmp(name, L"#32770") == 0 && GetParent(window) == nullptr) {
            measuring->sheet = window;
            measuring->sheetProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
            PostMessageW(window, measuring->message, 0, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// Runs `open` (which returns when the sheet is closed) with the measuring hook in place.
template <typename Open>
Round Run(int firstTab, Open open) {
    Measuring m;
    m.firstTab = firstTab;
    m.message = RegisterWindowMessageW(L"ZR640.SheetBench");
    measuring = &m;
    hook = SetWindowsHookExW(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId());
    m.start = Now();
    open();
    UnhookWindowsHookEx(hook);
    measuring = nullptr;
    return m.round;
}

// The bare sheet: the host's two pages and `pages` empty ones, through the same sheet UI.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};
const EmptyTemplate kEmpty = {{WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 252, 218}, 0, 0, 0};

INT_PTR CALLBACK EmptyProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

thread_local int barePages = 0;
// When set, the bare sheet's pages after the host's two are these templates of the plug-in's
// module, in the plug-in's activation context.
thread_local const std::vector<int>* templatePages = nullptr;
thread_local HMODULE templateModule = nullptr;
thread_local HANDLE templateContext = INVALID_HANDLE_VALUE;

LONG WINAPI BareCallback(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) return -1;
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        const int pages =
            templatePages != nullptr ? static_cast<int>(templatePages->size()) : barePages;
        for (int i = 0; i < pages + 2; ++i) {
            PROPSHEETPAGEW page = {};
            page.dwSize = sizeof page;
            page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
            page.pResource = &kEmpty.header;
            page.pszTitle = L"Page";
            page.pfnDlgProc = EmptyProc;
            if (templatePages != nullptr && i >= 2) {
                page.dwFlags = PSP_USETITLE;
                page.hInstance = templateModule;
                page.pszTemplate = MAKEINTRESOURCEW((*templatePages)[static_cast<size_t>(i - 2)]);
                if (templateContext != INVALID_HANDLE_VALUE) {
                    page.dwFlags |= PSP_USEFUSIONCONTEXT;
                    page.hActCtx = templateContext;
                }
            }
            info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                  reinterpret_cast<LPARAM>(&page), 0);
        }
    }
    if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER && lParam != 0) {
        auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
        header->pTitle = const_cast<wchar_t*>(L"Bare sheet");
        header->hInst = GetModuleHandleW(nullptr);
        info->Result = 1;
    }
    return 1;
}

using CommonPropertySheetUIWFn = LONG(WINAPI*)(HWND, PageUiCallback, LPARAM, LPDWORD);

Round RunBare(int pages) {
    static const auto open = reinterpret_cast<CommonPropertySheetUIWFn>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW(L"compstui.dll"), "CommonPropertySheetUIW")));
    barePages = pages;
    return Run(2, [] {
        DWORD result = 0;
        open(nullptr, BareCallback, 0, &result);
    });
}

// The plug-in's page templates with no code behind them.
Round RunTemplates(const std::vector<int>& pages) {
    templatePages = &pages;
    Round round = RunBare(0);
    templatePages = nullptr;
    return round;
}

Round RunPlugin(IPrintOemUI* plugin, const std::wstring& printer, SheetKind kind) {
    return Run(2, [&] {
        oemhost::SheetSession session(plugin, printer);
        session.Run(kind);
    });
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Summary {
    double whole = 0;
    double open = 0;
    std::vector<double> firstVisit, repaint;  // per page
};

Summary Summarise(const std::vector<Round>& rounds) {
    Summary summary;
    std::vector<double> whole, open;
    for (const Round& round : rounds) {
        whole.push_back(round.whole);
        open.push_back(round.open);
    }
    summary.whole = Median(whole);
    summary.open = Median(open);
    const size_t pages = rounds.empty() ? 0 : rounds.front().firstVisit.size();
    for (size_t page = 0; page < pages; ++page) {
        std::vector<double> first, again;
        for (const Round& round : rounds) {
            if (page < round.firstVisit.size()) first.push_back(round.firstVisit[page]);
            if (page < round.repaint.size()) again.push_back(round.repaint[page]);
        }
        summary.firstVisit.push_back(Median(first));
        summary.repaint.push_back(Median(again));
    }
    return summary;
}

bool Report(const wchar_t* name, const std::vector<const wchar_t*>& pages, const Summary& sheet,
            const Summary& bare, const Summary& templates) {
    constexpr double kWholeRatio = 3.0, kFirstVisitMs = 40.0, kRepaintMs = 5.0;
    const double ratio = bare.whole > 0 ? sheet.whole / bare.whole : 0;
    bool met = ratio <= kWholeRatio;
    std::wprintf(
        L"%ls sheet, every page visited: %.1f ms, bare sheet %.1f ms, ratio %.2f (goal %.0f); "
        L"its templates alone %.1f ms (ratio %.2f)\n",
        name, sheet.whole, bare.whole, ratio, kWholeRatio, templates.whole,
        bare.whole > 0 ? templates.whole / bare.whole : 0);
    std::wprintf(L"  opening until the sheet shows: %.1f ms, bare %.1f ms, templates %.1f ms\n",
                 sheet.open, bare.open, templates.open);
    for (size_t i = 0; i < sheet.firstVisit.size(); ++i) {
        const double b1 = i < bare.firstVisit.size() ? bare.firstVisit[i] : 0;
        const double b2 = i < bare.repaint.size() ? bare.repaint[i] : 0;
        const wchar_t* page = i < pages.size() ? pages[i] : L"?";
        std::wprintf(
            L"  %-10ls first visit %6.2f ms (bare %5.2f, ratio %5.1f)   repaint %5.2f ms "
            L"(bare %4.2f, ratio %5.1f)\n",
            page, sheet.firstVisit[i], b1, b1 > 0 ? sheet.firstVisit[i] / b1 : 0, sheet.repaint[i],
            b2, b2 > 0 ? sheet.repaint[i] / b2 : 0);
        const double t1 = i < templates.firstVisit.size() ? templates.firstVisit[i] : 0;
        const double t2 = i < templates.repaint.size() ? templates.repaint[i] : 0;
        std::wprintf(L"  %-10ls template alone: first visit %6.2f ms, repaint %5.2f ms\n", L"", t1,
                     t2);
        met = met && sheet.firstVisit[i] <= kFirstVisitMs && sheet.repaint[i] <= kRepaintMs;
    }
    return met;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 7;
    std::wstring printer = L"T-ZR640 Test";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(1, _wtoi(argv[i + 1]));
        if (std::wcscmp(argv[i], L"--printer") == 0) printer = argv[i + 1];
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    oemhost::LoadedPlugin loaded(oemhost::InstalledPluginPath());
    if (!loaded.ok()) {
        std::fwprintf(stderr, L"sheet_bench: %ls\n", loaded.error().c_str());
        return 1;
    }
    const std::vector<const wchar_t*> documentPages = {L"Main",    L"Water Mark", L"Operation",
                                                       L"1D Code", L"2D Code",    L"Version"};
    const std::vector<const wchar_t*> devicePages = {L"Utility", L"Download", L"Font", L"Version"};
    // One unmeasured round of each warms the caches the platform keeps (fonts, classes).
    RunBare(static_cast<int>(documentPages.size()));
    RunPlugin(loaded.plugin, printer, SheetKind::Document);
    RunPlugin(loaded.plugin, printer, SheetKind::Device);

    const std::vector<int> documentTemplates = {IDD_MAIN_PAGE,      IDD_WATERMARK_PAGE,
                                                IDD_OPERATION_PAGE, IDD_CODE1D_PAGE,
                                                IDD_CODE2D_PAGE,    IDD_VERSION_PAGE};
    const std::vector<int> deviceTemplates = {IDD_UTILITY_PAGE, IDD_DOWNLOAD_PAGE, IDD_FONT_PAGE,
                                              IDD_VERSION_PAGE};
    templateModule = loaded.module;
    templateContext = zr640::win::CreateManifestContext(loaded.module, IDR_MANIFEST);
    RunTemplates(documentTemplates);

    std::vector<Round> document, device, bareDocument, bareDevice, templateDocument, templateDevice;
    for (int i = 0; i < rounds; ++i) {
        bareDocument.push_back(RunBare(static_cast<int>(documentPages.size())));
        templateDocument.push_back(RunTemplates(documentTemplates));
        document.push_back(RunPlugin(loaded.plugin, printer, SheetKind::Document));
        bareDevice.push_back(RunBare(static_cast<int>(devicePages.size())));
        templateDevice.push_back(RunTemplates(deviceTemplates));
        device.push_back(RunPlugin(loaded.plugin, printer, SheetKind::Device));
    }
    std::wprintf(L"medians of %d rounds\n", rounds);
    const bool documentMet = Report(L"document", documentPages, Summarise(document),
                                    Summarise(bareDocument), Summarise(templateDocument));
    const bool deviceMet = Report(L"device", devicePages, Summarise(device), Summarise(bareDevice),
                                  Summarise(templateDevice));
    if (templateContext != INVALID_HANDLE_VALUE) ReleaseActCtx(templateContext);
    std::wprintf(L"goals %ls\n", documentMet && deviceMet ? L"met" : L"not met");
    return 0;
}
