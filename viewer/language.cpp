#include "viewer/language.h"

#include <shlobj.h>

#include <vector>

#include "core/common/text.h"
#include "win32/handles.h"
#include "win32/wide_text.h"

namespace zr640viewer {

using namespace zr640::win;  // the handle owners
namespace {

// The value is read into 256 characters, so a language file name of up to 255 characters,
// as a 256-byte read of the code-page value takes, is read whole.
constexpr DWORD kValueCharacters = 256;

}  // namespace

std::wstring LanguageFileName(const std::wstring& model, LANGID systemLanguage) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kLanguageKey, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        const ScopedKey key(opened);
        const std::wstring valueName = zr640::win::WideFromUtf8(
            zr640::ViewerLanguageValueName(zr640::win::Utf8FromWide(model)));
        // 256 characters of value, and a terminator behind them for a value stored without one.
        wchar_t value[kValueCharacters + 1] = {};
        DWORD type = 0;
        DWORD size = kValueCharacters * sizeof(wchar_t);
        if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            return value;
        }
    }
    return zr640::win::WideFromUtf8(zr640::ViewerLanguageFileFor(systemLanguage));
}

std::wstring LanguageFilePath(const std::wstring& fileName) {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        folder[0] = L'\0';
    }
    return std::wstring(folder) + L"\\RZK\\" + fileName;
}

ViewerTextSet ViewerTextSet::Load(const std::wstring& file) {
    ViewerTextSet set;
    for (size_t i = 0; i < zr640::kViewerTextCount; ++i) {
        const zr640::ViewerTextEntry& entry = zr640::kViewerTexts[i];
        std::vector<wchar_t> text(entry.capacity);
        const DWORD length =
            GetPrivateProfileStringW(zr640::win::WideFromUtf8(entry.section).c_str(),
                                     zr640::win::WideFromUtf8(entry.key).c_str(),
                                     zr640::win::WideFromUtf8(entry.defaultText).c_str(),
                                     text.data(), static_cast<DWORD>(text.size()), file.c_str());
        set.texts_[i].assign(text.data(), length);
    }
    return set;
}

ViewerTextSet ViewerTextSet::Defaults() {
    ViewerTextSet set;
    for (size_t i = 0; i < zr640::kViewerTextCount; ++i) {
        set.texts_[i] = zr640::win::WideFromUtf8(zr640::kViewerTexts[i].defaultText);
    }
    return set;
}

}  // namespace zr640viewer
