#include "plugin/localisation/language_files.h"

#include <shlobj.h>

#include "plugin/platform/services.h"
#include "core/common/file_io.h"

namespace zr640ui {
namespace {

std::wstring currentName = kEnglishFile;
std::wstring currentPath;
std::wstring systemLabel = L"System Language";
std::wstring userFolder;

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

LanguageKey::LanguageKey(Mode mode) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kLanguageKeyPath, 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS) {
        return;
    }
    key_ = nullptr;
    if (mode == Mode::CreateIfMissing) {
        HKEY created = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kLanguageKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &created, nullptr) == ERROR_SUCCESS) {
            RegCloseKey(created);
        }
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kLanguageKeyPath, 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
}

LanguageKey::~LanguageKey() {
    if (key_ != nullptr) RegCloseKey(key_);
}

bool LanguageKey::Read(const wchar_t* name, std::wstring& value) const {
    if (key_ == nullptr) return false;
    wchar_t data[128 + 1] = {};  // 256 bytes of text and room for a terminator
    DWORD type = 0, size = 256;
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    value = data;
    return true;
}

bool LanguageKey::Write(const wchar_t* name, const std::wstring& value) const {
    if (key_ == nullptr) return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::wstring DriverFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    const bool wide = info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
                      info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
    return std::wstring(windows) +
           (wide ? L"\\system32\\spool\\drivers\\x64\\3\\" : L"\\system32\\spool\\drivers\\w32x86\\3\\");
}

std::wstring MakeUserFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (Shell().getSpecialFolderPath != nullptr) {
        Shell().getSpecialFolderPath(nullptr, appData, CSIDL_APPDATA, FALSE);
    }
    std::wstring folder = std::wstring(appData) + L"\\Omnera";
    if (!FileExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
    userFolder = folder + L"\\";
    return userFolder;
}

const std::wstring& UserFolder() {
    if (userFolder.empty()) MakeUserFolder();
    return userFolder;
}

void RefreshUserCopy(const std::wstring& userCopy, const std::wstring& driverCopy) {
    if (FileExists(userCopy)) {
        const UINT driverVersion =
            GetPrivateProfileIntW(L"FILEVER", L"INIVERSION", 99999, driverCopy.c_str());
        const UINT userVersion = GetPrivateProfileIntW(L"FILEVER", L"INIVERSION", 0, userCopy.c_str());
        if (userVersion > driverVersion) return;
    }
    // A copy cut short (a full disk, a crash) must not leave the user a half language file.
    zr640::CopyFileAtomically(driverCopy, userCopy, kLargestLanguageFileCopy);
}

void RecordLanguageChoice(const std::wstring& file, bool followSystem) {
    const LanguageKey key(LanguageKey::Mode::CreateIfMissing);
    key.Write(kLanguageValue, file);
    key.Write(kFirstRunValue, followSystem ? L"TRUE" : L"FALSE");
}

void ResolveCurrentStringFile() {
    std::wstring name;
    const LanguageKey key;
    if (!key.Read(kLanguageValue, name)) name = kEnglishFile;
    SetCurrentStringFile(name);
}

void SetCurrentStringFile(const std::wstring& name) {
    currentName = name;
    currentPath = UserFolder() + name;
}

const std::wstring& CurrentStringFileName() { return currentName; }
const std::wstring& CurrentStringFilePath() { return currentPath; }

const std::wstring& SystemLanguageLabel() { return systemLabel; }
void SetSystemLanguageLabel(const std::wstring& label) { systemLabel = label; }

}  // namespace zr640ui
