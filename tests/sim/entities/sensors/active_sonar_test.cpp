#include "receiver_world.h"

#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/support/scoring_fakes.h"

#include <algorithm>

namespace q71::test {
namespace {

class ActivePings : public ReceiverWorld {
protected:
    ActiveSonar& sonar() { return *own->suite.activeSonar; }
    long pings() const { return std::count(audio.played.begin(), audio.played.end(), "pingout.wav"); }
    // Steps the sonar every second of game time from now to `until`.
    void runUntil(double until) {
        for (double t = simClock().gameClock + 1.0; t <= until + 1e-9; t += 1.0) {
            setClock(t);
            sonar().step(0.4);
        }
    }
};

TEST_F(ActivePings, StaySilentUntilAskedAndPingOnceForAnIntervalOf0) {
    runUntil(20.0);
    EXPECT_EQ(pings(), 0);
    sonar().transmitInterval = 0;
    runUntil(40.0);
    EXPECT_EQ(pings(), 1);
    EXPECT_EQ(sonar().transmitInterval, -1);
    EXPECT_EQ(sonar().lastTransmit, 21.0);
}

TEST_F(ActivePings, RepeatEveryIntervalAndTellThePeers) {
    FakeNetworkGame network;
    simSetNetworkGame(&network);
    sonar().transmitInterval = 7;
    sonar().lastTransmit = -7.0; // due at once, as the display asks
    runUntil(30.0);
    EXPECT_EQ(pings(), 5); // at 1, 8, 15, 22 and 29
    ASSERT_EQ(network.sent.size(), 5u);
    EXPECT_EQ(network.sent[0].code, 10);
    EXPECT_EQ(network.sent[0].value1, kSensorActive);
    EXPECT_EQ(network.sent[0].subject, own->id);
    EXPECT_EQ(sonar().broadband()->count(), ActiveSonar::kPingRows);
}

TEST_F(ActivePings, HearEchoesAtTheirRangeInYards) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 3000, -100});
    double sum = 0.0;
    const int pingCount = 40;
    for (int i = 0; i < pingCount; ++i) {
        sonar().transmitInterval = 0;
        setClock(10.0 + i);
        sonar().step(0.4);
        const std::size_t slot = sonar().pingSlot();
        const BroadbandRow& row = sonar().broadband()->row(slot);
        EXPECT_EQ(row.time, 10.0 + i);
        // The echo's bin holds the loudest level with the measured range, 3000 m ± 750 m.
        int loudest = 0;
        for (int b = 0; b < kBearingBins; ++b)
            if (row.level[static_cast<std::size_t>(b)] > row.level[static_cast<std::size_t>(loudest)])
                loudest = b;
        EXPECT_EQ(row.level[static_cast<std::size_t>(loudest)], 100);
        const double yards = row.range[static_cast<std::size_t>(loudest)];
        EXPECT_GE(yards, 2250 * kMetresToYards - 1);
        EXPECT_LE(yards, 3750 * kMetresToYards);
        sum += yards;
        EXPECT_EQ(sonar().pingSnapshot(slot)[static_cast<std::size_t>(binDegrees(loudest))], akula.id);
    }
    EXPECT_NEAR(sum / pingCount, 3000 * kMetresToYards, 200.0); // not the 3000 metres
}

TEST_F(ActivePings, HearNoEchoFromAircraftOrBehindTheBoat) {
    spawn("Seahawk", 2, kKindAir, {0, 1000, -10});
    spawn("Akula", 2, kKindSubsurface, {0, -1000, -100}); // astern: outside the 150-degree arc
    sonar().transmitInterval = 0;
    sonar().step(0.4);
    const ActiveSonar::Snapshot& snapshot = sonar().pingSnapshot(sonar().pingSlot());
    EXPECT_TRUE(std::all_of(snapshot.begin(), snapshot.end(), [](std::uint16_t id) { return id == 0; }));
}

TEST_F(ActivePings, RevealTheBoatToInterceptReceiversOnly) {
    Entity& burke = spawn("Burke", 2, kKindSurface, {0, 5000, 0}); // carries an intercept receiver
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {5000, 0, -100});
    setClock(3.0);
    sonar().transmitInterval = 0;
    sonar().step(0.4);
    const ContactRecord* heard = burke.findContact(own->id);
    ASSERT_NE(heard, nullptr);
    const ContactFix& fix = heard->fixes[0].newest();
    EXPECT_EQ(fix.sensorType, kSensorIntercept);
    EXPECT_EQ(fix.time, 3.0);
    EXPECT_NEAR(fix.bearing, 180.0, 1e-6); // the degree factor is not exact
    EXPECT_EQ(fix.x, 0.0);
    EXPECT_EQ(fix.sensorY, 5000.0);
    EXPECT_GT(fix.quality, 30);
    EXPECT_EQ(akula.findContact(own->id), nullptr);
}

