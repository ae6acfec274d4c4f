// The route helpers of the maps: legs clipped to the window, arrow heads along them.

#include "platform/gdi/pen_brush.h"
#include "support/golden_image.h"
#include "tactical/charts/map_drawing.h"

#include <gtest/gtest.h>

#include <array>

namespace q71::test {
namespace {

struct Line {
    int x1, y1, x2, y2;
    friend bool operator==(const Line&, const Line&) = default;
};

TEST(ClipLineToClient, KeepsWhatLiesInsideAndMovesOutsideEndsOntoTheEdges) {
    const Rect client{0, 0, 10, 10}; // pixels 0..9
    struct Case {
        const char* what;
        Line in;
        bool visible;
        Line out;
    };
    const std::array<Case, 7> cases{{
        {"inside", {1, 2, 8, 7}, true, {1, 2, 8, 7}},
        {"from the left", {-10, 5, 5, 5}, true, {0, 5, 5, 5}},
        {"across both sides", {-20, 4, 30, 4}, true, {0, 4, 9, 4}},
        {"down through the bottom", {5, 5, 5, 40}, true, {5, 5, 5, 9}},
        {"a diagonal from the top left corner", {-5, -5, 5, 5}, true, {0, 0, 5, 5}},
        {"all left of it", {-9, 0, -1, 9}, false, {-9, 0, -1, 9}},
        {"past the corner", {-5, 2, 2, -5}, false, {-5, 2, 2, -5}},
    }};
    for (const Case& c : cases) {
        Line line = c.in;
        EXPECT_EQ(clipLineToClient(client, line.x1, line.y1, line.x2, line.y2), c.visible) << c.what;
        EXPECT_EQ(line, c.out) << c.what;
    }
    Line any{1, 1, 2, 2};
    EXPECT_FALSE(clipLineToClient(Rect{5, 5, 5, 9}, any.x1, any.y1, any.x2, any.y2)) << "an empty client";
}

TEST(DrawArrowHead, PointsAlongTheLegWithItsTipOnTheEndPoint) {
    constexpr ColorRef kInk = rgb(255, 255, 255);
    constexpr ColorRef kGround = 0; // the canvas's own
    struct Case {
        const char* what;
        Line leg;
        Point behind, ahead, aside;
    };
    // The head is a triangle a few pixels long: filled just behind the tip, empty past it and
    // far beside the leg.
    const std::array<Case, 3> cases{{
        {"east", {2, 20, 30, 20}, {27, 20}, {32, 20}, {27, 28}},
        {"north", {20, 38, 20, 10}, {20, 13}, {20, 8}, {12, 13}},
        {"south-west", {35, 5, 15, 25}, {17, 23}, {13, 27}, {23, 23}},
    }};
    for (const Case& c : cases) {
        Canvas canvas(40, 40);
        canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kInk));
        canvas.dc->selectBrush(createSolidBrush(kInk));
        drawArrowHead(*canvas.dc, c.leg.x1, c.leg.y1, c.leg.x2, c.leg.y2);
        EXPECT_NE(canvas.at(c.leg.x2, c.leg.y2), kGround) << c.what << ": the tip";
        EXPECT_NE(canvas.at(c.behind.x, c.behind.y), kGround) << c.what << ": behind the tip";
        EXPECT_EQ(canvas.at(c.ahead.x, c.ahead.y), kGround) << c.what << ": past the tip";
        EXPECT_EQ(canvas.at(c.aside.x, c.aside.y), kGround) << c.what << ": beside the leg";
    }
    Canvas still(10, 10);
    drawArrowHead(*still.dc, 5, 5, 5, 5);
    EXPECT_EQ(still.at(5, 5), kGround) << "a leg without length has no direction";
    EXPECT_EQ(averageOf(3.0, 8.0), 5.5);
}

} // namespace
} // namespace q71::test
