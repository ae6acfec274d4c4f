// The periscope panel's arithmetic: buttons, magnification, mast travel and view state, the
// target on the line of sight, and the ESM meter.
#include "tactical/periscope/periscope_controls.h"

#include "sim/entities/motion/own_boat_motion.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

namespace q71::test {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kTurn = 2.0 * std::numbers::pi;

TEST(PeriscopeControls, TrainingButtonsStepByMagnificationWithShiftWrapAndLimits) {
    struct Case {
        ScopeButton button;
        int index;
        bool shift;
        ScopeAngles from;
        double bearing, elevation;
    };
    const std::vector<Case> cases{
        {ScopeButton::TrainLeft, 0, false, {0.0f, 0.0f}, kTurn - 2.0 * kRad, 0.0},
        {ScopeButton::TrainRight, 0, false, {static_cast<float>(kTurn - 1.0 * kRad), 0.0f}, 1.0 * kRad, 0.0},
        {ScopeButton::TrainRight, 0, true, {0.0f, 0.0f}, 10.0 * kRad, 0.0},
        {ScopeButton::TrainRight, 3, true, {0.0f, 0.0f}, 0.625 * kRad, 0.0},
        {ScopeButton::TrainLeft, 1, false, {1.0f, 0.0f}, 1.0 - 0.5 * kRad, 0.0},
        {ScopeButton::TiltUp, 0, false, {0.0f, 0.0f}, 0.0, 1.0 * kRad},
        {ScopeButton::TiltDown, 2, false, {0.0f, 0.0f}, 0.0, -0.125 * kRad},
        {ScopeButton::TiltUp, 0, false, {0.0f, 0.60f}, 0.0, 0.61},
        {ScopeButton::TiltDown, 0, true, {0.0f, -0.34f}, 0.0, -0.35},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const ScopeAngles a = scopeTrainByButton(c.from, c.button, c.index, c.shift);
        EXPECT_NEAR(a.bearing, c.bearing, 1e-5) << i;
        EXPECT_NEAR(a.elevation, c.elevation, 1e-5) << i;
    }
}

TEST(PeriscopeControls, MagnificationClampsAndFieldOfView) {
    EXPECT_EQ(scopeStepMagnification(0, -1), 0);
    EXPECT_EQ(scopeStepMagnification(3, 1), 3);
    EXPECT_EQ(scopeStepMagnification(1, 1), 2);
    const double fields[4] = {32.0, 8.0, 4.0, 2.0};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(scopeFieldOfView(i), fields[i]);
}

TEST(PeriscopeControls, RaisingShowsTheOpticAtHalfTravelAfterThreeAndAHalfSeconds) {
    ScopeMast mast{0.0f, +1};
    std::vector<ScopeViewState> views;
    for (int tenth = 1; tenth <= 80; ++tenth) {
        mast.step(0.1);
        views.push_back(scopeViewFor(kDeviceLowered, mast.height));
    }
    EXPECT_EQ(views[33], kScopeViewHidden);  // 3.4 s
    EXPECT_EQ(views[35], kScopeViewShown);   // 3.6 s
    EXPECT_FLOAT_EQ(mast.height, 14.0f);     // full travel in 7 s, then still
    EXPECT_EQ(mast.motion, 0);
    mast.motion = -1;
    for (int tenth = 0; tenth < 80; ++tenth)
        mast.step(0.1);
    EXPECT_FLOAT_EQ(mast.height, 0.0f);
    EXPECT_EQ(mast.motion, 0);
    EXPECT_EQ(scopeViewFor(kDeviceBroken, 14.0f), kScopeViewOutOfAction);
}

TEST(PeriscopeControls, PickTargetTakesTheBestScoreInTheConeAndLeavesSubmergedOut) {
    // Own boat at the origin; line of sight due north (0 degrees).
    const std::vector<ScopeCandidate> ships{
        {5, 1000.0, 1000.0, 0.0},   // 45 degrees off: outside the cone
        {6, 0.0, 5000.0, -20.0},    // dead ahead but submerged
        {7, 300.0, 2000.0, 0.0},    // 8.5 degrees, 2 km: score about 10.5
        {8, -100.0, 1000.0, 5.0},   // 5.7 degrees, 1 km: score about 6.7
        {9, 100.0, 1000.0, 0.0},    // the mirror of 8: a tie, the first found wins
    };
    EXPECT_EQ(scopePickTarget(0.0, 0.0, 0.0, ships), 8);
    EXPECT_EQ(scopePickTarget(0.0, 0.0, 45.0, ships), 5);
    EXPECT_EQ(scopePickTarget(0.0, 0.0, 180.0, ships), 0);
    // Across north: sight 350 degrees still finds a ship at 355.
    const std::vector<ScopeCandidate> north{{11, -87.5, 1000.0, 0.0}};
    EXPECT_EQ(scopePickTarget(0.0, 0.0, 350.0, north), 11);
    EXPECT_EQ(scopePickTarget(0.0, 0.0, 0.0, {}), 0);
}

TEST(PeriscopeControls, EsmLevelFadesOverFiveSecondsAndDrivesToneAndLamps) {
    SoundRing<BroadbandRow> rows(5);
    EXPECT_DOUBLE_EQ(scopeEsmLevel(rows, 0.0), 0.0); // nothing heard yet
    rows.head().time = 10.0;
    rows.head().level[40] = 60;
    // Now 11: 60 · 4 · 0.2 = 48, · 0.1 = 4.8.
    EXPECT_NEAR(scopeEsmLevel(rows, 11.0), 4.8, 1e-9);
    // A newer, louder row wins; an old one beyond 5 s counts as nothing.
    BroadbandRow& newer = rows.take();
    newer = {};
    newer.time = 12.0;
    newer.level[200] = 100;
    EXPECT_NEAR(scopeEsmLevel(rows, 12.0), 9.0, 1e-9);   // 100 · 5 · 0.2 · 0.1 = 10, limited to 9
    EXPECT_NEAR(scopeEsmLevel(rows, 16.5), 1.0, 1e-9);   // 100 · (5 − 4.5) · 0.2 = 10, · 0.1
    EXPECT_DOUBLE_EQ(scopeEsmLevel(rows, 30.0), 0.0);
    struct Meter {
        double level;
        int volume, lamps;
    };
    for (const Meter& m : {Meter{0.0, 0, 0}, Meter{0.49, 5, 0}, Meter{0.5, 5, 1}, Meter{4.8, 53, 5}, Meter{9.0, 100, 9}}) {
        EXPECT_EQ(scopeEsmVolume(m.level), m.volume) << m.level;
        EXPECT_EQ(scopeEsmLamps(m.level), m.lamps) << m.level;
    }
}

} // namespace
} // namespace q71::test
