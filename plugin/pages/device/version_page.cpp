// The Version page, shown in both sheets: the driver's name, copyright, versions, the maker's
// web address as a link, and the legal warning.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "core/ui/web_address.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "resource.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

// RC_STATIC_VER1 to VER7 belong to the consecutive controls 1109 to 1115.
constexpr TextBinding kCaptions[] = {
    {IDC_VERSION_LABEL_NAME, Key::Version_RC_STATIC_VER1},
    {IDC_VERSION_LABEL_COPYRIGHT, Key::Version_RC_STATIC_VER2},
    {IDC_VERSION_LABEL_RIGHTS, Key::Version_RC_STATIC_VER3},
    {IDC_VERSION_LABEL_PRODUCT, Key::Version_RC_STATIC_VER4},
    {IDC_VERSION_LABEL_VERSIONS, Key::Version_RC_STATIC_VER5},
    {IDC_VERSION_LABEL_ADDITIONAL, Key::Version_RC_STATIC_VER6},
    {IDC_VERSION_LABEL_WEB, Key::Version_RC_STATIC_VER7},
    {IDC_VERSION_LABEL_WARNING, Key::Version_RC_STATIC_WARNING},
};

// One page in both sheets.
constexpr PageDefinition kPage = {.section = Section::Version, .captions = kCaptions, .help = {}};

// The web address of 1115 behaves as a link: underlined with the hand cursor while the mouse
// is over its text, opened with the shell's "open" verb on a click. The link is the part of
// the control that its text covers.
class WebLink {
public:
    explicit WebLink(int control) : control_(control) {}

    bool Contains(HWND page, POINT point) const;
    void Hover(HWND page, bool inside);
    // Opens the address shown, when it is a web address.
    static void Open(const wchar_t* address);

private:
    int control_;
    bool underlined_ = false;
    HFONT plain_ = nullptr;  // the control's own font, owned by the dialog
    zr640::win::ScopedGdiObject underline_;
};

bool WebLink::Contains(HWND page, POINT point) const {
    const HWND control = GetDlgItem(page, control_);
    if (control == nullptr || !IsWindowVisible(control)) return false;
    RECT area = {};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    wchar_t text[256] = {};
    const int length = GetWindowTextW(control, text, static_cast<int>(std::size(text)));
    const zr640::win::WindowDC dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc.get(), font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc.get(), text, length, &extent);
    SelectObject(dc.get(), old);
    area.right = std::min(area.right, area.left + extent.cx);
    area.bottom = std::min(area.bottom, area.top + extent.cy);
    return PtInRect(&area, point) != FALSE;
}

void WebLink::Hover(HWND page, bool inside) {
    if (inside) SetCursor(LoadCursorW(nullptr, IDC_HAND));
    if (inside == underlined_) return;
    const HWND control = GetDlgItem(page, control_);
    if (inside) {
        plain_ = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW font = {};
        if (plain_ == nullptr || GetObjectW(plain_, sizeof font, &font) == 0) return;
        font.lfUnderline = TRUE;
        underline_.Reset(CreateFontIndirectW(&font));
        if (!underline_) return;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(underline_.get()), TRUE);
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(plain_), TRUE);
        underline_.Reset();
    }
    underlined_ = inside;
}

void WebLink::Open(const wchar_t* address) {
    const std::wstring text(address);
    if (!zr640::ui::IsWebAddress(std::u16string(text.begin(), text.end()))) return;
    Platform().StartProgram(text.c_str(), L"");  // the shell's "open" verb
}

template <typename Context>
class VersionPage final : public SheetPage<Context> {
public:
    explicit VersionPage(Context& context) : SheetPage<Context>(context, kPage) {}

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    WebLink link_{IDC_VERSION_LABEL_WEB};
};

template <typename Context>
INT_PTR VersionPage<Context>::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND page = this->window();
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: link_.Hover(page, link_.Contains(page, point)); return FALSE;
    case WM_LBUTTONUP: {
        const bool inside = link_.Contains(page, point);
        link_.Hover(page, inside);
        if (inside) WebLink::Open(Text(Key::Version_RC_STATIC_VER7));
        return FALSE;
    }
    case WM_SETCURSOR: {
        // The hand stays while the mouse is over the link (the dialog would set the arrow).
        POINT cursor = {};
        GetCursorPos(&cursor);
        ScreenToClient(page, &cursor);
        if (reinterpret_cast<HWND>(wParam) == page || LOWORD(lParam) == HTCLIENT) {
            if (link_.Contains(page, cursor)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return this->Answer(TRUE);
            }
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

}  // namespace

const PageDefinition& VersionPageDefinition() { return kPage; }

INT_PTR CALLBACK DocumentVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<VersionPage<DocumentSheetContext>>(page, message, wParam, lParam);
}

INT_PTR CALLBACK DeviceVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<VersionPage<DeviceSheetContext>>(page, message, wParam, lParam);
}

}  // namespace zr640ui
