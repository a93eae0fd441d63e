#include "plugin/pages/framework/hex_edit.h"

#include <commctrl.h>

#include "core/operation/hex_command.h"

namespace zr640ui {
namespace {

constexpr UINT_PTR kHexFilterSubclass = 0x5A48;  // "ZH"

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The edit asks the dialog for every key, Tab included: the filter itself moves the focus on.
// Nothing in it can throw.
LRESULT CALLBACK HexFilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) noexcept {
    switch (message) {
    case WM_GETDLGCODE: return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_CHAR:
        switch (zr640::FilterHexCommandKey(static_cast<char32_t>(wParam), Held(VK_TAB),
                                           Held(VK_CONTROL))) {
        case zr640::HexKeyAction::kPass: break;
        case zr640::HexKeyAction::kDrop: return 0;
        case zr640::HexKeyAction::kNextControl:
            PostMessageW(GetParent(edit), WM_NEXTDLGCTL, 0, FALSE);
            return 0;
        }
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, HexFilterProc, kHexFilterSubclass); break;
    default: break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool InstallHexCommandFilter(HWND edit) {
    return edit != nullptr &&
           SetWindowSubclass(edit, HexFilterProc, kHexFilterSubclass, 0) != FALSE;
}

}  // namespace zr640ui
