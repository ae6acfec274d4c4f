#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

#include <utility>

namespace q71 {
namespace {

using test::HeadlessWindows;

class Painting : public HeadlessWindows {
protected:
    void SetUp() override {
        main = makeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 640, 480});
        pump();
        received.clear();
    }
    // The paint rectangles each window got, recorded by a procedure that paints as a widget does.
    std::vector<std::pair<WindowHandle, PaintState>> paintAll() {
        std::vector<std::pair<WindowHandle, PaintState>> paints;
        onMessage = [&](const test::Received& r) -> std::optional<LResult> {
            if (r.message != WM_PAINT)
                return std::nullopt;
            paints.emplace_back(r.window, paintBegin(r.window));
            return 0;
        };
        pump();
        onMessage = nullptr;
        return paints;
    }
    WindowHandle main{};
};

TEST_F(Painting, InvalidatedRectanglesMergeIntoOnePaint) {
    Rect a{10, 10, 20, 20}, b{30, 5, 40, 15};
    windowInvalidate(main, &a, false);
    windowInvalidate(main, &b, true);
    Rect update;
    EXPECT_TRUE(windowGetUpdateRect(main, &update));
    EXPECT_EQ(update, (Rect{10, 5, 40, 20}));
    auto paints = paintAll();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].second.rect, (Rect{10, 5, 40, 20}));
    EXPECT_TRUE(paints[0].second.erase);
    EXPECT_TRUE(paints[0].second.clip.contains({15, 15}));
    EXPECT_FALSE(paints[0].second.clip.contains({25, 15}));
    EXPECT_FALSE(windowGetUpdateRect(main, &update));
}

TEST_F(Painting, ValidateRemovesAndUpdateWindowPaintsAtOnce) {
    WindowHandle child = makeWindow(WS_CHILD | WS_VISIBLE, {100, 100, 200, 200}, main);
    pump();
    received.clear();
    windowInvalidate(main, nullptr, false);
    windowValidate(main, nullptr);
    windowInvalidate(child, nullptr, false);
    Rect part{0, 0, 50, 100};
    windowValidate(child, &part);
    Rect update;
    ASSERT_TRUE(windowGetUpdateRect(child, &update));
    EXPECT_EQ(update, (Rect{50, 0, 100, 100}));
    windowUpdate(main); // sent, not posted: it happens before this returns
    EXPECT_EQ(receivedBy(child, WM_PAINT).size(), 1u);
    EXPECT_TRUE(receivedBy(main, WM_PAINT).empty());
}

TEST_F(Painting, ParentWithoutClipChildrenPassesInvalidationToChildrenAndPaintsFirst) {
    WindowHandle panel = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 300, 300}, main);
    WindowHandle knob = makeWindow(WS_CHILD | WS_VISIBLE, {50, 50, 100, 100}, panel);
    WindowHandle clipped = makeWindow(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, {300, 0, 600, 300}, main);
    WindowHandle inside = makeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 20, 20}, clipped);
    pump();
    received.clear();
    windowInvalidate(panel, nullptr, false);
    windowInvalidate(clipped, nullptr, false);
    auto paints = paintAll();
    std::vector<WindowHandle> order;
    for (auto& p : paints)
        order.push_back(p.first);
    EXPECT_EQ(order, (std::vector<WindowHandle>{panel, knob, clipped}));
    EXPECT_FALSE(std::count(order.begin(), order.end(), inside));
    // The knob paints in its own coordinates.
    EXPECT_EQ(paints[1].second.rect, (Rect{0, 0, 50, 50}));
}

