#include "plugin/pages/framework/dialog.h"

#include "plugin/localisation/tooltip_help.h"
#include "plugin/platform/services.h"

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

// Marks the slot as holding one of our objects, so Of() never takes another module's
// DWLP_USER value for one.
constexpr wchar_t kObjectProperty[] = L"ZR640.DialogObject";

}  // namespace

DialogObject* DialogObject::Of(HWND window) {
    if (window == nullptr || GetPropW(window, kObjectProperty) == nullptr) return nullptr;
    return reinterpret_cast<DialogObject*>(GetWindowLongPtrW(window, DWLP_USER));
}

void DialogObject::Attach(HWND window, DialogObject* object) {
    object->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
    SetPropW(window, kObjectProperty, reinterpret_cast<HANDLE>(object));
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
        const HWND window = window_;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        RemovePropW(window, kObjectProperty);
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
    CheckDlgButton(window_, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogObject::Checked(int control) const {
    return IsDlgButtonChecked(window_, control) == BST_CHECKED;
}

void DialogObject::SetText(int control, const wchar_t* text) const {
    SetDlgItemTextW(window_, control, text);
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
    return SendDlgItemMessageW(window_, control, message, wParam, lParam);
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
    for (const auto& binding : bindings)
        SetDlgItemTextW(dialog, binding.control, Text(binding.text));
}

}  // namespace zr640ui
