// The little a dialog-based program needs of an application framework: a dialog object
// bound to its window, and a program object that runs the start-up work.
#pragma once

#include <windows.h>

namespace zr640viewer {

// A modal dialog from a template of the program's resources. The object is kept in the
// dialog's own slot (DWLP_USER) from WM_INITDIALOG on; messages that arrive before it is there
// go to the default handling. OK and Cancel end the dialog unless a derived class handles them.
class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog; returns the code given to End, or -1 when it could not be created.
    INT_PTR DoModal(HWND owner);

    HWND window() const { return window_; }
    HWND Item(int control) const { return GetDlgItem(window_, control); }

protected:
    // One message. Returns what a dialog procedure returns: FALSE for the default handling.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Returns the result of a message whose result goes through DWLP_MSGRESULT.
    INT_PTR Answer(LRESULT result);
    void End(INT_PTR result) { EndDialog(window_, result); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
};

// The program object: Run calls InitInstance once; a dialog program does its whole work
// there and the program then ends with ExitInstance's code.
class WinApp {
public:
    WinApp() = default;
    virtual ~WinApp() = default;
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    int Run(HINSTANCE instance);
    HINSTANCE instance() const { return instance_; }

protected:
    virtual void InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

private:
    HINSTANCE instance_ = nullptr;
};

}  // namespace zr640viewer
