// The plane and rudder dials on a running mission of the data set, headless: their pointers follow
// the boat, the plane dials take no orders, and a click below the rudder dial's pivot orders the
// rudder in 5-degree steps with the helm's answer.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "platform/window/window_layout.h"
#include "stations/shipctrl/engine_dial.h"
#include "stations/shipctrl/helm_wheel.h"
#include "stations/shipctrl/plane_dials.h"
#include "stations/shipctrl/ship_control.h"
#include "stations/shipctrl/area_pixels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace q71::test {
namespace {

// The rudder dial's window on the station and its centre.
constexpr int kLeft = 205, kTop = 310, kCentreX = 40, kCentreY = 34;

class PlaneDialsTest : public StationMission {
protected:
    PlaneDialsTest() {
        startMission("Sa1.scn");
        station = &buildStation<ShipControl>(kStationShipControl, "shipctrl");
        showStation(kStationShipControl);
        audio.spoken.clear();
    }

    OwnShipMotion& boat() { return *worldOwnSubmarine()->ownMotion; }
    bool said(const std::string& file) const {
        return std::find(audio.spoken.begin(), audio.spoken.end(), "other channel: " + file) != audio.spoken.end();
    }

    // The wheel's panel left of the rudder dial, where the yoke's port grip swings.
    std::vector<std::uint32_t> wheelPixels() { return areaPixels(*stationPicture(), 104, 297, 96, 123); }

    ShipControl* station = nullptr;
};

TEST_F(PlaneDialsTest, ARudderClickBelowThePivotOrdersTheRudderInFiveDegreeSteps) {
    struct Case {
        int dx, dy;
        double rudder;
        const char* helm;
    };
    // Straight below is amidships; within 5 degrees of it the step rounds away from zero; far
    // out to either side the order stops at 30.
    for (const Case c : {Case{0, 30, 0.0, "Hlm16.wav"}, Case{2, 30, 0.0, "Hlm16.wav"},
                         Case{6, 30, 5.0, "Hlm145.wav"}, Case{-6, 30, -5.0, "Hlm155.wav"},
                         Case{35, 1, 30.0, "Hlm14f.wav"}, Case{-35, 1, -30.0, "Hlm15f.wav"}}) {
        audio.spoken.clear();
        boat().rudderOrder = 99.0;
        clickAt({kLeft + kCentreX + c.dx, kTop + kCentreY + c.dy});
        EXPECT_DOUBLE_EQ(boat().rudderOrder, c.rudder) << c.dx << ", " << c.dy;
        EXPECT_TRUE(said(c.helm)) << c.helm;
    }
    boat().rudderOrder = 7.0;
    audio.spoken.clear();
    clickAt({kLeft + kCentreX + 10, kTop + kCentreY - 10});
    EXPECT_DOUBLE_EQ(boat().rudderOrder, 7.0) << "above the pivot line nothing is ordered";
    EXPECT_TRUE(audio.spoken.empty());
}

TEST_F(PlaneDialsTest, ThePointersFollowThePlanesAndTheClampedRudder) {
    OwnShipMotion& m = boat();
    m.planeAngle1 = 12.0;
    m.planeAngle2 = -8.0;
    m.rudderAngle = 50.0;
    station->update();
    EXPECT_EQ(station->sternPlanesDial().getState(), 348) << "360 - 12";
    EXPECT_EQ(station->bowPlanesDial().getState(), 8);
    EXPECT_EQ(station->rudderDial().getState(), -static_cast<int>(m.maxRudderAngle));
    const double order = m.rudderOrder;
    clickAt({133 + 45, 210 + 60});
    clickAt({265 + 45, 211 + 60});
    EXPECT_DOUBLE_EQ(m.rudderOrder, order) << "the plane dials take no orders";
}

TEST_F(PlaneDialsTest, TheHelmWheelTurnsNineStepsAtFullRudderAndRidesTheBowPlanesAcrossItsRange) {
    OwnShipMotion& m = boat();
    struct Case {
        double rudderShare, planesShare; ///< of the boat's full deflection
        int step;
        double offset;
    };
    for (const Case c : {Case{0.0, 0.0, 0, -0.06}, Case{1.0, 1.0, -9, 0.03}, Case{-1.0, -1.0, 9, -0.15},
                         Case{2.0, 3.0, -9, 0.03}}) {
        m.rudderAngle = c.rudderShare * m.maxRudderAngle;
        m.planeAngle2 = c.planesShare * m.maxRudderAngle;
        station->update();
        EXPECT_EQ(station->helmWheel().step(), c.step) << c.rudderShare;
        EXPECT_NEAR(station->helmWheel().offset(), c.offset, 1e-9) << c.planesShare;
    }
    m.rudderAngle = 0.0;
    m.planeAngle2 = 0.0;
    station->update();
    const auto before = wheelPixels();
    m.rudderAngle = m.maxRudderAngle;
    station->update();
    EXPECT_NE(wheelPixels(), before) << "the yoke turned on the screen";
}

TEST_F(PlaneDialsTest, TheWheelAndTheTelegraphTakeOnlyThePointsOfTheirShapes) {
    const WindowHandle panel = station->window(), wheel = station->helmWheel().window(),
                       rudder = station->rudderDial().window(), telegraph = station->engineDial().window();
    struct Case {
        Point at; // station coordinates
        WindowHandle owner;
        const char* where;
    };
    for (const Case& c : {Case{{104 + 50, 297 + 5}, panel, "the label strip above the wheel"},
                          Case{{104 + 50, 297 + 50}, wheel, "the wheel's port side"},
                          Case{{104 + 270, 297 + 20}, wheel, "the wheel's starboard side"},
                          Case{{104 + 140, 297 + 40}, rudder, "the notch holds the rudder dial"},
                          Case{{104 + 140, 297 + 100}, wheel, "below the notch"},
                          Case{{104 + 101, 297 + 83}, panel, "the notch below the rudder dial"},
                          Case{{407 + 4, 188 + 4}, panel, "the telegraph's corner"},
                          Case{{407 + 57, 188 + 57}, telegraph, "the telegraph's face"},
                          Case{{407 + 57, 188 + 5}, telegraph, "the top of its face"}}) {
        const Point screen = windowClientToScreen(panel, c.at);
        EXPECT_EQ(windowFromPoint(screen), c.owner) << c.where;
    }
}

} // namespace
} // namespace q71::test
