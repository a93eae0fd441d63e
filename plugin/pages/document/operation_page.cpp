// The Operation page: one button per moment of a job, each opening the event-operation dialog
// on that moment's block of the settings record. The dialog edits a copy of the block; OK
// writes it back and tells the sheet, Cancel leaves the record as it was.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>

#include "core/operation/event_operation.h"
#include "core/operation/hex_command.h"
#include "core/settings/private_devmode.h"
#include "plugin/module.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/modal_dialog.h"
#include "plugin/pages/framework/hex_edit.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"
#include "win32/wide_text.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

using zr640::win::Utf16FromWide;
using zr640::win::WideFromUtf16;

using zr640::EventDialogValues;
using zr640::EventOperation;
using zr640::OperationEvent;

constexpr TextBinding kCaptions[] = {
    {IDC_OPERATION_BUTTON_STARTDOC, Key::Operation_RC_STARTDOC},
    {IDC_OPERATION_BUTTON_STARTPAGE, Key::Operation_RC_STARTPAGE},
    {IDC_OPERATION_BUTTON_ENDPAGE, Key::Operation_RC_ENDPAGE},
    {IDC_OPERATION_BUTTON_ENDDOC, Key::Operation_RC_ENDDOC},
    {IDC_OPERATION_LABEL_STARTDOC, Key::Operation_RC_STATIC_SDOC},
    {IDC_OPERATION_LABEL_STARTPAGE, Key::Operation_RC_STATIC_SPAGE},
    {IDC_OPERATION_LABEL_ENDPAGE, Key::Operation_RC_STATIC_ENDPAGE},
    {IDC_OPERATION_LABEL_ENDDOC, Key::Operation_RC_STATIC_ENDDOC},
};

// The page itself has no tooltip help; its event-operation dialog has its own.
constexpr PageDefinition kPage = {Section::Operation, kCaptions, {}};

// ---- The event-operation dialog -------------------------------------------------------------

constexpr TextBinding kDialogCaptions[] = {
    {IDC_EVENT_CHECK_SENDCOMMAND, Key::Document_RC_SEND_COMMAND},
    {IDC_EVENT_RADIO_DRAWER, Key::Document_RC_OPEN_DRAWER},
    {IDC_EVENT_RADIO_MESSENGER, Key::Document_RC_ORDER_MESSENGER},
    {IDC_EVENT_LABEL_BUZZER, Key::Document_RC_STATIC_OPERATION_BUZZER},
    {IDC_EVENT_LABEL_VOLUME, Key::Document_RC_STATIC_BUZZER_VOLUME},
    {IDC_EVENT_LABEL_FEED, Key::Document_RC_STATIC_OPERATION_FEED},
    {IDC_EVENT_CHECK_FEEDTOCUT, Key::Document_RC_FEEDTOPOSITION},
    {IDC_EVENT_LABEL_PAPERCUT, Key::Document_RC_PAPERCUT},
    {IDC_EVENT_LABEL_LOGO, Key::Document_RC_STATIC_OPERATION_LOGO},
    {IDC_EVENT_LABEL_ALIGN, Key::Document_RC_STATIC_OPERATION_ALIGN},
    {IDC_EVENT_RADIO_LEFT, Key::Document_RC_LEFT},
    {IDC_EVENT_RADIO_CENTERED, Key::Document_RC_CENTERED},
    {IDC_EVENT_RADIO_RIGHT, Key::Document_RC_RIGHT},
    {IDC_EVENT_LABEL_POSITION, Key::Document_RC_STATIC_OPERATION_POSITION},
    {IDC_EVENT_RADIO_BEFORECUT, Key::Document_RC_BEFORE_CUT},
    {IDC_EVENT_RADIO_AFTERCUT, Key::Document_RC_AFTER_CUT},
    {IDC_EVENT_BUTTON_DEFAULT, Key::Document_RC_OPERATION_DEFAULT},
    {IDOK, Key::Document_RC_OPERATION_OK},
    {IDCANCEL, Key::Document_RC_OPERATION_CANCEL},
};

