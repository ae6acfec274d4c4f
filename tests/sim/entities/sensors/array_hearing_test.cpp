#include "receiver_world.h"

#include <set>

namespace q71::test {
namespace {

// The curves' levels close in (inside the first range point) are worked out by hand: there the
// rule gives L + 100 − trunc((100 − A) × r / R0) with no chance involved.
class ArrayCurves : public ReceiverWorld {
protected:
    ArraySonar& bow() { return *own->suite.bowArray; }
};

TEST_F(ArrayCurves, ScaleTheOrdinaryCurveByTheSourcesLoudness) {
    // s = 0.6: m = 1.2, R0 = 5400, A = 97.
    EXPECT_EQ(bow().passiveLevel(0.6, 2700.0, -100.0, -100.0, 5), 5 + 100 - 1);
    // s = 1: m = 1.5, R0 = 6750, A = 100.
    EXPECT_EQ(bow().passiveLevel(1.0, 6000.0, -100.0, -100.0, 5), 105);
    // R1 = 8400 + 3000 × 5 / 97: nothing is heard from twice that on.
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(bow().passiveLevel(0.6, 2.0 * (8400 + 154), -100.0, -100.0, 5), 0);
}

TEST_F(ArrayCurves, HearFartherOnTheTowedArrayAndWithTheOptionOrTheUpgrade) {
    PassiveArray0& towed = own->streamTowedArray(100.0);
    // m = 1.2 × 1.25 = 1.5: R0 = 6750, A = 100 (the bow array's 5400 and 97).
    EXPECT_EQ(towed.passiveLevel(0.6, 2700.0, -100.0, -100.0, 5), 5 + 100);
    EXPECT_EQ(bow().passiveLevel(0.6, 2700.0, -100.0, -100.0, 5), 5 + 100 - 1);
    options.options[kOptionSensitiveArrays] = 1; // m = 2.4: R0 = 10800, A = 109
    EXPECT_EQ(bow().passiveLevel(0.6, 5400.0, -100.0, -100.0, 5), 5 + 100 + 4);
}

TEST_F(ArrayCurves, FollowTheSoundProfile) {
    missionState().soundProfileKind = 1; // isothermal: R0 = 3600, A = 82
    EXPECT_EQ(bow().passiveLevel(0.6, 1800.0, -100.0, -100.0, 5), 5 + 100 - 9);
    missionState().soundProfileKind = 2; // a layer at 50 m with the listener below: R0 = 3600, A = 90
    soundProfile().layerDepth = -50.0;
    EXPECT_EQ(bow().passiveLevel(0.6, 1000.0, -100.0, -100.0, 5), 5 + 100 - 2);
    // A source above the layer is heard as if twice as far.
    EXPECT_EQ(bow().passiveLevel(0.6, 1000.0, -100.0, -10.0, 5), 5 + 100 - 5);
}

TEST_F(ArrayCurves, HearThePlayersBoatsByTheirFixedPoints) {
    EXPECT_EQ(bow().activeLevel(3750.0, -100.0, -100.0, 5), 5 + 100 - 5); // R0 = 7500, A = 90
    missionState().soundProfileKind = 1;                                  // R0 = 2000
    EXPECT_EQ(bow().activeLevel(1000.0, -100.0, -100.0, 5), 5 + 100 - 5);
}

TEST_F(ArrayCurves, SetTheErrorsFromTheFigure) {
    // Figure 3: bearing 1 to 5 degrees (2 for the active sonar) over 4998 to 19998 m; range
    // 750 to 7500 m over the same ranges.
    EXPECT_EQ(bow().bearingError(1000.0), 1.0);
    EXPECT_EQ(bow().bearingError(30000.0), 5.0);
    EXPECT_EQ(own->suite.activeSonar->bearingError(30000.0), 2.0);
    EXPECT_EQ(bow().rangeError(1000.0), 750.0);
    EXPECT_EQ(bow().rangeError(19998.0), 7500.0);
}

class ArrayHearing : public ReceiverWorld {
protected:
    // Places the bow and flank arrays for a scan, as their step does.
    void listen() {
        own->suite.bowArray->step(0.0);
        own->suite.flankArray->step(0.0);
    }
    bool bowHears(Entity& source) { return own->suite.bowArray->canSense(source); }
    bool flankHears(Entity& source) { return own->suite.flankArray->canSense(source); }
};

TEST_F(ArrayHearing, HearsInsideItsVerticalWindowOnly) {
    setClock(1.0);
    listen();
    Entity& shallow = spawn("Akula", 2, kKindSubsurface, {0, 2000, 5.0});
    Entity& deep = spawn("Akula", 2, kKindSubsurface, {0, -2000, -3000.0});
    EXPECT_TRUE(bowHears(shallow));
    shallow.motion->z = 5.01;
    EXPECT_FALSE(bowHears(shallow));
    deep.motion->y = 2000.0;
    EXPECT_TRUE(bowHears(deep));
    deep.motion->z = -3000.01;
    EXPECT_FALSE(bowHears(deep));
}

TEST_F(ArrayHearing, NeedsASignatureLineInsideTheBand) {
    setClock(1.0);
    listen();
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100}); // abeam: both arrays
    Entity& silent = spawn("Silent", 2, kKindSubsurface, {2000, 100, -100});
    EXPECT_TRUE(bowHears(akula));   // 900 and 5000 Hz lie in 750-10000
    EXPECT_TRUE(flankHears(akula)); // 60, 300 and 900 Hz lie in 50-1000
    EXPECT_FALSE(bowHears(silent)); // 5 Hz lies in no band
    EXPECT_FALSE(flankHears(silent));
    akula.signatureIndex = {60, 300, 700, 10000, -1}; // the bow array's band is open at both ends
    EXPECT_FALSE(bowHears(akula));
    EXPECT_TRUE(flankHears(akula));
}

