// What a real host has and one test process with one thread does not: another program's
// window titled like our sheet, printers whose names begin alike, and sheets of two printers
// on two threads painting and switching language at the same time.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "plugin/localisation/recaption.h"
#include "resource.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

class RealHost : public SheetFixture {
protected:
    IPrintOemUI* second = nullptr;

    void SetUp() override {
        SheetFixture::SetUp();
        auto* factory = new zr640ui::UiPluginClassFactory();
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&second)),
            S_OK);
        factory->Release();
    }
    void TearDown() override {
        if (second != nullptr) second->Release();
        SheetFixture::TearDown();
    }

    static std::vector<std::wstring> DeviceTabs(HWND sheet) {
        std::vector<std::wstring> tabs;
        for (int i = 2; i < 6; ++i) tabs.push_back(oemhost::TabText(sheet, i));
        return tabs;
    }
};

const std::vector<std::wstring> kEnglishDeviceTabs = {L"Utility", L"Download", L"Font", L"Version"};

TEST_F(RealHost, AnotherProgramsWindowTitledLikeOurSheetIsLeftAlone) {
    const std::wstring title = std::wstring(kPrinter) + L" Properties";
    const std::wstring event = L"ZR640UI.ForeignSheetDone";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring out = std::wstring(temp) + L"foreign_sheet_tabs.txt";
    DeleteFileW(out.c_str());
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    std::wstring command = L"\"" + oemhost::ProgramFolder() + L"foreign_sheet.exe\" \"" + title +
                           L"\" \"" + event + L"\" \"" + out + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND foreign = nullptr;
    for (int i = 0; i < 100 && foreign == nullptr; ++i) {
        Sleep(50);
        foreign = FindWindowW(L"#32770", title.c_str());
    }
    EXPECT_NE(foreign, nullptr);

    SheetSession document(plugin, kPrinter);
    document.scenario = [&](HWND sheet) {
        oemhost::PageAt(sheet, 2);
        ChooseLanguage(L"CHN_ZR640.res");
        zr640ui::RecaptionDocumentSheet(sheet);
        zr640ui::RecaptionOtherSheets(sheet);
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));

    SetEvent(done);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the other program neither crashed nor hung";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(done);
    std::ifstream file{std::filesystem::path(out)};
    const std::string tabs((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(tabs, "Tab0|Tab1|Tab2|Tab3|Tab4|Tab5");
}

TEST_F(RealHost, PrintersWhoseNamesBeginAlikeAreRecaptionedApart) {
    const wchar_t* const kCopy = L"T-ZR640 Test (Copy 1)";
    SheetSession document(plugin, kPrinter);
    SheetSession device(plugin, kPrinter);
    SheetSession copy(second, kCopy);
    std::vector<std::wstring> deviceTabs, copyTabs;
    document.scenario = [&](HWND documentSheet) {
        oemhost::PageAt(documentSheet, 2);
        copy.scenario = [&](HWND copySheet) {
            oemhost::PageAt(copySheet, 2);
            device.scenario = [&](HWND deviceSheet) {
                oemhost::PageAt(deviceSheet, 2);
                ChooseLanguage(L"CHN_ZR640.res");
                zr640ui::RecaptionOtherSheets(documentSheet);
                deviceTabs = DeviceTabs(deviceSheet);
                copyTabs = DeviceTabs(copySheet);
                return false;
            };
            device.Run(SheetKind::Device);
            return false;
        };
        copy.Run(SheetKind::Device);
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));
    ASSERT_EQ(deviceTabs.size(), 4u);
    EXPECT_EQ(deviceTabs[0], DriverText(L"CHN_ZR640.res", L"UTILITY", L"RC_UTILITYFORM"));
    EXPECT_EQ(copyTabs, kEnglishDeviceTabs) << "\"T-ZR640 Test\" is not \"T-ZR640 Test (Copy 1)\"";
}

// Each thread repaints its sheet's Main page over and over (every paint resolves the string
// file and reloads its texts) while this one switches the language back and forth.
TEST_F(RealHost, SheetsOnTwoThreadsPaintAndSwitchLanguageAtOnce) {
    std::atomic<bool> otherOpen = false, stop = false;
    std::atomic<int> otherPaints = 0;
    std::thread other([&] {
        SheetSession session(second, L"T-Other Printer");
        session.scenario = [&](HWND sheet) {
            const HWND page = oemhost::PageAt(sheet, 2);
            otherOpen = true;
            for (int i = 0; i < 2000 && !stop; ++i) {
                RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                ++otherPaints;
                oemhost::Pump(2);
            }
            return false;
        };
        session.Run(SheetKind::Document);
    });
    for (int i = 0; i < 500 && !otherOpen; ++i) Sleep(20);
    ASSERT_TRUE(otherOpen);

    std::wstring caption;
    SheetSession mine(plugin, kPrinter);
    mine.scenario = [&](HWND sheet) {
        const HWND page = oemhost::PageAt(sheet, 2);
        for (int i = 0; i < 40; ++i) {
            ChooseLanguage(i % 2 == 0 ? L"CHN_ZR640.res" : L"ENG_ZR640.res");
            RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            zr640ui::RecaptionDocumentSheet(sheet);
            oemhost::Pump(2);
        }
        ChooseLanguage(L"CHN_ZR640.res");
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        caption = ControlText(page, IDC_MAIN_CHECK_ZOOM);
        return false;
    };
    const bool ran = mine.Run(SheetKind::Document);
    stop = true;
    other.join();
    ASSERT_TRUE(ran);
    EXPECT_GT(otherPaints.load(), 10) << "the other sheet painted while this one switched";
    EXPECT_EQ(caption, DriverText(L"CHN_ZR640.res", L"LAYOUT", L"RC_CHECK_ZOOM"));
}

}  // namespace
