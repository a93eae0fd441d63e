// Loading the plug-in: the first-run language choice, the recorded language, and the
// refresh of the user copies of the language files from the driver folder. The system
// language comes through the platform seam; the registry, the folders and the profile
// functions are Wine's own.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/language_list.h"
#include "plugin/platform/services.h"
#include "plugin/startup.h"
#include "tests/windows/test_support.h"

namespace {

using namespace zr640ui;

class StartupTest : public ::testing::Test {
protected:
    wintest::FakePlatform platform;

    void SetUp() override {
        SetPlatform(&platform);
        BindShellFunctions();
        wintest::ForgetLanguageChoice();
        wintest::RemoveUserLanguageFiles();
    }
    void TearDown() override {
        wintest::ForgetLanguageChoice();
        wintest::RemoveUserLanguageFiles();
        SetPlatform(nullptr);
    }

    static std::wstring Value(const wchar_t* name) {
        std::wstring value;
        LanguageKey().Read(name, value);
        return value;
    }
    static bool UserFileExists(const wchar_t* name) {
        return GetFileAttributesW((UserFolder() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(StartupTest, FirstRunOnASimplifiedChineseSystem) {
    platform.language = 0x0804;
    RunStartup();
    ASSERT_TRUE(LanguageKey().ok()) << "the key is created";
    EXPECT_EQ(Value(kFirstRunValue), L"TRUE");
    EXPECT_EQ(Value(kLanguageValue), L"CHN_ZR640.res");
    EXPECT_EQ(CurrentStringFileName(), L"CHN_ZR640.res");
    EXPECT_EQ(CurrentStringFilePath(), UserFolder() + L"CHN_ZR640.res");
    EXPECT_TRUE(UserFileExists(L"CHN_ZR640.res"));
    EXPECT_TRUE(UserFileExists(L"LANGUAGE_ZR640.DAT"));
    EXPECT_EQ(SystemLanguageLabel(), L"\u7CFB\u7EDF\u8BED\u8A00(System)");
}

TEST_F(StartupTest, AChosenLanguageStaysWhateverTheSystemSpeaks) {
    {
        const LanguageKey key(LanguageKey::Mode::CreateIfMissing);
        key.Write(kFirstRunValue, L"FALSE");
        key.Write(kLanguageValue, L"CHF_ZR640.res");
    }
    platform.language = 0x0409;
    RunStartup();
    EXPECT_EQ(Value(kLanguageValue), L"CHF_ZR640.res");
    EXPECT_EQ(CurrentStringFileName(), L"CHF_ZR640.res");
    EXPECT_EQ(SystemLanguageLabel(), L"System Language");
    EXPECT_TRUE(UserFileExists(L"CHF_ZR640.res"));
}

TEST_F(StartupTest, TraditionalChineseSystemsPickTheTraditionalFile) {
    for (LANGID language : {LANGID{0x0404}, LANGID{0x0C04}, LANGID{0x1004}}) {
        wintest::ForgetLanguageChoice();
        platform.language = language;
        RunStartup();
        EXPECT_EQ(Value(kLanguageValue), L"CHF_ZR640.res") << std::hex << language;
        EXPECT_EQ(SystemLanguageLabel(), L"\u7CFB\u7D71\u8A9E\u8A00(System)");
    }
}

TEST_F(StartupTest, UserCopyRefreshFollowsTheVersions) {
    platform.language = 0x0409;
    RunStartup();
    const std::wstring driverCopy = DriverFolder() + L"ENG_ZR640.res";
    const UINT driverVersion =
        GetPrivateProfileIntW(L"FILEVER", L"INIVERSION", 0, driverCopy.c_str());
    ASSERT_GT(driverVersion, 0u);

    // Newer user copy: survives a load.
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"FILEVER", L"INIVERSION",
                              std::to_wstring(driverVersion + 1));
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM", L"Mine");
    RunStartup();
    EXPECT_EQ(wintest::ReadUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM"), L"Mine");

    // Equal version: replaced by the driver copy.
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"FILEVER", L"INIVERSION",
                              std::to_wstring(driverVersion));
    RunStartup();
    EXPECT_EQ(wintest::ReadUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM"), L"Main");

    // Older, and without any version: replaced.
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM", L"Mine");
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"FILEVER", L"INIVERSION", L"0");
    RunStartup();
    EXPECT_EQ(wintest::ReadUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM"), L"Main");
}

TEST_F(StartupTest, ExistingLanguageListIsLeftAlone) {
    wintest::WriteUserProfile(L"LANGUAGE_ZR640.DAT", L"LANGUAGE", L"COUNT", L"1");
    RunStartup();
    EXPECT_EQ(wintest::ReadUserProfile(L"LANGUAGE_ZR640.DAT", L"LANGUAGE", L"COUNT"), L"1");
}

TEST_F(StartupTest, LanguageListWithoutACountOffersTwoLanguages) {
    RunStartup();
    const std::wstring list = UserFolder() + kLanguageListFile;
    WritePrivateProfileStringW(L"LANGUAGE", L"COUNT", nullptr, list.c_str());  // delete the key
    const auto languages = ReadLanguageList();
    ASSERT_EQ(languages.size(), 2u);
    EXPECT_EQ(languages[0].file, L"ENG_ZR640.res");
    EXPECT_EQ(languages[1].file, L"CHN_ZR640.res");
    EXPECT_EQ(languages[1].name, L"\u7B80\u4F53\u4E2D\u6587");

    WritePrivateProfileStringW(L"LANGUAGE", L"COUNT", L"3", list.c_str());
    EXPECT_EQ(ReadLanguageList().size(), 3u);
    WritePrivateProfileStringW(L"LANGUAGE", L"COUNT", L"100000", list.c_str());
    EXPECT_EQ(ReadLanguageList().size(), static_cast<size_t>(kMaxLanguages))
        << "at most 192 are held";
}

// Sheets of several printers run on several threads: two of them remake the user folder (as
// start-up and the Main page's language list do) and switch the string file while a third
// reads both. Every read is one whole value that was written.
TEST_F(StartupTest, LanguageStateIsMadeAndReadOnSeveralThreadsAtOnce) {
    const std::wstring folder = MakeUserFolder();
    const std::wstring english = folder + kEnglishFile;
    const std::wstring chinese = folder + kSimplifiedChineseFile;
    std::atomic<int> wrong{0};
    const auto writer = [](const wchar_t* file) {
        for (int i = 0; i < 500; ++i) {
            MakeUserFolder();
            SetCurrentStringFile(file);
        }
    };
    std::thread first(writer, kEnglishFile);
    std::thread second(writer, kSimplifiedChineseFile);
    std::thread reader([&] {
        for (int i = 0; i < 5000; ++i) {
            if (UserFolder() != folder) ++wrong;
            const std::wstring path = CurrentStringFilePath();
            if (path != english && path != chinese) ++wrong;
        }
    });
    first.join();
    second.join();
    reader.join();
    EXPECT_EQ(wrong.load(), 0);
    SetCurrentStringFile(kEnglishFile);
}

}  // namespace
