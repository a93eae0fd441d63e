// The Utility page in the real device sheet: the self-test job in the test printer's capture
// file, the form list over an in-memory form store, and the control-font table and translator
// dialogs with the file they write, read back through the platform's profile functions.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/controlfont/control_font_table.h"
#include "tests/support/memory_form_store.h"
#include "core/printer/self_test.h"
#include "plugin/pages/device/control_font_dialogs.h"
#include "plugin/platform/spooler_forms.h"
#include "resource.h"
#include "tests/native/test_bitmaps.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;
using zr640::MemoryFormStore;
using zr640::PaperForm;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

constexpr int kUtilityTab = 2;
constexpr wchar_t kCaptureFile[] = L"C:\\capture\\zr640.prn";
constexpr wchar_t kTableCaption[] = L"Control Font Character Translation Table";
constexpr wchar_t kTranslatorCaption[] = L"Control Font Character Translator";
constexpr wchar_t kTableSection[] = L"Character Translation Table";

Bytes Capture() {
    std::ifstream in(kCaptureFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The page's store for the test: the test keeps the forms and sees every call.
class BorrowedStore final : public zr640::FormStore {
public:
    explicit BorrowedStore(MemoryFormStore& store) : store_(store) {}
    std::optional<std::vector<PaperForm>> Enumerate() override { return store_.Enumerate(); }
    bool Add(const PaperForm& form) override { return store_.Add(form); }
    bool Set(const PaperForm& form) override { return store_.Set(form); }
    bool Delete(std::u16string_view name) override { return store_.Delete(name); }

private:
    MemoryFormStore& store_;
};

// ---- Modal dialogs ------------------------------------------------------------------------

// Runs `act` on the dialog of that caption once `open` has shown it (the dialog's own loop
// runs the timer); a dialog that `act` leaves open is cancelled, and one that never shows
// ends the wait after two seconds.
struct ModalStep {
    const wchar_t* caption;
    std::function<void(HWND)> act;
    int ticks = 0;
    bool ran = false;
};
std::vector<ModalStep*> steps;

VOID CALLBACK ModalTick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (steps.empty()) return;
    ModalStep& step = *steps.back();
    if (step.ran) return;
    const HWND dialog = oemhost::FindThreadWindow(step.caption);
    if (dialog == nullptr) {
        if (++step.ticks > 100) KillTimer(nullptr, timer);
        return;
    }
    KillTimer(nullptr, timer);
    step.ran = true;
    step.act(dialog);
    if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool WhileModal(const wchar_t* caption, const std::function<void()>& open,
                std::function<void(HWND)> act) {
    ModalStep step{caption, std::move(act)};
    steps.push_back(&step);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ModalTick);
    open();
    KillTimer(nullptr, timer);
    steps.pop_back();
    return step.ran;
}

HWND TableList(HWND table) { return GetDlgItem(table, IDC_CFTABLE_LIST_TABLE); }

std::wstring Cell(HWND table, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(TableList(table), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectRow(HWND table, int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(TableList(table), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

void DoubleClick(HWND table, int row) {
    SelectRow(table, row);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = TableList(table);
    click.hdr.idFrom = IDC_CFTABLE_LIST_TABLE;
    click.hdr.code = NM_DBLCLK;
    click.iItem = row;
    SendMessageW(table, WM_NOTIFY, IDC_CFTABLE_LIST_TABLE, reinterpret_cast<LPARAM>(&click));
}

// Types into the focused edit as the keyboard does, so the edit filter sees each character.
void Type(HWND edit, const std::wstring& text) {
    for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

void Press(HWND dialog, int button) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

// Opens the translator for the row, gives it the command and presses its OK.
void EditRowCommand(HWND table, int row, const wchar_t* command) {
    SelectRow(table, row);
    WhileModal(
        kTranslatorCaption, [&] { Press(table, IDC_CFTABLE_BUTTON_EDIT); },
        [&](HWND translator) {
            SetDlgItemTextW(translator, IDC_CFEDIT_EDIT_COMMAND, command);
            Press(translator, IDOK);
        });
}

std::wstring StoredCommand(const fs::path& file, const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(kTableSection, key, L"<none>", value, 512, file.wstring().c_str());
    return value;
}

class UtilityPage : public SheetFixture {
protected:
    MemoryFormStore store;
    fs::path tableFile = zr640ui::ControlFontFile();
    std::vector<uint8_t> savedTable;
    bool hadTable = false;

    void SetUp() override {
        SheetFixture::SetUp();
        DeleteFileW(kCaptureFile);
        zr640ui::SetFormStoreFactory(
            [this](HANDLE) { return std::make_unique<BorrowedStore>(store); });
        std::error_code error;
        fs::create_directories(tableFile.parent_path(), error);
        hadTable = fs::is_regular_file(tableFile, error);
        if (hadTable) savedTable = zr640::test::ReadFile(tableFile);
        fs::remove(tableFile, error);
    }
    void TearDown() override {
        zr640ui::SetFormStoreFactory({});
        std::error_code error;
        fs::remove_all(tableFile, error);
        if (hadTable) zr640::test::WriteFile(tableFile, savedTable);
        SheetFixture::TearDown();
    }

    void RunOnPage(const std::function<void(HWND page)>& scenario) {
        SheetSession sheet(plugin, kPrinter);
        ASSERT_NE(sheet.printer, nullptr) << "the test printer is missing";
        sheet.scenario = [&](HWND window) {
            scenario(oemhost::PageAt(window, kUtilityTab));
            return true;
        };
        ASSERT_TRUE(sheet.Run(SheetKind::Device));
    }

public:
    const std::vector<FakePlatform::Message>& Messages() const { return platform.messages; }

protected:
    void WriteTable(uint8_t code, const std::u16string& command) {
        auto table = zr640::ControlFontTable::Load(tableFile);
        ASSERT_TRUE(table);
        auto bytes = zr640::ParseControlCommand(command);
        ASSERT_TRUE(bytes);
        table->SetCommand(*zr640::ControlFontTable::RowOf(code), *bytes);
        ASSERT_TRUE(zr640::SaveControlFontTable(tableFile, *table));
    }
};

std::vector<std::wstring> Entries(HWND page) {
    std::vector<std::wstring> entries;
    const HWND list = GetDlgItem(page, IDC_UTILITY_LIST_FORMS);
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

LRESULT Selection(HWND page) {
    return SendDlgItemMessageW(page, IDC_UTILITY_LIST_FORMS, LB_GETCURSEL, 0, 0);
}

void Choose(HWND page, int entry) {
    SendDlgItemMessageW(page, IDC_UTILITY_LIST_FORMS, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_UTILITY_LIST_FORMS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UTILITY_LIST_FORMS)));
}

void Enter(HWND page, int edit, const wchar_t* text) {
    SetDlgItemTextW(page, edit, text);  // the edit reports EN_CHANGE itself
}

// ---- Self-test ----------------------------------------------------------------------------

TEST_F(UtilityPage, SelfTestSendsTheBracketedCommandAsOneJob) {
    RunOnPage([&](HWND page) { Click(page, IDC_UTILITY_BUTTON_SELFTEST); });
    const Bytes expected{0x1B, 0x63, 0x3B, 0x01, 0x1D, 0x28, 0x41, 0x02,
                         0x00, 0x00, 0x02, 0x1B, 0x63, 0x3B, 0x00};
    EXPECT_EQ(Capture(), expected);
    EXPECT_EQ(zr640::SelfTestJob().documentName, u"SELFTEST");
    EXPECT_EQ(zr640::SelfTestJob().blocks.size(), 3u)
        << "the brackets and the command, one write each";
}

// ---- Forms --------------------------------------------------------------------------------

TEST_F(UtilityPage, OpensWithTheBuiltInFormFirstAndDeleteDisabled) {
    store = MemoryFormStore({{u"Letter", 215900, 279400},
                             {u"Custom Paper-Shop", 50000, 100000},
                             {u"Old Custom Paper-X", 45000, 60000}});
    RunOnPage([&](HWND page) {
        EXPECT_EQ(Entries(page),
                  (std::vector<std::wstring>{L"Custom Paper-ZR640", L"Custom Paper-Shop",
                                             L"Old Custom Paper-X"}));
        EXPECT_EQ(Selection(page), 0);
        EXPECT_FALSE(Enabled(page, IDC_UTILITY_BUTTON_DELETE));
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_FORMNAME), L"ZR640");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"580");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"2970");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_RANGE_HEIGHT), L"[ 254 - 32760 (0.1mm) ]");
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_UTILITY_EDIT_FORMNAME, EM_GETLIMITTEXT, 0, 0), 18);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_UTILITY_EDIT_WIDTH, EM_GETLIMITTEXT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_UTILITY_EDIT_HEIGHT, EM_GETLIMITTEXT, 0, 0), 5);
        int low = 0, high = 0;
        SendDlgItemMessageW(page, IDC_UTILITY_SPIN_HEIGHT, UDM_GETRANGE32,
                            reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 254);
        EXPECT_EQ(high, 32760);
        for (const int spin : {IDC_UTILITY_SPIN_WIDTH, IDC_UTILITY_SPIN_HEIGHT}) {
            EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, spin), GWL_STYLE) & UDS_NOTHOUSANDS);
        }
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_UTILITY_BUTTON_CONTROLFONT)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_UTILITY_LABEL_CONTROLFONTINFO)));
        const HWND list = GetDlgItem(page, IDC_UTILITY_LIST_FORMS);
        wintest::Hover(list);
        const HWND tooltip = TooltipFor(list);
        ASSERT_NE(tooltip, nullptr);
        EXPECT_EQ(ToolText(tooltip, list).rfind(L"List shows the user defined paper size.", 0), 0u);
    });
    EXPECT_EQ(store.calls(),
              (std::vector<std::string>{"enumerate", "add Custom Paper-ZR640", "enumerate"}));
    ASSERT_NE(store.Find(u"Custom Paper-ZR640"), nullptr);
    EXPECT_EQ(store.Find(u"Custom Paper-ZR640")->cx, 58000);
}

