#include "plugin/pages/framework/dialog.h"

#include <vector>

#include "plugin/localisation/tooltip_help.h"
#include "plugin/platform/services.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

UINT IconStyle(zr640::text::MessageIcon icon) {
    switch (icon) {
    case zr640::text::MessageIcon::Information: return MB_ICONINFORMATION;
    case zr640::text::MessageIcon::Warning: return MB_ICONWARNING;
    case zr640::text::MessageIcon::Error: return MB_ICONERROR;
    case zr640::text::MessageIcon::None: break;
    }
    return 0;
}

// The dialogs that hold one of our objects, on every sheet's thread. Kept here rather than
// in a window property: every message a dialog procedure receives asks for its object, and
// reading a property is a round trip to the window server under Wine (tens of microseconds,
// a few milliseconds for one repaint of a page of controls).
struct LiveDialog {
    HWND window;
    DialogObject* object;
};

zr640::win::Lock& LiveLock() {
    static zr640::win::Lock lock;
    return lock;
}

std::vector<LiveDialog>& LiveDialogs() {
    static std::vector<LiveDialog> dialogs;
    return dialogs;
}

}  // namespace

DialogObject* DialogObject::Of(HWND window) {
    if (window == nullptr) return nullptr;
    const zr640::win::Shared hold(LiveLock());
    for (const LiveDialog& live : LiveDialogs()) {
        if (live.window == window) return live.object;
    }
    return nullptr;
}

void DialogObject::Attach(HWND window, DialogObject* object) {
    object->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
    const zr640::win::Exclusive hold(LiveLock());
    LiveDialogs().push_back({window, object});
}

void DialogObject::Detach(HWND window) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    const zr640::win::Exclusive hold(LiveLock());
    std::erase_if(LiveDialogs(),
                  [window](const LiveDialog& live) { return live.window == window; });
}

HWND DialogObject::Item(int control) const {
    for (const auto& [id, item] : items_) {
        if (id == control) return item;
    }
    const HWND item = GetDlgItem(window_, control);
    if (item != nullptr) items_.push_back({control, item});
    return item;
}

HWND DialogItem(HWND dialog, int control) {
    const DialogObject* object = DialogObject::Of(dialog);
    return object != nullptr ? object->Item(control) : GetDlgItem(dialog, control);
}

INT_PTR DialogObject::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return Initialise();
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL: OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return TRUE;
    case WM_PAINT: BeforePaint(); return OnPaint() ? TRUE : FALSE;
    case WM_SETCURSOR:
        if (!offeredHelp_.empty() && HIWORD(lParam) == WM_MOUSEMOVE) {
            AttachHelp(window_, offeredHelp_);
            offeredHelp_ = {};
        }
        return OtherMessage(message, wParam, lParam);
    case WM_DESTROY:
        Destroying();
        DetachHelp(window_);
        return OtherMessage(message, wParam, lParam);
    case WM_NCDESTROY: {
        const INT_PTR result = OtherMessage(message, wParam, lParam);
        Detach(window_);
        window_ = nullptr;
        if (OwnedByWindow()) delete this;
        return result;
    }
    default: return OtherMessage(message, wParam, lParam);
    }
}

void DialogObject::Enable(int control, bool enabled) const { EnableWindow(Item(control), enabled); }

void DialogObject::Enable(std::span<const int> controls, bool enabled) const {
    for (const int control : controls) Enable(control, enabled);
}

void DialogObject::SetVisible(std::span<const int> controls, bool visible) const {
    for (const int control : controls) {
        const HWND item = Item(control);
        // The control's own flag, not IsWindowVisible: a page being set up is hidden itself.
        const bool shown = (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
        if (item != nullptr && shown != visible) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
    }
}

void DialogObject::Check(int control, bool checked) const {
    Send(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogObject::Checked(int control) const { return Send(control, BM_GETCHECK) == BST_CHECKED; }

void DialogObject::SetText(int control, const wchar_t* text) const {
    SetWindowTextW(Item(control), text);
}

std::wstring DialogObject::ControlText(int control) const {
    const HWND item = Item(control);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT DialogObject::Send(int control, UINT message, WPARAM wParam, LPARAM lParam) const {
    const HWND item = Item(control);
    return item != nullptr ? SendMessageW(item, message, wParam, lParam) : 0;
}

int DialogObject::Show(const zr640::text::Message& message, UINT buttons) const {
    return ShowMessage(window_, message, buttons);
}

INT_PTR DialogObject::Answer(LRESULT result) const {
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

int ShowMessage(HWND owner, const zr640::text::Message& message, UINT buttons) {
    return Platform().ShowMessage(owner, Text(message.text), Text(message.caption),
                                  buttons | IconStyle(message.icon));
}

void SetTexts(HWND dialog, std::span<const TextBinding> bindings) {
    std::wstring shown;
    for (const auto& binding : bindings) {
        const HWND control = DialogItem(dialog, binding.control);
        if (control == nullptr) continue;
        // A control that already shows the text keeps it: reading a window's text is local,
        // setting it is a round trip to the window server under Wine (and a template's own
        // texts are the English ones).
        const std::wstring_view text = Text(binding.text);
        shown.assign(text.size() + 2, L'\0');
        const int length = GetWindowTextW(control, shown.data(), static_cast<int>(shown.size()));
        if (length >= 0 && std::wstring_view(shown.data(), static_cast<size_t>(length)) == text)
            continue;
        SetWindowTextW(control, text.data());
    }
}

}  // namespace zr640ui
