#include "plugin/pages/framework/controls.h"

#include <commctrl.h>

#include <string>

#include "plugin/pages/framework/dialog.h"

namespace zr640ui {
namespace {

// The dialog's controls through its object's kept handles (DialogItem), not the *DlgItem*
// functions, which ask the window server for the control at every call.
LRESULT SendTo(HWND dialog, int control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    const HWND item = DialogItem(dialog, control);
    return item != nullptr ? SendMessageW(item, message, wParam, lParam) : 0;
}

void ShowNumber(HWND dialog, int control, int value) {
    SetWindowTextW(DialogItem(dialog, control), std::to_wstring(value).c_str());
}

void ReadText(HWND dialog, int control, wchar_t* text, int capacity) {
    text[0] = L'\0';
    GetWindowTextW(DialogItem(dialog, control), text, capacity);
}

}  // namespace

void CheckRadio(HWND dialog, const RadioGroup& group, std::ptrdiff_t index) {
    const int chosen = group.ControlAt(index);
    for (const int control : group.controls()) {
        SendTo(dialog, control, BM_SETCHECK, control == chosen ? BST_CHECKED : BST_UNCHECKED);
    }
}

std::optional<size_t> CheckedRadio(HWND dialog, const RadioGroup& group) {
    for (const int control : group.controls()) {
        if (SendTo(dialog, control, BM_GETCHECK) == BST_CHECKED) return group.IndexOf(control);
    }
    return std::nullopt;
}

void NumberField::SetUp(HWND dialog) const {
    if (maxCharacters > 0) {
        SendTo(dialog, edit, EM_LIMITTEXT, static_cast<WPARAM>(maxCharacters), 0);
    }
    if (spin != 0) {
        SendTo(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(range.lowest), range.highest);
    }
}

// An edit that already shows the value is left alone, so its selection and caret stay as the
// person left them.
void NumberField::Show(HWND dialog, int value) const {
    if (spin != 0) {
        SendTo(dialog, spin, UDM_SETPOS32, 0, value);  // the buddy edit follows
    }
    wchar_t shown[32] = {};
    ReadText(dialog, edit, shown, static_cast<int>(std::size(shown)));
    if (std::to_wstring(value) != shown) ShowNumber(dialog, edit, value);
}

namespace {

zr640::ui::FieldValue ReadField(const NumberField& field, HWND dialog, ClampMoment moment) {
    wchar_t typed[32] = {};
    ReadText(dialog, field.edit, typed, static_cast<int>(std::size(typed)));
    const std::wstring text(typed);
    const zr640::ui::FieldValue value =
        zr640::ui::ClampTyped(std::u16string(text.begin(), text.end()), field.range, moment);
    if (value.rewrite) {
        field.Show(dialog, value.value);
        // The caret stays at the end, so typing goes on after the clamped digits.
        SendTo(dialog, field.edit, EM_SETSEL, 32, 32);
    } else if (field.spin != 0 && !value.pending) {
        SendTo(dialog, field.spin, UDM_SETPOS32, 0, value.value);
    }
    return value;
}

}  // namespace

int NumberField::Read(HWND dialog, ClampMoment moment) const {
    return ReadField(*this, dialog, moment).value;
}

std::optional<int> NumberField::Take(HWND dialog, ClampMoment moment) const {
    const zr640::ui::FieldValue value = ReadField(*this, dialog, moment);
    if (value.pending) return std::nullopt;
    return value.value;
}

void Slider::SetUp(HWND dialog, int value) const {
    SendTo(dialog, trackbar, TBM_SETRANGEMIN, FALSE, range.lowest);
    SendTo(dialog, trackbar, TBM_SETRANGEMAX, TRUE, range.highest);
    SendTo(dialog, trackbar, TBM_SETPAGESIZE, 0, pageSize);
    SendTo(dialog, trackbar, TBM_SETLINESIZE, 0, lineSize);
    Show(dialog, value);
}

void Slider::Show(HWND dialog, int value) const {
    SendTo(dialog, trackbar, TBM_SETPOS, TRUE, value);
    if (valueLabel != 0) ShowNumber(dialog, valueLabel, value);
}

int Slider::Position(HWND dialog) const {
    return static_cast<int>(SendTo(dialog, trackbar, TBM_GETPOS, 0, 0));
}

int Slider::ShowPosition(HWND dialog) const {
    const int value = Position(dialog);
    if (valueLabel != 0) ShowNumber(dialog, valueLabel, value);
    return value;
}

void ChoiceList::Fill(HWND dialog) const {
    const HWND list = DialogItem(dialog, combo);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const Key entry : entries) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(entry)));
    }
}

void ChoiceList::Refill(HWND dialog) const {
    const LRESULT selected = SendTo(dialog, combo, CB_GETCURSEL, 0, 0);
    Fill(dialog);
    if (selected != CB_ERR) Select(dialog, selected);
}

void ChoiceList::Select(HWND dialog, std::ptrdiff_t index) const {
    SendTo(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<size_t> ChoiceList::Selected(HWND dialog) const {
    const LRESULT selected = SendTo(dialog, combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return std::nullopt;
    return static_cast<size_t>(selected);
}

}  // namespace zr640ui