TEST_F(UtilityPage, SelectionAndDeleteFollowTheListNotTheTypedName) {
    store = MemoryFormStore({{u"Custom Paper-ZR640", 58000, 297000},
                             {u"Custom Paper-Shop", 50000, 100000},
                             {u"Old Custom Paper-X", 45000, 60000}});
    RunOnPage([&](HWND page) {
        Choose(page, 2);
        EXPECT_TRUE(Enabled(page, IDC_UTILITY_BUTTON_DELETE));
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_FORMNAME), L"per-X")
            << "the text after 13 characters";
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"450");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"600");
        Enter(page, IDC_UTILITY_EDIT_FORMNAME, L"ZR640");
        EXPECT_TRUE(Enabled(page, IDC_UTILITY_BUTTON_DELETE)) << "the typed name does not count";

        Click(page, IDC_UTILITY_BUTTON_DELETE);  // the last entry: the one before is selected
        EXPECT_EQ(Entries(page),
                  (std::vector<std::wstring>{L"Custom Paper-ZR640", L"Custom Paper-Shop"}));
        EXPECT_EQ(Selection(page), 1);
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_FORMNAME), L"Shop");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"1000");
        EXPECT_TRUE(Enabled(page, IDC_UTILITY_BUTTON_DELETE));

        Choose(page, 0);
        EXPECT_FALSE(Enabled(page, IDC_UTILITY_BUTTON_DELETE));
        Click(page, IDC_UTILITY_BUTTON_DELETE);
        EXPECT_EQ(Entries(page).size(), 2u) << "the built-in form is never deleted";
    });
    EXPECT_EQ(store.Find(u"Old Custom Paper-X"), nullptr);
    EXPECT_NE(store.Find(u"Custom Paper-ZR640"), nullptr);
}

