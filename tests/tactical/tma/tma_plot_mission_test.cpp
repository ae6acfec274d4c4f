// The TMA plot on a running mission of the data set, as the host builds the station: a sonar
// contact's bearing-only fixes drawn across the plot, the solution line dragged by the mouse (the
// whole line, its tail and its head), the solution held within its readouts' reach on every path,
// the crew's solution taken while crew assistance is on, the own boat drawn with its own symbol,
// and the contact list dropped to the height laid out for it.
#include "tactical/tma/tma_mission.h"

#include "platform/gdi/device_context.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/upgrades.h"
#include "sim/services/front_end.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/tma/tma_screen.h"
#include "tactical/tma/tma_solution.h"
#include "tactical/tma/tma_state.h"
#include "tactical/tma/tma_station.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace q71::test {
namespace {

constexpr Point kPlotOrigin{35, 26};
constexpr double kUnitMetresPerSecond = 0.508;

class TmaPlotMission : public TmaMission {
protected:
    // A contact "S1" of the bow array whose fixes (one every 30 s for ten minutes, measured from a
    // boat standing still) follow a target starting 3000 m east and 4000 m north of the boat and
    // running east at 5 speed units; the game clock is then at 600 s.
    ContactRecord& sonarContact(TMAScreen& tma) {
        Entity& target = stranger();
        sensorX = own->motion->x;
        sensorY = own->motion->y;
        own->registerContact(kSensorPassive, target.id, 45.0, 5000.0, -1.0, -1.0, 95);
        ContactRecord* contact = nullptr;
        for (auto* node = own->contacts.head(); node; node = node->next)
            contact = node->item;
        EXPECT_NE(contact, nullptr);
        FixList& fixes = contact->fixes[kSensorPassive];
        fixes.clear();
        for (int i = 0; i <= 20; ++i) {
            ContactFix fix;
            fix.time = 30.0 * i;
            fix.sensorType = kSensorPassive;
            fix.sensorX = sensorX;
            fix.sensorY = sensorY;
            const double x = targetX(fix.time), y = sensorY + 4000.0;
            fix.bearing = geoBearing(x - sensorX, y - sensorY);
            fixes.push(fix, 100);
        }
        simClock().gameClock = 600.0;
        tma.selectFirst(worldFormatDesignation(contact->designation));
        EXPECT_EQ(tmaState().selected, contact);
        return *contact;
    }
    double targetX(double time) const { return sensorX + 3000.0 + time * 5 * kUnitMetresPerSecond; }

