#include "plugin/localisation/tooltip_help.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cwchar>

#include "plugin/module.h"
#include "win32/barrier.h"

namespace zr640ui {
namespace {

constexpr UINT_PTR kHelpSubclass = 0x5A52;          // this module's help subclass on a control
constexpr wchar_t kHelpProperty[] = L"ZR640.Help";  // marks a control that has help
constexpr wchar_t kTooltipProperty[] = L"ZR640.HelpTip";  // the dialog's tooltip window
constexpr int kDelayMs = 1000;
constexpr int kMaxTipWidth = 300;
constexpr size_t kLongestTip = 1024;

// What a subclassed control needs: its text, the tooltip window and its record size.
struct HelpSlot {
    Key text;
    HWND tooltip;
    UINT toolSize;
};

TTTOOLINFOW ToolFor(HWND control, UINT size, wchar_t* text) {
    TTTOOLINFOW tool = {};
    tool.cbSize = size;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = 0;
    tool.hinst = ModuleInstance();
    tool.lpszText = text;
    GetClientRect(control, &tool.rect);
    return tool;
}

void CopyText(Key key, wchar_t (&text)[kLongestTip]) {
    wcsncpy(text, Text(key), kLongestTip - 1);
    text[kLongestTip - 1] = L'\0';
}

// The mouse rests on the control: the tip shows its text, copied at every move so that a
// reloaded language shows at once.
bool ShowHelp(HWND control, const HelpSlot& slot) {
    POINT cursor;
    RECT bounds;
    GetCursorPos(&cursor);
    GetWindowRect(control, &bounds);
    if (!PtInRect(&bounds, cursor)) return false;
    wchar_t text[kLongestTip];
    CopyText(slot.text, text);
    TTTOOLINFOW tool = ToolFor(control, slot.toolSize, text);
    SendMessageW(slot.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(slot.tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kDelayMs);
    SendMessageW(slot.tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

// Installed with SetWindowSubclass, so it stacks with the control's other subclasses: the one
// installed last sees a message first.
LRESULT CALLBACK HelpProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* slot = reinterpret_cast<HelpSlot*>(data);
    if (message == WM_MOUSEMOVE) {
        zr640::win::Guarded(false, [&] { return ShowHelp(control, *slot); });
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, HelpProc, kHelpSubclass);
        RemovePropW(control, kHelpProperty);
        delete slot;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

UINT ToolInfoSize() {
    HMODULE controls = nullptr;
    {
        // The common controls the plug-in's tooltips are made of: those of its manifest.
        const ScopedActivation activation;
        controls = GetModuleHandleW(L"comctl32.dll");
    }
    if (controls == nullptr) return TTTOOLINFOW_V2_SIZE;
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof version;
    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(controls, "DllGetVersion")));
    if (getVersion != nullptr && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 6)
        return sizeof(TTTOOLINFOW);
    return TTTOOLINFOW_V2_SIZE;  // older controls refuse the record with lpReserved
}

HWND AttachHelp(HWND dialog, std::span<const zr640::text::TextBinding<Key>> controls) {
    HWND tooltip;
    {
        const ScopedActivation activation;
        tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                  ModuleInstance(), nullptr);
    }
    if (tooltip == nullptr) return nullptr;
    // A page is a child window, and a popup's owner is the top-level window: the sheet. The
    // page keeps its tooltip itself and destroys it with DetachHelp when it goes.
    SetPropW(dialog, kTooltipProperty, tooltip);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kDelayMs);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    const UINT toolSize = ToolInfoSize();

    // Each control is registered once, here; moving the mouse over it refreshes the text.
    for (const auto& binding : controls) {
        const HWND control = GetDlgItem(dialog, binding.control);
        if (control == nullptr || GetPropW(control, kHelpProperty) != nullptr) continue;
        auto* slot = new HelpSlot{binding.text, tooltip, toolSize};
        if (!SetWindowSubclass(control, HelpProc, kHelpSubclass,
                               reinterpret_cast<DWORD_PTR>(slot))) {
            delete slot;
            continue;
        }
        SetPropW(control, kHelpProperty, slot);
        wchar_t text[kLongestTip];
        CopyText(binding.text, text);
        TTTOOLINFOW tool = ToolFor(control, toolSize, text);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tooltip;
}

void DetachHelp(HWND dialog) {
    const auto tooltip = static_cast<HWND>(RemovePropW(dialog, kTooltipProperty));
    if (tooltip != nullptr && IsWindow(tooltip)) DestroyWindow(tooltip);
}

}  // namespace zr640ui
