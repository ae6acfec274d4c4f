// The TMA plot's arithmetic: typed values, the view's limits, the solution line against a target's
// bearings, and the three drags of the line.
#include "tactical/tma/tma_solution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerSecond = 0.508; // one speed unit

double bearingOf(double dx, double dy) {
    const double b = std::atan2(dx, dy) * 180.0 / kPi;
    return b < 0.0 ? b + 360.0 : b;
}

TEST(TmaTypedValues, AreBroughtIntoTheirRanges) {
    struct Case {
        int command, typed;
        double bearing, range, course, speed;
    };
    const Case cases[] = {
        {29, 400, 40, 1000, 10, 5},     {29, 359, 359, 1000, 10, 5},   {29, 360, 0, 1000, 10, 5},
        {30, 123456, 90, 99999, 10, 5}, {30, 99999, 90, 99999, 10, 5}, {31, 725, 90, 1000, 5, 5},
        {32, 150, 90, 1000, 10, 99},    {32, 99, 90, 1000, 10, 99},    {32, 0, 90, 1000, 10, 0},
    };
    for (const Case& c : cases) {
        TmaSolution s;
        s.bearing = 90;
        s.range = 1000;
        s.course = 10;
        s.speed = 5;
        tmaCommitValue(s, c.command, c.typed, 100.0, 200.0);
        EXPECT_EQ(s.bearing, c.bearing) << c.command << " " << c.typed;
        EXPECT_EQ(s.range, c.range) << c.command << " " << c.typed;
        EXPECT_EQ(s.course, c.course) << c.command << " " << c.typed;
        EXPECT_EQ(s.speed, c.speed) << c.command << " " << c.typed;
        if (c.command > 30)
            continue;
        // Bearing and range place the target from the own boat (yards to metres: 0.9144).
        const double metres = s.range * 0.9144;
        EXPECT_NEAR(s.targetX, 100.0 + metres * std::sin(s.bearing * kPi / 180.0), 0.5);
        EXPECT_NEAR(s.targetY, 200.0 + metres * std::cos(s.bearing * kPi / 180.0), 0.5);
    }
}

TEST(TmaView, ZoomsBetweenItsLimitsAndPansByAStep) {
    TmaPlotView view;
    std::vector<double> scales;
    while (tmaZoomIn(view))
        scales.push_back(view.scale);
    EXPECT_EQ(scales, (std::vector<double>{5, 10, 20, 40, 80, 160}));
    view.scale = 0.02;
    tmaZoomOut(view, 500.0, -700.0);
    EXPECT_EQ(view.scale, 0.01);
    EXPECT_EQ(view.centreX, 0.0);
    tmaZoomOut(view, 500.0, -700.0); // at 0.01 the plot goes back to the own boat instead
    EXPECT_EQ(view.scale, 0.01);
    EXPECT_EQ(view.centreX, 500.0);
    EXPECT_EQ(view.centreY, -700.0);
    // A pan moves the view by 27.5, 26.5, 26.5 and 25.5 pixels.
    view = TmaPlotView{};
    for (int command : {11, 12, 13, 14}) {
        const TmaPixel before = tmaToPixel(view, 0.0, 0.0);
        tmaPan(view, command);
        const TmaPixel after = tmaToPixel(view, 0.0, 0.0);
        const double moved = std::hypot(after.x - before.x, after.y - before.y);
        const double expected[] = {27.5, 26.5, 26.5, 25.5};
        EXPECT_NEAR(moved, expected[command - 11], 1e-9) << command;
    }
}

TEST(TmaView, TurnsPixelsAndWorldPointsIntoEachOther) {
    TmaPlotView view{1000.0, -2000.0, 10.0, true};
    const TmaPixel centre = tmaToPixel(view, 1000.0, -2000.0);
    EXPECT_EQ(centre.x, 138.5);
    EXPECT_EQ(centre.y, 132.5);
    // The plot spans 277² / S metres across.
    EXPECT_NEAR(tmaToPixel(view, 1000.0 + 277.0 * 277.0 / 10.0, 0.0).x - centre.x, 277.0, 1e-9);
    double x = 0.0, y = 0.0;
    tmaToWorld(view, 17.0, 250.0, x, y);
    const TmaPixel back = tmaToPixel(view, x, y);
    EXPECT_NEAR(back.x, 17.0, 1e-9);
    EXPECT_NEAR(back.y, 250.0, 1e-9);
}

