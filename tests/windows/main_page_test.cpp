// The Main page in the real document sheet: every control is driven by the messages a user's
// clicks send, and the settings record, the driver's items, the registry and the platform
// calls are checked after each action.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/common/text.h"
#include "plugin/localisation/language_files.h"
#include "plugin/pages/document/main_page.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

constexpr int kMainTab = 2;

std::wstring Folder(const zr640::PrivateDevMode& record) {
    const auto text = zr640::FieldText(record.wszLogFolder, std::size(record.wszLogFolder));
    return {text.begin(), text.end()};
}

std::wstring PaperName(const zr640::PrivateDevMode& record) {
    const auto text = zr640::FieldText(record.wszPaperName, std::size(record.wszPaperName));
    return {text.begin(), text.end()};
}

std::wstring ComboSelection(HWND page, int control) { return ControlText(page, control); }

void SelectCombo(HWND page, int control, int index) {
    SendDlgItemMessageW(page, control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
}

void TypeScale(HWND page, const wchar_t* text) {
    SetDlgItemTextW(page, IDC_MAIN_EDIT_SCALE, text);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_EDIT_SCALE, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_MAIN_EDIT_SCALE)));
}

int SpinPosition(HWND page) {
    return static_cast<int>(SendDlgItemMessageW(page, IDC_MAIN_SPIN_SCALE, UDM_GETPOS32, 0, 0));
}

std::vector<std::wstring> ComboItems(HWND page, int control) {
    std::vector<std::wstring> items;
    const auto count = SendDlgItemMessageW(page, control, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendDlgItemMessageW(page, control, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void PressApply(HWND sheet) {
    SendMessageW(sheet, PSM_APPLY, 0, 0);
    oemhost::Pump(50);
}

// The n-th message box shown, or an empty one, so a missing box fails the expectation only.
FakePlatform::Message MessageAt(const FakePlatform& platform, size_t n) {
    return n < platform.messages.size() ? platform.messages[n] : FakePlatform::Message{};
}

using MainPage = SheetFixture;

TEST_F(MainPage, ZoomForcesGraphicsWithOneInformationBox) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        zr640::PrivateDevMode& record = Record(sheet);
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_FALSE(Enabled(page, IDC_MAIN_EDIT_SCALE));
        EXPECT_FALSE(ApplyEnabled(window));

        Click(page, IDC_MAIN_CHECK_ZOOM);
        EXPECT_EQ(record.bZoom, 1);
        EXPECT_EQ(record.bPrintAsImage, 1);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(MessageAt(platform, 0).text, L"All Text will be printed as graphics image!");
        EXPECT_EQ(MessageAt(platform, 0).caption, L"Information");
        EXPECT_TRUE(MessageAt(platform, 0).type & MB_ICONINFORMATION);
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES));
        EXPECT_FALSE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_FALSE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSYES));
        EXPECT_FALSE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_TRUE(Enabled(page, IDC_MAIN_EDIT_SCALE));
        EXPECT_TRUE(ApplyEnabled(window));

        Click(page, IDC_MAIN_CHECK_ZOOM);
        EXPECT_EQ(record.bZoom, 0);
        EXPECT_EQ(record.bPrintAsImage, 1) << "unchecking zoom leaves the graphics flag";
        EXPECT_TRUE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSYES));
        EXPECT_TRUE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES));
        EXPECT_FALSE(Enabled(page, IDC_MAIN_EDIT_SCALE));

        Click(page, IDC_MAIN_CHECK_ZOOM);  // the flag is already set: no second box
        EXPECT_EQ(platform.messages.size(), 1u);

        PressApply(window);
        EXPECT_FALSE(ApplyEnabled(window)) << "apply reports the page unchanged";
        return true;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(MainPage, RotationAndTheGraphicsRadios) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        zr640::PrivateDevMode& record = Record(sheet);
        Click(page, IDC_MAIN_RADIO_GRAPHICSYES);
        EXPECT_EQ(record.bPrintAsImage, 1);
        Click(page, IDC_MAIN_RADIO_GRAPHICSNO);
        EXPECT_EQ(record.bPrintAsImage, 0);

        SendDlgItemMessageW(page, IDC_MAIN_RADIO_ROTATE180, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_RADIO_ROTATE180, BN_CLICKED), 0);
        EXPECT_EQ(record.bRotate180, 1);
        EXPECT_EQ(record.bPrintAsImage, 1);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_FALSE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));

        SendDlgItemMessageW(page, IDC_MAIN_RADIO_ROTATE180, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(page, IDC_MAIN_RADIO_ROTATENORMAL, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_RADIO_ROTATENORMAL, BN_CLICKED), 0);
        EXPECT_EQ(record.bRotate180, 0);
        EXPECT_TRUE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(MainPage, ScaleIsClampedWhenTheEditLosesFocus) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        zr640::PrivateDevMode& record = Record(sheet);
        EXPECT_EQ(SpinPosition(page), 100);
        TypeScale(page, L"5");
        EXPECT_EQ(record.bZoomScale, 10);
        EXPECT_EQ(SpinPosition(page), 10);
        TypeScale(page, L"150");
        EXPECT_EQ(record.bZoomScale, 100);
        EXPECT_EQ(SpinPosition(page), 100);
        TypeScale(page, L"55");
        EXPECT_EQ(record.bZoomScale, 55);
        TypeScale(page, L"");
        EXPECT_EQ(record.bZoomScale, 10);
        // The arrows may go up to 200; only leaving the edit clamps the stored value.
        SendDlgItemMessageW(page, IDC_MAIN_SPIN_SCALE, UDM_SETPOS32, 0, 180);
        EXPECT_EQ(SpinPosition(page), 180);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

