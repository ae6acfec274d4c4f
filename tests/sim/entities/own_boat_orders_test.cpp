// The orders the ship-control station gives the own boat: telegraph, course, depth, snorkel,
// vents, compressor and masts, each reaching what was ordered at its rate.
#include "own_boat_world.h"

#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

using OwnShipOrders = OwnBoatWorld;

TEST_F(OwnShipOrders, TheTelegraphSetsTheOrderedSpeedByItsBells) {
    boat->setEngineOrder(3);
    EXPECT_EQ(boat->orderedSpeed, 15.0);
    EXPECT_EQ(boat->engineOrderMode, 1);
    boat->setEngineOrder(5);
    EXPECT_EQ(boat->orderedSpeed, 33.0); // flank: the record's top speed
    boat->setEngineOrder(-2);
    EXPECT_EQ(boat->orderedSpeed, -8.0);
    boat->setEngineOrder(9); // beyond the telegraph: its last bell
    EXPECT_EQ(boat->engineOrder, 5.0);
    EXPECT_EQ(boat->orderedSpeed, 33.0);
}

TEST_F(OwnShipOrders, TheBoatMakesTheSpeedOfItsBell) {
    boat->setEngineOrder(2);
    ASSERT_TRUE(runUntil([&] { return boat->driveSpeed == 10.0; }, 600.0));
    run(300.0);
    EXPECT_NEAR(boat->speed, 10.0, 0.25);
    EXPECT_EQ(boat->z, -100.0); // on its depth all the while
}

TEST_F(OwnShipOrders, TheFastBoatOptionGivesATopSpeedOf50) {
    setOption(kOptionFastBoat, 1);
    const OwnShipEntity fast(1, 4, 77);
    EXPECT_EQ(fast.ownMotion->maxSpeed, 50.0);
    worldSetOwnShipId(own->id);
    EXPECT_EQ(boat->maxSpeed, 33.0);
}

TEST_F(OwnShipOrders, ACourseOrderTurnsTheBoatOntoItExactly) {
    underWay(10.0);
    boat->setOrderedCourse(90.0);
    EXPECT_TRUE(runUntil([&] { return boat->heading == 90.0; }, 600.0));
    EXPECT_EQ(boat->rudderAngle, 0.0);
}

TEST_F(OwnShipOrders, AHardTurnAtFlankEitherWayKeepsTheBoatWithinItsTopSpeed) {
    boat->setEngineOrder(5);
    ASSERT_TRUE(runUntil([&] { return boat->speed > 0.95 * boat->maxSpeed; }, 900.0));
    for (double rudder : {-boat->maxRudderAngle, boat->maxRudderAngle}) {
        SCOPED_TRACE(rudder);
        boat->setRudderOrder(rudder);
        double fastest = 0.0;
        for (int pass = 0; pass < 3000; ++pass) {
            harness->pass(0.1);
            fastest = std::max(fastest, boat->speed);
        }
        EXPECT_LE(fastest, boat->maxSpeed);
    }
}

TEST_F(OwnShipOrders, ADepthOrderTakesTheBoatExactlyThereWithoutASequence) {
    underWay(10.0);
    boat->setOrderedDepth(-150.0);
    EXPECT_EQ(boat->diving, 0);
    EXPECT_EQ(boat->surfacing, 0);
    EXPECT_TRUE(runUntil([&] { return boat->z == -150.0; }, 600.0));
    EXPECT_TRUE(crew.reports.empty());
}

TEST_F(OwnShipOrders, AnOrderShallowerThan12FeetIsTheSurface) {
    boat->setOrderedDepth(-3.0);
    EXPECT_EQ(boat->orderedDepth, 0.0);
    EXPECT_EQ(boat->surfacing, 1);
    EXPECT_EQ(boat->surfaceStep, 0);
    EXPECT_EQ(boat->surfaceTimer, simClock().gameClock);
    EXPECT_EQ(boat->diving, 0);
    boat->setOrderedDepth(-3.6576); // 12 ft itself is a depth, not the surface
    EXPECT_EQ(boat->orderedDepth, -3.6576);
    EXPECT_EQ(boat->surfacing, 0);
}

TEST_F(OwnShipOrders, ADeepOrderAtTheSurfaceStartsTheDive) {
    placeBoat(0.0);
    boat->setOrderedDepth(-40.0);
    EXPECT_EQ(boat->diving, 1);
    EXPECT_EQ(boat->diveStep, 0);
    EXPECT_EQ(boat->orderedDepth, -40.0);
}

TEST_F(OwnShipOrders, TheSnorkelRaisesItsMastAndRunsTheBlowerAtAnyDepthUnlessBroken) {
    EXPECT_EQ(boat->setSnorkel(1), 1);
    EXPECT_EQ(boat->blowerOn, 1);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceRaised);
    EXPECT_EQ(boat->setSnorkel(0), 0);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceLowered);
    boat->masts[kMastSnorkel].state = kDeviceBroken;
    EXPECT_EQ(boat->setSnorkel(1), 0);
    EXPECT_EQ(boat->blowerOn, 0);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceBroken);
}

TEST_F(OwnShipOrders, OpeningTheVentsSoundsOnceAndDrainsTheTanks) {
    boat->ballastLevel = 100.0;
    boat->setMode(1);
    boat->setMode(1);
    EXPECT_EQ(crew.effects, std::vector<std::string>{"bllst.wav"});
    run(10.0);
    EXPECT_GT(boat->ballastLevel, 0.0); // the fuller the tanks, the faster they vent: 5100 / 300 s in all
    run(7.5);
    EXPECT_EQ(boat->ballastLevel, 0.0);
    EXPECT_EQ(boat->buoyancyRate, 0.0);
    boat->setMode(0);
    EXPECT_EQ(boat->modeWord, 0);
}