TEST_F(UtilityPage, SaveClampsWritesTheLimitsBackAndAddsTheForm) {
    RunOnPage([&](HWND page) {
        Enter(page, IDC_UTILITY_EDIT_FORMNAME, L"Long");
        Enter(page, IDC_UTILITY_EDIT_WIDTH, L"300");
        Enter(page, IDC_UTILITY_EDIT_HEIGHT, L"40000");
        Click(page, IDC_UTILITY_BUTTON_SAVE);
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"410");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"32760") << "no thousands separator";
        EXPECT_EQ(Entries(page).back(), L"Custom Paper-Long");
        EXPECT_EQ(Selection(page), 1);
        EXPECT_TRUE(Enabled(page, IDC_UTILITY_BUTTON_DELETE));

        Enter(page, IDC_UTILITY_EDIT_WIDTH, L"500");
        Click(page, IDC_UTILITY_BUTTON_SAVE);  // the same name again rewrites it
        EXPECT_EQ(Entries(page).size(), 2u);
        EXPECT_TRUE(platform.messages.empty());
    });
    ASSERT_NE(store.Find(u"Custom Paper-Long"), nullptr);
    EXPECT_EQ(store.Find(u"Custom Paper-Long")->cx, 50000);
    EXPECT_EQ(store.Find(u"Custom Paper-Long")->cy, 3276000);
}

