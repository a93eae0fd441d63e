#include "plugin/pages/framework/controls.h"

#include <commctrl.h>

#include <string>

namespace zr640ui {

void CheckRadio(HWND dialog, const RadioGroup& group, std::ptrdiff_t index) {
    const int chosen = group.ControlAt(index);
    for (const int control : group.controls()) {
        CheckDlgButton(dialog, control, control == chosen ? BST_CHECKED : BST_UNCHECKED);
    }
}

std::optional<size_t> CheckedRadio(HWND dialog, const RadioGroup& group) {
    for (const int control : group.controls()) {
        if (IsDlgButtonChecked(dialog, control) == BST_CHECKED) return group.IndexOf(control);
    }
    return std::nullopt;
}

void NumberField::SetUp(HWND dialog) const {
    if (maxCharacters > 0) {
        SendDlgItemMessageW(dialog, edit, EM_LIMITTEXT, static_cast<WPARAM>(maxCharacters), 0);
    }
    if (spin != 0) {
        SendDlgItemMessageW(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(range.lowest),
                            range.highest);
    }
}

// An edit that already shows the value is left alone, so its selection and caret stay as the
// person left them.
void NumberField::Show(HWND dialog, int value) const {
    if (spin != 0) {
        SendDlgItemMessageW(dialog, spin, UDM_SETPOS32, 0, value);  // the buddy edit follows
    }
    wchar_t shown[32] = {};
    GetDlgItemTextW(dialog, edit, shown, static_cast<int>(std::size(shown)));
    if (std::to_wstring(value) != shown)
        SetDlgItemInt(dialog, edit, static_cast<UINT>(value), TRUE);
}

namespace {

zr640::ui::FieldValue ReadField(const NumberField& field, HWND dialog, ClampMoment moment) {
    wchar_t typed[32] = {};
    GetDlgItemTextW(dialog, field.edit, typed, static_cast<int>(std::size(typed)));
    const std::wstring text(typed);
    const zr640::ui::FieldValue value =
        zr640::ui::ClampTyped(std::u16string(text.begin(), text.end()), field.range, moment);
    if (value.rewrite) {
        field.Show(dialog, value.value);
        // The caret stays at the end, so typing goes on after the clamped digits.
        SendDlgItemMessageW(dialog, field.edit, EM_SETSEL, 32, 32);
    } else if (field.spin != 0 && !value.pending) {
        SendDlgItemMessageW(dialog, field.spin, UDM_SETPOS32, 0, value.value);
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
    SendDlgItemMessageW(dialog, trackbar, TBM_SETRANGEMIN, FALSE, range.lowest);
    SendDlgItemMessageW(dialog, trackbar, TBM_SETRANGEMAX, TRUE, range.highest);
    SendDlgItemMessageW(dialog, trackbar, TBM_SETPAGESIZE, 0, pageSize);
    SendDlgItemMessageW(dialog, trackbar, TBM_SETLINESIZE, 0, lineSize);
    Show(dialog, value);
}

void Slider::Show(HWND dialog, int value) const {
    SendDlgItemMessageW(dialog, trackbar, TBM_SETPOS, TRUE, value);
    if (valueLabel != 0) SetDlgItemInt(dialog, valueLabel, static_cast<UINT>(value), TRUE);
}

int Slider::Position(HWND dialog) const {
    return static_cast<int>(SendDlgItemMessageW(dialog, trackbar, TBM_GETPOS, 0, 0));
}

int Slider::ShowPosition(HWND dialog) const {
    const int value = Position(dialog);
    if (valueLabel != 0) SetDlgItemInt(dialog, valueLabel, static_cast<UINT>(value), TRUE);
    return value;
}

void ChoiceList::Fill(HWND dialog) const {
    const HWND list = GetDlgItem(dialog, combo);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const Key entry : entries) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(entry)));
    }
}

void ChoiceList::Refill(HWND dialog) const {
    const LRESULT selected = SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0);
    Fill(dialog);
    if (selected != CB_ERR) Select(dialog, selected);
}

void ChoiceList::Select(HWND dialog, std::ptrdiff_t index) const {
    SendDlgItemMessageW(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<size_t> ChoiceList::Selected(HWND dialog) const {
    const LRESULT selected = SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return std::nullopt;
    return static_cast<size_t>(selected);
}

}  // namespace zr640ui
