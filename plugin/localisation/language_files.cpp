#include "plugin/localisation/language_files.h"

#include <shlobj.h>
#include <winspool.h>

#include "plugin/platform/services.h"
#include "core/common/file_io.h"
#include "win32/driver_folder.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

// Module-wide language state, one record per concern, each with its own lock: sheets of
// several printers run on several threads, and each of them resolves, reads and may remake
// these. Values are handed out as copies.

// The string file every lookup reads: its name and full path, replaced together.
struct CurrentStringFile {
    zr640::win::Lock lock;
    std::wstring name = kEnglishFile;
    std::wstring path;
};

// The per-user folder of the language files, remade (and the folder created again when it
// was removed) by start-up and by the pages that read the language list.
struct UserLanguageFolder {
    zr640::win::Lock lock;
    std::wstring folder;
};

// The label of the language-list entry that follows the system language.
struct SystemLanguageEntry {
    zr640::win::Lock lock;
    std::wstring label = L"System Language";
};

CurrentStringFile& Current() {
    static CurrentStringFile current;
    return current;
}

UserLanguageFolder& Folder() {
    static UserLanguageFolder folder;
    return folder;
}

SystemLanguageEntry& SystemEntry() {
    static SystemLanguageEntry entry;
    return entry;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

namespace {

zr640::win::RegistryKey OpenLanguageKey(LanguageKey::Mode mode) {
    using zr640::win::RegistryKey;
    switch (mode) {
    case LanguageKey::Mode::Read:
        return RegistryKey::Open(HKEY_CURRENT_USER, kLanguageKeyPath, RegistryKey::Access::Read);
    case LanguageKey::Mode::Write:
        return RegistryKey::Open(HKEY_CURRENT_USER, kLanguageKeyPath,
                                 RegistryKey::Access::ReadWrite);
    case LanguageKey::Mode::CreateIfMissing: break;
    }
    return RegistryKey::Create(HKEY_CURRENT_USER, kLanguageKeyPath);
}

}  // namespace

LanguageKey::LanguageKey(Mode mode) : key_(OpenLanguageKey(mode)) {}

bool LanguageKey::Read(const wchar_t* name, std::wstring& value) const {
    std::optional<std::wstring> read = key_.ReadString(name, 256);
    if (!read) return false;
    value = std::move(*read);
    return true;
}

bool LanguageKey::Write(const wchar_t* name, const std::wstring& value) const {
    return key_.WriteString(name, value);
}

std::wstring DriverFolder() {
    const std::wstring folder = zr640::win::PrinterDriverFolder();
    return folder.empty() ? folder : folder + L"\\3\\";
}

std::wstring MakeUserFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (Shell().getSpecialFolderPath != nullptr) {
        Shell().getSpecialFolderPath(nullptr, appData, CSIDL_APPDATA, FALSE);
    }
    const std::wstring folder = std::wstring(appData) + L"\\Omnera";
    if (!FileExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
    UserLanguageFolder& state = Folder();
    const zr640::win::Exclusive hold(state.lock);
    state.folder = folder + L"\\";
    return state.folder;
}

std::wstring UserFolder() {
    {
        UserLanguageFolder& state = Folder();
        const zr640::win::Shared hold(state.lock);
        if (!state.folder.empty()) return state.folder;
    }
    return MakeUserFolder();
}

void RefreshUserCopy(const std::wstring& userCopy, const std::wstring& driverCopy) {
    const auto bytes = zr640::ReadWholeFile(driverCopy, kLargestLanguageFileCopy);
    if (!bytes) return;
    // A user copy that already holds the driver copy's bytes is left as it is: writing it again
    // would change nothing but the file, and every open page would then read and parse it anew.
    // Asked first, it also spares the two version lookups on every Main page that opens.
    const auto current = zr640::ReadWholeFile(userCopy, kLargestLanguageFileCopy);
    if (current && *current == *bytes) return;
    if (FileExists(userCopy)) {
        const UINT driverVersion =
            GetPrivateProfileIntW(L"FILEVER", L"INIVERSION", 99999, driverCopy.c_str());
        const UINT userVersion =
            GetPrivateProfileIntW(L"FILEVER", L"INIVERSION", 0, userCopy.c_str());
        if (userVersion > driverVersion) return;
    }
    // A copy cut short (a full disk, a crash) must not leave the user a half language file.
    const std::filesystem::path inputs[] = {driverCopy};
    zr640::WriteFileAtomically(userCopy, *bytes, inputs);
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
    std::wstring path = UserFolder() + name;
    CurrentStringFile& current = Current();
    const zr640::win::Exclusive hold(current.lock);
    current.name = name;
    current.path = std::move(path);
}

std::wstring CurrentStringFileName() {
    CurrentStringFile& current = Current();
    const zr640::win::Shared hold(current.lock);
    return current.name;
}

std::wstring CurrentStringFilePath() {
    CurrentStringFile& current = Current();
    const zr640::win::Shared hold(current.lock);
    return current.path;
}

std::wstring SystemLanguageLabel() {
    SystemLanguageEntry& entry = SystemEntry();
    const zr640::win::Shared hold(entry.lock);
    return entry.label;
}

void SetSystemLanguageLabel(const std::wstring& label) {
    SystemLanguageEntry& entry = SystemEntry();
    const zr640::win::Exclusive hold(entry.lock);
    entry.label = label;
}

}  // namespace zr640ui