TEST_F(UtilityPage, ARefusedSaveShowsTheMessageAndKeepsTheList) {
    RunOnPage([&](HWND page) {
        store.failAdd = true;
        Enter(page, IDC_UTILITY_EDIT_FORMNAME, L"New");
        Click(page, IDC_UTILITY_BUTTON_SAVE);
        EXPECT_EQ(Entries(page).size(), 1u);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, L"Set custom paper size failed!");
        EXPECT_EQ(platform.messages[0].caption, L"Error");
        EXPECT_EQ(platform.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    });
}

TEST_F(UtilityPage, AnUnreadableFormDatabaseLeavesTheListEmptyWithoutTooltips) {
    store.failEnumerate = true;
    RunOnPage([&](HWND page) {
        EXPECT_TRUE(Entries(page).empty());
        wintest::Hover(GetDlgItem(page, IDC_UTILITY_BUTTON_SELFTEST));
        EXPECT_EQ(TooltipFor(GetDlgItem(page, IDC_UTILITY_BUTTON_SELFTEST)), nullptr);
        Click(page, IDC_UTILITY_BUTTON_SAVE);
        EXPECT_TRUE(store.forms().empty());
        ASSERT_EQ(platform.messages.size(), 1u) << "the save says why it failed";
        EXPECT_EQ(platform.messages[0].text, L"Set custom paper size failed!");
    });
}

// The built-in form refused: the page is not set up, yet Save and Delete answer, as buttons
// a person clicks, with the reason, and write nothing.
TEST_F(UtilityPage, SaveAndDeleteOnAPageWhoseSetUpFailedSayWhy) {
    store.failAdd = true;
    RunOnPage([&](HWND page) {
        ASSERT_TRUE(Entries(page).empty());
        store.ClearCalls();
        ClickCentre(page, IDC_UTILITY_BUTTON_SAVE);
        oemhost::Pump(20);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, L"Set custom paper size failed!");
        EXPECT_EQ(platform.messages[0].caption, L"Error");
        EXPECT_EQ(platform.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        ClickCentre(page, IDC_UTILITY_BUTTON_DELETE);
        oemhost::Pump(20);
        ASSERT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(platform.messages[1].text, L"Set custom paper size failed!");
        EXPECT_TRUE(Entries(page).empty());
    });
    EXPECT_TRUE(store.calls().empty()) << "nothing is written by a page that is not set up";
    EXPECT_TRUE(store.forms().empty());
}

