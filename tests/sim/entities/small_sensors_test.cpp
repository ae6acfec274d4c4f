#include "entity_fixture.h"

#include "sim/entities/sensors/air_deployed_sonar.h"
#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/entities/sensors/simple_sonar_sensor.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/signature_tables.h"

namespace q71::test {
namespace {

// The quality of the newest fix an observer holds on a target, or −1 for none.
int fixQuality(const Entity& observer, const Entity& target) {
    const ContactRecord* contact = observer.findContact(target.id);
    return contact ? contact->fixes[0].newest().quality : -1;
}

class Radar : public EntityWorld {
protected:
    // Sweeps one target from the observer's radar (figure 2: certain to 16 km, 75 there).
    int paint(Entity& target) {
        RadarSensor& radar = *static_cast<RadarSensor*>(observer.findSensorByType(kSensorRadar));
        radar.copyOwnerPose();
        observer.contacts.deleteAll();
        radar.canSense(target);
        return fixQuality(observer, target);
    }

    HarnessEntity& observer = platform(1, {0, 0, 0});
};

TEST_F(Radar, SeesAHullBestOnTheBeam) {
    HarnessEntity& target = platform(2, {1000, 0, 0}, 0.0); // on its beam: 100 − 25 × 1000 / 16000
    EXPECT_EQ(paint(target), 98);
    target.motion->heading = 270.0; // bow-on: 20 points less
    EXPECT_EQ(paint(target), 78);
    target.motion->heading = 45.0;
    EXPECT_EQ(paint(target), 98 - 10);
}

TEST_F(Radar, SeesOnlyASubmarinesMastsBelowTheSurface) {
    HarnessEntity& sub = platform(2, {1000, 0, -3.0}, 0.0, 0.0, "Hunter");
    EXPECT_EQ(paint(sub), 98 * 11 / 14);
    sub.motion->z = -0.5;
    EXPECT_EQ(paint(sub), 98);
    sub.motion->z = -3.7;
    EXPECT_EQ(paint(sub), -1);
    HarnessEntity& awash = platform(2, {0, 1000, -1.0}, 90.0);
    EXPECT_EQ(paint(awash), -1);
}

TEST_F(Radar, ItsSweepIsHeardByTheTargetsEsm) {
    HarnessEntity& target = platform(2, {0, 1000, 0});
    RadarSensor& radar = *static_cast<RadarSensor*>(observer.findSensorByType(kSensorRadar));
    radar.copyOwnerPose();
    radar.scanList(target);
    const ContactRecord* intercept = target.findContact(observer.id);
    ASSERT_NE(intercept, nullptr);
    const ContactFix& fix = intercept->fixes[0].newest();
    EXPECT_EQ(fix.sensorType, kSensorEsm);
    EXPECT_EQ(fix.quality, 95); // 200 × (24000 − 500) / 24000, at most 95
    EXPECT_NEAR(fix.bearing, 180.0, 1e-6);
    EXPECT_EQ(fix.x, 0.0);
}

TEST_F(Radar, SweepsAtItsIntervalAndTellsThePeers) {
    services.joinNetworkGame(true);
    HarnessEntity& target = platform(2, {1000, 0, 0}, 0.0);
    RadarSensor& radar = *static_cast<RadarSensor*>(observer.findSensorByType(kSensorRadar));
    ASSERT_GE(radar.transmitInterval, 5);
    ASSERT_LE(radar.transmitInterval, 9);
    setClock(radar.lastTransmit + radar.transmitInterval - 0.5);
    radar.step(0.4);
    EXPECT_EQ(observer.findContact(target.id), nullptr);
    setClock(radar.lastTransmit + radar.transmitInterval);
    radar.step(0.4);
    EXPECT_NE(observer.findContact(target.id), nullptr);
    ASSERT_EQ(services.network.sent.size(), 1u);
    EXPECT_EQ(services.network.sent[0].code, 10);
    EXPECT_EQ(services.network.sent[0].value1, kSensorRadar);
    EXPECT_EQ(services.network.sent[0].subject, observer.id);
}

class SimpleSonars : public EntityWorld {
protected:
    SimpleSonars() {
        ObjectRecord quiet = harnessVariant(44, "Quiet");
        quiet.signatureValues = {};
        ObjectRecord pinger = harnessVariant(45, "Pinger");
        pinger.activeSonar = 1; // 1 kHz: inside a passive sonar's band
        std::vector<ObjectRecord> all = harnessRecordsWith(quiet);
        all.push_back(pinger);
        table_.emplace(all);
        worldFreeSignatureTables(); // built again for these records
        worldBuildSignatureTables();
    }
    std::optional<RecordTable> table_;
};

TEST_F(SimpleSonars, HearOnlyTargetsWithASignatureLineInTheirBand) {
    HarnessEntity& sub = platform(1, {0, 0, -60}, 0.0, 0.0, "Hunter");
    HarnessEntity& loud = platform(2, {0, 1000, 0});
    HarnessEntity& quiet = platform(2, {1000, 0, 0}, 0.0, 0.0, "Quiet");
    Sensor& sonar = *sub.findSensorByType(kSensorPassive);
    sonar.copyOwnerPose();
    EXPECT_TRUE(sonar.canSense(loud));
    EXPECT_GT(fixQuality(sub, loud), 90);
    EXPECT_FALSE(sonar.canSense(quiet)); // however loud, it shows no line
}

TEST_F(SimpleSonars, AnActiveSonarsPingIsHeardFiveSecondsAndIntercededOnlyAsItGoes) {
    HarnessEntity& pinger = platform(1, {0, 0, 0}, 0.0, 0.0, "Pinger");
    HarnessEntity& sub = platform(2, {0, 1000, -60}, 180.0, 0.0, "Hunter");
    HarnessEntity& frigate = platform(2, {0, 1500, 0}, 180.0);
    auto& active = *static_cast<SimpleActiveSonar*>(pinger.findSensorByType(kSensorActive));
    const auto intercepts = [&] {
        const ContactRecord* contact = frigate.findContact(pinger.id);
        int count = 0;
        for (std::size_t age = 0; contact && age < contact->fixes[0].size(); ++age)
            count += contact->fixes[0][age].sensorType == kSensorIntercept;
        return count;
    };
    frigate.findSensorByType(kSensorPassive)->deleteFlag = 1; // it listens with its intercept receiver only
    frigate.deleteFlaggedSensors();
    active.transmitInterval = 0; // one ping
    setClock(10.0);
    active.step(0.4);
    EXPECT_EQ(active.transmitInterval, -1);
    const int heardAtPing = fixQuality(sub, pinger);
    EXPECT_GT(heardAtPing, 0);
    EXPECT_EQ(intercepts(), 1); // the frigate's intercept receiver, in the step of the ping
    sub.contacts.deleteAll();
    setClock(12.0);
    active.step(0.4);
    EXPECT_EQ(fixQuality(sub, pinger), heardAtPing * 3 / 5); // fading toward the ambient noise of 0
    EXPECT_EQ(intercepts(), 1);
    sub.contacts.deleteAll();
    setClock(15.0);
    active.step(0.4);
    EXPECT_EQ(fixQuality(sub, pinger), -1);
}

TEST_F(SimpleSonars, APingCarriesAsFarAsThePingersCurveWhateverTheHearersEars) {
    // Water without a layer (profile kind 0): the ping is heard out to twice trunc(15000 s / (4 - f))
    // metres, with f the pinger's figure (2.0) and s the hearer's noise factor (0.8): 12,000 m. The
    // hearer's own curve (figure 2.5) would carry it to 16,000 m.
    missionState().soundProfileKind = 0;
    HarnessEntity& pinger = platform(1, {0, 0, 0}, 0.0, 0.0, "Pinger");
    HarnessEntity& sub = platform(2, {0, 0, -60}, 180.0, 0.0, "Hunter");
    auto& active = *static_cast<SimpleActiveSonar*>(pinger.findSensorByType(kSensorActive));
    const auto heard = [&](double metres) {
        sub.motion->y = metres;
        sub.contacts.deleteAll();
        active.transmitInterval = 0; // one ping
        setClock(simClock().gameClock + 10.0);
        active.step(0.4);
        return fixQuality(sub, pinger) > 0;
    };
    EXPECT_TRUE(heard(11000.0));
    EXPECT_FALSE(heard(12100.0));
    EXPECT_FALSE(heard(15000.0));
}

TEST_F(SimpleSonars, AnActiveSonarThatNeverPingedIsNeverHeard) {
    HarnessEntity& pinger = platform(1, {0, 0, 0}, 0.0, 0.0, "Pinger");
    HarnessEntity& sub = platform(2, {0, 1000, -60}, 180.0, 0.0, "Hunter");
    pinger.findSensorByType(kSensorActive)->step(0.4);
    EXPECT_EQ(fixQuality(sub, pinger), -1);
}

TEST_F(SimpleSonars, AnEchoIsTestedOverHalfTheRange) {
    HarnessEntity& pinger = platform(1, {0, 0, 0}, 0.0, 0.0, "Pinger");
    HarnessEntity& target = platform(2, {0, 1000, 0}, 90.0);
    Sensor& active = *pinger.findSensorByType(kSensorActive);
    Sensor& passive = *pinger.findSensorByType(kSensorPassive);
    active.copyOwnerPose();
    passive.copyOwnerPose();
    active.canSense(target);
    const int echo = fixQuality(pinger, target);
    pinger.contacts.deleteAll();
    passive.canSense(target);
    const int direct = fixQuality(pinger, target);
    // The curve falls with range inside its first point: the half range is heard better.
    EXPECT_EQ(echo, direct + 1);
}

TEST_F(SimpleSonars, ADroppedSonarStaysWhereItWasPut) {
    HarnessEntity& aircraft = platform(1, {500, 500, 0});
    AirDeployedSonar buoy(aircraft, 1.0f);
    EXPECT_EQ(buoy.type, kSensorDropped);
    EXPECT_EQ(buoy.x, 500.0);
    EXPECT_EQ(buoy.z, -1.0);
    aircraft.motion->x = 9000.0;
    buoy.copyOwnerPose();
    EXPECT_EQ(buoy.x, 500.0);
    EXPECT_EQ(buoy.rangeNear, 750);
    EXPECT_EQ(buoy.rangeFar, 1000);
    EXPECT_EQ(buoy.rangeErrNear, 30u);
}

} // namespace
} // namespace q71::test
