// The page framework's pieces in real dialogs: number fields, choice lists, radio groups, the
// modal helper, the stacked tooltip subclass, and the sheet-owned reset request with two
// printers' sheets open at once.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/tooltip_help.h"
#include "plugin/module.h"
#include "plugin/pages/document/main_page.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/modal_dialog.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace zr640ui;
using oemhost::SheetKind;
using oemhost::SheetSession;
using wintest::ControlText;

INT_PTR CALLBACK Plain(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The event-operation template as a plain modeless dialog, for the controls alone.
class TemplateDialog {
public:
    TemplateDialog() {
        window_ = CreateDialogParamW(GetModuleHandleW(nullptr),
                                     MAKEINTRESOURCEW(IDD_EVENT_OPERATION), nullptr, Plain, 0);
    }
    ~TemplateDialog() { DestroyWindow(window_); }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

class PageFramework : public wintest::SheetFixture {};

TEST_F(PageFramework, NumberFieldClampsAndWritesTheClampedValueBack) {
    const TemplateDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    const NumberField feed{IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, {0, 100}, 3};
    feed.SetUp(dialog.get());
    feed.Show(dialog.get(), 40);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_EDIT_FEED), L"40");

    SetDlgItemTextW(dialog.get(), IDC_EVENT_EDIT_FEED, L"250");
    EXPECT_EQ(feed.Read(dialog.get(), ClampMoment::Typing), 100);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_EDIT_FEED), L"100")
        << "the clamped value is shown";
    EXPECT_EQ(SendDlgItemMessageW(dialog.get(), IDC_EVENT_SPIN_FEED, UDM_GETPOS32, 0, 0), 100);

    SetDlgItemTextW(dialog.get(), IDC_EVENT_EDIT_FEED, L"7");
    EXPECT_EQ(feed.Read(dialog.get(), ClampMoment::Typing), 7);
    EXPECT_EQ(SendDlgItemMessageW(dialog.get(), IDC_EVENT_SPIN_FEED, UDM_GETPOS32, 0, 0), 7)
        << "the spin follows";

    SetDlgItemTextW(dialog.get(), IDC_EVENT_EDIT_FEED, L"");
    EXPECT_EQ(feed.Read(dialog.get(), ClampMoment::Leaving), 0);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_EDIT_FEED), L"0");
    EXPECT_EQ(SendDlgItemMessageW(dialog.get(), IDC_EVENT_EDIT_FEED, EM_GETLIMITTEXT, 0, 0), 3);
}

// While a value below the range (or no number) is being typed there is nothing to store, and
// neither the edit nor the up-down is touched; leaving the field raises it.
TEST_F(PageFramework, TakeWaitsWhileAValueBelowTheRangeIsTyped) {
    const TemplateDialog dialog;
    const NumberField feed{IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, {20, 100}, 3};
    feed.SetUp(dialog.get());
    feed.Show(dialog.get(), 40);
    for (const wchar_t* typed : {L"", L"1"}) {
        SetDlgItemTextW(dialog.get(), IDC_EVENT_EDIT_FEED, typed);
        EXPECT_EQ(feed.Take(dialog.get(), ClampMoment::Typing), std::nullopt) << typed;
        EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_EDIT_FEED), typed);
        EXPECT_EQ(SendDlgItemMessageW(dialog.get(), IDC_EVENT_SPIN_FEED, UDM_GETPOS32, 0, 0), 40);
    }
    EXPECT_EQ(feed.Take(dialog.get(), ClampMoment::Leaving), 20);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_EDIT_FEED), L"20");
    SetDlgItemTextW(dialog.get(), IDC_EVENT_EDIT_FEED, L"20");
    EXPECT_EQ(feed.Take(dialog.get(), ClampMoment::Typing), 20) << "the lowest value is complete";
}