// A form database the spooler cannot enumerate is a failure, never an empty database.
TEST_F(UtilityPage, AFailedFormEnumerationIsReportedNotTakenForNoForms) {
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, nullptr));
    ClosePrinter(printer);  // a handle the spooler no longer knows
    zr640ui::SpoolerFormStore closed(printer);
    EXPECT_FALSE(closed.Enumerate().has_value());
    zr640ui::SpoolerFormStore bogus(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5A5A)));
    EXPECT_FALSE(bogus.Enumerate().has_value());

    // The sheet's own printer handle may be the closed one's again: the page gets the bogus.
    zr640ui::SetFormStoreFactory([](HANDLE) {
        return std::make_unique<zr640ui::SpoolerFormStore>(
            reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5A5A)));
    });
    RunOnPage([&](HWND page) {
        EXPECT_TRUE(Entries(page).empty());
        ClickCentre(page, IDC_UTILITY_BUTTON_SAVE);
        oemhost::Pump(20);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, L"Set custom paper size failed!");
    });
}

// The size boxes typed key by key and left: a size in the range stays as typed, whatever its
// length; one above the range is lowered while it is typed, one below it is raised when the
// box is left; the up-down shows what the box keeps, and Save stores exactly that.
TEST_F(UtilityPage, SizesTypedKeyByKeyAreKeptAsTypedOrClampedIntoTheRange) {
    const TypedNumber cases[] = {
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"410", L"410"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"457", L"457"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"580", L"580"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"4", L"410"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"50", L"410"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"300", L"410"},
        {IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, L"999", L"580"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"254", L"254"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"1000", L"1000"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"12345", L"12345"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"32760", L"32760"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"7", L"254"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"99", L"254"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"40000", L"32760"},
        {IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, L"01000", L"1000"},
    };
    store = MemoryFormStore({{u"Custom Paper-Wide", 80000, 400000}});
    RunOnPage([&](HWND page) {
        // A form made elsewhere, wider than the page takes, is shown as stored.
        Choose(page, 1);
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"800");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"4000");
        for (const TypedNumber& c : cases) ExpectKeptAfterTyping(page, c);
        // Above the range is lowered at once, before the box is left.
        Focus(page, IDC_UTILITY_EDIT_WIDTH);
        TypeKeys(L"59");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"59") << "on the way to 590";
        TypeKeys(L"0");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"580");
        LeaveField();
        // A cleared box typed again holds just the new digits.
        Focus(page, IDC_UTILITY_EDIT_HEIGHT);
        PressKey(VK_BACK);
        TypeKeys(L"1000");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"1000");
        LeaveField();

        TypeAndLeave(page, IDC_UTILITY_EDIT_FORMNAME, L"Typed");
        TypeAndLeave(page, IDC_UTILITY_EDIT_WIDTH, L"457");
        TypeAndLeave(page, IDC_UTILITY_EDIT_HEIGHT, L"12345");
        ClickCentre(page, IDC_UTILITY_BUTTON_SAVE);
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_WIDTH), L"457");
        EXPECT_EQ(ControlText(page, IDC_UTILITY_EDIT_HEIGHT), L"12345");
    });
    ASSERT_NE(store.Find(u"Custom Paper-Typed"), nullptr);
    EXPECT_EQ(store.Find(u"Custom Paper-Typed")->cx, 45700);
    EXPECT_EQ(store.Find(u"Custom Paper-Typed")->cy, 1234500);
    EXPECT_TRUE(platform.messages.empty());
}

