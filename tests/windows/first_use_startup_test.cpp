// The real DLL does its start-up on first use, not under the loader lock: loading it changes
// nothing, and the first class-object request (from two threads at once) gives the start-up's
// usual result.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "plugin/localisation/language_files.h"
#include "plugin/platform/oem_interfaces.h"
#include "plugin/platform/services.h"
#include "tests/windows/test_support.h"

namespace {

bool UserFileExists(const wchar_t* name) {
    return GetFileAttributesW((zr640ui::MakeUserFolder() + name).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

bool LanguageKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, zr640ui::kLanguageKeyPath, 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

TEST(FirstUseStartup, LoadingDoesNothingAndTheFirstClassObjectRunsTheStartUpOnce) {
    zr640ui::BindShellFunctions();  // this program's own copy of the folder lookup
    wintest::ForgetLanguageChoice();
    wintest::RemoveUserLanguageFiles();
    ASSERT_FALSE(UserFileExists(L"LANGUAGE_ZR640.DAT"));

    const HMODULE module = LoadLibraryW(wintest::PluginPath().c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_FALSE(LanguageKeyExists()) << "no registry work under the loader lock";
    EXPECT_FALSE(UserFileExists(L"LANGUAGE_ZR640.DAT")) << "no file work under the loader lock";

    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(getClassObject, nullptr);
    HRESULT results[2] = {E_FAIL, E_FAIL};
    IClassFactory* factories[2] = {};
    {
        std::thread first([&] {
            results[0] = getClassObject(CLSID_OEMUI, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factories[0]));
        });
        std::thread second([&] {
            results[1] = getClassObject(CLSID_OEMUI, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factories[1]));
        });
        first.join();
        second.join();
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(results[i], S_OK);
        if (factories[i] != nullptr) factories[i]->Release();
    }

    // What the start-up has always left: the key with both values, the user copies.
    std::wstring language, firstRun;
    EXPECT_TRUE(zr640ui::LanguageKey().Read(zr640ui::kLanguageValue, language));
    EXPECT_TRUE(zr640ui::LanguageKey().Read(zr640ui::kFirstRunValue, firstRun));
    EXPECT_EQ(firstRun, L"TRUE");
    EXPECT_FALSE(language.empty());
    EXPECT_TRUE(UserFileExists(L"LANGUAGE_ZR640.DAT"));
    EXPECT_TRUE(UserFileExists(language.c_str()));
    FreeLibrary(module);
}

}  // namespace