TEST_F(ActivePings, ArmTheBowArraysTrackersForTheDisplay) {
    setClock(4.0);
    sonar().trackEvent(-1, 37, 10.0, 3000.0, 0, kSensorActive);
    const TrackSlot& locked = own->suite.bowArray->trackers()[0];
    EXPECT_TRUE(locked.locked);
    EXPECT_EQ(locked.source, 37);
    EXPECT_EQ(locked.sensorType, kSensorActive);
    EXPECT_EQ(locked.stamp1, 4.0);
    EXPECT_EQ(locked.range, 3000.0);
    sonar().trackEvent(-1, 0, 20.0, 0.0, 0, kSensorActive);
    EXPECT_TRUE(own->suite.bowArray->trackers()[1].armed);
    // An echo at its bearing is taken by the armed one.
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {1026, 2819, -100}); // 20 degrees, 3000 m
    sonar().transmitInterval = 0;
    sonar().step(0.4);
    EXPECT_EQ(own->suite.bowArray->trackers()[1].source, akula.id);
}

class InterceptReceivers : public ReceiverWorld {
protected:
    InterceptSonar& intercept() { return *own->suite.interceptSonar; }
    EsmSensor& esm() { return *own->suite.esm; }
};

TEST_F(InterceptReceivers, KeepTheLastPingAndPlayItBySource) {
    Entity& burke = spawn("Burke", 2, kKindSurface, {0, 5000, 0});
    setClock(10.0);
    intercept().onPing(burke.id, 180, 77);
    EXPECT_EQ(intercept().lastBearing(), 180.0);
    EXPECT_EQ(intercept().lastFrequency(), 3000);
    EXPECT_EQ(intercept().lastInterceptTime(), 10.0);
    EXPECT_EQ(intercept().interceptInterval(), 0);
    ASSERT_EQ(audio.voices.size(), 1u);
    EXPECT_EQ(audio.voices[0].name, "subping.wav");
    EXPECT_EQ(audio.voices[0].volume, 77);
    EXPECT_TRUE(audio.voices[0].started);

    burke.activeSonar = 4000.0;
    setClock(17.6);
    intercept().onPing(burke.id, 181, 40);
    EXPECT_EQ(intercept().interceptInterval(), 7);
    EXPECT_EQ(audio.voices.back().name, "surfping.wav");

    Entity& torpedo = spawn("Adcap", 2, kKindWeapon, {0, 2000, -50});
    torpedo.activeSonar = 1000.0;
    intercept().onPing(torpedo.id, 0, 90);
    EXPECT_EQ(audio.voices.back().name, "torpping.wav");

    intercept().onPing(999, 45, 90); // a source gone since: kept, not played
    EXPECT_EQ(intercept().lastBearing(), 45.0);
    EXPECT_EQ(audio.voices.size(), 3u);
}

TEST_F(InterceptReceivers, TakeARowEachWholeSecond) {
    setClock(0.5);
    intercept().step(0.4);
    EXPECT_EQ(intercept().broadband()->count(), 1u);
    setClock(1.2);
    intercept().step(0.4);
    setClock(1.9);
    intercept().step(0.4);
    EXPECT_EQ(intercept().broadband()->count(), 2u);
    EXPECT_EQ(intercept().broadband()->head().time, 1.2);
    intercept().onPing(0, 90, 50);
    EXPECT_EQ(intercept().broadband()->head().level[static_cast<std::size_t>(bearingBin(90))], 50);
    for (double t = 2.0; t <= 9.0; t += 1.0) {
        setClock(t);
        intercept().step(0.4);
    }
    EXPECT_EQ(intercept().broadband()->count(), kInterceptRows);
    EXPECT_EQ(intercept().broadband()->head().level[static_cast<std::size_t>(bearingBin(90))], 0);
}

TEST_F(InterceptReceivers, HearAnotherPlatformsPingInItsStep) {
    Entity& burke = spawn("Burke", 2, kKindSurface, {0, 3000, 0}, 180.0); // the boat inside its arc
    auto& pinger = dynamic_cast<SimpleActiveSonar&>(*burke.findSensorByType(kSensorActive));
    setClock(5.0);
    pinger.transmitInterval = 0;
    pinger.step(1.0);
    EXPECT_EQ(intercept().lastInterceptTime(), 5.0);
    EXPECT_EQ(intercept().lastBearing(), 0.0);
    EXPECT_EQ(intercept().lastFrequency(), 3000);
    ASSERT_FALSE(audio.voices.empty());
    EXPECT_EQ(audio.voices.back().name, "subping.wav");
}

TEST_F(InterceptReceivers, HearARadarSweepOnTheEsmMast) {
    Entity& burke = spawn("Burke", 2, kKindSurface, {3000, 0, 0});
    auto* radar = new RadarSensor(burke, 2.0f);
    burke.addSensor(radar);
    radar->copyOwnerPose();
    radar->scanList(*own); // the mast is under water at 100 m
    EXPECT_EQ(esm().lastInterceptTime(), 0.0);
    own->motion->z = -5.0;
    setClock(8.0);
    esm().step(0.4);
    EXPECT_EQ(esm().z, -5.0);
    radar->scanList(*own);
    EXPECT_EQ(esm().lastInterceptTime(), 8.0);
    EXPECT_NEAR(esm().lastBearing(), 90.0, 1.0); // whole degrees of a bearing a hair short of 90
    EXPECT_GT(esm().broadband()->head().level[static_cast<std::size_t>(bearingBin(esm().lastBearing()))], 0);
}

} // namespace
} // namespace q71::test