// The scale typed key by key and left: a scale in the range is stored and shown as typed,
// whatever its length; leaving raises one below the range and lowers one above it, and the
// spin then stands at the stored value.
TEST_F(MainPage, ScaleTypedKeyByKeyIsStoredAsTypedOrClampedWhenLeft) {
    const struct {
        const wchar_t* typed;
        const wchar_t* kept;
    } cases[] = {{L"10", L"10"}, {L"55", L"55"},   {L"100", L"100"}, {L"99", L"99"}, {L"5", L"10"},
                 {L"0", L"10"},  {L"150", L"100"}, {L"999", L"100"}, {L"055", L"55"}};
    SheetSession sheet(plugin, kPrinter);
    Record(sheet).bZoom = 1;
    Record(sheet).bPrintAsImage = 1;
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << "typed " << std::string(c.typed, c.typed + wcslen(c.typed)));
            TypeAndLeave(page, IDC_MAIN_EDIT_SCALE, c.typed);
            EXPECT_EQ(ControlText(page, IDC_MAIN_EDIT_SCALE), c.kept);
            EXPECT_EQ(Record(sheet).bZoomScale, _wtoi(c.kept));
            EXPECT_EQ(SpinPosition(page), _wtoi(c.kept));
        }
        // A cleared box typed again holds just the new digits.
        Focus(page, IDC_MAIN_EDIT_SCALE);
        PressKey(VK_BACK);
        TypeKeys(L"75");
        EXPECT_EQ(ControlText(page, IDC_MAIN_EDIT_SCALE), L"75");
        LeaveField();
        EXPECT_EQ(Record(sheet).bZoomScale, 75);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(MainPage, WaterMarkLocksTheRadiosAndClearingItChecksNoAtTheNextActivation) {
    SheetSession sheet(plugin, kPrinter);
    Record(sheet).bWatermarkType = 1;
    Record(sheet).bPrintAsImage = 1;
    sheet.scenario = [&](HWND window) {
        HWND page = oemhost::PageAt(window, kMainTab);
        EXPECT_FALSE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSYES));
        EXPECT_FALSE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES));

        const HWND watermark = oemhost::PageAt(window, kMainTab + 1);
        ClickCentre(watermark, IDC_WATERMARK_RADIO_NONE);
        EXPECT_EQ(Record(sheet).bWatermarkType, 0);
        page = oemhost::PageAt(window, kMainTab);
        EXPECT_TRUE(Enabled(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSNO));
        EXPECT_FALSE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES));

        oemhost::PageAt(window, kMainTab + 1);
        Click(page, IDC_MAIN_RADIO_GRAPHICSYES);
        page = oemhost::PageAt(window, kMainTab);
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES)) << "the request is used once";
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(MainPage, PaperSizeFollowsTheDriversFormItem) {
    SheetSession sheet(plugin, kPrinter);
    zr640::StoreFieldText(Record(sheet).wszPaperName, 32, u"A4");
    sheet.options.forms().Sel = 1;
    sheet.scenario = [&](HWND window) {
        HWND page = oemhost::PageAt(window, kMainTab);
        EXPECT_EQ(ComboItems(page, IDC_MAIN_COMBO_PAPERSIZE),
                  (std::vector<std::wstring>{L"Roll Paper 80 x 297 mm", L"Roll Paper 58 x 297 mm",
                                             L"A4", L"Letter"}));
        // Creation selects the record's form; every activation the driver's current one.
        (void)page;
        oemhost::PageAt(window, kMainTab + 1);
        page = oemhost::PageAt(window, kMainTab);
        EXPECT_EQ(ComboSelection(page, IDC_MAIN_COMBO_PAPERSIZE), L"Roll Paper 58 x 297 mm");

        sheet.driverUi->updates.clear();
        SelectCombo(page, IDC_MAIN_COMBO_PAPERSIZE, 3);
        EXPECT_EQ(sheet.options.forms().Sel, 3);
        EXPECT_TRUE(sheet.options.forms().Flags & OPTIF_CHANGED);
        EXPECT_EQ(PaperName(Record(sheet)), L"Letter");
        bool toldDriver = false;
        for (const auto& call : sheet.driverUi->updates) {
            if (call.item == &sheet.options.forms()) {
                toldDriver = true;
                EXPECT_EQ(call.previousSelection, 0u);
                EXPECT_EQ(call.mode, 1u);
                EXPECT_EQ(call.uiObject, &sheet.uiObject);
            }
        }
        EXPECT_TRUE(toldDriver);
        EXPECT_TRUE(ApplyEnabled(window));
        return true;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
    EXPECT_EQ(PaperName(Record(sheet)), L"Letter");
}

TEST_F(MainPage, LanguageChoiceIsStoredOnApplyAndRecaptionsTheSheet) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        const auto items = ComboItems(page, IDC_MAIN_COMBO_LANGUAGE);
        EXPECT_EQ(items,
                  (std::vector<std::wstring>{L"English", L"\u7B80\u4F53\u4E2D\u6587",
                                             L"\u7E41\u9AD4\u4E2D\u6587", L"System Language"}));
        EXPECT_EQ(ComboSelection(page, IDC_MAIN_COMBO_LANGUAGE), L"System Language");
        SelectCombo(page, IDC_MAIN_COMBO_LANGUAGE, 1);
        PressApply(window);
        std::wstring value;
        zr640ui::LanguageKey().Read(zr640ui::kLanguageValue, value);
        EXPECT_EQ(value, L"CHN_ZR640.res");
        zr640ui::LanguageKey().Read(zr640ui::kFirstRunValue, value);
        EXPECT_EQ(value, L"FALSE");
        EXPECT_EQ(oemhost::TabText(window, kMainTab),
                  DriverText(L"CHN_ZR640.res", L"LAYOUT", L"RC_LAYOUTFORM"));
        EXPECT_EQ(oemhost::TabText(window, 5),
                  DriverText(L"CHN_ZR640.res", L"1DCODE", L"RC_1DCODEFORM"));
        EXPECT_EQ(ControlText(page, IDC_MAIN_CHECK_ZOOM),
                  DriverText(L"CHN_ZR640.res", L"LAYOUT", L"RC_CHECK_ZOOM"));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));

    SheetSession again(plugin, kPrinter);
    again.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        EXPECT_EQ(ComboSelection(page, IDC_MAIN_COMBO_LANGUAGE), L"\u7B80\u4F53\u4E2D\u6587");
        return false;
    };
    ASSERT_TRUE(again.Run(SheetKind::Document));
}

