// The radar scope's rules, on hand-built terrain and blips: the mast's lamp and settling, the
// cursor, the sea's clutter, land and the shadow behind it, blip levels, fading and the tag.
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/radar/radar_scope.h"

#include <cmath>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

TEST(RadarMast, LampBlinksAtOneHertzAndThePictureWaitsTwentySecondsAfterTheOrder) {
    // Ordered up at 100 s: the mast is up at 110 s and the picture paints from 120 s.
    const TwoPositionDevice raising{kDeviceRaised, 110.0};
    struct Case {
        double clock;
        int lamp;
        bool sweeps;
    } const cases[] = {{100.2, kLampDark, false}, {100.7, kLampLit, false}, {113.4, kLampDark, false},
                       {113.9, kLampLit, false},  {119.9, kLampLit, false}, {120.0, kLampLit, true},
                       {300.25, kLampLit, true}};
    for (const Case& c : cases) {
        simClock().gameClock = c.clock;
        const RadarMastPhase phase = radarMastPhase(raising, c.clock);
        EXPECT_EQ(phase.lampFrame, c.lamp) << c.clock;
        EXPECT_EQ(phase.sweeps, c.sweeps) << c.clock;
        EXPECT_FALSE(phase.fades);
    }
    simClock().gameClock = 500.0;
    const RadarMastPhase failed = radarMastPhase(TwoPositionDevice{kDeviceBroken, 200.0}, 500.0);
    EXPECT_TRUE(failed.fades);
    EXPECT_FALSE(failed.sweeps);
    EXPECT_EQ(failed.lampFrame, kLampDark);
    const RadarMastPhase stowed = radarMastPhase(TwoPositionDevice{kDeviceLowered, 0.0}, 500.0);
    EXPECT_FALSE(stowed.sweeps);
    EXPECT_EQ(stowed.lampFrame, kLampDark);
    simClock().gameClock = 0.0;
}

