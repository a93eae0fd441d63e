// The Utility page: the self-test print, the user-defined paper sizes of the printer's form
// database, and the control font's character translation table.
//
// The page's PaperFormList holds the rules; the list box and the three boxes mirror it after
// every action, and what the user typed is handed to it before a save.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "core/forms/paper_forms.h"
#include "core/printer/self_test.h"
#include "plugin/pages/device/control_font_dialogs.h"
#include "plugin/platform/printer_spooler.h"
#include "plugin/platform/spooler_forms.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"
#include "win32/wide_text.h"

namespace zr640ui {
namespace {

using zr640::win::Utf16FromWide;
using zr640::win::WideFromUtf16;

// The range labels and the control-font button with its two labels are not translated.
constexpr TextBinding kCaptions[] = {
    {IDC_UTILITY_BUTTON_SELFTEST, Key::Utility_RC_SELFTEST},
    {IDC_UTILITY_LABEL_SELFTEST, Key::Utility_RC_STATIC_SELFTEST},
    {IDC_UTILITY_LABEL_CHECKCOMM, Key::Utility_RC_STATIC_CHECKCOMM},
    {IDC_UTILITY_GROUP_PAPERSIZE, Key::Utility_RC_STATIC_CUSTOMSIZE},
    {IDC_UTILITY_BUTTON_DELETE, Key::Utility_RC_BUTTON_DELETE},
    {IDC_UTILITY_BUTTON_SAVE, Key::Utility_RC_BUTTON_SAVE},
    {IDC_UTILITY_LABEL_FORMNAME, Key::Utility_RC_STATIC_FORMNAME},
    {IDC_UTILITY_LABEL_WIDTH, Key::Utility_RC_STATIC_FORMWIDTH},
    {IDC_UTILITY_LABEL_HEIGHT, Key::Utility_RC_STATIC_FORMHEIGHT},
};

constexpr TextBinding kHelp[] = {
    {IDC_UTILITY_BUTTON_SELFTEST, Key::Utility_CTEXT_SELFTEST},
    {IDC_UTILITY_LIST_FORMS, Key::Utility_CTEXT_LIST_PAPERSIZE},
    {IDC_UTILITY_BUTTON_DELETE, Key::Utility_CTEXT_BUTTON_DELETE},
    {IDC_UTILITY_BUTTON_SAVE, Key::Utility_CTEXT_BUTTON_SAVE},
    {IDC_UTILITY_EDIT_FORMNAME, Key::Utility_CTEXT_EDIT_FORMNAME},
    {IDC_UTILITY_EDIT_WIDTH, Key::Utility_CTEXT_EDIT_WIDTH},
    {IDC_UTILITY_EDIT_HEIGHT, Key::Utility_CTEXT_EDIT_HEIGHT},
};

constexpr PageDefinition kPage = {
    .section = Section::Utility, .captions = kCaptions, .help = kHelp};

// Save clamps through the form list; typing and leaving a box clamp through the fields, which
// also give the edits' limits and the spins' ranges (the spins insert no thousands
// separators: UDS_NOTHOUSANDS in the template).
constexpr NumberField kWidth{
    IDC_UTILITY_EDIT_WIDTH,
    IDC_UTILITY_SPIN_WIDTH,
    {static_cast<int>(zr640::kMinFormWidth), static_cast<int>(zr640::kMaxFormWidth)},
    static_cast<int>(zr640::kWidthTextLimit)};
constexpr NumberField kHeight{
    IDC_UTILITY_EDIT_HEIGHT,
    IDC_UTILITY_SPIN_HEIGHT,
    {static_cast<int>(zr640::kMinFormHeight), static_cast<int>(zr640::kMaxFormHeight)},
    static_cast<int>(zr640::kHeightTextLimit)};

class UtilityPage final : public DevicePage {
public:
    explicit UtilityPage(DeviceSheetContext& context)
        : DevicePage(context, kPage), store_(OpenFormStore(Printer())), forms_(*store_) {}

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    bool AttachesHelp() const override { return opened_; }

    void ShowList() const;
    void ShowSelection() const;
    void ShowBox(int edit, int spin, const std::u16string& text) const;
    void ShowBoxes() const;
    void OnSave();
    void OnDelete();
    void OnSelect();
    void OnSizeEdit(const NumberField& field, int code) const;
    void OnControlFont() const;

