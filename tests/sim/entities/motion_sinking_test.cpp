#include "entity_fixture.h"

#include "sim/simulation/terrain_geometry.h"
#include "sim/support/terrain_grid.h"

#include <cmath>

namespace q71::test {
namespace {

// The tube sides of the fire-control station, as the recovery switches them.
class TubeSides final : public WeaponStations {
public:
    std::unique_ptr<WeaponLauncher> createTorpedoTube(int) override { return nullptr; }
    std::unique_ptr<WeaponLauncher> createVlsCell(int) override { return nullptr; }
    bool unlimitedWeapons() const override { return false; }
    void setUnlimitedWeapons(bool) override {}
    bool fireControlExists() const override { return true; }
    void setTubeSideState(int side, int state) override { changes.push_back({side, state}); }
    bool fireGuidanceSwitch() const override { return false; }
    std::array<std::uint32_t, 2> stationStates() const override { return {}; }
    void restoreStationStates(std::array<std::uint32_t, 2>) override {}
    std::vector<WorldPoint> plottedWaypoints() const override { return {}; }

    std::vector<std::pair<int, int>> changes;
};

class Sinking : public EntityWorld {
protected:
    void run(MotionModel& m, double seconds) {
        for (double t = 0.0; t < seconds; t += 0.4)
            m.stepSinking(0.4);
    }
};

TEST_F(Sinking, AWreckSinksAtASteadyRateAndFallsFasterInTheAir) {
    HarnessEntity& ship = platform(1, {1000, 1000, -10});
    MotionModel& m = *ship.motion;
    m.verticalSpeed = -2.6666666666666665;
    m.beginSinking();
    EXPECT_EQ(m.sinking, 1);
    EXPECT_EQ(m.orderedSpeed, 0.0);
    run(m, 600.0);
    EXPECT_DOUBLE_EQ(m.verticalSpeed, -1.524);
    HarnessEntity& falling = platform(1, {1000, 1000, 5000});
    falling.motion->beginSinking();
    run(*falling.motion, 30.0);
    EXPECT_GE(falling.motion->verticalSpeed, -50.8 - 10.66 * 0.4);
    EXPECT_LE(falling.motion->verticalSpeed, -50.8);
}

TEST_F(Sinking, AWreckOnTheBottomSettlesAtFiveDegreesAndStops) {
    TerrainGrid grid{21, 21, 400.0, [](int, int) { return std::int16_t{-100}; }};
    HarnessEntity& ship = platform(1, {4000, 4000, -90});
    MotionModel& m = *ship.motion;
    m.halfLength = 0; // no ends to rest on: the pitch settles by itself
    m.beginSinking();
    m.pitch = m.orderedPitch = -30.0;
    m.driveSpeed = m.speed = 4.0;
    run(m, 400.0);
    EXPECT_LE(m.z, *terrainDepthInterpolated(4000, 4000, true));
    EXPECT_EQ(m.speed, 0.0);
    EXPECT_EQ(m.driveSpeed, 0.0);
    EXPECT_NEAR(m.pitch, -5.0, 0.05);
    EXPECT_EQ(ship.removeFlag, 0u); // a hull stays where it rests
}

TEST_F(Sinking, AWreckRestsLevelOnAFlatBottom) {
    TerrainGrid grid{21, 21, 400.0, [](int, int) { return std::int16_t{-100}; }};
    HarnessEntity& ship = platform(1, {4000, 4000, -90});
    MotionModel& m = *ship.motion;
    m.beginSinking();
    m.pitch = -30.0;
    for (int i = 0; i < 100; ++i)
        m.integrate(0.4); // the vertical step keeps the hull on the floor
    EXPECT_NEAR(m.pitch, 0.0, 1.0);
}

TEST_F(Sinking, AWreckOnASteepBottomNeverTakesTheArcSineOfTooMuch) {
    // A cliff rising to the east: the bow points at a floor far above the hull's reach.
    TerrainGrid grid{21, 21, 400.0, [](int column, int) { return std::int16_t(column > 10 ? -20 : -900); }};
    const double floor = *terrainDepthInterpolated(4100, 4000, true);
    HarnessEntity& ship = platform(1, {4100, 4000, floor + 1.0}, 90.0);
    MotionModel& m = *ship.motion;
    ASSERT_GT(*terrainDepthInterpolated(4130, 4000, true) - m.z, 30.0); // beyond the bow's reach
    m.breaksInTwo = 1; // a broken hull tests its bow end only
    m.beginSinking();
    m.stepSinking(0.4);
    EXPECT_NEAR(m.pitch, 90.0, 1e-6); // bow up against the cliff
    EXPECT_TRUE(std::isfinite(m.secondPiece.pitch));
}

TEST_F(Sinking, AHullBrokenInTwoSinksAsTwoPieces) {
    HarnessEntity& ship = platform(1, {1000, 1000, -5}, 45.0);
    MotionModel& m = *ship.motion;
    m.breaksInTwo = 1;
    m.beginSinking();
    EXPECT_EQ(m.secondPiece.x, 1000.0);
    EXPECT_EQ(m.secondPiece.orderedPitch, -m.orderedPitch);
    EXPECT_LE(m.secondPiece.driftSpeed, 0.0);
    m.speed = 2.0;
    run(m, 20.0);
    EXPECT_EQ(m.secondPiece.x, m.x + m.secondPiece.offsetX);
    EXPECT_NE(m.secondPiece.offsetX, 0.0); // it drifted off
}

TEST_F(Sinking, ADamagedHullRecoversByItsCrewsLevel) {
    HarnessEntity& ship = platform(1, {}, 0, 0, "Frigate", 3);
    ship.hull = 0.6;
    ship.systems = 0.9;
    ship.repairTime = 10.0;
    setClock(5.0);
    ship.motion->checkStatus(1.0);
    EXPECT_EQ(ship.hull, 0.6); // not before the repair time
    setClock(11.0);
    ship.motion->checkStatus(1.0);
    EXPECT_DOUBLE_EQ(ship.hull, 0.6003);
    ship.hull = 0.4; // too badly holed to recover
    ship.motion->checkStatus(1.0);
    EXPECT_EQ(ship.hull, 0.4);
}

TEST_F(Sinking, TheOwnBoatsFloodedSidesComeBackOnceDryAndRepaired) {
    TubeSides stations;
    simInstallServices({.audio = &services.audio, .weapons = &stations, .frontEnd = &services.frontEnd});
    HarnessEntity& own = platform(1, {});
    worldSetOwnShip(&own);
    own.systems = 0.8;
    own.hull = 0.8;
    own.floodPortTime = 60.0;
    own.floodAftTime = 60.0;
    setClock(50.0);
    own.motion->checkStatus(0.4);
    EXPECT_TRUE(stations.changes.empty()); // still flooding
    setClock(61.0);
    own.hull = 0.7;
    own.motion->checkStatus(0.4);
    EXPECT_TRUE(stations.changes.empty()); // not yet repaired
    own.hull = 0.8;
    own.motion->checkStatus(0.4);
    EXPECT_EQ(stations.changes, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_EQ(own.floodPortTime, -1.0);
    EXPECT_EQ(own.floodAftTime, -1.0);
    EXPECT_EQ(services.audio.spoken, std::vector<std::string>{"other channel: cow5.wav"});
    simInstallServices({.audio = &services.audio, .frontEnd = &services.frontEnd});
    std::vector<std::int32_t> extras;
    for (const ReplayEvent& event : loggedOfKind(kEventRepaired))
        extras.push_back(event.extra);
    EXPECT_EQ(extras, (std::vector<std::int32_t>{10, 9}));
}

} // namespace
} // namespace q71::test
