#include "plugin/localisation/language_list.h"

#include <windows.h>

#include <algorithm>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/string_file_cache.h"

namespace zr640ui {
namespace {

// One entry as the profile lookup reads it into a buffer of `capacity` characters: from the
// list parsed once (the Main page reads every entry each time it opens), or key by key through
// the profile functions for a file too large to keep.
std::wstring ReadEntry(const zr640::IniFile* parsed, const std::wstring& list,
                       const std::wstring& key, const wchar_t* fallback, DWORD capacity) {
    if (parsed != nullptr) {
        const std::u16string value =
            parsed->GetString(u"LANGUAGE", std::u16string(key.begin(), key.end()),
                              reinterpret_cast<const char16_t*>(fallback), capacity);
        return std::wstring(value.begin(), value.end());
    }
    std::wstring value(capacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(L"LANGUAGE", key.c_str(), fallback, value.data(),
                                                  capacity, list.c_str());
    value.resize(length);
    return value;
}

}  // namespace

std::vector<LanguageEntry> ReadLanguageList() {
    const std::wstring list = UserFolder() + kLanguageListFile;
    const int count =
        std::clamp(static_cast<int>(GetPrivateProfileIntW(L"LANGUAGE", L"COUNT", 2, list.c_str())),
                   0, kMaxLanguages);
    const std::shared_ptr<const zr640::IniFile> parsed = ParsedStringFile(list);
    std::vector<LanguageEntry> languages;
    for (int i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        languages.push_back(
            {ReadEntry(parsed.get(), list, L"Language" + n, L"English", 50),
             ReadEntry(parsed.get(), list, L"INI" + n, kEnglishFile, 20),
             ReadEntry(parsed.get(), list, L"SYSLANG" + n, L"System Language", 50)});
    }
    return languages;
}

std::vector<LanguageEntry> RefreshLanguageList() {
    const std::wstring driver = DriverFolder();
    RefreshUserCopy(UserFolder() + kLanguageListFile, driver + kLanguageListFile);
    std::vector<LanguageEntry> languages = ReadLanguageList();
    for (const LanguageEntry& language : languages) {
        const std::wstring folder = MakeUserFolder();
        RefreshUserCopy(folder + language.file, driver + language.file);
    }
    return languages;
}

}  // namespace zr640ui
