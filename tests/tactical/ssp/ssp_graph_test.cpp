// The sound-speed profile station's arithmetic and the profile it reads: the probe's rise and
// fall, the depth scale, when the layer line shows, and a probe's profile that leaves the
// mission's own profile, random sequence and ambient noise as they were.
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sound_profile.h"
#include "tactical/ssp/ssp_graph.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

TEST(SspGraph, TheProbeRisesThenFallsToTheBottom) {
    // Over water deeper than 1524 m the drop lasts 152.4 s.
    const SspDrop deep = sspDrop(10.0, 0.0, -1524.0);
    EXPECT_DOUBLE_EQ(deep.start, 10.0);
    EXPECT_NEAR(deep.end - deep.start, 152.4, 1e-9);
    EXPECT_NEAR(sspDrop(0.0, 0.0, -3000.0).end, 152.4, 1e-9) << "never below 1524 m";
    // Launched at 100 m, the probe starts falling 33.3 s later.
    const SspDrop fromDepth = sspDrop(0.0, -100.0, -500.0);
    EXPECT_NEAR(fromDepth.start, 33.333, 1e-3);
    EXPECT_FALSE(sspProbeDepth(33.0, fromDepth, -500.0)) << "nothing drawn while it rises";
    EXPECT_NEAR(*sspProbeDepth(fromDepth.start + 25.0, fromDepth, -500.0), -250.0, 1e-9);
    EXPECT_DOUBLE_EQ(*sspProbeDepth(fromDepth.end + 1.0, fromDepth, -500.0), -500.0);
    EXPECT_FALSE(sspProbeDepth(100.0, SspDrop{}, -500.0)) << "no launch, no probe";
    // A bottom of 0: the fall takes no time and the probe is at the bottom at once.
    const SspDrop shallow = sspDrop(5.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(*sspProbeDepth(5.0, shallow, 0.0), 0.0);
}

TEST(SspGraph, TheScaleRoundsPastTheBottom) {
    EXPECT_DOUBLE_EQ(sspFullScale(-1524.0), -1524.0) << "deep water stops at 1524 m";
    EXPECT_DOUBLE_EQ(sspFullScale(-4000.0), -1524.0);
    EXPECT_DOUBLE_EQ(sspFullScale(-100.0), -133.0); // (3 + 1) × 33.3 + 0.1, whole metres
    EXPECT_DOUBLE_EQ(sspFullScale(0.0), -33.0);
    EXPECT_EQ(sspDepthY(0.0, -1524.0), 56);
    EXPECT_EQ(sspDepthY(-1524.0, -1524.0), 376);
    EXPECT_EQ(sspDepthY(-762.0, -1524.0), 216);
    EXPECT_EQ(sspFeet(-100.0), 328);
}

SoundProfile layered() {
    SoundProfile p;
    p.layerDepth = -60.0;
    p.bottomDepth = -1000.0;
    p.speed[4] = 1650.0;
    p.speed[5] = 1640.0;
    return p;
}

TEST(SspGraph, TheLayerShowsOnceTheProbeHasFallen) {
    struct Case {
        const char* what;
        void (*edit)(SoundProfile&);
        std::optional<double> probe;
        bool shown;
    };
    const Case cases[] = {
        {"probe at the bottom", [](SoundProfile&) {}, -1000.0, true},
        {"probe still falling", [](SoundProfile&) {}, -400.0, false},
        {"no probe", [](SoundProfile&) {}, std::nullopt, false},
        {"speed not falling at the layer", [](SoundProfile& p) { p.speed[5] = p.speed[4]; }, -1000.0, false},
        {"isothermal water", [](SoundProfile& p) { p.layerDepth = 0.0; }, -1000.0, false},
        {"bottom above the layer", [](SoundProfile& p) { p.bottomDepth = -50.0; }, -50.0, false},
    };
    for (const Case& c : cases) {
        SoundProfile p = layered();
        c.edit(p);
        EXPECT_EQ(sspLayerShown(p, c.probe), c.shown) << c.what;
    }
}

TEST(SspGraph, AProbesProfileLeavesTheMissionsAlone) {
    missionState().mapOriginLatitude = 40.0;
    SoundProfile& world = soundProfile();
    world = SoundProfile{};
    randomSeed(1234);
    simBuildSoundProfile(3, -2000.0);
    world.ambientNoise = world.background + 30.0; // an explosion raised it
    const SoundProfile before = world;
    const int nextRandom = [] {
        const std::uint32_t saved = randomCurrentState();
        const int value = randomNext();
        randomSeed(saved);
        return value;
    }();

    const SoundProfile probe = simSoundProfileFor(3, -300.0);
    EXPECT_EQ(randomNext(), nextRandom) << "the world's random sequence did not move";
    EXPECT_DOUBLE_EQ(world.ambientNoise, before.ambientNoise);
    EXPECT_DOUBLE_EQ(world.bottomDepth, before.bottomDepth);
    EXPECT_EQ(world.depth, before.depth);
    // The probe's profile: the mission's layer and background, the new bottom.
    EXPECT_DOUBLE_EQ(probe.bottomDepth, -300.0);
    EXPECT_DOUBLE_EQ(probe.layerDepth, before.layerDepthBase);
    EXPECT_DOUBLE_EQ(probe.background, before.background);
    EXPECT_DOUBLE_EQ(probe.depth[SoundProfile::kLevels - 1], -300.0 + (before.layerDepthBase + 300.0) * 0.05);
    // Rebuilding over the same bottom gives what the mission built.
    const SoundProfile same = simSoundProfileFor(3, -2000.0);
    EXPECT_EQ(same.speed, before.speed);
    EXPECT_EQ(same.temperature, before.temperature);
    // Unknown bottom: the deepest water.
    EXPECT_DOUBLE_EQ(simSoundProfileFor(3, std::nullopt).bottomDepth, -1524.0);
}

} // namespace
} // namespace q71::test
