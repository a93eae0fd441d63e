#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zr640
