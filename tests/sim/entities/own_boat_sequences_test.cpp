// The dive and surface sequences and the emergency blow, step by step, with the crew's reports.
#include "own_boat_world.h"

#include "sim/entities/entity_events.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

class OwnShipSequences : public OwnBoatWorld {
protected:
    /// The boat surfaced: tanks blown, at the surface, under way.
    void surfaced(double speed) {
        placeBoat(0.0);
        boat->ballastLevel = 100.0;
        underWay(speed);
    }
    std::vector<std::string> phrases() const {
        std::vector<std::string> all;
        for (const CrewRecorder::Report& report : crew.reports)
            all.push_back(report.wave);
        return all;
    }
};

TEST_F(OwnShipSequences, ADiveFromTheSurfaceGoesThroughItsStepsWithTheirReports) {
    surfaced(6.0); // slow enough not to cavitate near the surface
    const double start = simClock().gameClock;
    boat->setOrderedDepth(-40.0);
    run(0.1);
    // Step 0: the vents open, the diving officer calls the dive, the order is logged.
    EXPECT_EQ(boat->diveStep, 1);
    EXPECT_EQ(boat->modeWord, 1);
    EXPECT_EQ(crew.effects, std::vector<std::string>{"bllst.wav"});
    ASSERT_EQ(crew.reports.size(), 1u);
    EXPECT_EQ(crew.reports[0].channel, CrewChannel::divingOfficer);
    EXPECT_EQ(crew.reports[0].wave, "dosub.wav");
    EXPECT_EQ(crew.reports[0].priority, 0);
    EXPECT_EQ(logLines(), std::vector<std::string>{"T303"});
    // Step 1, three seconds on: the chief of the watch reports the vents open.
    EXPECT_TRUE(runUntil([&] { return boat->diveStep == 2; }, 10.0));
    EXPECT_GE(simClock().gameClock - start, 3.0);
    EXPECT_EQ(crew.said(CrewChannel::chiefOfWatch), std::vector<std::string>{"cow14.wav"});
    // Steps 2 and 3: the deck goes under at 7 ft, the vents shut at 12 ft.
    ASSERT_TRUE(runUntil([&] { return boat->diveStep == 4; }, 300.0));
    EXPECT_LE(boat->z, -3.6576);
    EXPECT_EQ(boat->modeWord, 0);
    EXPECT_EQ(crew.said(CrewChannel::officerOfDeck), std::vector<std::string>{"ooddecks.wav"});
    // Steps 4 to 6: past 53 ft, on depth, and ten seconds later the dive is done.
    ASSERT_TRUE(runUntil([&] { return boat->diving == 0; }, 600.0));
    EXPECT_NEAR(boat->z, -40.0, 0.5);
    EXPECT_EQ(phrases(),
              (std::vector<std::string>{"dosub.wav", "cow14.wav", "ooddecks.wav", "cow1.wav", "cow2.wav"}));
    EXPECT_EQ(logLines(), (std::vector<std::string>{"T303", "T290", "T312", "T282", "T283"}));
    const std::vector<ReplayEvent> events = logged();
    ASSERT_TRUE(std::any_of(events.begin(), events.end(), [&](const ReplayEvent& e) {
        return e.kind == kEventDiveOrdered && e.subjectId == own->id && e.extra == 0;
    }));
}

TEST_F(OwnShipSequences, ARaisedMastIsCalledOutOnTheWayDown) {
    surfaced(10.0);
    boat->orderMast(kMastRadio, true);
    boat->setOrderedDepth(-40.0);
    ASSERT_TRUE(runUntil([&] { return boat->diveStep == 5; }, 600.0));
    const CrewRecorder::Report* warning = crew.find("COWlower.wav");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->channel, CrewChannel::chiefOfWatch);
    EXPECT_EQ(warning->priority, -1);
    EXPECT_EQ(std::count(logLines().begin(), logLines().end(), "T772"), 1);
    EXPECT_LE(boat->z, -16.1544 + 1.0);
}

TEST_F(OwnShipSequences, ADeepOrderAtPeriscopeDepthWithAMastUpWarnsAfterFiveSeconds) {
    placeBoat(-15.0);
    boat->orderMast(kMastPeriscope, true);
    boat->setOrderedDepth(-100.0);
    EXPECT_EQ(boat->diving, 1);
    EXPECT_EQ(boat->diveStep, 7);
    run(4.8);
    EXPECT_EQ(crew.find("COWlower.wav"), nullptr);
    run(0.4);
    EXPECT_NE(crew.find("COWlower.wav"), nullptr);
    EXPECT_EQ(boat->diving, 0);
    EXPECT_GT(boat->lastLowerMastsCue, 5.0);
    // Within a minute a new order brings no second warning.
    placeBoat(-15.0);
    boat->setOrderedDepth(-100.0);
    run(10.0);
    EXPECT_EQ(std::count(logLines().begin(), logLines().end(), "T772"), 1);
    // Without a mast up, no warning at all.
    boat->orderMast(kMastPeriscope, false);
    run(120.0);
    placeBoat(-15.0);
    boat->setOrderedDepth(-100.0);
    EXPECT_EQ(boat->diving, 0);
}

