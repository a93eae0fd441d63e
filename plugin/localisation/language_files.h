// Where the language files live, the per-user registry values that choose the language, and
// the refresh of the user copies from the driver folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win32/registry_key.h"

namespace zr640ui {

inline constexpr wchar_t kLanguageKeyPath[] = L"SOFTWARE\\TALVORN\\LANGUAGE\\";
inline constexpr wchar_t kLanguageValue[] = L"LANGUAGE_ZR640";
inline constexpr wchar_t kFirstRunValue[] = L"IsFirstRun_ZR640";
inline constexpr wchar_t kEnglishFile[] = L"ENG_ZR640.res";
inline constexpr wchar_t kSimplifiedChineseFile[] = L"CHN_ZR640.res";
inline constexpr wchar_t kTraditionalChineseFile[] = L"CHF_ZR640.res";
inline constexpr wchar_t kLanguageListFile[] = L"LANGUAGE_ZR640.DAT";
// The largest language file copied into the user's folder, as the INI reader's own cap.
inline constexpr uint64_t kLargestLanguageFileCopy = uint64_t{16} << 20;

// The per-user language key: opened for reading, for writing its values, or created for
// writing when missing. Closed on scope exit.
class LanguageKey {
public:
    enum class Mode { Read, Write, CreateIfMissing };
    explicit LanguageKey(Mode mode = Mode::Read);

    bool ok() const { return key_.ok(); }
    HKEY get() const { return key_.get(); }
    // Reads a string value of at most 256 bytes; false when it cannot be read.
    bool Read(const wchar_t* name, std::wstring& value) const;
    bool Write(const wchar_t* name, const std::wstring& value) const;

private:
    zr640::win::RegistryKey key_;
};

// The spooler's printer-driver folder + "\3\": the installed master copies of the language
// files. Empty when the spooler cannot say.
std::wstring DriverFolder();

// Roaming application data + "\Omnera\": made (and the folder created when missing) by
// MakeUserFolder(), at start-up and whenever a page reads the language list; UserFolder()
// gives the one made last (making it the first time). Safe on every sheet's thread.
std::wstring MakeUserFolder();
std::wstring UserFolder();

// Copies the driver copy over the user copy when the user copy is missing or its
// [FILEVER] INIVERSION is not greater than the driver copy's. A failed copy is ignored.
void RefreshUserCopy(const std::wstring& userCopy, const std::wstring& driverCopy);

// Records a language: its string file, and whether the choice follows the system language
// ("TRUE") or was made by name ("FALSE"). Creates the key when it is missing.
void RecordLanguageChoice(const std::wstring& file, bool followSystem);

// The current string file: registry value LANGUAGE_ZR640, else "ENG_ZR640.res".
// Resolve() reads it again and sets the module-wide name and path every lookup uses.
void ResolveCurrentStringFile();
std::wstring CurrentStringFileName();
std::wstring CurrentStringFilePath();
void SetCurrentStringFile(const std::wstring& name);

// The label of the language-list entry that follows the system language.
std::wstring SystemLanguageLabel();
void SetSystemLanguageLabel(const std::wstring& label);

}  // namespace zr640ui