// Wine keeps no user forms: its form functions are used here only for what they do answer.
TEST_F(UtilityPage, TheSpoolersFormFunctionsStandBehindThePageByDefault) {
    zr640ui::SetFormStoreFactory({});
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, nullptr));
    zr640ui::SpoolerFormStore spooler(printer);
    const auto forms = spooler.Enumerate();
    ASSERT_TRUE(forms.has_value());
    EXPECT_FALSE(forms->empty()) << "the built-in forms of the spooler";
    for (const PaperForm& form : *forms) EXPECT_FALSE(form.name.empty());
    ClosePrinter(printer);
    zr640ui::SpoolerFormStore none(nullptr);
    EXPECT_FALSE(none.Enumerate().has_value());
    EXPECT_FALSE(none.Add(zr640::BuiltInForm()));

    RunOnPage([&](HWND page) {
        const auto entries = Entries(page);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries[0], L"Custom Paper-ZR640");
        for (const std::wstring& entry : entries)
            EXPECT_NE(entry.find(L"Custom Paper-"), std::wstring::npos);
    });
    EXPECT_TRUE(store.calls().empty()) << "the installed store is not used";
}

// ---- The control-font table ---------------------------------------------------------------

TEST_F(UtilityPage, TheTableShowsTheFileAndSavesAnEditedCommand) {
    ASSERT_TRUE(
        WritePrivateProfileStringW(kTableSection, L"41", L"1b 21 08", tableFile.wstring().c_str()));
    RunOnPage([&](HWND page) {
        const bool shown = WhileModal(
            kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
            [&](HWND table) {
                EXPECT_EQ(ControlText(table, IDC_CFTABLE_EDIT_DRIVER), L"Printer Driver");
                EXPECT_EQ(SendMessageW(TableList(table), LVM_GETITEMCOUNT, 0, 0), 96);
                EXPECT_EQ(Cell(table, 0, 0), L" ");
                EXPECT_EQ(Cell(table, 0, 1), L"20");
                EXPECT_EQ(Cell(table, 95, 0), std::wstring(1, L'\x7F'));
                EXPECT_EQ(Cell(table, 95, 1), L"7F");
                EXPECT_EQ(Cell(table, 0x21, 2), L"1b 21 08") << "as stored until edited";

                SelectRow(table, 0x22);  // "B"
                const bool edited = WhileModal(
                    kTranslatorCaption, [&] { Press(table, IDC_CFTABLE_BUTTON_EDIT); },
                    [&](HWND translator) {
                        EXPECT_EQ(ControlText(translator, IDC_CFEDIT_EDIT_CHAR), L"B");
                        EXPECT_EQ(ControlText(translator, IDC_CFEDIT_EDIT_HEX), L"42");
                        const HWND edit = GetDlgItem(translator, IDC_CFEDIT_EDIT_COMMAND);
                        SetFocus(edit);
                        Type(edit, L"1d5x6 42");  // x is filtered out
                        EXPECT_EQ(ControlText(translator, IDC_CFEDIT_EDIT_COMMAND), L"1d56 42");
                        Press(translator, IDOK);
                    });
                EXPECT_TRUE(edited);
                EXPECT_EQ(Cell(table, 0x22, 2), L"1D 56 42 ") << "an edited command is normalised";

                // A double click edits too; Cancel there changes nothing.
                const bool cancelled = WhileModal(
                    kTranslatorCaption, [&] { DoubleClick(table, 0x21); },
                    [&](HWND translator) {
                        EXPECT_EQ(ControlText(translator, IDC_CFEDIT_EDIT_COMMAND), L"1B 21 08 ");
                        Press(translator, IDCANCEL);
                    });
                EXPECT_TRUE(cancelled);
                EXPECT_EQ(Cell(table, 0x21, 2), L"1b 21 08");
                Press(table, IDOK);
                EXPECT_FALSE(IsWindow(table) && IsWindowVisible(table));
            });
        EXPECT_TRUE(shown);
    });
    // The profile functions cut the blank at the end, as for a file they wrote themselves.
    EXPECT_EQ(StoredCommand(tableFile, L"42"), L"1D 56 42");
    EXPECT_EQ(StoredCommand(tableFile, L"41"), L"1b 21 08");
    EXPECT_EQ(StoredCommand(tableFile, L"43"), L"<none>");
}

