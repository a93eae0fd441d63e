#include "viewer/framework/dialog.h"

#include "win32/barrier.h"

namespace zr640viewer {

INT_PTR Dialog::DoModal(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                           &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::Answer(LRESULT result) {
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

// Nothing thrown by a handler reaches the dialog manager's frames (on x86 that ends the
// program at once): a failed message is answered as unhandled.
INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return zr640::win::Guarded(INT_PTR{FALSE},
                               [&] { return Dispatch(window, message, wParam, lParam); });
}

INT_PTR Dialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window_ = window;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    const INT_PTR result = dialog->OnMessage(message, wParam, lParam);
    if (result == FALSE && message == WM_COMMAND &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        dialog->End(LOWORD(wParam));
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
    }
    return result;
}

int WinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    InitInstance();
    return ExitInstance();
}

}  // namespace zr640viewer