TEST(RadarCursor, PressesInsideTheScopeSetBearingAndRangeWithTheRimHeldAt101Pixels) {
    struct Case {
        int x, y;
        bool inside;
        double bearing, range;
    } const cases[] = {
        {184, 193, true, 0.0, 0.0},                   // the centre
        {234, 193, true, 90.0, 50.0 * 30000 / 106},   // east, 50 pixels
        {184, 243, true, 180.0, 50.0 * 30000 / 106},  // south
        {184, 90, true, 0.0, 101.0 * 30000 / 106},    // 103 pixels: held at 101
        {290, 193, true, 90.0, 101.0 * 30000 / 106},  // 106 pixels, on the rim
        {291, 193, false, 0.0, 0.0},                  // 107 pixels: outside
        {300, 300, false, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        const auto cursor = radarCursorAt(c.x, c.y, 30000);
        ASSERT_EQ(cursor.has_value(), c.inside) << c.x << "," << c.y;
        if (!cursor)
            continue;
        EXPECT_NEAR(cursor->bearing, c.bearing, 1e-5) << c.x << "," << c.y;
        EXPECT_NEAR(cursor->range, c.range, 1e-6) << c.x << "," << c.y;
    }
}

TEST(RadarPicture, FadeLowersOnlyLevelsAboveItsStepAndOne) {
    RadarPicture picture;
    picture.line(10, 10, 10, 10, 5);
    picture.line(20, 20, 20, 20, 4);
    picture.line(30, 30, 30, 30, 63);
    picture.line(40, 40, 40, 40, 200); // a pen index beyond the ramp is held to 63
    picture.fade(3);
    EXPECT_EQ(picture.at(10, 10), 2);
    EXPECT_EQ(picture.at(20, 20), 4);
    EXPECT_EQ(picture.at(30, 30), 60);
    EXPECT_EQ(picture.at(40, 40), 60);
    // A pen of width 3: the pixels either side of the line are written too.
    EXPECT_EQ(picture.at(9, 11), 2);
    EXPECT_EQ(picture.at(12, 10), 0);
}

TEST(RadarSea, ClutterFallsWithRangeAndFloodsOnceTheAntennaIsAwash) {
    EXPECT_DOUBLE_EQ(radarSeaIntensity(0.0, 0.0), 32.0);
    EXPECT_DOUBLE_EQ(radarSeaIntensity(5000.0, -8.0), 24.0);
    EXPECT_DOUBLE_EQ(radarSeaIntensity(10000.0, 0.0), 16.0);
    EXPECT_DOUBLE_EQ(radarSeaIntensity(40000.0, 0.0), 16.0);
    // One metre under the awash line: 16 + 19.277 whatever the range.
    EXPECT_NEAR(radarSeaIntensity(40000.0, -9.2296), 35.2771, 1e-3);
    EXPECT_EQ(radarValidIndex(3, 5), 3);
    EXPECT_EQ(radarValidIndex(6, 5), 5);
    EXPECT_EQ(radarValidIndex(-1, 4), 4);
}

// A coast running east-west 14,000 yd north of the boat: a 50 m ridge 700 m deep, then 20 m land;
// sea 100 m deep south of it.
bool coast(double, double y, double* height) {
    constexpr double kCoast = 14000.0 * 0.9144;
    *height = y < kCoast ? -100.0 : (y < kCoast + 700.0 ? 50.0 : 20.0);
    return true;
}

// The picture point of a radius along a bearing.
std::pair<int, int> scopePixel(double bearing, int radius) {
    const double a = bearing * 3.14159265358979 / 180.0;
    return {static_cast<int>(std::lround(106 + radius * std::sin(a))),
            static_cast<int>(std::lround(106 - radius * std::cos(a)))};
}

TEST(RadarSweep, LandStandsAtItsRangeInYardsAndHidesWhatLiesBehindIt) {
    RadarSweep sweep;
    RadarPicture picture;
    DisplayNoise noise;
    noise.seed(7);
    sweep.setAngle(0.0);
    // From 0 to 12 degrees (half a second): rays at 0, 4 and 8 degrees.
    const double swept = sweep.sweep(0.5, RadarSweepInput{0.0, 0.0, 0.0, 30000, 0}, coast, picture, noise);
    EXPECT_DOUBLE_EQ(swept, 12.0);
    EXPECT_DOUBLE_EQ(sweep.angle(), 8.0);
    // The 8-degree ray: 14,000 yd north lie at d cos 8 >= 14,000, d >= 14,138 yd, first sampled at
    // 51 pixels (14,434 yd); 49 pixels (13,867 yd) is still sea.
    EXPECT_EQ(sweep.maskAt(49), 0);
    EXPECT_EQ(sweep.maskAt(51), 50);
    EXPECT_EQ(sweep.maskAt(105), 50); // the lower land behind the ridge keeps the ridge's height
    EXPECT_EQ(sweep.maskAt(2), sweep.maskAt(5));
    // The sample at 51 pixels is drawn 3 wide; the next one, at 53, covers its outer pixel.
    const auto [landX, landY] = scopePixel(8.0, 50);
    EXPECT_EQ(picture.at(landX, landY), 63);
    const auto [shadowX, shadowY] = scopePixel(8.0, 91); // 25,754 yd: 20 m land behind the 50 m ridge
    EXPECT_EQ(picture.at(shadowX, shadowY), 0);
    const auto [seaX, seaY] = scopePixel(8.0, 21); // 5,943 yd of open sea: 16 + 0.0016 x 4,057, + up to half again
    EXPECT_GE(picture.at(seaX, seaY), 22);
    EXPECT_LE(picture.at(seaX, seaY), 34);
}

TEST(RadarSweep, NoRayIsDueWithinFourDegrees) {
    RadarSweep sweep;
    RadarPicture picture;
    DisplayNoise noise;
    sweep.setAngle(0.0);
    EXPECT_DOUBLE_EQ(sweep.sweep(0.1, RadarSweepInput{}, coast, picture, noise), 0.0);
    EXPECT_DOUBLE_EQ(sweep.angle(), 0.0);
}

TEST(RadarBlipLevel, HullsFadeWithRangeAndMastsWithHeightAboveTheSea) {
    struct Case {
        double range;
        RadarTargetForm form;
        double z;
        int level;
    } const cases[] = {
        {0.0, {3, 0}, 0.0, 63},          // e = 1: 64, held to the ramp
        {120000.0, {1, 0}, 0.0, 54},     // e = 0.8
        {60000.0, {-1, 0}, 0.0, 54},     // a size of -1 still counts as 1
        {0.0, {0, 1}, 0.0, 63},
        {0.0, {0, 1}, -3.9624, 40},      // half the mast above the sea
        {0.0, {0, 1}, -7.9248, 16},
        {30000.0, {0, 1}, -3.9624, 28},  // (1 - 0.5) x 0.5 = 0.25
    };
    for (const Case& c : cases)
        EXPECT_EQ(radarBlipLevel(c.range, c.form, c.z), c.level) << c.range << " " << c.z;
}

RadarBlip blip(int id, int level, int bearing, int range, double time) {
    return RadarBlip{id, 1, level, bearing, range, 90, time};
}

TEST(RadarBlips, RepaintedBlipsUpdateInPlaceAndOldOrFadedOnesGo) {
    RadarBlips blips;
    blips.record(blip(3, 40, 10, 5000, 0.0));
    blips.record(blip(3, 45, 11, 5100, 3.7)); // within 3.75 s: the same blip
    ASSERT_EQ(blips.list().size(), 1u);
    EXPECT_EQ(blips.list().front().level, 45);
    blips.record(blip(3, 30, 12, 5200, 7.5)); // 3.8 s later: a new blip
    blips.record(blip(4, 5, 90, 8000, 7.5));
    ASSERT_EQ(blips.list().size(), 3u);

    RadarPicture picture;
    blips.draw(picture, 30000, 8.4); // the level-5 blip has lost 6: gone
    EXPECT_EQ(blips.list().size(), 2u);
    blips.draw(picture, 30000, 11.0); // the first has lost 48 of its 45
    ASSERT_EQ(blips.list().size(), 1u);
    EXPECT_EQ(blips.list().front().time, 7.5);
    // Drawn along its heading (east) at its range: 5,200 yd is 18 pixels out on bearing 12.
    const auto [x, y] = scopePixel(12.0, 18);
    EXPECT_GT(picture.at(x, y), 0);
}

TEST(RadarBlips, TheTagTakesTheBlipBetterOnBothBearingAndRange) {
    RadarBlips blips;
    EXPECT_EQ(blips.nearest(0.0, 1000.0), nullptr);
    blips.record(blip(1, 40, 10, 5000, 0.0));
    blips.record(blip(2, 40, 12, 5200, 0.0));
    blips.record(blip(3, 40, 50, 5100, 0.0));
    EXPECT_EQ(blips.nearest(12.4, 5200.0)->entityId, 2);
    // Blip 2 is nearer in range but not in bearing: the first stays.
    EXPECT_EQ(blips.nearest(10.5, 5200.0)->entityId, 1);
    EXPECT_EQ(blips.nearest(49.0, 5090.0)->entityId, 3);
    EXPECT_EQ(blips.nearest(359.0, 5000.0)->entityId, 1); // across north
}

} // namespace
} // namespace q71::test
