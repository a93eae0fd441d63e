// The rule every numeric field of the pages follows: what the user typed is read as a
// decimal number and clamped into the field's range, and the edit then shows the clamped
// value. While typing, only a value above the range is clamped at once (so "1" on the way to
// "12" in an 8..72 field stands); when the field loses focus both ends are.
#pragma once

#include <cstdint>
#include <string_view>

namespace zr640::ui {

struct NumberRange {
    int32_t lowest;
    int32_t highest;
};

enum class ClampMoment { Typing, Leaving };

struct FieldValue {
    int32_t value;  // the value to store
    bool rewrite;   // the edit must show `value` instead of what was typed
    // While typing: the text is no number yet, lies below the range or has leading zeros, so
    // there is nothing to store until more keys come or the field is left.
    bool pending = false;
};

// Reads the typed text: leading and trailing blanks are ignored, and anything but decimal
// digits (or an empty text) reads as the lowest value when leaving, and leaves the field alone
// (no rewrite, value = lowest, pending) while typing. Values too large for 32 bits read as the
// highest.
FieldValue ClampTyped(std::u16string_view typed, NumberRange range, ClampMoment moment);

}  // namespace zr640::ui