    // A pixel of the plot as last shown.
    static ColorRef plotPixel(TMAScreen& tma, int x, int y) {
        auto dc = DeviceContext::createMemory();
        dc->selectBitmap(tma.plot().picture());
        return dc->getPixel({x, y});
    }
    static bool near(ColorRef a, ColorRef b) {
        const auto channel = [](ColorRef c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
        for (int shift : {0, 8, 16})
            if (std::abs(channel(a, shift) - channel(b, shift)) > 8)
                return false;
        return true;
    }
    // The station point of a plot pixel.
    static Point onStation(double px, double py) {
        return {kPlotOrigin.x + static_cast<int>(std::lround(px)),
                kPlotOrigin.y + static_cast<int>(std::lround(py))};
    }
    // Presses at one plot pixel, drags to another and lets go.
    void drag(double fromX, double fromY, double toX, double toY) {
        leftButton(onStation(fromX, fromY), true);
        moveTo(onStation((fromX + toX) / 2.0, (fromY + toY) / 2.0));
        moveTo(onStation(toX, toY));
        leftButton(onStation(toX, toY), false);
    }

    double sensorX = 0.0, sensorY = 0.0;
};

TEST_F(TmaPlotMission, SonarFixesAreBearingLinesRunningOutFromWhereTheyWereTaken) {
    TMAScreen& tma = openStation();
    sonarContact(tma);
    tma.plot().redraw();
    keepPicture("sonar-fixes");
    const ColorRef sonar = rgb(0xF8, 0xF8, 0xF8); // the bow array's pen
    const TmaPlotView& view = tmaState().view;
    int checked = 0;
    for (double time = 0.0; time <= 600.0; time += 30.0) {
        // The target's place at the fix lies on the fix's line; so does a point twice as far out.
        for (double factor : {1.0, 1.5}) {
            const double x = sensorX + (targetX(time) - sensorX) * factor, y = sensorY + 4000.0 * factor;
            const TmaPixel p = tmaToPixel(view, x, y);
            if (p.x < 1 || p.y < 1 || p.x > kTmaPlotWidth - 2 || p.y > kTmaPlotHeight - 2)
                continue;
            bool drawn = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    drawn =
                        drawn ||
                        near(plotPixel(tma, static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy), sonar);
            EXPECT_TRUE(drawn) << "fix at " << time << " s, " << factor;
            ++checked;
        }
    }
    EXPECT_GT(checked, 30);
    // Nothing is drawn behind the sensor: the lines start where the fixes were taken.
    const TmaPixel behind = tmaToPixel(view, sensorX - 1500.0, sensorY - 2000.0);
    for (int dx = -2; dx <= 2; ++dx)
        EXPECT_FALSE(
            near(plotPixel(tma, static_cast<int>(behind.x) + dx, static_cast<int>(behind.y)), sonar));
}

TEST_F(TmaPlotMission, TheMouseDragsTheWholeLineItsTailAndItsHead) {
    TMAScreen& tma = openStation();
    sonarContact(tma);
    tma.command(29, 37);
    tma.command(30, 5500);
    tma.command(31, 90);
    tma.command(32, 5);
    tma.plot().redraw();
    TmaState& state = tmaState();
    ASSERT_GE(state.earliest, 0.0) << "the fixes are shown";

    // The line, taken by its middle, moves whole: course and speed stay, the target follows.
    const TmaSolution before = state.solution;
    const double midX = (state.tailPixelX + state.headPixelX) / 2.0,
                 midY = (state.tailPixelY + state.headPixelY) / 2.0;
    drag(midX, midY, midX + 20.0, midY + 10.0);
    EXPECT_EQ(state.drag, kDragNone);
    EXPECT_EQ(state.solution.course, before.course);
    EXPECT_EQ(state.solution.speed, before.speed);
    const double metresPerPixelX = kTmaPlotWidth / state.view.scale,
                 metresPerPixelY = kTmaPlotHeight / state.view.scale;
    EXPECT_NEAR(state.solution.targetX - before.targetX, 20.0 * metresPerPixelX, metresPerPixelX);
    EXPECT_NEAR(state.solution.targetY - before.targetY, -10.0 * metresPerPixelY, metresPerPixelY);
    const double dx = state.solution.targetX - own->motion->x, dy = state.solution.targetY - own->motion->y;
    EXPECT_NEAR(state.solution.range, std::hypot(dx, dy) * 1.0936, 1.0);
    EXPECT_NEAR(state.solution.bearing, geoBearing(dx, dy), 0.01);

    // The tail, dragged to the far corner of a wide plot, would make the target faster than the
    // readout shows: the speed stops at 99 and the course points from the tail to the head.
    tma.command(10, 0); // zoom out
    tma.plot().redraw();
    drag(state.tailPixelX, state.tailPixelY, 1.0, 1.0);
    EXPECT_EQ(state.solution.speed, 99.0);
    EXPECT_EQ(tma.solutionReadOut(3).getValue(), 99);
    double headX = 0.0, headY = 0.0, tailX = 0.0, tailY = 0.0;
    tmaToWorld(state.view, state.headPixelX, state.headPixelY, headX, headY);
    tmaToWorld(state.view, 1.0, 1.0, tailX, tailY);
    EXPECT_NEAR(state.solution.course, geoBearing(headX - tailX, headY - tailY), 0.5);

    // The head, dragged past the readout's reach, stops at 99999 yards.
    for (int i = 0; i < 3; ++i)
        tma.command(10, 0);
    tma.plot().redraw();
    drag(state.headPixelX, state.headPixelY, 138.0, 0.0);
    EXPECT_EQ(state.solution.range, 99999.0);
    EXPECT_EQ(tma.solutionReadOut(1).getValue(), 99999);
}

TEST_F(TmaPlotMission, WithoutFixesAPressNearTheSolutionDragsItsHead) {
    TMAScreen& tma = openStation();
    tma.command(29, 90);
    tma.command(30, 4000);
    tma.plot().redraw();
    TmaState& state = tmaState();
    ASSERT_LT(state.earliest, 0.0);
    drag(state.headPixelX + 1.0, state.headPixelY, state.headPixelX + 1.0, state.headPixelY - 30.0);
    // Thirty pixels north of a point 4000 yards east: the bearing swings north of east.
    EXPECT_LT(state.solution.bearing, 90.0);
    EXPECT_GT(state.solution.bearing, 0.0);
    EXPECT_EQ(tma.solutionReadOut(0).getValue(), static_cast<int>(std::floor(state.solution.bearing + 0.5)));
}

TEST_F(TmaPlotMission, DeadReckoningHoldsTheRangeWithinTheReadoutsReach) {
    TMAScreen& tma = openStation();
    tma.command(29, 0);
    tma.command(30, 99990);
    tma.command(31, 0);
    tma.command(32, 99); // running straight away at top speed
    run(3000);
    TmaSolution& s = tmaState().solution;
    EXPECT_EQ(s.range, 99999.0);
    EXPECT_EQ(tma.solutionReadOut(1).getValue(), 99999) << "never wrapped round to a short range";
    EXPECT_LE(std::hypot(s.targetX - own->motion->x, s.targetY - own->motion->y) * 1.0936, 99999.5)
        << "the target is held where the range says";
    // A bearing that rounds up to 360 reads 000 (held, so that the reckoning leaves it).
    tma.command(1, 1);
    s.bearing = 359.7;
    tma.refreshSolutionReadouts();
    EXPECT_EQ(tma.solutionReadOut(0).getValue(), 0);
}

TEST_F(TmaPlotMission, WithCrewAssistanceTheCrewsSolutionStandsAndRunsOn) {
    TMAScreen& tma = openStation();
    ContactRecord& contact = sonarContact(tma);
    TmaSolution& s = tmaState().solution;
    const auto tickAfter = [&](double seconds) {
        contact.bearing = 30.0;
        contact.range = 6000.0;
        contact.course = 90.0;
        contact.speed = 10.0;
        s.lastUpdate = simClock().gameClock - seconds;
        tma.plot().onTick();
    };
    // Off: the operator's typed course stands.
    tma.command(31, 200);
    tickAfter(10.0);
    EXPECT_EQ(s.course, 200.0);

    options.options[kOptionAssistStation0 + kTmaAssistStation] = 1;
    ASSERT_TRUE(crewAssistEnabled(kTmaAssistStation));
    const double fromX = s.targetX, fromY = s.targetY;
    tickAfter(10.0);
    EXPECT_EQ(s.bearing, 30.0);
    EXPECT_EQ(s.range, 6000.0);
    EXPECT_EQ(s.course, 90.0);
    EXPECT_EQ(s.speed, 10.0);
    // Ten seconds at 10 units along 090: 50.8 m east.
    EXPECT_NEAR(s.targetX - fromX, 10.0 * 10.0 * kUnitMetresPerSecond, 0.05);
    EXPECT_NEAR(s.targetY - fromY, 0.0, 0.05);
    EXPECT_EQ(tma.solutionReadOut(2).getValue(), 90);
}

TEST_F(TmaPlotMission, TheOwnBoatIsDrawnWithTheOwnBoatsSymbol) {
    TMAScreen& tma = openStation();
    tma.plot().redraw();
    const TmaPixel at = tmaToPixel(tmaState().view, own->motion->x, own->motion->y);
    const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
    // The whole octagon and the cross through it: its lower edge, its lower corners and the arms
    // of the cross, in the friendly colour; an aircraft's half octagon has none of the first four.
    const ColorRef friendly = 0xFAFA00;
    for (const Point p : {Point{-2, 5}, Point{2, 5}, Point{-5, 2}, Point{5, 2}, Point{0, 3}, Point{-3, 0}})
        EXPECT_TRUE(near(plotPixel(tma, x + p.x, y + p.y), friendly)) << p.x << ", " << p.y;
}

TEST_F(TmaPlotMission, TheContactListDropsToTheHeightLaidOutForIt) {
    TMAScreen& tma = openStation();
    const Entity& target = stranger();
    own->registerContact(kSensorRadar, target.id, 10.0, 5000.0, -1.0, -1.0, 95);
    ASSERT_EQ(tma.firstList().getCount(), 1);
    const auto listBottom = [&] {
        // The lowest row under the box, in a column of the list, that shows the list's black ground.
        const BitmapRef picture = stationPicture();
        auto dc = DeviceContext::createMemory();
        dc->selectBitmap(picture);
        int bottom = -1;
        for (int y = 197; y < 420; ++y)
            if (dc->getPixel({361 + 80, y}) == rgb(0, 0, 0))
                bottom = y;
        return bottom;
    };
    EXPECT_LT(listBottom(), 197 + 200 - 50) << "closed: the two boxes only";
    clickAt({361 + 153, 197 + 6}); // the drop button
    keepPicture("dropped");
    // One contact, yet the list opens to 200 pixels below the top of its box.
    EXPECT_GE(listBottom(), 197 + 200 - 4);
    EXPECT_LE(listBottom(), 197 + 200 + 2);
    clickAt({361 + 40, 197 + 13 + 5}); // its first line
    EXPECT_NE(tmaState().selected, nullptr);
}

} // namespace
} // namespace q71::test