// A target on a straight course seen from a boat that turns: the fixes' true bearings.
struct Encounter {
    std::vector<TmaResidual> fixes;
    double targetX = 0.0, targetY = 0.0; ///< the target at the last fix
};
Encounter encounter(double course, double speed) {
    Encounter e;
    double ownX = 0.0, ownY = 0.0;
    for (int t = 0; t <= 600; t += 20) {
        const double heading = t < 300 ? 0.0 : 90.0;
        if (t > 0) {
            ownX += 20 * 5.0 * std::sin(heading * kPi / 180.0);
            ownY += 20 * 5.0 * std::cos(heading * kPi / 180.0);
        }
        const double run = t * speed * kMetresPerSecond;
        const double tx = 4000.0 + run * std::sin(course * kPi / 180.0);
        const double ty = 9000.0 + run * std::cos(course * kPi / 180.0);
        e.fixes.push_back({static_cast<double>(t), bearingOf(tx - ownX, ty - ownY), ownX, ownY});
        e.targetX = tx;
        e.targetY = ty;
    }
    return e;
}

TEST(TmaResiduals, LieOnTheCentreForTheTrueSolutionAndSpreadForAWrongCourse) {
    const Encounter e = encounter(120.0, 12.0);
    TmaSolution truth;
    truth.course = 120.0;
    truth.speed = 12.0;
    truth.targetX = e.targetX;
    truth.targetY = e.targetY;
    const TmaLine line = tmaSolutionLine(truth, 0.0, 600.0, 600.0);
    // Within a thousandth of a degree (a speed unit run on in yards and back in metres is not exact).
    for (const TmaResidual& fix : e.fixes)
        EXPECT_NEAR(tmaResidual(line, fix, 0.0, 600.0), 0.0, 1e-3) << fix.time;

    TmaSolution wrong = truth;
    wrong.course = 150.0;
    const TmaLine off = tmaSolutionLine(wrong, 0.0, 600.0, 600.0);
    std::vector<double> residuals;
    for (const TmaResidual& fix : e.fixes)
        residuals.push_back(tmaResidual(off, fix, 0.0, 600.0));
    const auto [low, high] = std::minmax_element(residuals.begin(), residuals.end());
    EXPECT_NEAR(residuals.back(), 0.0, 1e-3); // the head is where the target is at the last fix
    EXPECT_GT(*high - *low, 2.0);
}

TEST(TmaResiduals, StripHalfWidthIsTheSmallestWholeDegreeHoldingThemUpToFive) {
    const std::pair<double, int> cases[] = {{0.0, 1},  {0.99, 1}, {1.0, 1}, {1.01, 2},
                                            {-2.5, 3}, {4.99, 5}, {5.0, 5}, {40.0, 5}};
    for (const auto& [largest, h] : cases)
        EXPECT_EQ(tmaStripHalfWidth(largest), h) << largest;
}

TEST(TmaResiduals, WithoutFixesTheLineIsThePresentTarget) {
    TmaSolution s;
    s.course = 45;
    s.speed = 20;
    s.targetX = 300;
    s.targetY = 400;
    const TmaLine line = tmaSolutionLine(s, -1.0, -1.0, 1000.0);
    EXPECT_EQ(line.headX, 300);
    EXPECT_EQ(line.tailY, 400);
}

// A plot at the origin at scale 10 with a line on the solution course 90 at 10 units over 100 s.
class TmaDrags : public ::testing::Test {
protected:
    TmaDrags() {
        state.view = TmaPlotView{0.0, 0.0, 10.0, true};
        state.earliest = 900.0;
        state.latest = 1000.0;
        TmaSolution& s = state.solution;
        s.course = 90;
        s.speed = 10;
        s.targetX = 2000;
        s.targetY = 1000;
        s.bearing = bearingOf(2000 - kOwnX, 1000 - kOwnY);
        s.range = std::hypot(2000 - kOwnX, 1000 - kOwnY) * 1.0936;
        const TmaLine line = tmaSolutionLine(s, state.earliest, state.latest, kNow);
        const TmaPixel head = tmaToPixel(state.view, line.headX, line.headY);
        const TmaPixel tail = tmaToPixel(state.view, line.tailX, line.tailY);
        state.headPixelX = head.x;
        state.headPixelY = head.y;
        state.tailPixelX = tail.x;
        state.tailPixelY = tail.y;
    }
    void drag(int part, double px, double py) {
        state.drag = part;
        tmaDragTo(state, px, py, kOwnX, kOwnY, kNow);
    }
    static constexpr double kOwnX = -500.0, kOwnY = 200.0, kNow = 1000.0;
    TmaState state;
};