TEST_F(UtilityPage, OverLongCommandsAreRefusedInBothDialogs) {
    std::u16string tooLong;
    for (int i = 0; i < 129; ++i) tooLong += u"AA ";
    // The file may hold more than a command takes: written as the profile functions would.
    ASSERT_TRUE(WritePrivateProfileStringW(kTableSection, L"30",
                                           std::wstring(tooLong.begin(), tooLong.end()).c_str(),
                                           tableFile.wstring().c_str()));
    RunOnPage([&](HWND page) {
        WhileModal(
            kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
            [&](HWND table) {
                SelectRow(table, 0x10);  // "0"
                const bool opened = WhileModal(
                    kTranslatorCaption, [&] { Press(table, IDC_CFTABLE_BUTTON_EDIT); },
                    [](HWND) {});
                EXPECT_FALSE(opened) << "no translator for an over-long row";
                ASSERT_EQ(platform.messages.size(), 1u);
                EXPECT_EQ(platform.messages[0].text, L"Command length error");
                EXPECT_EQ(platform.messages[0].caption, L"Error");

                SelectRow(table, 0x11);
                WhileModal(
                    kTranslatorCaption, [&] { Press(table, IDC_CFTABLE_BUTTON_EDIT); },
                    [&](HWND translator) {
                        SetDlgItemTextW(translator, IDC_CFEDIT_EDIT_COMMAND,
                                        std::wstring(tooLong.begin(), tooLong.end()).c_str());
                        Press(translator, IDOK);
                        EXPECT_TRUE(IsWindowVisible(translator)) << "the translator stays open";
                        ASSERT_EQ(platform.messages.size(), 2u);
                        EXPECT_EQ(platform.messages[1].text, L"Command length error!");
                        EXPECT_EQ(platform.messages[1].caption, L"Error");
                    });
                EXPECT_EQ(Cell(table, 0x11, 2), L"");
                Press(table, IDCANCEL);
            });
    });
    EXPECT_EQ(StoredCommand(tableFile, L"31"), L"<none>") << "Cancel leaves the file as it was";
}

TEST_F(UtilityPage, DeletingEveryCommandLeavesNoFile) {
    WriteTable(0x41, u"1B 21 08");
    RunOnPage([&](HWND page) {
        WhileModal(
            kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
            [&](HWND table) {
                SelectRow(table, 0x21);
                Press(table, IDC_CFTABLE_BUTTON_DELETE);
                EXPECT_EQ(Cell(table, 0x21, 2), L"");
                Press(table, IDOK);
            });
    });
    EXPECT_FALSE(fs::exists(tableFile));
}

