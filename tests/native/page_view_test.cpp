#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "core/driverlog/page_view.h"

namespace zr640 {
namespace {

constexpr uint32_t kFrame = 300;  // picture area client height

PageButtons Buttons(bool top, bool back, bool next, bool bottom) {
    return {top, back, next, bottom};
}

TEST(PageView, ShortLogIsShownWholeWithoutPaging) {
    PageView view;
    EXPECT_EQ(view.buttons(), Buttons(false, false, false, false));
    EXPECT_FALSE(view.printEnabled());
    view.Show(500, {200, 480}, kFrame);
    EXPECT_EQ(view.rangeMax(), 500);
    EXPECT_EQ(view.buttons(), Buttons(false, false, false, false));
    EXPECT_TRUE(view.printEnabled());
    const PicturePlacement p = view.Place(640, 320, kFrame);
    EXPECT_EQ(p.sourceHeight, 500);
    EXPECT_EQ(p.sourceWidth, 640);
    EXPECT_EQ(p.width, 320);
    EXPECT_EQ(p.height, 250);  // aspect kept
}

TEST(PageView, TallLogExactlyTwoFramesHighPagesButDoesNotScroll) {
    PageView view;
    view.Show(2 * kFrame, {100}, kFrame);
    EXPECT_EQ(view.rangeMax(), 600);
    EXPECT_TRUE(view.buttons().next);
    view.Scroll(ScrollCode::LineDown);
    EXPECT_EQ(view.Place(640, 320, kFrame).sourceY, 0);
}

TEST(PageView, NextWalksThePageEndsAndStopsAtTheScrollMaximum) {
    PageView view;
    view.Show(5000, {1000, 2500, 4800}, kFrame);  // range 0 .. 4400
    ASSERT_EQ(view.rangeMax(), 4400);
    EXPECT_EQ(view.buttons(), Buttons(false, false, true, true));

    view.Next();
    EXPECT_EQ(view.position(), 1000);
    EXPECT_EQ(view.pageIndex(), 1u);
    EXPECT_EQ(view.buttons(), Buttons(true, true, true, true));
    const PicturePlacement p = view.Place(640, 320, kFrame);
    EXPECT_EQ(p.sourceY, 1000);
    EXPECT_EQ(p.sourceWidth, 640);
    EXPECT_EQ(p.sourceHeight, 600);
    EXPECT_EQ(p.height, 300);

    view.Next();
    EXPECT_EQ(view.position(), 2500);
    view.Next();  // 4800 lies past the maximum
    EXPECT_EQ(view.position(), 4400);
    EXPECT_EQ(view.pageIndex(), 3u);
    EXPECT_EQ(view.buttons(), Buttons(true, true, false, false));
    view.Next();  // no page end left
    EXPECT_EQ(view.pageIndex(), 3u);
    EXPECT_EQ(view.position(), 4400);

    view.Back();  // to the top of the third page
    EXPECT_EQ(view.position(), 2500);
    EXPECT_EQ(view.pageIndex(), 2u);
    EXPECT_EQ(view.buttons(), Buttons(true, true, true, true));
}

TEST(PageView, BackFromTheSecondPageReturnsToTheTop) {
    PageView view;
    view.Show(5000, {1000, 2500}, kFrame);
    view.Next();
    view.Back();
    EXPECT_EQ(view.position(), 0);
    EXPECT_EQ(view.pageIndex(), 0u);
    EXPECT_EQ(view.buttons(), Buttons(false, false, true, true));
    view.Back();  // already at the top
    EXPECT_EQ(view.pageIndex(), 0u);
    EXPECT_EQ(view.buttons(), Buttons(false, false, true, true));
}

TEST(PageView, BackAfterScrollingByHandNeverTakesTheIndexBelowZero) {
    PageView view;
    view.Show(5000, {1000, 2500}, kFrame);
    view.Scroll(ScrollCode::ThumbTrack, 700);
    view.Back();
    EXPECT_EQ(view.position(), 0);
    EXPECT_EQ(view.pageIndex(), 0u);
    view.Next();
    EXPECT_EQ(view.position(), 1000);
}

TEST(PageView, ArrowToTheLimitAndBack) {
    PageView view;
    view.Show(700, {650}, kFrame);  // range 0 .. 100
    view.Scroll(ScrollCode::ThumbPosition, 98);
    EXPECT_EQ(view.buttons(), Buttons(true, true, true, true));
    view.Scroll(ScrollCode::LineDown);
    view.Scroll(ScrollCode::PageDown);
    EXPECT_EQ(view.position(), 100);
    EXPECT_EQ(view.buttons(), Buttons(true, true, false, false));
    view.Scroll(ScrollCode::LineDown);  // not past the limit
    EXPECT_EQ(view.position(), 100);
    view.Scroll(ScrollCode::LineUp);
    EXPECT_EQ(view.position(), 99);
    EXPECT_EQ(view.buttons(), Buttons(true, true, true, true));
    view.Scroll(ScrollCode::Top);
    EXPECT_EQ(view.buttons(), Buttons(false, false, true, true));
    view.Scroll(ScrollCode::PageUp);
    EXPECT_EQ(view.position(), 0);
    view.Scroll(ScrollCode::Bottom);
    EXPECT_EQ(view.position(), 100);
    view.Scroll(ScrollCode::Other);
    EXPECT_EQ(view.position(), 100);
    EXPECT_EQ(view.Place(640, 320, kFrame).sourceY, 100);
}

TEST(PageView, TopAndBottom) {
    PageView view;
    view.Show(5000, {1000, 2500, 4000}, kFrame);
    view.Bottom();
    EXPECT_EQ(view.position(), 4400);
    EXPECT_EQ(view.pageIndex(), 3u);
    EXPECT_EQ(view.buttons(), Buttons(true, true, false, false));
    view.Back();
    EXPECT_EQ(view.position(), 2500);
    view.Top();
    EXPECT_EQ(view.position(), 0);
    EXPECT_EQ(view.pageIndex(), 0u);
    EXPECT_EQ(view.buttons(), Buttons(false, false, true, true));
}

TEST(PageView, ChoosingAnotherFileRewindsBeforeItIsShown) {
    PageView view;
    view.Show(5000, {1000, 2500}, kFrame);
    view.Next();
    view.Rewind();
    EXPECT_EQ(view.position(), 0);
    EXPECT_EQ(view.pageIndex(), 0u);
    EXPECT_EQ(view.rangeMax(), 4400);  // the old picture stays until the new one is shown
    view.Show(400, {100}, kFrame);
    EXPECT_EQ(view.rangeMax(), 400);
    EXPECT_FALSE(view.buttons().next);
}

// A short last page: page ends beyond the scroll range (here 1400) must not carry the
// position past it, or line-up would not move the view for hundreds of clicks.
TEST(PageView, BackOnAShortLastPageStaysInTheRange) {
    PageView view;
    view.Show(2000, {500, 1900, 1950, 1990}, kFrame);  // range 0 .. 1400
    ASSERT_EQ(view.rangeMax(), 1400);
    view.Bottom();
    EXPECT_EQ(view.pageIndex(), 4u);
    view.Back();  // page end 2: 1950
    EXPECT_EQ(view.position(), 1400);
    view.Scroll(ScrollCode::LineUp);
    EXPECT_EQ(view.position(), 1399);
    view.Back();  // page end 1: 1900
    EXPECT_EQ(view.position(), 1400);
    view.Back();  // page end 0: 500
    EXPECT_EQ(view.position(), 500);
}

enum class Action { Top, Back, Next, Bottom, LineUp, LineDown, PageUp, PageDown, Thumb };
constexpr std::array<Action, 9> kActions = {Action::Top,    Action::Back,     Action::Next,
                                            Action::Bottom, Action::LineUp,   Action::LineDown,
                                            Action::PageUp, Action::PageDown, Action::Thumb};

void Apply(PageView& view, Action action, int32_t thumb) {
    switch (action) {
    case Action::Top: view.Top(); break;
    case Action::Back: view.Back(); break;
    case Action::Next: view.Next(); break;
    case Action::Bottom: view.Bottom(); break;
    case Action::LineUp: view.Scroll(ScrollCode::LineUp); break;
    case Action::LineDown: view.Scroll(ScrollCode::LineDown); break;
    case Action::PageUp: view.Scroll(ScrollCode::PageUp); break;
    case Action::PageDown: view.Scroll(ScrollCode::PageDown); break;
    case Action::Thumb: view.Scroll(ScrollCode::ThumbTrack, thumb); break;
    }
}

// What must hold after every action: the position inside the range, the page index within
// the page-end count, the source rows inside the picture, and line-up moving a view that is
// not at the top.
void ExpectInRange(const PageView& view, uint32_t height, size_t pageEnds, const std::string& how) {
    ASSERT_GE(view.position(), view.rangeMin()) << how;
    ASSERT_LE(view.position(), view.rangeMax()) << how;
    ASSERT_LE(view.pageIndex(), pageEnds) << how;
    const PicturePlacement p = view.Place(640, 320, kFrame);
    ASSERT_GE(p.sourceY, 0) << how;
    ASSERT_LE(p.sourceY + p.sourceHeight, std::max<int64_t>(height, p.sourceHeight)) << how;
    if (view.position() > 0) {
        PageView moved = view;
        moved.Scroll(ScrollCode::LineUp);
        ASSERT_EQ(moved.position(), view.position() - 1) << how;
    }
}

struct Log {
    uint32_t height;
    std::vector<uint32_t> pageEnds;
};

// Heights around one and two frames and far beyond; page ends anywhere up to past the
// bottom, in file order, with repeats, as a print file can give them.
std::vector<Log> GeneratedLogs() {
    std::mt19937 random(20240611);  // fixed: every run checks the same logs
    std::vector<Log> logs;
    const std::vector<uint32_t> heights = {
        1, kFrame - 1, kFrame, 2 * kFrame - 1, 2 * kFrame, 2 * kFrame + 1, 2000, 5000, 100000};
    for (const uint32_t height : heights) {
        for (int n = 0; n < 6; ++n) {
            Log log{height, {}};
            const auto count = std::uniform_int_distribution<size_t>(0, 7)(random);
            std::uniform_int_distribution<uint32_t> row(0, height + height / 4 + 10);
            for (size_t i = 0; i < count; ++i) log.pageEnds.push_back(row(random));
            std::sort(log.pageEnds.begin(), log.pageEnds.end());
            logs.push_back(log);
        }
    }
    return logs;
}

TEST(PageView, NeverLeavesItsRangeForAnySequenceOfButtonsAndScrolls) {
    std::mt19937 random(5);
    for (const Log& log : GeneratedLogs()) {
        const std::string what = "height " + std::to_string(log.height) + ", " +
                                 std::to_string(log.pageEnds.size()) + " page ends";
        // Every sequence of four actions, from a fresh view.
        constexpr size_t kLength = 4;
        size_t sequences = 1;
        for (size_t i = 0; i < kLength; ++i) sequences *= kActions.size();
        for (size_t code = 0; code < sequences; ++code) {
            PageView view;
            view.Show(log.height, log.pageEnds, kFrame);
            std::string how = what + ":";
            size_t rest = code;
            for (size_t i = 0; i < kLength; ++i, rest /= kActions.size()) {
                const Action action = kActions[rest % kActions.size()];
                Apply(view, action, static_cast<int32_t>(log.height) + 5);
                how += " " + std::to_string(static_cast<int>(action));
                ExpectInRange(view, log.height, log.pageEnds.size(), how);
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
        // And long random walks, with a new picture shown in between as the window does.
        for (int walk = 0; walk < 20; ++walk) {
            PageView view;
            view.Show(log.height, log.pageEnds, kFrame);
            for (int step = 0; step < 200; ++step) {
                const Action action = kActions[random() % kActions.size()];
                const auto thumb = static_cast<int32_t>(random() % (log.height + 100)) - 50;
                Apply(view, action, thumb);
                ExpectInRange(view, log.height, log.pageEnds.size(), what + " walk");
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

}  // namespace
}  // namespace zr640
