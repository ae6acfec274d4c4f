// The engine telegraph on a running mission of the data set, headless: a click rings a bell on the
// boat, the answering pointer follows it a position at a time and rings once when it is there.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "stations/shipctrl/engine_dial.h"
#include "stations/shipctrl/ship_control.h"

#include <algorithm>

namespace q71::test {
namespace {

// The telegraph's window on the station and its centre.
constexpr int kLeft = 407, kTop = 188, kHalf = 57;

class EngineDialTest : public StationMission {
protected:
    EngineDialTest() {
        startMission("Sa1.scn");
        station = &buildStation<ShipControl>(kStationShipControl, "shipctrl");
        showStation(kStationShipControl);
    }

    OwnShipMotion& boat() { return *worldOwnSubmarine()->ownMotion; }
    EngineDial& dial() { return station->engineDial(); }
    void clickFromCentre(int dx, int dy) { clickAt({kLeft + kHalf + dx, kTop + kHalf + dy}); }
    long rings() const { return std::count(audio.played.begin(), audio.played.end(), "dialsnd.WAV"); }

    ShipControl* station = nullptr;
};

TEST_F(EngineDialTest, AClickRingsTheBellItPointsAtAndTheDeadBandIsIgnored) {
    struct Case {
        int dx, dy;
        int position;
    };
    // Bearings 90 (ahead two thirds), 240 (back full), 0 (stop), 150 (flank).
    for (const Case c : {Case{40, 0, 7}, Case{-35, 20, 0}, Case{0, -40, 4}, Case{20, 35, 9}}) {
        clickFromCentre(c.dx, c.dy);
        EXPECT_EQ(dial().orderedPosition(), c.position) << c.dx << ", " << c.dy;
        EXPECT_DOUBLE_EQ(boat().engineOrder, c.position - 4.0);
        EXPECT_EQ((dial().orderedPointer().angle + 360) % 360, (360 - std::array{237, 268, 300, 335, 0, 30, 62, 92, 124, 152}[c.position]) % 360);
    }
    const double before = boat().engineOrder;
    clickFromCentre(-10, 38); // bearing 194
    EXPECT_DOUBLE_EQ(boat().engineOrder, before);
    EXPECT_EQ(dial().orderedPosition(), 9);
}

TEST_F(EngineDialTest, TheAnsweringPointerStepsThroughEveryPositionEvery150MsAndRingsOnce) {
    clickFromCentre(-35, 20); // full astern
    run(3000);
    ASSERT_EQ(dial().answeringPosition(), 0);
    clickFromCentre(20, 35); // flank
    audio.played.clear();
    run(290);
    EXPECT_EQ(dial().answeringPosition(), 0) << "the engine room answers after 300 ms";
    for (int p = 1; p <= 9; ++p) {
        run(p == 1 ? 20 : 150);
        EXPECT_EQ(dial().answeringPosition(), p);
        EXPECT_EQ(rings(), 0);
    }
    run(150);
    EXPECT_EQ(rings(), 1);
    run(2000);
    EXPECT_EQ(rings(), 1) << "once";
}

TEST_F(EngineDialTest, TheOrderFollowsTheBoatsBellFromTheReadOut) {
    station->onCommand(600, 12);
    EXPECT_EQ(dial().orderedPosition(), static_cast<int>(boat().engineOrder + 4.0));
    run(3000);
    EXPECT_EQ(dial().answeringPosition(), dial().orderedPosition());
}

} // namespace
} // namespace q71::test
