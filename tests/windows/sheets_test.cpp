// Both property sheets, assembled by the plug-in inside the platform's real sheet host,
// driven through their real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/recaption.h"
#include "plugin/localisation/texts.h"
#include "plugin/module.h"
#include "plugin/startup.h"
#include "plugin/ui_plugin_object.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"
#include "tools/oemhost/host_sheet.h"

namespace {

using namespace zr640ui;
using oemhost::SheetKind;
using oemhost::SheetSession;

using wintest::kPrinter;
constexpr wchar_t kPort[] = L"C:\\capture\\zr640.prn";

using SheetsTest = wintest::SheetFixture;
using wintest::ChooseLanguage;
using wintest::ControlText;
using wintest::DriverText;
using wintest::ToolText;
using wintest::TooltipFor;

TEST_F(SheetsTest, EnglishTitlesWhenNoLanguageFileExists) {
    wintest::RemoveUserLanguageFiles();
    SheetSession document(plugin, kPrinter);
    std::vector<std::wstring> tabs;
    document.scenario = [&](HWND sheet) {
        for (int i = 0; i < oemhost::TabCount(sheet); ++i)
            tabs.push_back(oemhost::TabText(sheet, i));
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Layout", L"Paper/Quality", L"Main", L"Water Mark",
                                               L"Operation", L"1D Code", L"2D Code", L"Version"}));

    SheetSession device(plugin, kPrinter);
    tabs.clear();
    device.scenario = document.scenario;
    ASSERT_TRUE(device.Run(SheetKind::Device));
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"General", L"Sharing", L"Utility", L"Download",
                                               L"Font", L"Version"}));
}

TEST_F(SheetsTest, ChineseTitlesFromTheLanguageFile) {
    ChooseLanguage(L"CHN_ZR640.res");
    SheetSession document(plugin, kPrinter);
    document.scenario = [&](HWND sheet) {
        EXPECT_EQ(oemhost::TabText(sheet, 2),
                  DriverText(L"CHN_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM"));
        EXPECT_EQ(oemhost::TabText(sheet, 3),
                  DriverText(L"CHN_ZR640.res", L"WATERMARK", L"RC_WATERMARKFORM"));
        EXPECT_EQ(oemhost::TabText(sheet, 7),
                  DriverText(L"CHN_ZR640.res", L"VERSION", L"RC_VERSIONFORM"));
        EXPECT_NE(oemhost::TabText(sheet, 2), L"Main");
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));

    SheetSession device(plugin, kPrinter);
    device.scenario = [&](HWND sheet) {
        EXPECT_EQ(oemhost::TabText(sheet, 2),
                  DriverText(L"CHN_ZR640.res", L"UTILITY", L"RC_UTILITYFORM"));
        EXPECT_EQ(oemhost::TabText(sheet, 4),
                  DriverText(L"CHN_ZR640.res", L"FONT", L"RC_FONTFORM"));
        return false;
    };
    ASSERT_TRUE(device.Run(SheetKind::Device));
}

TEST_F(SheetsTest, LongCaptionIsCutToItsCapacity) {
    wintest::WriteUserProfile(L"ENG_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM",
                              L"A title far longer than nineteen");
    SheetSession document(plugin, kPrinter);
    document.scenario = [&](HWND sheet) {
        EXPECT_EQ(oemhost::TabText(sheet, 2), L"A title far longer ");
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));
}

TEST_F(SheetsTest, DensityOptionIsRelabelledAndTheDriverTold) {
    SheetSession document(plugin, kPrinter);
    document.scenario = [](HWND) { return false; };
    ASSERT_TRUE(document.Run(SheetKind::Document));

    OPTITEM& density = document.options.density();
    EXPECT_STREQ(density.pName, L"Print Density");
    for (WORD v = 0; v < 5; ++v) {
        EXPECT_EQ(std::wstring(reinterpret_cast<LPWSTR>(density.pOptType->pOptParam[v].pData)),
                  L"Density" + std::to_wstring(v));
    }
    EXPECT_TRUE(density.Flags & OPTIF_CHANGED);
    ASSERT_FALSE(document.driverUi->updates.empty());
    const oemhost::UpdateCall& call = document.driverUi->updates.front();
    EXPECT_EQ(call.item, &density);
    EXPECT_EQ(call.uiObject, &document.uiObject);
    EXPECT_EQ(call.previousSelection, 0u);
    EXPECT_EQ(call.mode, 1u);
    EXPECT_STREQ(document.options.orientation().pName, L"Orientation");
    EXPECT_FALSE(document.options.orientation().Flags & OPTIF_CHANGED);
}

TEST_F(SheetsTest, ChineseDensityNamesAreFoundAndPublicItemsNeverTouched) {
    SheetSession document(plugin, kPrinter);
    static wchar_t chinese[] = L"\u6D53\u5EA6 1";
    document.options.density().pOptType->pOptParam[0].pData = chinese;
    static wchar_t publicText[] = L"Density of the public item";
    document.options.orientation().pOptType->pOptParam[0].pData = publicText;
    document.scenario = [](HWND) { return false; };
    ASSERT_TRUE(document.Run(SheetKind::Document));
    EXPECT_STREQ(document.options.density().pName, L"Print Density");
    EXPECT_STREQ(
        reinterpret_cast<LPWSTR>(document.options.orientation().pOptType->pOptParam[0].pData),
        publicText);
}

