#include "tools/viewershot/remote_viewer.h"

namespace viewershot {
namespace {

constexpr int kTreeControl = 1000;
constexpr int kScrollControl = 1001;
constexpr int kExitButton = IDCANCEL;
constexpr DWORD kWaitMs = 15000;
constexpr UINT kMessageBoxText = 0xFFFF;  // the text control of a message box

struct Search {
    DWORD processId;
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.processId) return TRUE;
    if (search.owner == nullptr) {
        if (GetDlgItem(window, kTreeControl) != nullptr) search.found.push_back(window);
    } else if (GetWindow(window, GW_OWNER) == search.owner && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

void CALLBACK Answered(HWND, UINT, ULONG_PTR flag, LRESULT) {
    *reinterpret_cast<bool*>(flag) = true;
}

// WM_GETTEXT itself: GetWindowText does not ask a window of another process, and a combo box
// keeps its text in its edit field.
std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

RemoteViewer::~RemoteViewer() {
    if (running()) {
        DismissOwnedWindows();
        if (!Exit()) TerminateProcess(process_.hProcess, 1);
    }
    if (process_.hProcess != nullptr) CloseHandle(process_.hProcess);
    if (process_.hThread != nullptr) CloseHandle(process_.hThread);
}

bool RemoteViewer::Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        return false;
    }
    WaitForInputIdle(process_.hProcess, kWaitMs);
    const DWORD end = GetTickCount() + kWaitMs;
    while (GetTickCount() < end && running()) {
        Search search{process_.dwProcessId, nullptr, {}};
        EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
        if (!search.found.empty()) window_ = search.found.front();
        // The window shows itself once it has started; a message box may come first.
        if (window_ != nullptr && (IsWindowVisible(window_) || !OwnedWindows().empty())) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

bool RemoteViewer::running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RemoteViewer::Exit() {
    if (!running()) return true;
    PostMessageW(Item(kExitButton), BM_CLICK, 0, 0);
    return WaitForSingleObject(process_.hProcess, kWaitMs) == WAIT_OBJECT_0;
}

DWORD RemoteViewer::exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::wstring RemoteViewer::Text(int control) const { return WindowText(Item(control)); }

bool RemoteViewer::Checked(int control) const {
    return SendMessageW(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RemoteViewer::Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    answered_.push_back(std::make_unique<bool>(false));
    SendMessageCallbackW(target, message, wParam, lParam, Answered,
                         reinterpret_cast<ULONG_PTR>(answered_.back().get()));
    Settle();
}

bool RemoteViewer::Settle() {
    const DWORD end = GetTickCount() + kWaitMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        bool pending = false;
        for (const auto& flag : answered_) pending = pending || !*flag;
        if (!pending) return true;
        if (!running() || !OwnedWindows().empty() || GetTickCount() > end) return false;
        Sleep(5);
    }
}

std::vector<HTREEITEM> RemoteViewer::Children(HWND tree, HTREEITEM parent) const {
    std::vector<HTREEITEM> items;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM,
                                                         parent == nullptr ? TVGN_ROOT : TVGN_CHILD,
                                                         reinterpret_cast<LPARAM>(parent)));
    while (item != nullptr) {
        items.push_back(item);
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return items;
}

std::wstring RemoteViewer::ItemText(HWND tree, HTREEITEM item) const {
    constexpr size_t kCapacity = 1024;
    struct Block {
        TVITEMW item;
        wchar_t text[kCapacity];
    };
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof(Block),
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) return {};
    Block local = {};
    local.item.mask = TVIF_TEXT;
    local.item.hItem = item;
    local.item.pszText = reinterpret_cast<Block*>(remote)->text;
    local.item.cchTextMax = kCapacity;
    SIZE_T written = 0;
    WriteProcessMemory(process_.hProcess, remote, &local, sizeof local, &written);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    SIZE_T read = 0;
    ReadProcessMemory(process_.hProcess, remote, &local, sizeof local, &read);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    local.text[kCapacity - 1] = L'\0';
    return local.text;
}

HTREEITEM RemoteViewer::FindItem(size_t rootIndex, const std::wstring& day,
                                 const std::wstring& file) const {
    const auto roots = Children(nullptr);
    if (rootIndex >= roots.size()) return nullptr;
    for (HTREEITEM dayItem : Children(roots[rootIndex])) {
        if (ItemText(dayItem) != day) continue;
        for (HTREEITEM fileItem : Children(dayItem)) {
            if (ItemText(fileItem) == file) return fileItem;
        }
    }
    return nullptr;
}

void RemoteViewer::Select(HTREEITEM item) {
    Send(Item(kTreeControl), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void RemoteViewer::Click(int control) { Send(Item(control), BM_CLICK, 0, 0); }

void RemoteViewer::Scroll(int code) {
    Send(window_, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(Item(kScrollControl)));
}

void RemoteViewer::Command(int command) { Send(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

int RemoteViewer::ScrollPosition() const {
    return static_cast<int>(SendMessageW(Item(kScrollControl), SBM_GETPOS, 0, 0));
}

std::pair<int, int> RemoteViewer::ScrollRange() const {
    int minimum = 0;
    int maximum = 0;
    SendMessageW(Item(kScrollControl), SBM_GETRANGE, reinterpret_cast<WPARAM>(&minimum),
                 reinterpret_cast<LPARAM>(&maximum));
    return {minimum, maximum};
}

std::vector<OwnedWindow> RemoteViewer::OwnedWindows() const {
    Search search{process_.dwProcessId, window_, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
    std::vector<OwnedWindow> windows;
    // EnumWindows lists from the top of the z-order down: the newest first.
    for (auto it = search.found.rbegin(); it != search.found.rend(); ++it) {
        const HWND text = GetDlgItem(*it, static_cast<int>(kMessageBoxText));
        windows.push_back({*it, WindowText(*it), text != nullptr ? WindowText(text) : L""});
    }
    return windows;
}

std::vector<std::wstring> RemoteViewer::DismissOwnedWindows() {
    std::vector<std::wstring> texts;
    for (int round = 0; round < 10; ++round) {
        const auto windows = OwnedWindows();
        if (windows.empty()) break;
        const OwnedWindow& top = windows.back();
        texts.push_back(top.text);
        const int button = GetDlgItem(top.window, IDCANCEL) != nullptr ? IDCANCEL : IDOK;
        PostMessageW(top.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(top.window, button)));
        const DWORD end = GetTickCount() + kWaitMs;
        while (IsWindow(top.window) && GetTickCount() < end) Sleep(10);
        Settle();
    }
    return texts;
}

}  // namespace viewershot
