#include "plugin/pages/document/watermark_text_picture.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "core/watermark/font_face.h"
#include "core/watermark/picture_file.h"
#include "plugin/pages/document/watermark_page_tables.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

// The enumeration callbacks only copy: nothing in them can throw but an allocation, which
// ends the enumeration instead of leaving the callback.
int CALLBACK KeepLastFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD,
                            LPARAM found) noexcept {
    *reinterpret_cast<LOGFONTW*>(found) = *font;
    return 1;
}

int CALLBACK AddTrueTypeFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD type,
                               LPARAM faces) noexcept {
    if ((type & TRUETYPE_FONTTYPE) == 0) return 1;
    const wchar_t* name = font->lfFaceName;
    try {
        reinterpret_cast<std::vector<std::u16string>*>(faces)->emplace_back(name,
                                                                            name + wcslen(name));
        return 1;
    } catch (...) {
        return 0;
    }
}

// The logical font of the last family of that face name for the ANSI character set, sized for
// the device context and turned by the angle. A face the system does not list keeps its
// name, so the font mapper picks the nearest.
LOGFONTW WatermarkFont(HDC dc, const TextStyle& style) {
    LOGFONTW wanted = {};
    wanted.lfCharSet = ANSI_CHARSET;
    const size_t kept = std::min(style.face.size(), size_t{LF_FACESIZE - 1});
    std::copy_n(style.face.begin(), kept, wanted.lfFaceName);
    LOGFONTW font = wanted;
    if (kept > 0)
        EnumFontFamiliesExW(dc, &wanted, KeepLastFamily, reinterpret_cast<LPARAM>(&font), 0);
    font.lfWidth = 0;
    font.lfHeight = -MulDiv(style.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = style.style >= 2 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style.style == 1 || style.style == 3) ? TRUE : FALSE;
    font.lfClipPrecision = CLIP_LH_ANGLES;
    font.lfEscapement = style.angle * 10;
    font.lfOrientation = style.angle * 10;
    return font;
}

}  // namespace

BITMAPINFO BottomUpDib(int32_t width, int32_t height, WORD bitCount) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: the bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void FillTextBox(HWND combo, int limit, std::u16string_view stored) {
    SendMessageW(combo, CB_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    for (const wchar_t* text : watermark::kOfferedTexts)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (stored.empty()) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
    } else {
        const std::u16string text(stored);  // UTF-16, as the window's text is
        SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

std::vector<std::u16string> TrueTypeFaces(HDC dc) {
    std::vector<std::u16string> faces;
    LOGFONTW all = {};
    all.lfCharSet = ANSI_CHARSET;
    EnumFontFamiliesExW(dc, &all, AddTrueTypeFamily, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

void FillFaceList(HWND combo, std::span<const std::u16string> faces, std::u16string_view stored) {
    for (const std::u16string& face : faces)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    const auto entry = zr640::FontFaceEntry(faces, stored);
    SendMessageW(combo, CB_SETCURSEL, entry.value_or(0), 0);
}

std::wstring SelectedEntry(HWND combo) {
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return {};
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::optional<TextPixels> RenderText(HDC reference, const TextStyle& style) {
    constexpr int kSide = zr640::kTextPictureSide;
    const BITMAPINFO info = BottomUpDib(kSide, kSide, 32);
    void* bits = nullptr;
    const zr640::win::ScopedBitmap picture(
        CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const LOGFONTW logical = WatermarkFont(reference, style);
    const zr640::win::ScopedGdiObject font(CreateFontIndirectW(&logical));
    const zr640::win::MemoryDC memory(reference);
    if (!picture || bits == nullptr || !font || memory.get() == nullptr) return std::nullopt;
    const zr640::win::ScopedSelection selectedPicture(memory.get(), picture.get());
    const zr640::win::ScopedSelection selectedFont(memory.get(), font.get());
    if (!selectedPicture.ok() || !selectedFont.ok()) return std::nullopt;

    const HDC dc = memory.get();
    PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    const int length = static_cast<int>(style.text.size());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, style.text.c_str(), length, &extent);
    const int hx = extent.cx / 2;
    const int hy = extent.cy / 2;
    const double t = style.angle * 0.017453292522222223;
    const int x = kSide / 2 - static_cast<int>(std::trunc(hx * std::cos(t) - hy * std::sin(t)));
    const int y = kSide / 2 + static_cast<int>(std::trunc(hx * std::sin(t) + hy * std::cos(t)));
    const RECT clip = {0, 0, kSide, kSide};
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, style.text.c_str(), static_cast<UINT>(length),
                nullptr);
    GdiFlush();
    const auto* first = static_cast<const uint8_t*>(bits);
    return TextPixels(first, first + zr640::kTextPicturePixelBytes);
}

}  // namespace zr640ui