constexpr TextBinding kDialogHelp[] = {
    {IDC_EVENT_CHECK_SENDCOMMAND, Key::Document_CTEXT_SEND_COMMAND},
    {IDC_EVENT_EDIT_COMMAND, Key::Document_CTEXT_EDIT},
    {IDC_EVENT_RADIO_DRAWER, Key::Document_CTEXT_OPEN_DRAWER},
    {IDC_EVENT_COMBO_DRAWER, Key::Document_CTEXT_OPENDRAWER},
    {IDC_EVENT_RADIO_MESSENGER, Key::Document_CTEXT_ORDER_MESSENGER},
    {IDC_EVENT_COMBO_MESSENGER, Key::Document_CTEXT_ORDERMESSENGER},
    {IDC_EVENT_COMBO_BUZZER, Key::Document_CTEXT_BUZZER},
    {IDC_EVENT_EDIT_VOLUME, Key::Document_CTEXT_BUZZERVOLUME},
    {IDC_EVENT_EDIT_FEED, Key::Document_CTEXT_PAPER_FEED},
    {IDC_EVENT_CHECK_FEEDTOCUT, Key::Document_CTEXT_FEEDTOPOSITION},
    {IDC_EVENT_COMBO_PAPERCUT, Key::Document_CTEXT_PAPER_CUT},
    {IDC_EVENT_COMBO_LOGO, Key::Document_CTEXT_PRINT_LOGO},
    {IDC_EVENT_RADIO_LEFT, Key::Document_CTEXT_LEFT},
    {IDC_EVENT_RADIO_CENTERED, Key::Document_CTEXT_CENTERED},
    {IDC_EVENT_RADIO_RIGHT, Key::Document_CTEXT_RIGHT},
    {IDC_EVENT_RADIO_BEFORECUT, Key::Document_CTEXT_BEFORE_CUT},
    {IDC_EVENT_RADIO_AFTERCUT, Key::Document_CTEXT_AFTER_CUT},
    {IDC_EVENT_BUTTON_DEFAULT, Key::Document_CTEXT_IDDEFAULT},
    {IDOK, Key::Document_CTEXT_IDOK},
    {IDCANCEL, Key::Document_CTEXT_IDCANCEL},
};

constexpr DialogDefinition kDialog = {IDD_EVENT_OPERATION, Section::Document, kDialogCaptions,
                                      kDialogHelp};

constexpr Key kDrawers[] = {
    Key::Document_RC_OPENDRAWER1,  Key::Document_RC_OPENDRAWER2,  Key::Document_RC_OPENDRAWER3,
    Key::Document_RC_OPENDRAWER4,  Key::Document_RC_OPENDRAWER5,  Key::Document_RC_OPENDRAWER6,
    Key::Document_RC_OPENDRAWER7,  Key::Document_RC_OPENDRAWER8,  Key::Document_RC_OPENDRAWER9,
    Key::Document_RC_OPENDRAWER10, Key::Document_RC_OPENDRAWER11, Key::Document_RC_OPENDRAWER12,
    Key::Document_RC_OPENDRAWER13,
};
constexpr Key kMessengers[] = {Key::Document_RC_ORDERMESSENGER1, Key::Document_RC_ORDERMESSENGER2};
constexpr Key kBuzzers[] = {
    Key::Document_RC_OPERATION_BUZZER1, Key::Document_RC_OPERATION_BUZZER2,
    Key::Document_RC_OPERATION_BUZZER3, Key::Document_RC_OPERATION_BUZZER4,
    Key::Document_RC_OPERATION_BUZZER5, Key::Document_RC_OPERATION_BUZZER6,
};
constexpr Key kCuts[] = {Key::Document_RC_PAPER_CUT1, Key::Document_RC_PAPER_CUT2,
                         Key::Document_RC_PAPER_CUT3};
constexpr Key kLogos[] = {
    Key::Document_RC_PRINT_LOGO1,  Key::Document_RC_PRINT_LOGO2, Key::Document_RC_PRINT_LOGO3,
    Key::Document_RC_PRINT_LOGO4,  Key::Document_RC_PRINT_LOGO5, Key::Document_RC_PRINT_LOGO6,
    Key::Document_RC_PRINT_LOGO7,  Key::Document_RC_PRINT_LOGO8, Key::Document_RC_PRINT_LOGO9,
    Key::Document_RC_PRINT_LOGO10,
};
static_assert(std::size(kDrawers) == zr640::kDrawerChoices);
static_assert(std::size(kMessengers) == zr640::kMessengerChoices);
static_assert(std::size(kBuzzers) == zr640::kBuzzerChoices);
static_assert(std::size(kCuts) == zr640::kCutChoices);
static_assert(std::size(kLogos) == zr640::kLogoChoices);

