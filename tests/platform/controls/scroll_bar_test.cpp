#include "platform/controls/control_messages.h"
#include "platform/controls/scroll_bar.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// A vertical bar 116 pixels long: 16-pixel arrows, a track of 84.
ScrollBar verticalBar(int count, int page, int position) {
    ScrollBar bar(true);
    bar.place({100, 0, 116, 116});
    bar.setRange(0, count - 1, page);
    bar.setPosition(position);
    return bar;
}

TEST(ScrollBars, TheThumbShowsTheShareInViewAndWhereItIs) {
    ScrollBar bar = verticalBar(40, 10, 0);
    EXPECT_EQ(bar.thumbRect(), (Rect{100, 16, 116, 37})); // 84 * 10 / 40
    bar.setPosition(30);
    EXPECT_EQ(bar.thumbRect(), (Rect{100, 79, 116, 100})); // the last position sits on the arrow
    bar.setPosition(99);
    EXPECT_EQ(bar.position(), 30);
    ScrollBar nothingToScroll = verticalBar(5, 10, 0);
    EXPECT_FALSE(nothingToScroll.active());
    EXPECT_TRUE(nothingToScroll.thumbRect().isEmpty());
    ScrollBar long_ = verticalBar(10000, 1, 0);
    EXPECT_EQ(long_.thumbRect().height(), 8); // never thinner than a grip
}

TEST(ScrollBars, EachPartAsksForItsOwnStep) {
    ScrollBar bar = verticalBar(40, 10, 10);
    auto pressAt = [&](int y) {
        auto request = bar.press({108, y});
        bar.release();
        return request ? request->code : -1;
    };
    EXPECT_EQ(pressAt(3), SB_LINEUP);
    EXPECT_EQ(pressAt(110), SB_LINEDOWN);
    Rect thumb = bar.thumbRect();
    EXPECT_EQ(pressAt(thumb.top - 1), SB_PAGEUP);
    EXPECT_EQ(pressAt(thumb.bottom), SB_PAGEDOWN);
    EXPECT_EQ(pressAt(thumb.top + 1), -1); // the thumb waits for the pointer to move
    EXPECT_FALSE(bar.press({50, 50}));     // off the bar
    EXPECT_FALSE(verticalBar(5, 10, 0).press({108, 3}).has_value());
}

TEST(ScrollBars, AHeldPressRepeatsOnlyWhileThePointerStaysOnItsPart) {
    ScrollBar bar = verticalBar(40, 10, 0);
    ASSERT_TRUE(bar.press({108, 60}));
    EXPECT_EQ(bar.repeat()->code, SB_PAGEDOWN);
    bar.setPosition(30); // the thumb came down past the pointer
    EXPECT_FALSE(bar.repeat());
    auto end = bar.release();
    ASSERT_TRUE(end);
    EXPECT_EQ(end->code, SB_ENDSCROLL);
    EXPECT_FALSE(bar.pressed());
    EXPECT_FALSE(bar.release());
}

TEST(ScrollBars, ADraggedThumbAsksForThePositionUnderIt) {
    ScrollBar bar = verticalBar(40, 10, 0);
    ASSERT_FALSE(bar.press({108, 20})); // grabbed 4 pixels below its top
    auto moved = bar.move({108, 20 + 21});
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->code, SB_THUMBTRACK);
    EXPECT_EQ(moved->position, 10); // 21 of 63 free pixels: a third of 30
    bar.setPosition(moved->position);
    EXPECT_FALSE(bar.move({108, 41}));
    auto far = bar.move({108, 500});
    ASSERT_TRUE(far);
    EXPECT_EQ(far->position, 30);
    bar.setPosition(30);
    auto settled = bar.release();
    ASSERT_TRUE(settled);
    EXPECT_EQ(settled->code, SB_THUMBPOSITION);
    EXPECT_EQ(settled->position, 30);
}

} // namespace
} // namespace q71
