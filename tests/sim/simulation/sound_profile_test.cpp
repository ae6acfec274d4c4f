#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sound_profile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

class SoundProfileTest : public ::testing::Test {
protected:
    SoundProfileTest() {
        missionState() = MissionState{};
        soundProfile() = SoundProfile{};
        randomSeed(1);
    }
    const SoundProfile& p = soundProfile();
};

TEST_F(SoundProfileTest, WaterOfTheDefaultLatitude) {
    simBuildSoundProfile(1, -2000.0);
    const double surface = 85 - 40.93 * 5 / 9;
    EXPECT_NEAR(surface, 62.26, 0.005);
    EXPECT_DOUBLE_EQ(p.temperature[0], surface);
    EXPECT_NEAR(p.speed[0] * 3, 4927.4, 0.05); // c0 at the surface
    EXPECT_DOUBLE_EQ(p.speed[23], (4700 + 40.93 * 50 / 9 + 0.051 * 640.08) / 3);
}

TEST_F(SoundProfileTest, IsothermalWaterHasNoLayer) {
    simBuildSoundProfile(1, -2000.0);
    EXPECT_DOUBLE_EQ(p.layerDepth, 0.0);
    EXPECT_DOUBLE_EQ(p.layerDepthBase, 0.0);
    const double expected[] = {0, -15.24, -30.48, -45.72, -60.96, -91.44};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(p.depth[i], expected[i], 1e-9) << i;
    EXPECT_NEAR(p.depth[23], -640.08, 1e-9);
    for (double t : p.temperature)
        EXPECT_DOUBLE_EQ(t, p.temperature[0]);
    EXPECT_GE(p.background, 40.0);
    EXPECT_LE(p.background, 50.0);
    EXPECT_DOUBLE_EQ(p.ambientNoise, p.background);
    simUpdateLayerDepth(-123.0);
    EXPECT_DOUBLE_EQ(p.layerDepth, 0.0); // stays isothermal
}

TEST_F(SoundProfileTest, LayerToTheBottomCoolsLinearly) {
    soundProfile().layerDepthBase = -50.0; // as a loaded mission keeps it
    simBuildSoundProfile(3, -550.0);
    EXPECT_DOUBLE_EQ(p.layerDepth, -50.0);
    EXPECT_DOUBLE_EQ(p.depth[2], -25.0);
    EXPECT_DOUBLE_EQ(p.depth[4], -50.0);
    EXPECT_DOUBLE_EQ(p.depth[5], -75.0); // L − (L − B) × 0.05
    EXPECT_DOUBLE_EQ(p.depth[23], -525.0);
    const double surface = 85 - 40.93 * 5 / 9, deep = 50 - 40.93 * 2 / 15;
    EXPECT_DOUBLE_EQ(p.temperature[4], surface); // the layer itself is still warm
    EXPECT_DOUBLE_EQ(p.temperature[5], deep + (surface - deep) * (-75.0 + 550) / (-50.0 + 550));
    EXPECT_DOUBLE_EQ(p.speed[5], (p.speed[0] * 3 + 4 * (p.temperature[5] - surface) + 0.051 * 75) / 3);
    EXPECT_GE(p.background, 30.0);
    EXPECT_LE(p.background, 40.0);
}

TEST_F(SoundProfileTest, DeepLayerCurvesDownTo3000Feet) {
    soundProfile().layerDepthBase = -100.0;
    simBuildSoundProfile(2, -3000.0);
    EXPECT_DOUBLE_EQ(p.depth[5], -100.0 - (-100.0 + 914.4) * 0.05);
    const double surface = 85 - 40.93 * 5 / 9, deep = 50 - 40.93 * 2 / 15;
    const double t = (p.depth[10] + 914.4) / (-100.0 + 914.4);
    EXPECT_DOUBLE_EQ(p.temperature[10], deep + (surface - deep) * t * t);
    EXPECT_GE(p.background, 25.0);
    EXPECT_LE(p.background, 35.0);
}

TEST_F(SoundProfileTest, BottomIsNeverTakenBelow5000Feet) {
    soundProfile().layerDepthBase = -40.0;
    simBuildSoundProfile(3, -3000.0);
    EXPECT_DOUBLE_EQ(p.bottomDepth, -1524.0);
    EXPECT_DOUBLE_EQ(p.depth[23], -40.0 - 19 * (-40.0 + 1524.0) * 0.05);
    soundProfile().layerDepthBase = -40.0;
    simBuildSoundProfile(3, std::nullopt); // the terrain does not know: deep water
    EXPECT_DOUBLE_EQ(p.bottomDepth, -1524.0);
}

TEST_F(SoundProfileTest, LayerBaseIsDrawnOnceAndFixedInTheFirstSingleMission) {
    simBuildSoundProfile(3, -1000.0);
    EXPECT_LE(p.layerDepthBase, -25.0);
    EXPECT_GE(p.layerDepthBase, -125.0);
    const double drawn = p.layerDepthBase;
    simBuildSoundProfile(3, -1000.0);
    EXPECT_DOUBLE_EQ(p.layerDepthBase, drawn);

    missionState().missionMode = kMissionModeSingle;
    missionState().missionIndex = 0;
    for (std::uint32_t kind : {0u, 2u, 3u}) {
        soundProfile().layerDepthBase = -1.0;
        simBuildSoundProfile(kind, -1000.0);
        EXPECT_DOUBLE_EQ(p.layerDepth, -67.3608) << kind;
    }
}

TEST_F(SoundProfileTest, LayerFollowsTheBottomUnderTheOwnBoat) {
    soundProfile().layerDepthBase = -60.0;
    simBuildSoundProfile(3, -1000.0);
    simUpdateLayerDepth(-123.0); // whole part of −12.3 is −12, remainder of 8 is −4
    EXPECT_DOUBLE_EQ(p.layerDepth, -64.0);
    simUpdateLayerDepth(-2000.0); // −200 is a multiple of 8
    EXPECT_DOUBLE_EQ(p.layerDepth, -60.0);
    simUpdateLayerDepth(-79.9); // −7.99 → −7
    EXPECT_DOUBLE_EQ(p.layerDepth, -67.0);
    simUpdateLayerDepth(std::nullopt); // off the grid: the layer stays
    EXPECT_DOUBLE_EQ(p.layerDepth, -67.0);
}

TEST_F(SoundProfileTest, LayerOverAPassageForEachKind) {
    // The own boat runs from deep water onto a shelf: the bottom under it, pass after pass.
    const double bottoms[] = {-1400.0, -812.0, -405.0, -163.0, -91.0, -55.0};
    for (std::uint32_t kind : {1u, 2u, 3u}) {
        SCOPED_TRACE(kind);
        soundProfile() = SoundProfile{};
        soundProfile().layerDepthBase = -80.0;
        simBuildSoundProfile(kind, bottoms[0]);
        for (double bottom : bottoms) {
            simUpdateLayerDepth(bottom);
            const double expected = kind == 1 ? 0.0 : -80.0 + std::fmod(std::trunc(bottom / 10), 8.0);
            EXPECT_DOUBLE_EQ(p.layerDepth, expected) << bottom;
            EXPECT_LE(p.layerDepth, kind == 1 ? 0.0 : -80.0);
            EXPECT_GE(p.layerDepth, kind == 1 ? 0.0 : -87.0);
        }
    }
}

} // namespace
} // namespace q71