TEST_F(OwnShipSequences, SurfacingClimbsBlowsTheTanksWithTheSnorkelAndEndsSurfaced) {
    underWay(10.0);
    boat->setOrderedDepth(0.0);
    EXPECT_EQ(boat->surfacing, 1);
    run(0.1);
    EXPECT_EQ(crew.said(CrewChannel::divingOfficer), std::vector<std::string>{"dosurf.wav"});
    EXPECT_EQ(boat->surfaceStep, 1);
    EXPECT_TRUE(runUntil([&] { return boat->surfaceStep == 2; }, 3.0));
    // Step 2: the sail comes out at 11 m: the snorkel goes up and the blower fills the tanks.
    ASSERT_TRUE(runUntil([&] { return boat->surfaceStep == 3; }, 600.0));
    EXPECT_GE(boat->z, -11.0);
    EXPECT_EQ(boat->blowerOn, 1);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceRaised);
    EXPECT_EQ(crew.effects, std::vector<std::string>{"bllst.wav"});
    ASSERT_TRUE(runUntil([&] { return boat->surfacing == 0; }, 600.0));
    EXPECT_GT(boat->z, -1.0);
    EXPECT_GT(boat->ballastLevel, 0.0);
    EXPECT_EQ(boat->blowerOn, 0);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceLowered);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"T304", "T291", "T301", "T302"}));
    for (const CrewRecorder::Report& report : crew.reports)
        EXPECT_EQ(report.priority, 0) << report.wave;
    // Surfaced with the tanks blown, the boat stays up.
    run(300.0);
    EXPECT_GT(boat->z, -1.0);
    const std::vector<ReplayEvent> events = logged();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                            [&](const ReplayEvent& e) { return e.kind == kEventSurfaceOrdered; }));
}

TEST_F(OwnShipSequences, ANewDepthOrderCancelsARunningSequence) {
    underWay(10.0);
    boat->setOrderedDepth(0.0);
    run(5.0);
    boat->setOrderedDepth(-120.0);
    EXPECT_EQ(boat->surfacing, 0);
    EXPECT_EQ(boat->diving, 0);
    run(60.0);
    EXPECT_EQ(crew.find("cow16.wav"), nullptr);
}

TEST_F(OwnShipSequences, TheEmergencyBlowSpendsAirIntoTheTanksAndBringsTheBoatUp) {
    boat->setEmergencyBlow(1);
    run(0.4);
    EXPECT_LT(boat->airBank, 93.0);
    EXPECT_GT(boat->ballastLevel, 0.0);
    EXPECT_GT(boat->buoyancyRate, 0.0);
    EXPECT_EQ(boat->orderedDepth, 0.0);
    EXPECT_EQ(boat->surfacing, 0); // the blow, not the sequence, brings it up
    ASSERT_TRUE(runUntil([&] { return boat->z > -1.0; }, 600.0));
    run(60.0); // the blow left on spends the whole bank: what the bank loses, the tanks gain
    EXPECT_EQ(boat->airBank, 0.0);
    EXPECT_NEAR(boat->ballastLevel, 93.0, 0.5);
    const double spent = boat->airBank;
    boat->setEmergencyBlow(0);
    run(60.0);
    EXPECT_EQ(boat->airBank, spent);
    EXPECT_GT(boat->z, -1.0);
    EXPECT_TRUE(crew.reports.empty()); // no surfacing reports while blowing
    const std::vector<ReplayEvent> events = logged();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                            [](const ReplayEvent& e) { return e.kind == kEventEmergencyBlow; }));
}

TEST_F(OwnShipSequences, AnEmptyAirBankBlowsNothing) {
    boat->airBank = 0.0;
    boat->setEmergencyBlow(1);
    run(30.0);
    EXPECT_EQ(boat->ballastLevel, 0.0);
    EXPECT_EQ(boat->airBank, 0.0);
    EXPECT_LT(boat->z, -90.0);
}

TEST_F(OwnShipSequences, AHullFullOfWaterNeedsMoreAir) {
    own->hull = own->systems = 0.4; // 0.2 of buoyancy lost, and no repair under way
    boat->ballastLevel = 10.0;
    run(0.4);
    EXPECT_NEAR(boat->buoyancyRate, (0.1 - 0.6 / 3.0) * 2.66, 1e-9);
    boat->ballastLevel = 50.0;
    run(0.4);
    EXPECT_NEAR(boat->buoyancyRate, (0.5 - 0.6 / 3.0) * 6.0, 1e-9);
}

} // namespace
} // namespace q71::test
