// Control bindings as data: a page's tables name its radio groups, number fields, sliders
// and lists, and these helpers move values between the controls and the page.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "core/ui/number_field.h"
#include "core/ui/radio_group.h"
#include "plugin/localisation/texts.h"

namespace zr640ui {

using zr640::ui::ClampMoment;
using zr640::ui::NumberRange;
using zr640::ui::RadioGroup;

// Checks the value's button and clears the others of the group.
void CheckRadio(HWND dialog, const RadioGroup& group, std::ptrdiff_t index);
// The value of the checked button, or nothing when none is checked.
std::optional<size_t> CheckedRadio(HWND dialog, const RadioGroup& group);

// An edit with its up-down control: a range, a character limit, and the clamp rule of
// zr640::ui::ClampTyped with the clamped value written back to the edit and the spin.
struct NumberField {
    int edit;
    int spin;  // 0: the edit has no up-down
    NumberRange range;
    int maxCharacters;  // the edit's limit; 0 leaves the template's

    void SetUp(HWND dialog) const;
    void Show(HWND dialog, int value) const;
    // Reads and clamps what was typed, rewriting the edit and moving the up-down as the rule
    // says; returns the value to store.
    int Read(HWND dialog, ClampMoment moment) const;
    // The same, but nothing while the value is still being typed below the range (or is no
    // number yet): such a value is stored only when the field is left.
    std::optional<int> Take(HWND dialog, ClampMoment moment) const;
};

// A track bar with the label that shows its value.
struct Slider {
    int trackbar;
    int valueLabel;  // 0: no label
    NumberRange range;
    int pageSize;
    int lineSize;

    void SetUp(HWND dialog, int value) const;
    void Show(HWND dialog, int value) const;
    int Position(HWND dialog) const;
    // Shows the track bar's current position in the label and returns it.
    int ShowPosition(HWND dialog) const;
};

// A drop-down list whose entries are catalogue texts, in order; refilled from the loaded
// texts after every reload with its selection kept.
struct ChoiceList {
    int combo;
    std::span<const Key> entries;

    void Fill(HWND dialog) const;
    // Clears and fills the list again; the selected entry (by index) stays selected.
    void Refill(HWND dialog) const;
    void Select(HWND dialog, std::ptrdiff_t index) const;
    // The selected index, or nothing.
    std::optional<size_t> Selected(HWND dialog) const;
};

}  // namespace zr640ui
