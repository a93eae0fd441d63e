// Drives a running RZKDriverlogViewer from another process, the way a user's clicks reach it:
// messages to its controls. Tree messages that carry pointers, which the system does not
// carry across processes, get them in memory allocated inside the viewer's process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace viewershot {

// A top-level window that the viewer shows over its main window: a message box, the about
// box, the folder browser.
struct OwnedWindow {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;  // a message box's text, empty for other windows
};

class RemoteViewer {
public:
    RemoteViewer() = default;
    ~RemoteViewer();
    RemoteViewer(const RemoteViewer&) = delete;
    RemoteViewer& operator=(const RemoteViewer&) = delete;

    // Starts the program with the given command-line tail and waits for its window.
    bool Start(const std::wstring& program, const std::wstring& arguments);
    // Asks the window to close with its Exit button; true when the process has ended.
    bool Exit();
    bool running() const;

    HWND window() const { return window_; }
    HWND Item(int control) const { return GetDlgItem(window_, control); }
    std::wstring Text(int control) const;
    bool Enabled(int control) const { return IsWindowEnabled(Item(control)) != FALSE; }
    bool Checked(int control) const;

    // The log tree: the children of an item (the roots for null), an item's text.
    std::vector<HTREEITEM> Children(HTREEITEM parent) const { return Children(Item(1000), parent); }
    std::wstring ItemText(HTREEITEM item) const { return ItemText(Item(1000), item); }
    // The same for any tree view of the viewer's process (the folder browser's).
    std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) const;
    std::wstring ItemText(HWND tree, HTREEITEM item) const;
    // The print file `file` of day `day` under the root at `rootIndex`; null when not listed.
    HTREEITEM FindItem(size_t rootIndex, const std::wstring& day, const std::wstring& file) const;

    // Selects a tree item, clicks a button, sends a scroll code or a command; then waits until
    // the viewer has handled it or shows a window of its own over the main window (a message
    // box, a dialog), which keeps the message pending until it is closed.
    void Select(HTREEITEM item);
    void Click(int control);
    void Scroll(int code);
    void Command(int command);
    // Sends a message and waits as above.
    void Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    // Waits until every message sent so far has been handled, or a window is shown over the
    // main window; true when nothing is pending.
    bool Settle();

    int ScrollPosition() const;
    std::pair<int, int> ScrollRange() const;  // minimum and maximum

    // The windows shown over the main window, oldest first.
    std::vector<OwnedWindow> OwnedWindows() const;
    // Closes every such window with its Cancel (for a message box with OK: its OK); returns
    // their texts.
    std::vector<std::wstring> DismissOwnedWindows();

    DWORD exitCode() const;
    HANDLE process() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    // One flag per message sent, set when the viewer has answered it; kept until the end,
    // since an answer may come after the call that sent the message has returned.
    std::vector<std::unique_ptr<bool>> answered_;
};

}  // namespace viewershot