constexpr ChoiceList kDrawerList{IDC_EVENT_COMBO_DRAWER, kDrawers};
constexpr ChoiceList kMessengerList{IDC_EVENT_COMBO_MESSENGER, kMessengers};
constexpr ChoiceList kBuzzerList{IDC_EVENT_COMBO_BUZZER, kBuzzers};
constexpr ChoiceList kCutList{IDC_EVENT_COMBO_PAPERCUT, kCuts};
constexpr ChoiceList kLogoList{IDC_EVENT_COMBO_LOGO, kLogos};

constexpr NumberField kFeed{
    IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, {0, static_cast<int32_t>(zr640::kFeedMmMax)}, 3};
constexpr NumberField kVolume{IDC_EVENT_EDIT_VOLUME,
                              IDC_EVENT_SPIN_VOLUME,
                              {0, static_cast<int32_t>(zr640::kBuzzerVolumeMax)},
                              3};

constexpr int kAlignControls[] = {IDC_EVENT_RADIO_LEFT, IDC_EVENT_RADIO_CENTERED,
                                  IDC_EVENT_RADIO_RIGHT};
constexpr RadioGroup kAlign{kAlignControls};
constexpr int kPositionControls[] = {IDC_EVENT_RADIO_BEFORECUT, IDC_EVENT_RADIO_AFTERCUT};
constexpr RadioGroup kPosition{kPositionControls};
constexpr int kPlaceControls[] = {IDC_EVENT_RADIO_LEFT, IDC_EVENT_RADIO_CENTERED,
                                  IDC_EVENT_RADIO_RIGHT, IDC_EVENT_RADIO_BEFORECUT,
                                  IDC_EVENT_RADIO_AFTERCUT};
constexpr int kVolumeControls[] = {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME};

