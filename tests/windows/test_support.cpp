#include "tests/windows/test_support.h"

#include "plugin/localisation/language_files.h"

namespace wintest {

std::wstring PluginPath() { return oemhost::ProgramFolder() + L"ZR640UI.dll"; }

void ForgetLanguageChoice() { RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\TALVORN\\LANGUAGE"); }

void RemoveUserLanguageFiles() {
    const std::wstring folder = zr640ui::MakeUserFolder();
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void WriteUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    WritePrivateProfileStringW(section, key, value.c_str(), (zr640ui::MakeUserFolder() + file).c_str());
}

std::wstring ReadUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section, key, L"", value, 1024, (zr640ui::MakeUserFolder() + file).c_str());
    return value;
}

}  // namespace wintest
