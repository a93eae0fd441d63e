// Another program's window that looks like one of the plug-in's sheets: a dialog-class window
// titled like the sheet, with a tab control of six tabs. It stays until the event named on
// its command line is set, then writes its tab texts, '|' between them, to the file named
// there and exits 0. Usage: foreign_sheet TITLE EVENT OUTFILE
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND sheet =
        CreateWindowExW(0, L"#32770", argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 390, 280,
                                      sheet, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (sheet == nullptr || tabs == nullptr) return 3;
    for (int i = 0; i < 6; ++i) {
        std::wstring text = L"Tab" + std::to_wstring(i);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, argv[2]);
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    std::wstring texts;
    for (int i = 0; i < 6; ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts += (i > 0 ? L"|" : L"") + std::wstring(text);
    }
    FILE* out = _wfopen(argv[3], L"wb");
    if (out == nullptr) return 4;
    const std::string narrow(texts.begin(), texts.end());  // the tab texts are plain ASCII
    std::fputs(narrow.c_str(), out);
    std::fclose(out);
    return 0;
}
