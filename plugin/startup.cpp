#include "plugin/startup.h"

#include "plugin/localisation/language_files.h"
#include "plugin/module.h"
#include "plugin/platform/services.h"
#include "core/common/file_io.h"

namespace zr640ui {
namespace {

struct LanguageChoice {
    const wchar_t* file;
    const wchar_t* label;
};

LanguageChoice ChoiceFor(LANGID language) {
    switch (language) {
    case 0x0404:  // Taiwan
    case 0x0C04:  // Hong Kong
    case 0x1004:  // Singapore
        return {kTraditionalChineseFile, L"\u7CFB\u7D71\u8A9E\u8A00(System)"};
    case 0x0804:  // mainland China
        return {kSimplifiedChineseFile, L"\u7CFB\u7EDF\u8BED\u8A00(System)"};
    default: return {kEnglishFile, L"System Language"};
    }
}

// The recorded language; when the key is new, the language list's CUR_INI, which is then
// recorded.
std::wstring RecordedLanguage(const LanguageKey& key, bool keyIsNew) {
    std::wstring name;
    if (!key.ok()) return kEnglishFile;
    if (!keyIsNew) {
        if (!key.Read(kLanguageValue, name)) name = kEnglishFile;
        return name;
    }
    wchar_t fromList[30] = {};
    const std::wstring list = UserFolder() + kLanguageListFile;
    GetPrivateProfileStringW(L"LANGUAGE", L"CUR_INI", kEnglishFile, fromList, 30, list.c_str());
    name = fromList;
    key.Write(kLanguageValue, name);
    return name;
}

}  // namespace

void RunStartup() {
    MakeUserFolder();
    std::wstring current;
    {
        const bool keyIsNew = !LanguageKey().ok();
        const LanguageKey key(keyIsNew ? LanguageKey::Mode::CreateIfMissing
                                       : LanguageKey::Mode::Write);
        current = RecordedLanguage(key, keyIsNew);

        std::wstring firstRun;
        if (!key.Read(kFirstRunValue, firstRun)) {
            key.Write(kFirstRunValue, L"TRUE");
            firstRun = L"TRUE";
        }
        const LanguageChoice choice = ChoiceFor(Platform().SystemLanguage());
        if (firstRun.find(L"TRUE") != std::wstring::npos) {
            current = choice.file;
            key.Write(kLanguageValue, current);
        }
        SetSystemLanguageLabel(choice.label);
    }
    SetCurrentStringFile(current);

    const std::wstring driver = DriverFolder();
    const std::wstring userList = UserFolder() + kLanguageListFile;
    if (GetFileAttributesW(userList.c_str()) == INVALID_FILE_ATTRIBUTES) {
        zr640::CopyFileAtomically(driver + kLanguageListFile, userList, kLargestLanguageFileCopy);
    }
    const std::wstring folder = MakeUserFolder();
    RefreshUserCopy(folder + current, driver + current);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void OnProcessAttach(HINSTANCE instance) { SetModuleInstance(instance); }

namespace {

INIT_ONCE startOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK StartOnce(PINIT_ONCE, PVOID, PVOID*) {
    try {
        BindShellFunctions();
        RunStartup();
    } catch (...) {
        // Out of memory half-way: the pages fall back to the built-in English texts.
    }
    return TRUE;
}

}  // namespace

void EnsureStarted() { InitOnceExecuteOnce(&startOnce, StartOnce, nullptr, nullptr); }

void OnProcessDetach() {
    ReleaseActivationContext();
    ReleaseShellFunctions();
}

}  // namespace zr640ui