TEST_F(TmaDrags, GrabTheMiddleTheHeadOrTheTail) {
    const double mx = (state.tailPixelX + state.headPixelX) / 2,
                 my = (state.tailPixelY + state.headPixelY) / 2;
    EXPECT_EQ(tmaGrab(state, mx + 1, my), kDragLine);
    EXPECT_EQ(tmaGrab(state, state.headPixelX, state.headPixelY + 1), kDragHead);
    EXPECT_EQ(tmaGrab(state, state.tailPixelX - 1, state.tailPixelY), kDragTail);
    EXPECT_EQ(tmaGrab(state, mx, my + 40), kDragNone);
    state.earliest = -1.0; // no fixes: what lies at the middle is the head
    EXPECT_EQ(tmaGrab(state, mx + 1, my), kDragHead);
}

TEST_F(TmaDrags, TheTailSetsCourseAndSpeedUnlessHeld) {
    double headX = 0, headY = 0, px = state.tailPixelX - 20, py = state.tailPixelY + 30, tailX = 0, tailY = 0;
    tmaToWorld(state.view, state.headPixelX, state.headPixelY, headX, headY);
    tmaToWorld(state.view, px, py, tailX, tailY);
    TmaState held = state;
    drag(kDragTail, px, py);
    EXPECT_NEAR(state.solution.course, bearingOf(headX - tailX, headY - tailY), 1e-6);
    // Yards a second over the 100 s since the earliest fix, in speed units (1.8 per yard a second).
    EXPECT_NEAR(state.solution.speed, std::hypot(headX - tailX, headY - tailY) * 1.0936 / 100.0 * 1.8, 1e-9);
    EXPECT_EQ(state.solution.targetX, 2000); // the head stays

    held.holds[kHoldCourse] = held.holds[kHoldSpeed] = true;
    std::swap(state, held);
    drag(kDragTail, px, py);
    EXPECT_EQ(state.solution.course, 90);
    EXPECT_EQ(state.solution.speed, 10);

    // With the earliest fix now there is no time to cover the line in: the speed stays.
    state.holds = {};
    state.earliest = kNow;
    drag(kDragTail, px, py);
    EXPECT_EQ(state.solution.speed, 10);
}

TEST_F(TmaDrags, TheLineMovesWholeAndTheHeadGivesRangeAndBearingUnlessHeld) {
    const double mx = (state.tailPixelX + state.headPixelX) / 2,
                 my = (state.tailPixelY + state.headPixelY) / 2;
    double tailX = 0, tailY = 0;
    tmaToWorld(state.view, state.tailPixelX + 10, state.tailPixelY - 4, tailX, tailY);
    drag(kDragLine, mx + 10, my - 4);
    // The head runs 100 s at 10 units (5.08 m/s) east of the new tail.
    EXPECT_NEAR(state.solution.targetX, tailX + 100 * 10 * kMetresPerSecond, 0.01);
    EXPECT_NEAR(state.solution.targetY, tailY, 0.01);
    EXPECT_NEAR(state.solution.bearing,
                bearingOf(state.solution.targetX - kOwnX, state.solution.targetY - kOwnY), 1e-6);
    EXPECT_NEAR(state.solution.range,
                std::hypot(state.solution.targetX - kOwnX, state.solution.targetY - kOwnY) * 1.0936, 1e-6);
    EXPECT_EQ(state.solution.course, 90);

    state.holds[kHoldRange] = true;
    const double range = state.solution.range;
    double x = 0, y = 0;
    tmaToWorld(state.view, 200, 60, x, y);
    drag(kDragHead, 200, 60);
    EXPECT_NEAR(state.solution.bearing, bearingOf(x - kOwnX, y - kOwnY), 1e-6);
    EXPECT_EQ(state.solution.range, range);
    // The head lies on the pointer's bearing at the held range; the tail 100 s back along the course.
    // (Yards to metres and back is exact to a few parts in a hundred thousand.)
    EXPECT_NEAR(std::hypot(state.solution.targetX - kOwnX, state.solution.targetY - kOwnY) * 1.0936, range,
                0.1);
    EXPECT_NEAR(state.solution.startX, state.solution.targetX - 100 * 10 * kMetresPerSecond, 0.01);

    state.holds = {};
    drag(kDragHead, 200, 60);
    EXPECT_NEAR(state.solution.targetX, x, 0.1);
    EXPECT_NEAR(state.solution.targetY, y, 0.1);
}

} // namespace
} // namespace q71