    std::unique_ptr<zr640::FormStore> store_;
    zr640::PaperFormList forms_;
    bool opened_ = false;
};

BOOL UtilityPage::OnInitDialog() {
    opened_ = forms_.Open();
    if (!opened_) return TRUE;  // the template's texts, an empty list and no tooltips
    Send(IDC_UTILITY_EDIT_FORMNAME, EM_LIMITTEXT, zr640::kShortNameLimit);
    kWidth.SetUp(window());
    kHeight.SetUp(window());
    SetText(IDC_UTILITY_RANGE_WIDTH, WideFromUtf16(zr640::kWidthRangeLabel));
    SetText(IDC_UTILITY_RANGE_HEIGHT, WideFromUtf16(zr640::kHeightRangeLabel));
    ShowList();
    ShowSelection();
    ShowBoxes();
    return TRUE;
}

void UtilityPage::ShowList() const {
    const HWND list = Item(IDC_UTILITY_LIST_FORMS);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::u16string& entry : forms_.entries()) {
        const std::wstring name = WideFromUtf16(entry);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void UtilityPage::ShowSelection() const {
    const auto selection = forms_.selection();
    Send(IDC_UTILITY_LIST_FORMS, LB_SETCURSEL,
         selection ? static_cast<WPARAM>(*selection) : static_cast<WPARAM>(-1));
    Enable(IDC_UTILITY_BUTTON_DELETE, forms_.deleteEnabled());
}

void UtilityPage::ShowBox(int edit, int spin, const std::u16string& text) const {
    if (Utf16FromWide(ControlText(edit)) == text) return;
    // The spin first: it writes its own position into the edit, which the text then replaces.
    Send(spin, UDM_SETPOS32, 0, static_cast<LPARAM>(zr640::ReadFormNumber(text)));
    SetText(edit, WideFromUtf16(text));
}

void UtilityPage::ShowBoxes() const {
    const zr640::FormBoxes& boxes = forms_.boxes();
    if (Utf16FromWide(ControlText(IDC_UTILITY_EDIT_FORMNAME)) != boxes.name) {
        SetText(IDC_UTILITY_EDIT_FORMNAME, WideFromUtf16(boxes.name));
    }
    ShowBox(IDC_UTILITY_EDIT_WIDTH, IDC_UTILITY_SPIN_WIDTH, boxes.width);
    ShowBox(IDC_UTILITY_EDIT_HEIGHT, IDC_UTILITY_SPIN_HEIGHT, boxes.height);
}

void UtilityPage::OnSave() {
    // A page whose set-up failed has no boxes to read; its list refuses and says why.
    if (!opened_) {
        if (const auto refusal = forms_.Save()) Show(*refusal);
        return;
    }
    forms_.SetName(Utf16FromWide(ControlText(IDC_UTILITY_EDIT_FORMNAME)));
    forms_.SetWidth(Utf16FromWide(ControlText(IDC_UTILITY_EDIT_WIDTH)));
    forms_.SetHeight(Utf16FromWide(ControlText(IDC_UTILITY_EDIT_HEIGHT)));
    const size_t before = forms_.entries().size();
    const auto refusal = forms_.Save();
    ShowBoxes();  // a size out of range shows its limit
    if (forms_.entries().size() != before) {
        ShowList();
        ShowSelection();
    }
    if (refusal) Show(*refusal);
}

// A page whose set-up failed has nothing to delete and says so.
void UtilityPage::OnDelete() {
    if (const auto refusal = forms_.DeleteSelected()) {
        Show(*refusal);
        return;
    }
    ShowList();
    ShowSelection();
    ShowBoxes();
}

void UtilityPage::OnSelect() {
    const LRESULT index = Send(IDC_UTILITY_LIST_FORMS, LB_GETCURSEL);
    if (index == LB_ERR) return;
    forms_.Select(static_cast<size_t>(index));
    ShowSelection();
    ShowBoxes();
}

// What the user types is clamped as in every number field: above the range at once, below
// it when the box is left. A size the page shows itself (a form made elsewhere may be
// larger) is not typed: it stays as shown until the box is left or the form saved.
void UtilityPage::OnSizeEdit(const NumberField& field, int code) const {
    if (code == EN_CHANGE && GetFocus() == Item(field.edit)) {
        field.Read(window(), ClampMoment::Typing);
    } else if (code == EN_KILLFOCUS) {
        field.Read(window(), ClampMoment::Leaving);
    }
}

void UtilityPage::OnControlFont() const {
    ControlFontTableDialog table(ControlFontFile());
    table.Run(window());
}

void UtilityPage::OnCommand(int control, int code) {
    if (control == IDC_UTILITY_LIST_FORMS && code == LBN_SELCHANGE) {
        if (opened_) OnSelect();
        return;
    }
    if (control == IDC_UTILITY_EDIT_WIDTH || control == IDC_UTILITY_EDIT_HEIGHT) {
        if (opened_) OnSizeEdit(control == IDC_UTILITY_EDIT_WIDTH ? kWidth : kHeight, code);
        return;
    }
    if (control == IDC_UTILITY_EDIT_FORMNAME && code == EN_CHANGE) {
        // Only the list's selection decides, never the typed name.
        if (opened_) Enable(IDC_UTILITY_BUTTON_DELETE, forms_.deleteEnabled());
        return;
    }
    if (code != BN_CLICKED) return;
    switch (control) {
    case IDC_UTILITY_BUTTON_SELFTEST:
        SendRawJob(Printer(), zr640::SelfTestJob());  // a spooler failure is not shown
        return;
    case IDC_UTILITY_BUTTON_CONTROLFONT: OnControlFont(); return;
    case IDC_UTILITY_BUTTON_SAVE: OnSave(); return;
    case IDC_UTILITY_BUTTON_DELETE: OnDelete(); return;
    default: return;
    }
}

}  // namespace

const PageDefinition& UtilityPageDefinition() { return kPage; }

INT_PTR CALLBACK UtilityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<UtilityPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