TEST_F(UtilityPage, AFailedWriteKeepsTheDialogOpenAndTheOldFile) {
    // A folder where the file belongs: it can be neither replaced nor removed.
    fs::create_directories(tableFile);
    RunOnPage([&](HWND page) {
        WhileModal(
            kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
            [&](HWND table) {
                EditRowCommand(table, 0x21, L"1B 40");
                Press(table, IDOK);
                EXPECT_TRUE(IsWindowVisible(table)) << "the table stays open";
                ASSERT_EQ(platform.messages.size(), 1u);
                EXPECT_EQ(platform.messages[0].text,
                          L"Please check if user has administrator privileges!");
                EXPECT_EQ(platform.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            });
    });
    EXPECT_TRUE(fs::is_directory(tableFile));
}

Bytes FileBytes(const fs::path& file) { return zr640::test::ReadFile(file); }

// OK on a table whose file could not be read: the message, the dialog stays, and the file
// keeps every byte.
void PressOkOnUnreadableTable(UtilityPage& fixture, HWND page) {
    const bool shown = WhileModal(
        kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
        [&](HWND table) {
            EXPECT_EQ(Cell(table, 0x21, 2), L"") << "nothing of the file is shown";
            Press(table, IDOK);
            EXPECT_TRUE(IsWindowVisible(table)) << "the table stays open";
            ASSERT_EQ(fixture.Messages().size(), 1u);
            EXPECT_EQ(fixture.Messages()[0].text, L"Failed to get data from the file!");
            EXPECT_EQ(fixture.Messages()[0].caption, L"Error");
            EXPECT_EQ(fixture.Messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            Press(table, IDCANCEL);
        });
    EXPECT_TRUE(shown);
}

TEST_F(UtilityPage, ATableFileTooLargeToReadSurvivesOkByteForByte) {
    std::string content = "[Character Translation Table]\r\n41=1B 40\r\n";
    content.resize(static_cast<size_t>(zr640::kMaxControlFontFile) + 1, ';');
    const Bytes before(content.begin(), content.end());
    zr640::test::WriteFile(tableFile, before);
    RunOnPage([&](HWND page) { PressOkOnUnreadableTable(*this, page); });
    EXPECT_EQ(FileBytes(tableFile), before);
}

TEST_F(UtilityPage, ATableFileThatCannotBeOpenedSurvivesOk) {
    const std::string content = "[Character Translation Table]\r\n41=1B 40\r\n";
    const Bytes before(content.begin(), content.end());
    zr640::test::WriteFile(tableFile, before);
    // Held open by another program that shares it with no one.
    const HANDLE held = CreateFileW(tableFile.wstring().c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunOnPage([&](HWND page) { PressOkOnUnreadableTable(*this, page); });
    CloseHandle(held);
    EXPECT_EQ(FileBytes(tableFile), before);
}

// Bytes above 7F are read in the system code page, as the profile functions read them, and
// an OK that writes the table gives the profile functions the same text again.
TEST_F(UtilityPage, NonAsciiBytesAreShownAndKeptAsTheProfileFunctionsReadThem) {
    const std::string content =
        "[Character Translation Table]\r\n41=1B \x80 \xE9\xA4\r\n43=\xC4\r\n";
    zr640::test::WriteFile(tableFile, Bytes(content.begin(), content.end()));
    const std::wstring readA = StoredCommand(tableFile, L"41");
    const std::wstring readC = StoredCommand(tableFile, L"43");
    ASSERT_NE(readA, L"<none>");
    RunOnPage([&](HWND page) {
        WhileModal(
            kTableCaption, [&] { Click(page, IDC_UTILITY_BUTTON_CONTROLFONT); },
            [&](HWND table) {
                EXPECT_EQ(Cell(table, 0x21, 2), readA);
                EXPECT_EQ(Cell(table, 0x23, 2), readC);
                EditRowCommand(table, 0x22, L"1B 40");  // an edit elsewhere, so OK writes it
                Press(table, IDOK);
            });
    });
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(StoredCommand(tableFile, L"41"), readA);
    EXPECT_EQ(StoredCommand(tableFile, L"43"), readC);
    EXPECT_EQ(StoredCommand(tableFile, L"42"), L"1B 40");
}

// What `zr640 control-font set` writes (the same writer) is what the profile functions read.
TEST_F(UtilityPage, TheToolsTableFileReadsBackThroughTheProfileFunctions) {
    WriteTable(0x20, u"1b 40");
    WriteTable(0x7F, u"1D 56 42 00");
    EXPECT_EQ(StoredCommand(tableFile, L"20"), L"1B 40");
    EXPECT_EQ(StoredCommand(tableFile, L"7F"), L"1D 56 42 00");
    EXPECT_EQ(StoredCommand(tableFile, L"21"), L"<none>");
}

}  // namespace
