#include "tests/windows/test_support.h"

#include "plugin/localisation/language_files.h"
#include "tests/windows/sheet_fixture.h"
#include "tools/oemhost/host_sheet.h"

#include <commctrl.h>
#include <prsht.h>

namespace wintest {

std::wstring FilterText(const wchar_t* filter) {
    std::wstring joined;
    for (const wchar_t* item = filter; item != nullptr && *item != L'\0';
         item += wcslen(item) + 1) {
        if (!joined.empty()) joined += L'|';
        joined += item;
    }
    return joined;
}

std::wstring PluginPath() { return oemhost::InstalledPluginPath(); }

void ForgetLanguageChoice() { RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\TALVORN\\LANGUAGE"); }

std::wstring SourcePath(const std::wstring& relative) {
    std::wstring path = L"Z:";
    for (const char c : std::string(ZR640_SOURCE_DIR))
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    for (const wchar_t c : relative) path += c == L'/' ? L'\\' : c;
    return path;
}

void RemoveUserLanguageFiles() {
    const std::wstring folder = zr640ui::MakeUserFolder();
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void WriteUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key,
                      const std::wstring& value) {
    WritePrivateProfileStringW(section, key, value.c_str(),
                               (zr640ui::MakeUserFolder() + file).c_str());
}

std::wstring ReadUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section, key, L"", value, 1024,
                             (zr640ui::MakeUserFolder() + file).c_str());
    return value;
}

std::wstring DriverText(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section, key, L"", value, 1024,
                             (zr640ui::DriverFolder() + file).c_str());
    return value;
}

std::wstring ControlText(HWND dialog, int control) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, control, text, 1024);
    return text;
}

void ChooseLanguage(const wchar_t* file) {
    zr640ui::RecordLanguageChoice(file, false);
    CopyFileW((zr640ui::DriverFolder() + file).c_str(), (zr640ui::UserFolder() + file).c_str(),
              FALSE);
}

void Click(HWND dialog, int control) {
    SendDlgItemMessageW(dialog, control, BM_CLICK, 0, 0);
    oemhost::Pump(20);
}

bool Enabled(HWND dialog, int control) {
    return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE;
}

bool IsChecked(HWND dialog, int control) {
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

bool ApplyEnabled(HWND sheet) {
    constexpr int kApplyButton = 0x3021;
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

namespace {

struct ToolSearch {
    HWND control, found;
};

BOOL CALLBACK FindToolFor(HWND window, LPARAM lParam) {
    auto* s = reinterpret_cast<ToolSearch*>(lParam);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring(className) != TOOLTIPS_CLASSW) return TRUE;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = s->control;
    if (SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND TooltipFor(HWND control) {
    ToolSearch search{control, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindToolFor, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<uint32_t> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels;
    const HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (picture != nullptr && bits != nullptr) {
        const HGDIOBJ old = SelectObject(memory, picture);
        draw(memory);
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        pixels.assign(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
        for (uint32_t& pixel : pixels) pixel &= 0xFFFFFFu;
        SelectObject(memory, old);
    }
    if (picture != nullptr) DeleteObject(picture);
    DeleteDC(memory);
    return pixels;
}

std::wstring ToolText(HWND tooltip, HWND control) {
    wchar_t text[1024] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = control;
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
    return text;
}

int SliderPosition(HWND page, int slider) {
    return static_cast<int>(SendDlgItemMessageW(page, slider, TBM_GETPOS, 0, 0));
}

void MoveSlider(HWND page, int slider, int value) {
    const HWND bar = GetDlgItem(page, slider);
    SendMessageW(bar, TBM_SETPOS, TRUE, value);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, static_cast<WORD>(value)),
                 reinterpret_cast<LPARAM>(bar));
    NMHDR released = {bar, static_cast<UINT_PTR>(slider), static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageW(page, WM_NOTIFY, static_cast<WPARAM>(slider), reinterpret_cast<LPARAM>(&released));
    oemhost::Pump(20);
}

}  // namespace wintest
