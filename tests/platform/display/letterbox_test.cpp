#include "platform/display/letterbox.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(Letterbox, WideWindowsGetBarsLeftAndRightTallOnesAboveAndBelow) {
    EXPECT_EQ(letterboxRect(640, 480), (Rect{0, 0, 640, 480}));
    EXPECT_EQ(letterboxRect(1280, 960), (Rect{0, 0, 1280, 960}));
    EXPECT_EQ(letterboxRect(1920, 1080), (Rect{240, 0, 1680, 1080}));
    EXPECT_EQ(letterboxRect(800, 1000), (Rect{0, 200, 800, 800}));
    EXPECT_TRUE(letterboxRect(0, 480).isEmpty());
    EXPECT_TRUE(letterboxRect(-5, -5).isEmpty());
}

TEST(Letterbox, WindowPointsMapBackOntoTheScreenAndClampInTheBars) {
    Rect shown = letterboxRect(1920, 1080); // 2.25 window pixels per screen pixel
    EXPECT_EQ(letterboxToScreen({240, 0}, shown), (Point{0, 0}));
    EXPECT_EQ(letterboxToScreen({1679, 1079}, shown), (Point{639, 479}));
    EXPECT_EQ(letterboxToScreen({960, 540}, shown), (Point{320, 240}));
    EXPECT_EQ(letterboxToScreen({10, 540}, shown), (Point{0, 240}));      // in the left bar
    EXPECT_EQ(letterboxToScreen({1900, 2000}, shown), (Point{639, 479})); // past the corner
    for (Point p : {Point{0, 0}, Point{123, 456}, Point{639, 479}})
        EXPECT_EQ(letterboxToScreen(letterboxToWindow(p, shown), shown), p);
}

} // namespace
} // namespace q71