TEST_F(PageFramework, RadioGroupChecksOneButtonAndReadsItBack) {
    const TemplateDialog dialog;
    static constexpr int kAlign[] = {IDC_EVENT_RADIO_LEFT, IDC_EVENT_RADIO_CENTERED,
                                     IDC_EVENT_RADIO_RIGHT};
    constexpr RadioGroup group{kAlign};
    EXPECT_EQ(CheckedRadio(dialog.get(), group), std::nullopt);
    CheckRadio(dialog.get(), group, 2);
    EXPECT_EQ(CheckedRadio(dialog.get(), group), 2u);
    CheckRadio(dialog.get(), group, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog.get(), IDC_EVENT_RADIO_RIGHT), BST_UNCHECKED);
    EXPECT_EQ(CheckedRadio(dialog.get(), group), 0u);
}

TEST_F(PageFramework, ChoiceListRefillFollowsTheLanguageAndKeepsTheSelection) {
    const TemplateDialog dialog;
    static constexpr Key kCuts[] = {Key::Document_RC_PAPER_CUT1, Key::Document_RC_PAPER_CUT2,
                                    Key::Document_RC_PAPER_CUT3};
    const ChoiceList cuts{IDC_EVENT_COMBO_PAPERCUT, kCuts};
    LoadSection(Section::Document);
    cuts.Fill(dialog.get());
    cuts.Select(dialog.get(), 2);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_COMBO_PAPERCUT), L"Full Cut");

    wintest::ChooseLanguage(L"CHN_ZR640.res");
    ResolveCurrentStringFile();
    LoadSection(Section::Document);
    cuts.Refill(dialog.get());
    EXPECT_EQ(SendDlgItemMessageW(dialog.get(), IDC_EVENT_COMBO_PAPERCUT, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(cuts.Selected(dialog.get()), 2u);
    EXPECT_EQ(ControlText(dialog.get(), IDC_EVENT_COMBO_PAPERCUT),
              wintest::DriverText(L"CHN_ZR640.res", L"DOCUMENT", L"RC_PAPER_CUT3"));

    SendDlgItemMessageW(dialog.get(), IDC_EVENT_COMBO_PAPERCUT, CB_SETCURSEL,
                        static_cast<WPARAM>(-1), 0);
    cuts.Refill(dialog.get());
    EXPECT_EQ(cuts.Selected(dialog.get()), std::nullopt) << "no selection stays none";
}

// A modal dialog that records what it saw and refuses the first OK.
class ProbeDialog final : public ModalDialog {
public:
    static constexpr TextBinding kCaptions[] = {
        {IDC_EVENT_LABEL_PAPERCUT, Key::Document_RC_PAPERCUT}};
    static constexpr DialogDefinition kDefinition{IDD_EVENT_OPERATION, Section::Document,
                                                  kCaptions};
    ProbeDialog() : ModalDialog(kDefinition) {}

    bool underOurContext = false;
    std::wstring caption;
    int okPresses = 0;
    HWND seen = nullptr;
    bool foundItself = false, itemsAgree = false;

private:
    BOOL OnInitDialog() override {
        HANDLE current = nullptr;
        if (GetCurrentActCtx(&current)) {
            underOurContext = current == ActivationContext();
            ReleaseActCtx(current);
        }
        caption = ControlText(IDC_EVENT_LABEL_PAPERCUT);
        seen = window();
        foundItself = DialogObject::Of(seen) == this;
        itemsAgree = DialogItem(seen, IDOK) == GetDlgItem(seen, IDOK) &&
                     Item(IDC_EVENT_EDIT_COMMAND) == GetDlgItem(seen, IDC_EVENT_EDIT_COMMAND) &&
                     Item(IDC_EVENT_EDIT_COMMAND) == Item(IDC_EVENT_EDIT_COMMAND) &&
                     Item(-5) == nullptr;
        PostMessageW(window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        PostMessageW(window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    bool OnOk() override { return ++okPresses == 2; }  // the first OK keeps the dialog open
};

TEST_F(PageFramework, ModalDialogRunsUnderThePluginsActivationContext) {
    ASSERT_NE(ActivationContext(), INVALID_HANDLE_VALUE);
    ProbeDialog dialog;
    EXPECT_EQ(dialog.Run(nullptr), IDOK);
    EXPECT_TRUE(dialog.underOurContext);
    EXPECT_EQ(dialog.caption, L"Paper Cut:");
    EXPECT_EQ(dialog.okPresses, 2);
    EXPECT_EQ(dialog.window(), nullptr) << "detached when the window went";
    EXPECT_TRUE(dialog.foundItself);
    EXPECT_TRUE(dialog.itemsAgree);
    EXPECT_EQ(DialogObject::Of(dialog.seen), nullptr) << "a handle the system may give again";

    // A dialog that is not ours has no object; its controls are asked of the system.
    const TemplateDialog foreign;
    EXPECT_EQ(DialogObject::Of(foreign.get()), nullptr);
    EXPECT_EQ(DialogItem(foreign.get(), IDOK), GetDlgItem(foreign.get(), IDOK));
}

// A filter subclassed before the help swallows mouse moves; the help, attached after it, sees
// them first and still updates the tip.
LRESULT CALLBACK SwallowMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR seen) {
    if (message == WM_MOUSEMOVE) {
        ++*reinterpret_cast<int*>(seen);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(PageFramework, TooltipHelpStandsInFrontOfAnEarlierSubclass) {
    const TemplateDialog dialog;
    ShowWindow(dialog.get(), SW_SHOW);
    const HWND edit = GetDlgItem(dialog.get(), IDC_EVENT_EDIT_COMMAND);
    int filtered = 0;
    ASSERT_TRUE(SetWindowSubclass(edit, SwallowMouse, 1, reinterpret_cast<DWORD_PTR>(&filtered)));
    LoadSection(Section::Document);
    static constexpr TextBinding kHelp[] = {{IDC_EVENT_EDIT_COMMAND, Key::Document_CTEXT_EDIT}};
    const HWND tooltip = AttachHelp(dialog.get(), kHelp);
    ASSERT_NE(tooltip, nullptr);

    wintest::ChooseLanguage(L"CHN_ZR640.res");
    ResolveCurrentStringFile();
    LoadSection(Section::Document);
    RECT bounds;
    GetWindowRect(edit, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(filtered, 1) << "the filter still runs";
    EXPECT_EQ(wintest::ToolText(tooltip, edit),
              wintest::DriverText(L"CHN_ZR640.res", L"DOCUMENT", L"CTEXT_EDIT"));
    RemoveWindowSubclass(edit, SwallowMouse, 1);
}

// Two printers' document sheets open at once: the reset request raised in one reaches only
// that sheet's Main page.
TEST_F(PageFramework, GraphicsResetRequestStaysWithItsSheet) {
    IPrintOemUI* second = nullptr;
    auto* factory = new UiPluginClassFactory();
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&second)),
              S_OK);
    factory->Release();

    SheetSession first(plugin, wintest::kPrinter);
    SheetSession other(second, L"T-Other Printer");
    for (SheetSession* session : {&first, &other}) {
        Record(*session).bPrintAsImage = 1;
        Record(*session).bWatermarkType = 0;
    }
    Record(first).bWatermarkType = 1;
    bool firstNo = false, otherNo = true;
    first.scenario = [&](HWND firstSheet) {
        // The first printer's water mark is removed: its sheet asks Main to show "No".
        wintest::ClickCentre(oemhost::PageAt(firstSheet, 3), IDC_WATERMARK_RADIO_NONE);
        other.scenario = [&](HWND otherSheet) {
            oemhost::PageAt(otherSheet, 3);  // Water Mark, so Main activates again
            otherNo = wintest::IsChecked(oemhost::PageAt(otherSheet, 2), IDC_MAIN_RADIO_GRAPHICSNO);
            return false;
        };
        other.Run(SheetKind::Document);
        firstNo = wintest::IsChecked(oemhost::PageAt(firstSheet, 2), IDC_MAIN_RADIO_GRAPHICSNO);
        return false;
    };
    ASSERT_TRUE(first.Run(SheetKind::Document));
    EXPECT_TRUE(firstNo) << "the sheet that asked checks No";
    EXPECT_FALSE(otherNo) << "the other printer's Main page keeps Yes";
    second->Release();
}

}  // namespace