TEST_F(SheetsTest, DeviceSheetRecordsTheLanguageValueForThePort) {
    {
        const LanguageKey key(LanguageKey::Mode::Write);
        RegDeleteValueW(key.get(), kPort);
    }
    SheetSession device(plugin, kPrinter);
    ASSERT_NE(device.printer, nullptr) << "the test printer is installed";
    device.scenario = [](HWND) { return false; };
    ASSERT_TRUE(device.Run(SheetKind::Device));
    std::wstring value;
    EXPECT_TRUE(LanguageKey().Read(kPort, value));
    EXPECT_EQ(value, L"LANGUAGE_ZR640");
}

TEST_F(SheetsTest, RepaintingAPageShowsANewLanguage) {
    SheetSession document(plugin, kPrinter);
    document.scenario = [&](HWND sheet) {
        const HWND main = oemhost::PageAt(sheet, 2);
        EXPECT_EQ(ControlText(main, IDC_MAIN_CHECK_ZOOM), L"Zoom Printing");
        ChooseLanguage(L"CHF_ZR640.res");
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(ControlText(main, IDC_MAIN_CHECK_ZOOM),
                  DriverText(L"CHF_ZR640.res", L"LAYOUT", L"RC_CHECK_ZOOM"));
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));
}

TEST_F(SheetsTest, LanguageChangeRecaptionsBothSheetsOfThisPrinterOnly) {
    SheetSession document(plugin, kPrinter);
    SheetSession other(plugin, L"T-Other Printer");
    SheetSession device(plugin, kPrinter);
    std::vector<std::wstring> documentTabs, deviceTabs, otherTabs;
    document.scenario = [&](HWND documentSheet) {
        oemhost::PageAt(documentSheet, 2);  // the Main page notes the printer name
        other.scenario = [&](HWND otherSheet) {
            oemhost::PageAt(otherSheet, 2);  // its pages are noted too, with their own printer
            device.scenario = [&](HWND deviceSheet) {
                oemhost::PageAt(deviceSheet, 2);  // the noted page leads to its sheet
                ChooseLanguage(L"CHN_ZR640.res");
                RecaptionDocumentSheet(documentSheet);
                RecaptionOtherSheets(documentSheet);
                for (int i = 2; i < 8; ++i)
                    documentTabs.push_back(oemhost::TabText(documentSheet, i));
                for (int i = 2; i < 6; ++i) deviceTabs.push_back(oemhost::TabText(deviceSheet, i));
                for (int i = 2; i < 6; ++i) otherTabs.push_back(oemhost::TabText(otherSheet, i));
                return false;
            };
            device.Run(SheetKind::Device);
            return false;
        };
        other.Run(SheetKind::Device);
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));

    const wchar_t* chn = L"CHN_ZR640.res";
    EXPECT_EQ(documentTabs,
              (std::vector<std::wstring>{DriverText(chn, L"LAYOUT", L"RC_LAYOUTFORM"),
                                         DriverText(chn, L"WATERMARK", L"RC_WATERMARKFORM"),
                                         DriverText(chn, L"OPERATION", L"RC_OPERATIONFORM"),
                                         DriverText(chn, L"1DCODE", L"RC_1DCODEFORM"),
                                         DriverText(chn, L"2DCODE", L"RC_2DCODEFORM"),
                                         DriverText(chn, L"VERSION", L"RC_VERSIONFORM")}));
    EXPECT_EQ(deviceTabs,
              (std::vector<std::wstring>{DriverText(chn, L"UTILITY", L"RC_UTILITYFORM"),
                                         DriverText(chn, L"DOWNLOAD", L"RC_DOWNLOADFORM"),
                                         DriverText(chn, L"FONT", L"RC_FONTFORM"),
                                         DriverText(chn, L"VERSION", L"RC_VERSIONFORM")}));
    EXPECT_EQ(otherTabs, (std::vector<std::wstring>{L"Utility", L"Download", L"Font", L"Version"}));
}

TEST_F(SheetsTest, TooltipShowsTheControlsHelpText) {
    SheetSession document(plugin, kPrinter);
    document.scenario = [&](HWND sheet) {
        const HWND main = oemhost::PageAt(sheet, 2);
        const HWND zoom = GetDlgItem(main, IDC_MAIN_CHECK_ZOOM);
        EXPECT_EQ(TooltipFor(zoom), nullptr) << "no tooltip before the mouse comes";
        wintest::Hover(zoom);
        const HWND tooltip = TooltipFor(zoom);
        EXPECT_NE(tooltip, nullptr);
        EXPECT_EQ(GetParent(tooltip), GetParent(main)) << "owned by the page's sheet window";
        EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 12);
        EXPECT_EQ(ToolText(tooltip, zoom), L"This configures reduced print.");

        // After a language change the text follows at the next mouse move over the control.
        ChooseLanguage(L"CHN_ZR640.res");
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT bounds;
        GetWindowRect(zoom, &bounds);
        SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
        SendMessageW(zoom, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(ToolText(tooltip, zoom),
                  DriverText(L"CHN_ZR640.res", L"LAYOUT", L"CTEXT_CHECK_ZOOM"));
        return false;
    };
    ASSERT_TRUE(document.Run(SheetKind::Document));
}

}  // namespace