TEST_F(Painting, VisibleRegionLeavesOutClippedChildrenSiblingsAboveAndPopups) {
    WindowHandle screen = makeWindow(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 640, 480}, main);
    WindowHandle button = makeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, screen);
    WindowHandle station = makeWindow(WS_CHILD | WS_VISIBLE, {50, 50, 590, 470}, screen);
    WindowHandle overlap = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, station);
    WindowHandle tip = makeWindow(WS_POPUP | WS_VISIBLE, {300, 300, 400, 350}, main);
    Region v = windowVisibleRegion(station);
    EXPECT_FALSE(v.contains({55, 55})); // under the button, which is above it
    EXPECT_TRUE(v.contains({200, 200}));
    EXPECT_FALSE(v.contains({350, 320})); // under the popup
    EXPECT_TRUE(v.contains({120, 120}));  // over its child, which it does not clip
    Region s = windowVisibleRegion(screen);
    EXPECT_FALSE(s.contains({200, 200})); // its children are cut out
    EXPECT_TRUE(s.contains({5, 5}));
    Region o = windowVisibleRegion(overlap);
    EXPECT_FALSE(o.contains({55, 55}));
    EXPECT_TRUE(o.contains({100, 100}));
    EXPECT_FALSE(o.contains({150, 100})); // outside its own rectangle
    EXPECT_TRUE(windowVisibleRegion(tip).contains({300, 300}));
    windowShow(screen, SW_HIDE);
    EXPECT_TRUE(windowVisibleRegion(station).isEmpty());
    (void)button;
}

TEST_F(Painting, WhatAClosedOrMovedPopupUncoveredIsRepainted) {
    WindowHandle screen = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
    WindowHandle box = makeWindow(WS_POPUP | WS_VISIBLE, {100, 100, 200, 150}, main);
    paintAll();
    windowMove(box, 300, 100, 100, 50, true);
    auto paints = paintAll();
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].first, box);
    EXPECT_EQ(paints[1].first, screen);
    EXPECT_EQ(paints[1].second.rect, (Rect{100, 100, 200, 150}));
    windowDestroy(box);
    paints = paintAll();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].first, screen);
    EXPECT_EQ(paints[0].second.rect, (Rect{300, 100, 400, 150}));
    EXPECT_TRUE(paints[0].second.erase);
}

TEST_F(Painting, HiddenWindowsAreNotPaintedAndShowingExposesThemWhole) {
    WindowHandle page = makeWindow(WS_CHILD, {10, 10, 110, 60}, main);
    windowInvalidate(page, nullptr, true);
    EXPECT_TRUE(paintAll().empty());
    windowShow(page, SW_SHOWDEFAULT);
    auto paints = paintAll();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].second.rect, (Rect{0, 0, 100, 50}));
}

TEST_F(Painting, LayoutGenerationChangesWithEveryChangeOfWhatIsVisible) {
    WindowHandle page = makeWindow(WS_CHILD, {10, 10, 110, 60}, main);
    std::uint64_t last = windowLayoutGeneration();
    auto changed = [&] {
        std::uint64_t now = windowLayoutGeneration();
        return std::exchange(last, now) != now;
    };
    windowInvalidate(main, nullptr, true);
    paintAll();
    EXPECT_FALSE(changed());
    windowShow(page, SW_SHOW);
    EXPECT_TRUE(changed());
    windowMove(page, 20, 20, 100, 50, false);
    EXPECT_TRUE(changed());
    windowSetShape(page, Region::ellipse({0, 0, 100, 50}), false);
    EXPECT_TRUE(changed());
    windowShow(main, SW_MINIMIZE);
    EXPECT_TRUE(changed());
    windowShow(main, SW_RESTORE);
    EXPECT_TRUE(changed());
    windowDestroy(page);
    EXPECT_TRUE(changed());
}

TEST_F(Painting, BeginPaintOutsideAPaintHasNothingToDraw) {
    PaintState p = paintBegin(main);
    EXPECT_TRUE(p.rect.isEmpty());
    EXPECT_TRUE(p.clip.isEmpty());
}

TEST_F(Painting, ShapedWindowsClipTheirPaintingAndTheirClicks) {
    WindowHandle dial = makeWindow(WS_CHILD | WS_VISIBLE, {100, 100, 200, 200}, main);
    windowSetShape(dial, Region::ellipse({0, 0, 100, 100}), true);
    Region v = windowVisibleRegion(dial);
    EXPECT_TRUE(v.contains({150, 150}));
    EXPECT_FALSE(v.contains({101, 101}));
    EXPECT_EQ(windowFromPoint({150, 150}), dial);
    EXPECT_EQ(windowFromPoint({101, 101}), main);
    display.click({101, 101});
    display.click({150, 150});
    pump();
    EXPECT_EQ(receivedBy(main, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(receivedBy(dial, WM_LBUTTONDOWN).size(), 1u);
    windowSetShape(dial, std::nullopt, true);
    EXPECT_EQ(windowFromPoint({101, 101}), dial);
}

} // namespace
} // namespace q71
