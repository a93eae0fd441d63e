#include <gtest/gtest.h>

#include "core/ui/number_field.h"
#include "core/ui/radio_group.h"

namespace zr640::ui {
namespace {

constexpr NumberRange kFontSize{8, 72};

struct Typed {
    const char16_t* text;
    ClampMoment moment;
    int32_t value;
    bool rewrite;
    bool pending = false;
};

class NumberFieldTest : public ::testing::TestWithParam<Typed> {};

TEST_P(NumberFieldTest, ClampsAndSaysWhenTheEditMustShowTheStoredValue) {
    const Typed& t = GetParam();
    const FieldValue field = ClampTyped(t.text, kFontSize, t.moment);
    EXPECT_EQ(field.value, t.value);
    EXPECT_EQ(field.rewrite, t.rewrite);
    EXPECT_EQ(field.pending, t.pending);
}

INSTANTIATE_TEST_SUITE_P(
    TypingAndLeaving, NumberFieldTest,
    ::testing::Values(
        // Below the range while typing stands, so "1" on the way to "12" is not replaced.
        Typed{u"5", ClampMoment::Typing, 5, false, true},
        Typed{u"5", ClampMoment::Leaving, 8, true},
        // The lowest value itself is complete: it is stored as typed.
        Typed{u"8", ClampMoment::Typing, 8, false},
        // Above the range is clamped at once.
        Typed{u"99", ClampMoment::Typing, 72, true}, Typed{u"72", ClampMoment::Typing, 72, false},
        Typed{u"8", ClampMoment::Leaving, 8, false},
        // Digits far beyond 32 bits neither overflow nor wrap.
        Typed{u"99999999999999999999", ClampMoment::Typing, 72, true},
        // Empty or not a number: nothing to store while typing, the lowest when leaving.
        Typed{u"", ClampMoment::Typing, 8, false, true}, Typed{u"", ClampMoment::Leaving, 8, true},
        Typed{u"1a", ClampMoment::Typing, 8, false, true},
        Typed{u"1a", ClampMoment::Leaving, 8, true}, Typed{u"-5", ClampMoment::Leaving, 8, true},
        // Blanks around the digits are ignored; leading zeros wait while typing (an up-down moved
        // to the value would rewrite the text under the caret) and are shown away when leaving.
        Typed{u" 12 ", ClampMoment::Leaving, 12, false},
        Typed{u"012", ClampMoment::Typing, 12, false, true},
        Typed{u"012", ClampMoment::Leaving, 12, true}));

TEST(RadioGroup, MapsValuesToControlsAndBack) {
    static constexpr int kControls[] = {1201, 1202, 1203};
    constexpr RadioGroup group{kControls};
    static_assert(group.IndexOf(1202) == 1u);
    EXPECT_EQ(group.IndexOf(1999), std::nullopt);
    EXPECT_EQ(group.ControlAt(0), 1201);
    EXPECT_EQ(group.ControlAt(2), 1203);
    // A stored value outside the group still checks one button: the nearest end.
    EXPECT_EQ(group.ControlAt(7), 1203);
    EXPECT_EQ(group.ControlAt(-1), 1201);
}

}  // namespace
}  // namespace zr640::ui