TEST_F(ArrayHearing, IsDeafenedByTheBoatsOwnSpeed) {
    setClock(1.0);
    listen();
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100}); // quiet: heard at 100
    EXPECT_TRUE(bowHears(akula));
    own->motion->speed = 30.0; // the bow array's own noise reaches 100 from 27.5 on
    EXPECT_FALSE(bowHears(akula));
    own->motion->speed = 25.0;
    EXPECT_TRUE(bowHears(akula));
}

TEST_F(ArrayHearing, CoversItsArc) {
    setClock(1.0);
    listen();
    Entity& astern = spawn("Akula", 2, kKindSubsurface, {0, -2000, -100});
    Entity& ahead = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100});
    Entity& abeam = spawn("Akula", 2, kKindSubsurface, {-2000, 0, -100});
    EXPECT_FALSE(bowHears(astern));
    EXPECT_FALSE(flankHears(astern));
    EXPECT_TRUE(bowHears(ahead));
    EXPECT_FALSE(flankHears(ahead));
    EXPECT_TRUE(bowHears(abeam));
    EXPECT_TRUE(flankHears(abeam));
}

TEST_F(ArrayHearing, DrawsBearingErrorsWithinItsCurve) {
    setClock(1.0);
    listen();
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {-2000, 22.86, -100}); // 270 from the bow, error 1
    PassiveArray2& bow = *own->suite.bowArray;
    std::set<double> measured;
    for (int i = 0; i < 40; ++i) {
        bow.trackEvent(0, 0, 270.0, 0.0, -1, kSensorPassive);
        ASSERT_TRUE(bow.canSense(akula));
        const TrackSlot& tracker = bow.trackers()[0];
        ASSERT_TRUE(tracker.locked);
        EXPECT_GE(tracker.bearing, 269.0);
        EXPECT_LE(tracker.bearing, 271.0);
        measured.insert(tracker.bearing);
    }
    EXPECT_GE(measured.size(), 2u);
}

TEST_F(ArrayHearing, HearsASourceInItsActiveWindowAsNearer) {
    setClock(100.0);
    listen();
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 12000, -100});
    int heardQuiet = 0;
    for (int i = 0; i < 20; ++i)
        heardQuiet += bowHears(akula) ? 1 : 0;
    EXPECT_LT(heardQuiet, 20);
    akula.activityPhase = 1;
    akula.activityTimer = 100.0 + 180.0; // a quarter of the range: inside the first point
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(bowHears(akula));
    akula.activityTimer = 100.0 - 600.0; // long past: the range stays what it is
    akula.motion->y = 25000.0;           // beyond twice the second point: never heard
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(bowHears(akula));
}

} // namespace
} // namespace q71::test
