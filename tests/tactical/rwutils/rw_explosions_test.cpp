// The explosion pool over test-made fireball textures and a fake game clock: slots, textures of
// the two cycles, the time line of frames, bursts and fade, the world point against a moving
// floating origin, and the pool's open and close in any order.
#include "tactical/rwutils/rw_fixture.h"

#include "render3d/scene.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/rw_explosions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace q71::test {
namespace {

const std::vector<std::string> kSurface{"sboom2.bmp", "sboom3.bmp", "sboom4.bmp",
                                        "sboom5.bmp", "sboom6.bmp", "sboom7.bmp"};
const std::vector<std::string> kUnderwater{"uboom1.bmp", "uboom2.bmp", "uboom3.bmp",
                                           "uboom4.bmp", "uboom5.bmp", "uboom6.bmp"};

class RwExplosions : public RwFixture {
protected:
    RwExplosions() {
        for (const auto* names : {&kSurface, &kUnderwater})
            for (const auto& n : *names)
                addTexture("textures", n, 0xFF8000, 15);
        simSetGameTime(100.0);
        parentClump = r3d::createClump();
    }
    ~RwExplosions() override {
        rwFreeExplosions();
        r3d::destroyClump(parentClump);
    }
    int running() const {
        int n = 0;
        for (int i = 0; i < kExplosionSlots; ++i)
            n += rwExplosionSlot(i).state;
        return n;
    }
    void at(double seconds) {
        simSetGameTime(100.0 + seconds);
        rwUpdateExplosions(0.0f, 0.0f);
    }
    r3d::Clump* parentClump = nullptr;
};

TEST_F(RwExplosions, AClosedPoolStartsNothingAndOpenAndCloseMayComeInAnyOrder) {
    rwFreeExplosions();
    rwStartExplosion(parentClump, 0, 0, 0, 5, true, 0);
    EXPECT_EQ(running(), 0);
    EXPECT_TRUE(parentClump->children().empty());
    rwInitExplosions();
    rwInitExplosions();
    EXPECT_EQ(rwTextureReferences(rwExplosionTextureName(true)), 1);
    rwStartExplosion(parentClump, 0, 0, 0, 5, true, 0);
    EXPECT_EQ(running(), 1);
    rwFreeExplosions();
    rwFreeExplosions();
    EXPECT_EQ(running(), 0);
    EXPECT_TRUE(parentClump->children().empty());
    rwUpdateExplosions(0.0f, 0.0f);
}

TEST_F(RwExplosions, SlotsTexturesAndSizes) {
    rwInitExplosions();
    const std::string surface = rwExplosionTextureName(true);
    const std::string underwater = rwExplosionTextureName(false);
    EXPECT_NE(std::find(kSurface.begin(), kSurface.end(), surface), kSurface.end());
    EXPECT_NE(std::find(kUnderwater.begin(), kUnderwater.end(), underwater), kUnderwater.end());

    struct Case {
        double z;
        bool flag;
        std::string texture;
    };
    const Case cases[] = {{-0.5, false, surface}, {0.99, false, surface},   {-1.0, false, underwater},
                          {-1.0, true, surface},  {-50, false, underwater}, {1.0, false, underwater}};
    int slot = 0;
    for (const auto& c : cases) {
        rwStartExplosion(parentClump, 10, 20, c.z, 0.5, c.flag, 0);
        EXPECT_EQ(rwExplosionSlot(slot).texture, c.texture) << "z " << c.z << " flag " << c.flag;
        EXPECT_EQ(rwExplosionSlot(slot).size, 2.0);
        ++slot;
    }
    rwStartExplosion(parentClump, 0, 0, 0, 7.5, false, 0);
    EXPECT_EQ(rwExplosionSlot(slot).size, 7.5);
    while (running() < kExplosionSlots)
        rwStartExplosion(parentClump, 0, 0, 0, 3, false, 0);
    rwStartExplosion(parentClump, 0, 0, 0, 3, false, 0);
    EXPECT_EQ(parentClump->children().size(), static_cast<std::size_t>(kExplosionSlots))
        << "the eleventh is not shown";
}

TEST_F(RwExplosions, BurstsComeEvenlyAndTheSpriteFadesOverItsSecondHalf) {
    rwInitExplosions();
    struct Case {
        int secondaries;
        std::vector<double> burstsAt;
    };
    for (const Case& c : {Case{2, {1.0, 2.0}}, Case{3, {0.75, 1.5, 2.25}}, Case{1, {1.5}}, Case{0, {}}}) {
        simSetGameTime(100.0);
        rwStartExplosion(parentClump, 0, 0, -30, 4, false, c.secondaries);
        std::vector<double> seen;
        int before = 1;
        for (int ms = 10; ms <= 2990; ms += 10) {
            at(ms / 1000.0);
            if (running() > before)
                seen.push_back(ms / 1000.0);
            before = running();
        }
        ASSERT_EQ(seen.size(), c.burstsAt.size()) << c.secondaries;
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_NEAR(seen[i], c.burstsAt[i], 0.011) << c.secondaries << " burst " << i;
        at(3.5);
        at(7.0); // the last burst ends too
        EXPECT_EQ(running(), 0);
        EXPECT_TRUE(parentClump->children().empty());
    }

    simSetGameTime(100.0);
    rwStartExplosion(parentClump, 0, 0, 0, 4, false, 0);
    r3d::Clump* sprite = rwExplosionSlot(0).sprite;
    struct Fade {
        double t;
        float opacity;
    };
    for (const Fade& f : {Fade{0.5, 1.0f}, Fade{1.5, 1.0f}, Fade{2.25, 0.5f}, Fade{2.999, 0.0f}}) {
        at(f.t);
        r3d::forAllPolygons(*sprite,
                            [&](r3d::Polygon& p) { EXPECT_NEAR(p.opacity, f.opacity, 0.002) << f.t; });
    }
    at(3.001);
    EXPECT_EQ(running(), 0);
}

TEST_F(RwExplosions, FramesStepThroughTheFifteenOverTheDuration) {
    rwInitExplosions();
    rwStartExplosion(parentClump, 0, 0, 0, 4, false, 0);
    int steps = 0;
    int last = rwExplosionSlot(0).frame;
    for (int ms = 10; ms <= 2990; ms += 10) {
        at(ms / 1000.0);
        if (rwExplosionSlot(0).frame != last)
            ++steps;
        last = rwExplosionSlot(0).frame;
    }
    EXPECT_EQ(steps, 15);
}

TEST_F(RwExplosions, AnExplosionStaysAtItsWorldPointWhileTheCameraMoves) {
    rwInitExplosions();
    rwStartExplosion(parentClump, 1000, 2000, -5, 4, false, 0);
    r3d::Clump* sprite = rwExplosionSlot(0).sprite;
    for (float ox : {0.0f, 100.0f, -37.5f}) {
        const float oz = ox * 2;
        simSetGameTime(100.5);
        rwUpdateExplosions(ox, oz);
        const r3d::Vec3 centre = sprite->world().apply({0, 0, 0});
        EXPECT_NEAR(centre.x, 100.0f - ox, 1e-3);
        EXPECT_NEAR(centre.y, -0.5f, 1e-4);
        EXPECT_NEAR(centre.z, -200.0f - oz, 1e-3);
        const r3d::Vec3 corner = sprite->world().apply({1, 0, 0});
        EXPECT_NEAR(corner.x - centre.x, 4.0f, 1e-3) << "scaled by the size";
    }
}

TEST_F(RwExplosions, TheNextFireballLoadsInTheBackgroundAndTakesOverOnTheMainThread) {
    rwInitExplosions();
    const std::string first = rwExplosionTextureName(true);
    const auto index = std::find(kSurface.begin(), kSurface.end(), first) - kSurface.begin();
    const std::string next = kSurface[static_cast<std::size_t>((index + 1) % 6)];
    rwStartExplosion(parentClump, 0, 0, 0, 4, true, 0);
    rwStartExplosion(parentClump, 0, 0, 0, 4, true, 0); // its preload is already under way: dropped
    EXPECT_EQ(rwExplosionSlot(1).texture, first);
    archive.deliver();
    EXPECT_EQ(rwExplosionTextureName(true), first) << "nothing changes off the main thread";
    rwRunCompletions();
    EXPECT_EQ(rwExplosionTextureName(true), next);
    EXPECT_EQ(rwTextureReferences(first), 2) << "held by the two running explosions only";
    EXPECT_EQ(rwTextureReferences(next), 1);
    rwStartExplosion(parentClump, 0, 0, 0, 4, true, 0);
    EXPECT_EQ(rwExplosionSlot(2).texture, next);
    rwFreeExplosions();
    archive.deliver();
    rwRunCompletions();
    EXPECT_EQ(rwTextureReferences(first), 0);
    EXPECT_EQ(rwTextureReferences(next), 0);
}

} // namespace
} // namespace q71::test
