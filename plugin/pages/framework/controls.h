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

// Where a control goes: a position in the dialog's client area, in pixels.
struct ControlPlace {
    int control;
    int x;
    int y;
};

// Moves each control to its place; sizes and the z-order stay as the template made them
// (a template may keep a group of controls out of sight below the page until it is placed).
void PlaceControls(HWND dialog, std::span<const ControlPlace> places);

// An edit with its up-down control: a range, a character limit, and the clamp rule of
// zr640::ui::ClampTyped with the clamped value written back to the edit and the spin.
struct NumberField {
    int edit;
    int spin;  // 0: the edit has no up-down
    NumberRange range;
    int maxCharacters;  // the edit's limit; 0 leaves the template's

    void SetUp(HWND dialog) const;
    void Show(HWND dialog, int value) const;
    // Reads and clamps what was typed; returns the value to store.
    int Read(HWND dialog, ClampMoment moment) const;

    // For a field whose clamp is a rule of its own (one that reads Typed() and stores the
    // value): shows the value the rule kept. The up-down moves to it and its buddy edit follows
    // (the up-down keeps to its own range, and the edit then shows that end); an edit without
    // an up-down is rewritten. Either way the edit is rewritten only when it shows something
    // else, with the caret at the end, so its change notification does not come round again.
    std::u16string Typed(HWND dialog) const;
    void ShowKept(HWND dialog, int value) const;
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