TEST_F(OwnShipOrders, MastsTakeTenSecondsAndBrokenOnesStayBroken) {
    const double now = simClock().gameClock;
    boat->orderMast(kMastPeriscope, true);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceRaised);
    EXPECT_EQ(boat->masts[kMastPeriscope].completionTime, now + 10.0);
    const double ordered = boat->masts[kMastPeriscope].completionTime;
    boat->orderMast(kMastPeriscope, true); // already ordered up: the travel does not start again
    EXPECT_EQ(boat->masts[kMastPeriscope].completionTime, ordered);
    EXPECT_EQ(effectiveDeviceState(kDeviceRaised, ordered), kDeviceLowered);
    run(10.5);
    EXPECT_EQ(effectiveDeviceState(boat->masts[kMastPeriscope].state, ordered), kDeviceRaised);
    boat->masts[kMastEsm].state = kDeviceBroken;
    boat->orderMast(kMastEsm, true);
    boat->orderMast(kMastEsm, false);
    EXPECT_EQ(boat->masts[kMastEsm].state, kDeviceBroken);
}

TEST(EffectiveDeviceState, ReadsTheOppositeUntilTheOrderCompletes) {
    simClock().gameClock = 100.0;
    EXPECT_EQ(effectiveDeviceState(kDeviceRaised, 100.5), kDeviceLowered);
    EXPECT_EQ(effectiveDeviceState(kDeviceRaised, 100.0), kDeviceRaised);
    EXPECT_EQ(effectiveDeviceState(kDeviceLowered, 100.5), kDeviceRaised);
    EXPECT_EQ(effectiveDeviceState(kDeviceLowered, 99.0), kDeviceLowered);
    EXPECT_EQ(effectiveDeviceState(kDeviceBroken, 100.5), kDeviceBroken);
    EXPECT_EQ(effectiveDeviceState(kDeviceBroken, 0.0), kDeviceBroken);
    simClock().gameClock = 0.0;
}

TEST_F(OwnShipOrders, TheCompressorFillsTheBankUpToItsCeiling) {
    boat->airBank = 50.0;
    boat->airCeiling = 51;
    boat->setCompressor(1);
    run(60.0);
    EXPECT_GT(boat->airBank, 50.0);
    EXPECT_LT(boat->airBank, 50.0 + 0.5 * 60.0 / 51.0 + 1e-9); // 0.5 dt / (air + 1)
    run(600.0);
    EXPECT_EQ(boat->airBank, 51.0); // deep, the ceiling of the last snorkel run holds
    EXPECT_EQ(boat->setCompressor(0), 0);
    run(60.0);
    EXPECT_EQ(boat->airBank, 51.0);
}

TEST_F(OwnShipOrders, SnorkellingLetsTheBankFillAndSetsTheCeilingForLater) {
    placeBoat(-15.0);
    boat->airBank = 50.0;
    boat->airCeiling = 50;
    boat->setSnorkel(1);
    boat->setCompressor(1);
    run(120.0);
    ASSERT_GT(boat->airBank, 51.0);
    const int ceiling = static_cast<int>(boat->airBank) + 10;
    EXPECT_EQ(boat->airCeiling, ceiling);
    placeBoat(-100.0); // deep, the blower still running: the ceiling of the snorkel run holds
    run(3600.0);
    EXPECT_EQ(boat->airBank, static_cast<double>(ceiling));
    boat->airBank = 99.9999;
    placeBoat(-15.0);
    run(10.0);
    EXPECT_EQ(boat->airBank, 100.0); // snorkelling, never above a full bank
    EXPECT_EQ(boat->airCeiling, 100);
}

TEST_F(OwnShipOrders, TheLaunchValueIsTheAirLeft) {
    EXPECT_EQ(boat->launchValue(), 93.0);
    boat->airBank = 39.0;
    EXPECT_EQ(own->motion->launchValue(), 39.0);
}

TEST_F(OwnShipOrders, ABoatStartingAtTheSurfaceFloatsThereAndOneBelowIsTrimmed) {
    placeBoat(0.0);
    boat->x = 20000.0; // moved to its start after the last snapshot
    boat->placed();
    EXPECT_EQ(boat->smoothedState[kSampleX], 20000.0);
    EXPECT_EQ(boat->ballastLevel, 100.0);
    run(120.0);
    EXPECT_GT(boat->z, -1.0);
    placeBoat(-60.0);
    boat->placed();
    EXPECT_EQ(boat->ballastLevel, 0.0);
    run(120.0);
    EXPECT_EQ(boat->z, -60.0);
}

TEST_F(OwnShipOrders, TheStationsBlockStartsWithItsSettings) {
    EXPECT_EQ(boat->stationSettings[0], 1);
    EXPECT_EQ(boat->stationSettings[5], 6);
    EXPECT_EQ(boat->stationSettings[13], 10);
    EXPECT_EQ(boat->stationSettings[30], 2);
    EXPECT_EQ(boat->radarRingsOn, 1);
    EXPECT_EQ(boat->radarRingSpacing, 4);
    EXPECT_EQ(boat->radarRangeScale, 5);
    EXPECT_EQ(boat->lastLowerMastsCue, -1.0);
}

} // namespace
} // namespace q71::test