// Stretches a bitmap resource of the module over the area; a missing resource draws nothing.
void DrawBitmapResource(HDC dc, const RECT& area, int bitmapId) {
    const zr640::win::ScopedGdiObject picture(LoadImageW(
        ModuleInstance(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size = {};
    if (picture.get() == nullptr || GetObjectW(picture.get(), sizeof size, &size) == 0) return;
    const zr640::win::MemoryDC memory(dc);
    const zr640::win::ScopedSelection selected(memory.get(), picture.get());
    if (!selected.ok()) return;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               memory.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
}

int Selection(HWND dialog, const ChoiceList& list) {
    const std::optional<size_t> selected = list.Selected(dialog);
    return selected ? static_cast<int>(*selected) : -1;
}

// One moment's operations. The dialog works on its own copy of the block; the page reads
// it back after OK.
class EventDialog final : public ModalDialog {
public:
    EventDialog(OperationEvent event, const EventOperation& block)
        : ModalDialog(kDialog), event_(event), block_(block) {}

    const EventOperation& block() const { return block_; }

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    bool OnPaint() override;
    bool OnOk() override;

    void ShowValues(const EventDialogValues& values, const std::u16string& command) const;
    void ShowControlStates(const EventDialogValues& values) const;
    EventDialogValues ReadValues() const;
    void RedrawPreview() const;

    OperationEvent event_;
    EventOperation block_;
};

BOOL EventDialog::OnInitDialog() {
    SetWindowTextW(window(), Text(zr640::EventDialogTitle(event_)));
    // The filter goes on before the tooltip help, which the framework attaches after this
    // handler, so the help sees the edit's messages first.
    InstallHexCommandFilter(Item(IDC_EVENT_EDIT_COMMAND));
    for (const ChoiceList* list :
         {&kDrawerList, &kMessengerList, &kBuzzerList, &kCutList, &kLogoList}) {
        list->Fill(window());
    }
    kFeed.SetUp(window());
    kVolume.SetUp(window());
    ShowValues(zr640::FromBlock(block_), zr640::CommandTextOf(block_));
    return TRUE;
}

void EventDialog::ShowValues(const EventDialogValues& values, const std::u16string& command) const {
    SetText(IDC_EVENT_EDIT_COMMAND, WideFromUtf16(command));
    Check(IDC_EVENT_CHECK_SENDCOMMAND, values.sendCommand);
    Check(IDC_EVENT_CHECK_FEEDTOCUT, values.feedToCut);
    kDrawerList.Select(window(), values.cashDrawer);
    kMessengerList.Select(window(), values.messenger);
    kCutList.Select(window(), values.paperCut);
    kFeed.Show(window(), static_cast<int>(values.feedMm));
    kBuzzerList.Select(window(), values.buzzer);
    kVolume.Show(window(), static_cast<int>(values.buzzerVolume));
    kLogoList.Select(window(), values.logo);
    Check(IDC_EVENT_RADIO_DRAWER, !values.useMessenger);
    Check(IDC_EVENT_RADIO_MESSENGER, values.useMessenger);
    if (values.logoAlign >= 0 && values.logoAlign < static_cast<int>(std::size(kAlignControls))) {
        CheckRadio(window(), kAlign, values.logoAlign);
    } else {
        for (const int control : kAlignControls)
            Check(control, false);  // a stored value no radio means
    }
    CheckRadio(window(), kPosition, values.beforeCut ? 0 : 1);
    ShowControlStates(values);
    RedrawPreview();
}

void EventDialog::ShowControlStates(const EventDialogValues& values) const {
    const zr640::EventControlStates states = zr640::ControlStatesOf(values);
    Enable(IDC_EVENT_EDIT_COMMAND, states.commandEdit);
    Enable(IDC_EVENT_COMBO_DRAWER, states.drawerList);
    Enable(IDC_EVENT_COMBO_MESSENGER, states.messengerList);
    Enable(kVolumeControls, states.volume);
    Enable(kPlaceControls, states.logoPlacement);
}

EventDialogValues EventDialog::ReadValues() const {
    EventDialogValues values;
    values.sendCommand = Checked(IDC_EVENT_CHECK_SENDCOMMAND);
    values.feedToCut = Checked(IDC_EVENT_CHECK_FEEDTOCUT);
    values.useMessenger = !Checked(IDC_EVENT_RADIO_DRAWER);
    values.cashDrawer = Selection(window(), kDrawerList);
    values.messenger = Selection(window(), kMessengerList);
    values.buzzer = Selection(window(), kBuzzerList);
    values.buzzerVolume = static_cast<uint32_t>(kVolume.Read(window(), ClampMoment::Leaving));
    values.feedMm = static_cast<uint32_t>(kFeed.Read(window(), ClampMoment::Leaving));
    values.paperCut = Selection(window(), kCutList);
    values.logo = Selection(window(), kLogoList);
    values.logoAlign = Checked(IDC_EVENT_RADIO_LEFT)       ? 0
                       : Checked(IDC_EVENT_RADIO_CENTERED) ? 1
                                                           : 2;
    values.beforeCut = Checked(IDC_EVENT_RADIO_BEFORECUT);
    return values;
}

void EventDialog::RedrawPreview() const {
    const HWND frame = Item(IDC_EVENT_FRAME_PREVIEW);
    RECT area;
    if (frame == nullptr || !GetWindowRect(frame, &area)) return;
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(window(), &area, FALSE);
    InvalidateRect(frame, nullptr, FALSE);
}

void EventDialog::OnCommand(int control, int code) {
    switch (control) {
    case IDC_EVENT_CHECK_SENDCOMMAND:
        Enable(IDC_EVENT_EDIT_COMMAND, Checked(IDC_EVENT_CHECK_SENDCOMMAND));
        break;
    case IDC_EVENT_RADIO_DRAWER:
    case IDC_EVENT_RADIO_MESSENGER:
        if (code != BN_CLICKED) return;
        Check(IDC_EVENT_RADIO_DRAWER, control == IDC_EVENT_RADIO_DRAWER);
        Check(IDC_EVENT_RADIO_MESSENGER, control == IDC_EVENT_RADIO_MESSENGER);
        Enable(IDC_EVENT_COMBO_DRAWER, control == IDC_EVENT_RADIO_DRAWER);
        Enable(IDC_EVENT_COMBO_MESSENGER, control == IDC_EVENT_RADIO_MESSENGER);
        break;
    case IDC_EVENT_COMBO_BUZZER:
        if (code != CBN_SELCHANGE) return;
        Enable(kVolumeControls, Selection(window(), kBuzzerList) > 0);
        break;
    case IDC_EVENT_COMBO_LOGO:  // any notification
        Enable(kPlaceControls, Selection(window(), kLogoList) > 0);
        break;
    case IDC_EVENT_EDIT_FEED:
        if (code == EN_CHANGE) kFeed.Read(window(), ClampMoment::Typing);
        if (code == EN_KILLFOCUS) kFeed.Read(window(), ClampMoment::Leaving);
        break;
    case IDC_EVENT_EDIT_VOLUME:
        if (code == EN_CHANGE) kVolume.Read(window(), ClampMoment::Typing);
        if (code == EN_KILLFOCUS) kVolume.Read(window(), ClampMoment::Leaving);
        break;
    case IDC_EVENT_COMBO_PAPERCUT:
        if (code == CBN_SELCHANGE) RedrawPreview();
        break;
    case IDC_EVENT_CHECK_FEEDTOCUT: RedrawPreview(); break;
    case IDC_EVENT_BUTTON_DEFAULT:
        if (code == BN_CLICKED) ShowValues(zr640::DefaultEventValues(event_), u"");
        break;
    default: break;
    }
}

// The paper-strip picture for the event, "feed to cut position" and the cut choice, drawn over
// the preview frame's client area.
bool EventDialog::OnPaint() {
    {
        const zr640::win::PaintDC paint(window());
        (void)paint;
    }
    const HWND frame = Item(IDC_EVENT_FRAME_PREVIEW);
    if (frame == nullptr) return true;
    RECT area;
    GetClientRect(frame, &area);
    const zr640::win::WindowDC dc(frame);
    if (dc.get() == nullptr) return true;
    const bool cut = zr640::CutChosen(Selection(window(), kCutList));
    DrawBitmapResource(dc.get(), area,
                       zr640::PreviewBitmapId(event_, Checked(IDC_EVENT_CHECK_FEEDTOCUT), cut));
    return true;
}

bool EventDialog::OnOk() {
    const zr640::EventOkResult result =
        zr640::ToBlock(ReadValues(), Utf16FromWide(ControlText(IDC_EVENT_EDIT_COMMAND)));
    if (!result.ok()) {
        Show(zr640::text::Message{result.refusal->text, result.refusal->caption});
        return false;  // nothing stored; the text can be shortened
    }
    block_ = result.block;
    return true;
}

// ---- The page ------------------------------------------------------------------------------

class OperationPage final : public DocumentPage {
public:
    explicit OperationPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}

private:
    void OnCommand(int control, int code) override;
    void EditEvent(OperationEvent event) const;
};

void OperationPage::OnCommand(int control, int code) {
    if (code != BN_CLICKED) return;
    switch (control) {
    case IDC_OPERATION_BUTTON_STARTDOC: EditEvent(OperationEvent::kStartOfDocument); break;
    case IDC_OPERATION_BUTTON_STARTPAGE: EditEvent(OperationEvent::kStartOfPage); break;
    case IDC_OPERATION_BUTTON_ENDPAGE: EditEvent(OperationEvent::kEndOfPage); break;
    case IDC_OPERATION_BUTTON_ENDDOC: EditEvent(OperationEvent::kEndOfDocument); break;
    default: break;
    }
}

void OperationPage::EditEvent(OperationEvent event) const {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    EventDialog dialog(event, zr640::ReadEventBlock(*record, event));
    if (dialog.Run(window()) != IDOK) return;
    zr640::WriteEventBlock(*record, event, dialog.block());
    NotifyChanged();
}

}  // namespace

const PageDefinition& OperationPageDefinition() { return kPage; }

INT_PTR CALLBACK OperationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<OperationPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
