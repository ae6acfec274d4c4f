// Puffs, drifting particles and the wake: the puffs' admission, life and filters, particles
// recycled around the camera, the effects' textures and materials let go, and golden pictures
// of a wake and an explosion frame over test-made textures.
#include "tactical/rwutils/rw_fixture.h"

#include "render3d/camera.h"
#include "render3d/scene.h"
#include "sim/simulation/sim_clock.h"
#include "support/golden_image.h"
#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_scene_effects.h"
#include "tactical/rwutils/rw_wake.h"
#include "tactical/rwutils/rw_widget.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <deque>
#include <memory>

namespace q71::test {
namespace {

class RwPuffs : public RwFixture {
protected:
    RwPuffs() {
        for (const char* name : {"bubbles1.bmp", "bubbles2.bmp", "smoke.bmp"})
            addTexture("textures", name, 0xE0E0E0);
        addTexture("textures", "wake.bmp", 0xFFFFFF);
        for (int i = 2; i <= 7; ++i)
            addTexture("textures", "sboom" + std::to_string(i) + ".bmp", 0xFFA020, 15);
        for (int i = 1; i <= 6; ++i)
            addTexture("textures", "uboom" + std::to_string(i) + ".bmp", 0x80A0FF, 15);
        simSetGameTime(50.0);
        simClock().lastFrameStep = 0.1;
        rwInitParticles();
    }
    ~RwPuffs() override {
        rwFreeExplosions();
        rwFreeEffectList();
        rwFreeWake();
        rwInstallEffects(nullptr);
        simClock().lastFrameStep = 0.0;
    }
    // The clock a frame of 0.1 s later.
    static void tick(double t) {
        simSetGameTime(t);
        simClock().lastFrameStep = 0.1;
        rwUpdatePuffs();
    }
};

TEST_F(RwPuffs, PuffsAreAdmittedLiveAndEnd) {
    rwAddPuff(0, -1, 0, 0.1f, 3.0f, 2.0f, kPuffBubbles, 0, 0, 0, 0);
    ASSERT_EQ(rwPuffs().size(), 1u);
    EXPECT_EQ(rwPuffs()[0].opacity, 1.0f);
    rwAddPuff(0, -1, 0, 0.1f, 0.5f, 0.0f, kPuffSmoke, 0, 0, 0, 0);
    rwAddPuff(0, -1, 0, 0.1f, 0.5f, 1.0f, 3, 0, 0, 0, 0);
    rwAddPuff(0, -1, 0, 0.1f, 0.5f, 1.0f, -1, 0, 0, 0, 0);
    EXPECT_EQ(rwPuffs().size(), 1u) << "no life or an unknown kind: refused";
    rwClearEffectList();
    EXPECT_TRUE(rwPuffs().empty());

    // A bubble rising 1 unit a second from 0.25 below the surface, a smoke puff beside it.
    rwAddPuff(0, -0.25f, 0, 0.1f, 0.8f, 4.0f, kPuffBubbles, 0, 0, 1.0f, 0);
    rwAddPuff(0, 0.5f, 0, 0.1f, 0.8f, 4.0f, kPuffSmoke, 0, 0, 1.0f, 0);
    for (int step = 1; step <= 3; ++step) {
        tick(50.0 + 0.1 * step);
    }
    ASSERT_EQ(rwPuffs().size(), 2u);
    EXPECT_NEAR(rwPuffs()[1].opacity, 0.8f * 3.7f / 4.0f, 1e-4);
    tick(50.4);
    ASSERT_EQ(rwPuffs().size(), 1u) << "the bubble is gone once at the surface";
    EXPECT_EQ(rwPuffs()[0].kind, kPuffSmoke);
    tick(53.99);
    EXPECT_EQ(rwPuffs().size(), 1u) << "smoke lives its whole life";
    tick(54.01);
    EXPECT_TRUE(rwPuffs().empty());
}

TEST_F(RwPuffs, SpreadMovesOnlyTheAxesOfTheKind) {
    struct Case {
        int kind;
        bool xMoves, yMoves, zMoves;
    };
    for (const Case& c : {Case{kPuffBubbles, true, true, false}, Case{kPuffSmoke, true, false, true},
                          Case{kPuffRisingSmoke, true, true, false}}) {
        bool moved[3] = {false, false, false};
        for (int i = 0; i < 20; ++i) {
            rwAddPuff(1, -2, 3, 0.1f, 0.5f, 1.0f, c.kind, 2.0f, 0, 0, 0);
            const Puff& p = rwPuffs().back();
            EXPECT_LE(std::fabs(p.x - 1), 1.0f);
            EXPECT_LE(std::fabs(p.y + 2), 1.0f);
            EXPECT_LE(std::fabs(p.z - 3), 1.0f);
            moved[0] |= p.x != 1;
            moved[1] |= p.y != -2;
            moved[2] |= p.z != 3;
            if (c.kind == kPuffSmoke) {
                EXPECT_LE(std::fabs(p.vx), 0.25f);
                EXPECT_LE(std::fabs(p.vy), 0.1f);
            } else {
                EXPECT_EQ(p.vx, 0.0f);
            }
        }
        EXPECT_EQ(moved[0], c.xMoves) << c.kind;
        EXPECT_EQ(moved[1], c.yMoves) << c.kind;
        EXPECT_EQ(moved[2], c.zMoves) << c.kind;
        rwClearEffectList();
    }
}

TEST_F(RwPuffs, ParticlesLeftBehindReappearAroundTheCamera) {
    auto v = std::make_unique<RWWidget>("view", parent, 0, 0, 32, 32);
    v->createScene();
    ASSERT_EQ(rwParticles().size(), static_cast<std::size_t>(kParticleCount));
    const r3d::Vec3 camera{5000.0f, -3.0f, -800.0f};
    ASSERT_TRUE(r3d::beginCameraUpdate(*v->camera()));
    rwDrawParticles(camera);
    r3d::endCameraUpdate(*v->camera());
    for (const Particle& p : rwParticles()) {
        EXPECT_LE(std::fabs(p.x - camera.x), kParticleReach);
        EXPECT_LE(std::fabs(p.z - camera.z), kParticleReach);
        EXPECT_LE(std::fabs(p.y - camera.y), 2.5f);
        EXPECT_GE(p.half, 0.01f);
        EXPECT_LE(p.half, 0.11f);
    }
    const Particle before = rwParticles()[0];
    ASSERT_TRUE(r3d::beginCameraUpdate(*v->camera()));
    rwDrawParticles(camera);
    r3d::endCameraUpdate(*v->camera());
    if (std::hypot(before.x - camera.x, before.z - camera.z) <= kParticleReach) {
        EXPECT_NEAR(rwParticles()[0].x, before.x + 0.01f, 1e-3) << "drifts with the frame step";
        EXPECT_NEAR(rwParticles()[0].z, before.z + 0.015f, 1e-3);
    }
}

TEST_F(RwPuffs, ShutdownLetsGoOfEveryEffectTexture) {
    r3d::Clump* ship = r3d::createClump();
    rwAddWake(*ship);
    r3d::Clump* other = r3d::createClump();
    rwAddWake(*other);
    r3d::destroyClump(other);
    EXPECT_EQ(rwTextureReferences("wake.bmp"), 1);
    EXPECT_EQ(rwTextureReferences("smoke.bmp"), 1);
    r3d::Clump* wake = r3d::findByTag(*ship, kTagWake);
    ASSERT_NE(wake, nullptr);
    EXPECT_EQ(r3d::vertexCount(*wake), 3);
    rwRemoveTaggedChildren(*ship);
    EXPECT_EQ(r3d::findByTag(*ship, kTagWake), nullptr);
    r3d::destroyClump(ship);
    rwFreeWake();
    rwFreeEffectList();
    for (const char* name : {"wake.bmp", "bubbles1.bmp", "bubbles2.bmp", "smoke.bmp"})
        EXPECT_EQ(rwTextureReferences(name), 0) << name;
    rwFreeWake();
    rwFreeEffectList();
}

TEST_F(RwPuffs, TheArrayTrailStreamsAlongTheTrackInWorldAxes) {
    // The boat heads east (a model turned 90 degrees about Y) and has come from the west.
    std::deque<std::array<double, 3>> track;
    for (int i = 0; i < 6; ++i)
        track.push_back({1000.0 - 10.0 * i, 2000.0, -30.0 + i});
    const r3d::Matrix world =
        r3d::compose(r3d::Matrix::translation({100, -3, -200}), r3d::Matrix::rotation(r3d::Axis::Y, -90.0f));
    struct Case {
        double length;
        std::size_t size;
        bool port;
    };
    for (const Case& c : {Case{45, 4, false}, Case{1000, 6, true}, Case{19, 0, false}, Case{10, 0, false}}) {
        const auto points = rwTrailPoints(world, track, c.length, c.port);
        ASSERT_EQ(points.size(), c.size) << c.length;
        if (points.empty())
            continue;
        EXPECT_NEAR(points[0].x, c.port ? 0.55f : -0.55f, 1e-5);
        EXPECT_NEAR(points[0].y, -0.15f, 1e-5);
        EXPECT_NEAR(points[0].z, -4.59f, 1e-5);
        const r3d::Vec3 head = world.apply(points[0]);
        for (std::size_t i = 1; i < points.size(); ++i) {
            const r3d::Vec3 at = world.apply(points[i]);
            EXPECT_NEAR(at.x - head.x, -1.0f * static_cast<float>(i), 1e-4)
                << "west of the exit, 1 unit a point";
            EXPECT_NEAR(at.y - head.y, 0.1f * static_cast<float>(i), 1e-4);
            EXPECT_NEAR(at.z - head.z, 0.0f, 1e-4);
        }
    }
    r3d::Clump* boat = r3d::createClump();
    rwDecorateModel("nobody", *boat, true);
    EXPECT_NE(r3d::findByTag(*boat, kTagBubbles), nullptr);
    EXPECT_EQ(r3d::findByTag(*boat, kTagWake), nullptr);
    r3d::destroyClump(boat);
}

TEST_F(RwPuffs, GoldenWakeExplosionAndSmoke) {
    rwInstallSceneEffects();
    rwInitExplosions();
    auto v = std::make_unique<RWWidget>("view", parent, 0, 0, 160, 90);
    v->createScene();
    v->show();
    v->setCameraPosition(0, 0, 20);
    v->setCameraAngles(-2, 0, 0); // looking north, a little down
    r3d::Clump* ship = r3d::createClump();
    r3d::addVertex(*ship, {0, 0, 0});
    rwAddWake(*ship);
    double x = 0, y = 600, z = 0, heading = 0, pitch = 0, roll = 0;
    const int handle =
        v->addObject(ship, "ship", {&x, &y, &z, &heading, &pitch, &roll}, 5, 0.0f, false, false);
    // Smoke 10 m above the sea, 40 m north-east of the wake's head.
    rwAddPuff(4.0f, 1.0f, -64.0f, 1.0f, 0.8f, 10.0f, kPuffSmoke, 0, 0, 0, 0);
    simSetGameTime(50.0);
    r3d::Clump* carrier = r3d::createClump();
    v->scene()->addClump(carrier);
    rwStartExplosion(carrier, -60, 800, 0, 6, true, 0);
    simSetGameTime(50.9);
    v->render();
    EXPECT_TRUE(
        matchesGoldenIn("tests/tactical/rwutils/golden", *v->camera()->image(), "effects_wake_explosion"));
    rwDropExplosionsIn(carrier);
    v->scene()->removeClump(carrier);
    r3d::destroyClump(carrier);
    v->removeObject(handle);
    r3d::destroyClump(ship);
}

} // namespace
} // namespace q71::test