TEST_F(MainPage, SystemLanguageEntryKeepsFollowingTheSystem) {
    ChooseLanguage(L"CHF_ZR640.res");
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        EXPECT_EQ(ComboSelection(page, IDC_MAIN_COMBO_LANGUAGE), L"\u7E41\u9AD4\u4E2D\u6587");
        SelectCombo(page, IDC_MAIN_COMBO_LANGUAGE, 3);  // "System Language"
        return true;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
    std::wstring value;
    zr640ui::LanguageKey().Read(zr640ui::kLanguageValue, value);
    EXPECT_EQ(value, L"ENG_ZR640.res");
    zr640ui::LanguageKey().Read(zr640ui::kFirstRunValue, value);
    EXPECT_EQ(value, L"TRUE");

    SheetSession again(plugin, kPrinter);
    again.scenario = [&](HWND window) {
        EXPECT_EQ(ComboSelection(oemhost::PageAt(window, kMainTab), IDC_MAIN_COMBO_LANGUAGE),
                  L"System Language");
        return false;
    };
    ASSERT_TRUE(again.Run(SheetKind::Document));
}

TEST_F(MainPage, WithoutALanguageListTwoEnglishEntriesAreOffered) {
    const std::wstring installed = zr640ui::DriverFolder() + zr640ui::kLanguageListFile;
    const std::wstring aside = installed + L".aside";
    ASSERT_TRUE(MoveFileExW(installed.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING));
    DeleteFileW((zr640ui::UserFolder() + zr640ui::kLanguageListFile).c_str());
    SheetSession sheet(plugin, kPrinter);
    std::vector<std::wstring> items;
    sheet.scenario = [&](HWND window) {
        items = ComboItems(oemhost::PageAt(window, kMainTab), IDC_MAIN_COMBO_LANGUAGE);
        return false;
    };
    const bool ran = sheet.Run(SheetKind::Document);
    MoveFileExW(aside.c_str(), installed.c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(ran);
    EXPECT_EQ(items, (std::vector<std::wstring>{L"English", L"English", L"System Language"}));
}

TEST_F(MainPage, DriverLogFolderAndViewer) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        zr640::PrivateDevMode& record = Record(sheet);
        EXPECT_FALSE(Enabled(page, IDC_MAIN_BUTTON_VIEWER));
        Click(page, IDC_MAIN_CHECK_LOG);
        EXPECT_EQ(record.bDriverLog, 1);
        EXPECT_TRUE(Enabled(page, IDC_MAIN_BUTTON_VIEWER));
        EXPECT_TRUE(Enabled(page, IDC_MAIN_BUTTON_LOG));
        EXPECT_TRUE(Enabled(page, IDC_MAIN_EDIT_LOG));

        Click(page, IDC_MAIN_BUTTON_VIEWER);
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        const std::wstring root(system, 3);
        EXPECT_EQ(Folder(record), root + L"RZKDriverlog\\ZR640");
        EXPECT_EQ(platform.started.size(), 1u);
        EXPECT_EQ(platform.started.back().first, root + L"RZKDriverlog\\RZKDriverlogViewer.exe");
        EXPECT_EQ(platform.started.back().second,
                  L"\"ZR640\" \"" + root + L"RZKDriverlog\\ZR640\"");
        EXPECT_TRUE(platform.messages.empty());

        platform.chosenFolder = L"C:\\logs\\receipts";
        Click(page, IDC_MAIN_BUTTON_LOG);
        EXPECT_EQ(Folder(record), L"C:\\logs\\receipts");
        EXPECT_EQ(ControlText(page, IDC_MAIN_EDIT_LOG), L"C:\\logs\\receipts");

        // 255 characters fit the field; 256 would be stored as another folder: refused.
        platform.chosenFolder = L"C:\\" + std::wstring(252, L'a');
        Click(page, IDC_MAIN_BUTTON_LOG);
        EXPECT_EQ(Folder(record), platform.chosenFolder);
        const std::wstring fitting = platform.chosenFolder;
        platform.chosenFolder = L"C:\\" + std::wstring(253, L'b');
        Click(page, IDC_MAIN_BUTTON_LOG);
        EXPECT_EQ(Folder(record), fitting);
        EXPECT_EQ(ControlText(page, IDC_MAIN_EDIT_LOG), fitting);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(MessageAt(platform, 0).caption, L"Error");

        platform.chosenFolder.clear();  // cancelled: nothing changes
        Click(page, IDC_MAIN_BUTTON_LOG);
        EXPECT_EQ(Folder(record), fitting);

        platform.startResult = {false, ERROR_FILE_NOT_FOUND};
        Click(page, IDC_MAIN_BUTTON_VIEWER);
        EXPECT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(MessageAt(platform, 1).text, L"Not fount LOGViewer!");
        EXPECT_EQ(MessageAt(platform, 1).caption, L"Error");
        platform.startResult = {false, ERROR_ACCESS_DENIED};
        Click(page, IDC_MAIN_BUTTON_VIEWER);
        EXPECT_EQ(platform.messages.size(), 2u) << "other failures are silent";

        Click(page, IDC_MAIN_CHECK_LOG);
        EXPECT_EQ(record.bDriverLog, 0);
        EXPECT_FALSE(Enabled(page, IDC_MAIN_BUTTON_LOG));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(MainPage, ViewerStartsForRealWithTheQuotedArguments) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring folder = std::wstring(system, 3) + L"RZKDriverlog\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring viewer = folder + L"RZKDriverlogViewer.exe";
    const std::wstring saved = folder + L"RZKDriverlogViewer.exe.installed";
    const bool hadViewer =
        MoveFileExW(viewer.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    ASSERT_TRUE(
        CopyFileW((oemhost::ProgramFolder() + L"viewer_stub.exe").c_str(), viewer.c_str(), FALSE));
    const std::wstring record = folder + L"viewer_stub_arguments.txt";
    DeleteFileW(record.c_str());

    zr640ui::SetPlatform(nullptr);  // the shell for real
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        Click(page, IDC_MAIN_CHECK_LOG);
        Click(page, IDC_MAIN_BUTTON_VIEWER);
        for (int i = 0; i < 100 && GetFileAttributesW(record.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++i) {
            oemhost::Pump(50);
        }
        oemhost::Pump(200);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
    zr640ui::SetPlatform(&platform);

    std::wifstream in{std::filesystem::path(record)};
    std::wstring line;
    std::getline(in, line);
    in.close();
    DeleteFileW(viewer.c_str());
    if (hadViewer) MoveFileExW(saved.c_str(), viewer.c_str(), MOVEFILE_REPLACE_EXISTING);
    EXPECT_EQ(line, L"[ZR640] [" + folder + L"ZR640]");
}

// The driver's own page changed the paper after Main was last shown: Main's apply keeps it.
TEST_F(MainPage, PaperChosenOnTheDriversPageSurvivesTheApply) {
    SheetSession sheet(plugin, kPrinter);
    sheet.options.forms().Sel = 1;
    sheet.scenario = [&](HWND window) {
        oemhost::PageAt(window, kMainTab);
        oemhost::PageAt(window, 0);     // the driver's page
        sheet.options.forms().Sel = 2;  // "A4", chosen there
        PressApply(window);
        EXPECT_EQ(sheet.options.forms().Sel, 2);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

// Zoom keeps printing as graphics even when "No" is clicked by a program while disabled; a
// scale typed and applied with Enter (the edit never lost the focus) is stored.
TEST_F(MainPage, GraphicsLockHoldsAndAScaleAppliedWithEnterIsStored) {
    SheetSession sheet(plugin, kPrinter);
    Record(sheet).bZoom = 1;
    Record(sheet).bPrintAsImage = 1;
    Record(sheet).bZoomScale = 50;
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kMainTab);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_RADIO_GRAPHICSNO, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_MAIN_RADIO_GRAPHICSNO)));
        EXPECT_EQ(Record(sheet).bPrintAsImage, 1);
        EXPECT_TRUE(IsChecked(page, IDC_MAIN_RADIO_GRAPHICSYES));

        SetDlgItemTextW(page, IDC_MAIN_EDIT_SCALE, L"75");
        PressApply(window);
        EXPECT_EQ(Record(sheet).bZoomScale, 75);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

}  // namespace
