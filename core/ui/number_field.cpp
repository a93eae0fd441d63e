#include "core/ui/number_field.h"

#include <algorithm>

namespace zr640::ui {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

FieldValue ClampTyped(std::u16string_view typed, NumberRange range, ClampMoment moment) {
    const std::u16string_view text = Trimmed(typed);
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
        return c >= u'0' && c <= u'9';
    });
    const bool typing = moment == ClampMoment::Typing;
    if (!digits) return {range.lowest, !typing, typing};
    int64_t number = 0;
    for (const char16_t c : text) {
        number = number * 10 + (c - u'0');
        if (number > range.highest) break;  // no overflow, and the answer is known
    }
    if (number > range.highest) return {range.highest, true};
    if (number < range.lowest) {
        if (typing) return {static_cast<int32_t>(number), false, true};
        return {range.lowest, true};
    }
    // A typed "007" is stored as 7 and shown as typed until the field is left. While it is
    // typed it waits: an up-down moved to 7 would write "7" over it and put the caret before
    // it, so that "075" typed on would read 57.
    const bool canonical = text.size() == 1 || text.front() != u'0';
    return {static_cast<int32_t>(number), !typing && !canonical, typing && !canonical};
}

}  // namespace zr640::ui
