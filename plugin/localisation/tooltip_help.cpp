#include "plugin/localisation/tooltip_help.h"

#include <commctrl.h>

#include <cwchar>

#include "plugin/module.h"

namespace zr640ui {
namespace {

constexpr UINT_PTR kHelpSubclass = 0x5A52;          // this module's help subclass on a control
constexpr wchar_t kHelpProperty[] = L"ZR640.Help";  // marks a control that has help
constexpr int kDelayMs = 1000;
constexpr int kMaxTipWidth = 300;

// What a subclassed control needs: its text and the tooltip window.
struct HelpSlot {
    Key text;
    HWND tooltip;
};

TTTOOLINFOW ToolFor(HWND control, wchar_t* text) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = 0;
    tool.hinst = ModuleInstance();
    tool.lpszText = text;
    GetClientRect(control, &tool.rect);
    return tool;
}

// Installed with SetWindowSubclass, so it stacks with the control's other subclasses: the one
// installed last sees a message first.
LRESULT CALLBACK HelpProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* slot = reinterpret_cast<HelpSlot*>(data);
    if (message == WM_MOUSEMOVE) {
        POINT cursor;
        RECT bounds;
        GetCursorPos(&cursor);
        GetWindowRect(control, &bounds);
        if (PtInRect(&bounds, cursor)) {
            // The text is copied at every move, so a reloaded language shows at once.
            wchar_t text[1024];
            wcsncpy(text, Text(slot->text), 1023);
            text[1023] = L'\0';
            TTTOOLINFOW tool = ToolFor(control, text);
            SendMessageW(slot->tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            SendMessageW(slot->tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kDelayMs);
            SendMessageW(slot->tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, HelpProc, kHelpSubclass);
        RemovePropW(control, kHelpProperty);
        delete slot;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

HWND AttachHelp(HWND page, std::span<const zr640::text::TextBinding<Key>> controls) {
    HWND tooltip;
    {
        ScopedActivation activation;
        tooltip =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, ModuleInstance(), nullptr);
    }
    if (tooltip == nullptr) return nullptr;
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kDelayMs);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);

    // Each control is registered once, here; moving the mouse over it refreshes the text.
    for (const auto& binding : controls) {
        const HWND control = GetDlgItem(page, binding.control);
        if (control == nullptr || GetPropW(control, kHelpProperty) != nullptr) continue;
        auto* slot = new HelpSlot{binding.text, tooltip};
        if (!SetWindowSubclass(control, HelpProc, kHelpSubclass,
                               reinterpret_cast<DWORD_PTR>(slot))) {
            delete slot;
            continue;
        }
        SetPropW(control, kHelpProperty, slot);
        wchar_t text[1024];
        wcsncpy(text, Text(binding.text), 1023);
        text[1023] = L'\0';
        TTTOOLINFOW tool = ToolFor(control, text);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tooltip;
}

}  // namespace zr640ui
