// The ship control station on a running mission of the data set, headless, with recording audio
// and a recording network game: its orders reach the boat and the peers, and the crew answers by
// the station's voice rules.
#include "tactical/support/station_mission.h"

#include "framework/widgets/read_out_strips.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/shipctrl/ship_control.h"
#include "support/golden_image.h"

#include <algorithm>

namespace q71::test {
namespace {

class ShipControlTest : public StationMission {
protected:
    ShipControlTest() {
        startMission("Sa1.scn");
        simSetNetworkGame(&network);
        station = &buildStation<ShipControl>(kStationShipControl, "shipctrl");
        showStation(kStationShipControl);
        audio.spoken.clear();
    }
    ~ShipControlTest() override { simSetNetworkGame(nullptr); }

    OwnShipMotion& boat() { return *worldOwnSubmarine()->ownMotion; }
    bool said(const std::string& file) const {
        return std::find(audio.spoken.begin(), audio.spoken.end(), "other channel: " + file) != audio.spoken.end();
    }

    ShipControl* station = nullptr;
    FakeNetworkGame network;
};

TEST_F(ShipControlTest, DepthOrdersAreReportedOnlyAcrossTheTwelveFootLine) {
    OwnShipMotion& m = boat();
    m.z = -30.0;
    station->onCommand(400, 35);
    EXPECT_TRUE(audio.spoken.empty()) << "a shallow order while submerged is not reported";
    EXPECT_EQ(station->readOut(400).getValue(), 28) << "shallower than 40 feet is the surface to the boat";
    station->onCommand(400, 150);
    EXPECT_TRUE(said("DO1a.wav") && said("Dod1.wav") && said("Dod5.wav") && said("Dod0.wav"));
    EXPECT_NEAR(m.orderedDepth, -122 * 0.3048, 1e-9);
    ASSERT_FALSE(network.pairs.empty());
    EXPECT_EQ(network.pairs.back().code, 1);
}

TEST_F(ShipControlTest, SpeedOrdersAreAnsweredByTheOfficerOrTheHelmAtZero) {
    station->onCommand(600, 12);
    EXPECT_TRUE(said("OOD12kts.wav"));
    EXPECT_DOUBLE_EQ(boat().orderedSpeed, 12.0);
    station->onCommand(600, 0);
    EXPECT_TRUE(said("Hlm1.wav"));
    EXPECT_FALSE(said("OOD0kts.wav"));
    EXPECT_EQ(station->readOut(600).getValue(), 0);
}

TEST_F(ShipControlTest, TheEmergencyBlowTellsThePeersOrdersTheSurfaceAndFlipsTheLever) {
    OwnShipMotion& m = boat();
    m.z = -60.0;
    station->onCommand(1200, 1);
    EXPECT_TRUE(said("COW11.wav"));
    EXPECT_EQ(m.emergencyBlow, 1);
    EXPECT_DOUBLE_EQ(m.orderedDepth, 0.0);
    EXPECT_EQ(m.blowLeverSet, 1);
    ASSERT_FALSE(network.sent.empty());
    EXPECT_EQ(network.sent.back().code, 8);
    EXPECT_EQ(network.sent.back().value1, 1);
    EXPECT_FALSE(said("DO1a.wav")) << "the depth reply runs without voice";
    station->onCommand(1200, 2);
    EXPECT_TRUE(said("COW12.wav"));
    EXPECT_EQ(m.emergencyBlow, 0);
    EXPECT_EQ(m.blowLeverSet, 0);
    EXPECT_EQ(network.sent.back().value1, 0);
}

TEST_F(ShipControlTest, AMissingArrayStillTakesTheWinchOrderAndReportsTheFailure) {
    OwnShipMotion& m = boat();
    const TowedArray selected = m.selectedArray();
    m.towedArrayLength(selected) = -1.0;
    station->onCommand(1100, 0);
    EXPECT_DOUBLE_EQ(m.towedArrayOrder(selected), 1.0);
    EXPECT_TRUE(said(selected == TowedArray::P ? "CowPAryF.wav" : "CowSAryF.wav"));
    station->onCommand(1100, 2);
    EXPECT_DOUBLE_EQ(m.towedArrayOrder(selected), -1.0);
    EXPECT_FALSE(said("HlmRtrvP.wav") || said("HlmRtrvS.wav")) << "no report hauling in a missing array";
}

TEST_F(ShipControlTest, OnlyLoweringTheSnorkelTellsThePeers) {
    station->onCommand(200, 1);
    EXPECT_TRUE(network.sent.empty()) << "raising sends nothing";
    EXPECT_TRUE(said("cow18.wav"));
    station->onCommand(200, 2);
    ASSERT_EQ(network.sent.size(), 1u);
    EXPECT_EQ(network.sent[0].code, 7);
    EXPECT_EQ(network.sent[0].value1, 0);
}

TEST_F(ShipControlTest, TheReadOutsAndTheTrimGaugeFollowTheBoat) {
    OwnShipMotion& m = boat();
    m.z = verticalOfDepthFeet(250);
    m.speed = 7.6;
    m.airBank = 64.9;
    m.pitch = 2.5;
    station->update();
    EXPECT_EQ(station->readOut(300).getValue(), 250);
    EXPECT_EQ(station->readOut(500).getValue(), 8);
    EXPECT_EQ(station->readOut(700).getValue(), 64);
    EXPECT_EQ(station->trimReading(), 25);
    keepPicture("shipctrl");
}

TEST_F(ShipControlTest, TheHfSonarSwitchTurnsTheBoatsFlag) {
    OwnShipMotion& m = boat();
    station->onCommand(100, 1);
    EXPECT_EQ(m.hfSonarOn, 1);
    station->onCommand(100, 2);
    EXPECT_EQ(m.hfSonarOn, 0);
}

TEST_F(ShipControlTest, TheTrimGaugeAtItsClamps) {
    // The boat held still, so that only the gauge differs between the pictures.
    OwnShipMotion& m = boat();
    m.z = verticalOfDepthFeet(250);
    m.speed = 8.0;
    m.airBank = 90.0;
    struct Case {
        double pitch;
        const char* name;
    };
    for (const Case& c : {Case{9.0, "trim-fine-clamped-up"}, Case{-45.0, "trim-both-clamped-down"}}) {
        m.pitch = c.pitch;
        station->update();
        EXPECT_TRUE(matchesGoldenIn("tests/stations/shipctrl/golden", *stationPicture(), c.name)) << c.name;
    }
}

} // namespace
} // namespace q71::test
