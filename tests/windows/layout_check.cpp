#include "tests/windows/layout_check.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

namespace wintest {
namespace {

struct Control {
    HWND window;
    std::wstring name;  // identifier and text, for the report
    RECT frame;         // in the client area of the checked window
    RECT occupied;      // the part a person sees as taken
    bool groupBox = false;
    HWND buddy = nullptr;  // of an up-down
};

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// The size of the text drawn in the control's font, broken into lines of at most `width`
// pixels when `wrap` (as a static control wraps it).
SIZE TextSize(HWND control, const std::wstring& text, int width, bool wrap, int* dpi) {
    const HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT area = {0, 0, width, 0};
    const UINT format = DT_CALCRECT | DT_EXPANDTABS | (wrap ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc, text.c_str(), -1, &area, format);
    if (dpi != nullptr) *dpi = GetDeviceCaps(dc, LOGPIXELSX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {area.right, area.bottom};
}

void Report(std::vector<std::wstring>& problems, const std::wstring& line) {
    problems.push_back(line);
}

// What of a control a person sees as taken, and whether its text fits.
void Measure(Control& c, std::vector<std::wstring>& problems) {
    const std::wstring kind = ClassOf(c.window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(c.window, GWL_STYLE));
    c.occupied = c.frame;
    const std::wstring text = TextOf(c.window);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        const bool textual = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                             type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
        if (!textual) return;
        if (text.empty()) {
            c.occupied = {c.frame.left, c.frame.top, c.frame.left, c.frame.top};
            return;
        }
        const bool wrap = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        const SIZE need = TextSize(c.window, text, Width(c.frame), wrap, nullptr);
        if (need.cx > Width(c.frame) || need.cy > Height(c.frame)) {
            Report(problems, c.name + L" does not fit its text: needs " + std::to_wstring(need.cx) +
                                 L" x " + std::to_wstring(need.cy) + L", has " +
                                 std::to_wstring(Width(c.frame)) + L" x " +
                                 std::to_wstring(Height(c.frame)));
        }
        const int width = std::min<int>(need.cx, Width(c.frame));
        int left = c.frame.left;
        if (type == SS_CENTER) left += (Width(c.frame) - width) / 2;
        if (type == SS_RIGHT) left = c.frame.right - width;
        c.occupied = {left, c.frame.top, left + width,
                      c.frame.top + std::min<int>(need.cy, Height(c.frame))};
        return;
    }
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        const DWORD type = style & BS_TYPEMASK;
        int dpi = 96;
        const SIZE need = TextSize(c.window, text, 0, false, &dpi);
        if (type == BS_GROUPBOX) {
            c.groupBox = true;
            if (need.cx + MulDiv(16, dpi, 96) > Width(c.frame)) {
                Report(problems, c.name + L": the group's caption is wider than the group");
            }
            return;
        }
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                         type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        if (box) {
            // The box and the gap before the text, as the button draws them.
            const int needed = MulDiv(16, dpi, 96) + need.cx;
            if (!text.empty() && (needed > Width(c.frame) || need.cy > Height(c.frame) + 1)) {
                Report(problems, c.name + L" does not fit its text: needs " +
                                     std::to_wstring(needed) + L", has " +
                                     std::to_wstring(Width(c.frame)));
            }
            c.occupied.right = std::min<LONG>(c.frame.right, c.frame.left + needed);
            return;
        }
        if (!text.empty() && need.cx + MulDiv(6, dpi, 96) > Width(c.frame)) {
            Report(problems, c.name + L": the button is narrower than its text");
        }
        return;
    }
    if (_wcsicmp(kind.c_str(), UPDOWN_CLASSW) == 0) {
        c.buddy = reinterpret_cast<HWND>(SendMessageW(c.window, UDM_GETBUDDY, 0, 0));
    }
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both = {};
    return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

std::vector<std::wstring> LayoutProblems(HWND window) {
    std::vector<std::wstring> problems;
    RECT client = {};
    GetClientRect(window, &client);
    std::vector<Control> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        Control c{child, L"", {}, {}};
        std::wostringstream name;
        name << GetDlgCtrlID(child) << L" \"" << TextOf(child) << L"\"";
        c.name = name.str();
        GetWindowRect(child, &c.frame);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&c.frame), 2);
        Measure(c, problems);
        if (c.frame.left < client.left || c.frame.top < client.top ||
            c.frame.right > client.right || c.frame.bottom > client.bottom) {
            Report(problems, c.name + L" is cut off at the window's edge");
        }
        controls.push_back(c);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const Control& a = controls[i];
            const Control& b = controls[j];
            if (a.groupBox || b.groupBox) continue;
            if (a.buddy == b.window || b.buddy == a.window) continue;
            if (Overlap(a.occupied, b.occupied)) {
                Report(problems, a.name + L" and " + b.name + L" lie on top of each other");
            }
        }
    }
    return problems;
}

}  // namespace wintest
