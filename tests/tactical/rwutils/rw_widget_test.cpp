// The 3-D view widget: its window, objects in and out of view, the camera, the time-of-day look,
// and golden images of small scenes made of test-made assets.
#include "tactical/rwutils/rw_fixture.h"

#include "framework/math/fast_math.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "sim/simulation/sim_clock.h"
#include "render3d/fog.h"
#include "sim/world/object_database.h"
#include "support/golden_image.h"
#include "support/temp_dir.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/surface_patch.h"
#include "tactical/rwutils/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace q71::test {
namespace {

class RwView : public RwFixture {
protected:
    RwView() {
        addDaylitSea();
    }
    ~RwView() override {
        simClock().dayPhase = kDayPhaseNight;
        simClock().seaState = 2;
    }

    std::unique_ptr<RWWidget> view(int width = 160, int height = 90) {
        auto v = std::make_unique<RWWidget>("view", parent, 0, 0, width, height);
        return v;
    }
    static void frame(RWWidget& v) {
        v.render();
    }
    static ::testing::AssertionResult golden(const RWWidget& v, const std::string& name) {
        return matchesGoldenIn("tests/tactical/rwutils/golden", *v.camera()->image(), name);
    }

    double ox = 0, oy = 0, oz = 0, heading = 0, pitch = 0, roll = 0;
};

TEST_F(RwView, KeysOfTheStationReachTheParent) {
    auto v = view();
    for (WParam key : {WParam{38}, WParam{46}, WParam{112}, WParam{65}})
        messageSend(v->window(), WM_KEYDOWN, key, 0);
    messageSend(v->window(), WM_CHAR, 'x', 0);
    const auto keys = receivedBy(parent, WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 3u); // arrows, Delete and F1; not a letter
    EXPECT_EQ(keys[0].wParam, 38u);
    EXPECT_EQ(keys[2].wParam, 112u);
    EXPECT_EQ(receivedBy(parent, WM_CHAR).size(), 1u);
}

TEST_F(RwView, ObjectsBehindTheCameraShowOnlyCloseBy) {
    auto v = view();
    v->createScene();
    v->show();
    v->setCameraPosition(0, 0, 20);
    v->setCameraAngles(0, 0, 0); // looking north
    addModel("buoy", {});
    r3d::Clump* near = rwLoadModel("buoy", false);
    r3d::Clump* far = rwLoadModel("buoy", false);
    double nearY = -490.0, farY = -600.0, zero = 0.0;
    const int a = v->addObject(near, "buoy", {&zero, &nearY, &zero, &zero, &zero, &zero}, 2, 0.0f, false, false);
    const int b = v->addObject(far, "buoy", {&zero, &farY, &zero, &zero, &zero, &zero}, 2, 0.0f, false, false);
    frame(*v);
    EXPECT_TRUE(v->findObject(a)->inScene);
    EXPECT_FALSE(v->findObject(b)->inScene);
    // Looking due south both are in the cone.
    v->setCameraAngles(0, 180, 0);
    frame(*v);
    EXPECT_TRUE(v->findObject(b)->inScene);
    EXPECT_EQ(v->getObjectSize(a), v->getObjectSize(b));
    EXPECT_EQ(v->getObjectSize(99), 0.0f);
    v->removeObject(a);
    v->removeObject(b);
    rwReleaseModel(near);
    rwReleaseModel(far);
}

TEST_F(RwView, TheFirstFrameSetsTheLookAndDawnShowsAsDusk) {
    auto v = view();
    v->createScene();
    v->show();
    frame(*v);
    EXPECT_EQ(v->backdropName(), "day1.bmp");
    EXPECT_FLOAT_EQ(v->light()->red, 0.4f);
    for (std::uint32_t code : {0u, 4u}) {
        simClock().dayPhase = code;
        frame(*v);
        EXPECT_EQ(v->dayPhase(), 2);
        EXPECT_EQ(v->backdropName(), "dusk1.bmp");
    }
    v->setZoom(2.0);
    simClock().skyVariant = 2;
    frame(*v);
    EXPECT_EQ(v->backdropName(), "dusk3m.bmp");
    // Under water: no backdrop, the under-water light.
    v->setCameraPosition(0, 0, -30);
    frame(*v);
    EXPECT_TRUE(v->underwater());
    EXPECT_EQ(v->backdropName(), "");
    EXPECT_FLOAT_EQ(v->light()->green, 0.28f);
    v->destroyScene();
    EXPECT_EQ(rwBackdropReferences("dusk3m.bmp"), 0);
}

TEST_F(RwView, TheCameraStaysAboveTheGroundAndWhereItWasWhenItsObjectGoes) {
    auto v = view();
    v->addLayer(kLayerSeabed, 0);
    v->createScene();
    v->show();
    v->setCameraPosition(100, 200, -5000);
    frame(*v);
    const double floor = v->seabedPatch()->terrainHeight(100, 200);
    EXPECT_NEAR(v->cameraScenePosition().y, floor * 0.1 + 1.5, 1e-3);

    addModel("sub", {});
    r3d::Clump* sub = rwLoadModel("sub", false);
    // Handle 0 stands for no object when attaching: the followed object is a later one.
    r3d::Clump* other = rwLoadModel("sub", false);
    v->addObject(other, "sub", {&ox, &oy, &oz, &heading, &pitch, &roll}, 3, 0.0f, false, false);
    ox = 300;
    oy = 400;
    oz = -20;
    const int h = v->addObject(sub, "sub", {&ox, &oy, &oz, &heading, &pitch, &roll}, 3, 0.0f, false, false);
    ASSERT_NE(v->attachCamera(h), nullptr);
    v->setCameraAngles(0, 0, 0); // no tilt, pan or stand-off
    frame(*v);
    const r3d::Vec3 at = v->cameraScenePosition();
    EXPECT_NEAR(at.x, 30.0f, 1e-4);
    EXPECT_NEAR(at.z, -40.0f, 1e-4);
    v->removeObject(h);
    frame(*v);
    EXPECT_NEAR(v->cameraScenePosition().x, at.x, 1e-4);
    EXPECT_NEAR(v->cameraScenePosition().z, at.z, 1e-4);
    v->removeObject(0);
    rwReleaseModel(sub);
    rwReleaseModel(other);
}

// The angle (degrees) a joint turned its part's axis by: the part's +Z seen after the joint.
double turnAbout(const r3d::Matrix& joint, r3d::Axis axis) {
    const r3d::Vec3 probe = axis == r3d::Axis::X ? r3d::Vec3{0, 0, 1} : r3d::Vec3{1, 0, 0};
    const r3d::Vec3 t = joint.applyDirection(probe);
    const double rad = axis == r3d::Axis::X ? std::atan2(t.y, t.z) : std::atan2(-t.z, t.x);
    return rad * 180.0 / std::numbers::pi;
}

TEST_F(RwView, AnimatedPartsAndTheSeaway) {
    // A record whose model spins its radar (tag 601, about Y, 3° a frame) and swings a flag
    // (tag 602, about X, phase step 90° a frame).
    ObjectRecord record;
    ASSERT_TRUE(record.keyName.assign("trawler"));
    record.animatedParts[0] = {601, 2, 3.0f};
    record.animatedParts[1] = {602, 4, 90.0f};
    const auto bytes = objectRecordEncode(record);
    TempDir dir;
    ASSERT_TRUE(objdbLoadFile(dir.write("objects.db", std::string(bytes.begin(), bytes.end()))));
    addModel("trawler", {}, 2.0f, {510, 601, 602});
    r3d::Clump* model = rwLoadModel("trawler", false);
    ASSERT_NE(model, nullptr);

    auto v = view();
    v->createScene();
    v->show();
    v->setCameraPosition(0, 0, 20);
    v->setCameraAngles(0, 0, 0);
    v->setSeaState(4); // half sea state 2
    oy = 1000.0;       // 100 units ahead
    const int h = v->addObject(model, "trawler", {&ox, &oy, &oz, &heading, &pitch, &roll}, 2, 100.0f, true, false);
    simClock().lastFrameStep = 0.5;
    frame(*v);
    ASSERT_TRUE(v->findObject(h)->inScene);
    r3d::Clump* radar = r3d::findByTag(*model, 601);
    r3d::Clump* flag = r3d::findByTag(*model, 602);
    EXPECT_NEAR(turnAbout(radar->joint, r3d::Axis::Y), -3.0, 1e-3); // a positive rate turns the other way
    frame(*v);
    EXPECT_NEAR(turnAbout(radar->joint, r3d::Axis::Y), -6.0, 1e-3);
    // The flag's first entry starts at phase 0: after two frames 180°, sin 180° = 0.
    EXPECT_NEAR(turnAbout(flag->joint, r3d::Axis::X), 0.0, 1e-3);
    frame(*v);
    EXPECT_NEAR(std::fabs(turnAbout(flag->joint, r3d::Axis::X)), 8.0, 1e-3);
    // The hull rolls in the seaway: phases 3 × 225° and 3 × 500° after three half-second steps.
    const SeawayAngles a = seawayAngles(2.0, 100.0, std::fmod(3 * 225.0, 360.0), std::fmod(3 * 500.0, 360.0));
    r3d::Clump* hull = r3d::findByTag(*model, 510);
    const r3d::Matrix expected = r3d::combine(r3d::Matrix::rotation(r3d::Axis::X, static_cast<float>(a.pitch)),
                                              r3d::Matrix::rotation(r3d::Axis::Z, static_cast<float>(a.roll)),
                                              r3d::Combine::Postcat);
    EXPECT_NEAR(hull->joint.c1.y, expected.c1.y, 1e-5);
    EXPECT_NEAR(hull->joint.c0.y, expected.c0.y, 1e-5);
    // Without a size the seaway stops where it is.
    v->setObjectSize(h, 0.0f);
    const r3d::Matrix still = hull->joint;
    frame(*v);
    EXPECT_EQ(hull->joint, still);
    v->clearAnimatedParts(h);
    const r3d::Matrix stopped = radar->joint;
    frame(*v);
    EXPECT_EQ(radar->joint, stopped);
    v->removeObject(h);
    rwReleaseModel(model);
    objdbFree();
    simClock().lastFrameStep = 0.0;
}

TEST_F(RwView, TheFogIsSharedAndTheLastUserDestroysIt) {
    auto a = view();
    auto b = view();
    a->enableFog();
    b->enableFog();
    b->enableFog(); // the same view again counts once
    ASSERT_NE(r3d::fogInForce(), nullptr);
    EXPECT_EQ(r3d::fogInForce()->distance, 300.0f);
    a.reset();
    EXPECT_NE(r3d::fogInForce(), nullptr);
    b.reset();
    EXPECT_EQ(r3d::fogInForce(), nullptr);
}

TEST_F(RwView, TheFrameRateIsMeasuredOverThirtyFrames) {
    auto v = view();
    v->createScene();
    v->show();
    for (int i = 0; i < 30; ++i)
        frame(*v); // no time passes: the estimate stands
    EXPECT_EQ(v->frameRate(), 10.0);
    for (int i = 0; i < 30; ++i) {
        clock.advance(20);
        frame(*v);
    }
    EXPECT_DOUBLE_EQ(v->frameRate(), 50.0);
}

TEST(RwMasts, MastsShowByTheDevicesSeenState) {
    simClock().gameClock = 100.0;
    std::array<TwoPositionDevice, kMastCount> masts{};
    masts[kMastPeriscope] = {kDeviceRaised, 90.0};  // up
    masts[kMastRadio] = {kDeviceRaised, 105.0};     // still going up: reads lowered
    masts[kMastEsm] = {kDeviceLowered, 105.0};      // still coming down: reads raised
    masts[kMastRadar] = {kDeviceBroken, 0.0};
    masts[kMastSnorkel] = {kDeviceRaised, 100.0};   // arrived this moment
    const auto shown = raisedMastSlots(masts, true);
    EXPECT_TRUE(shown[kSlotPeriscope]);
    EXPECT_FALSE(shown[kSlotAntenna]);
    EXPECT_TRUE(shown[kSlotEsm]);
    EXPECT_FALSE(shown[kSlotRadar]);
    EXPECT_TRUE(shown[kSlotSnorkel]);
    for (bool s : raisedMastSlots(masts, false))
        EXPECT_FALSE(s);
    simClock().gameClock = 0.0;
}

TEST_F(RwView, TheRaisedHeadClearsTheSeaAtPeriscopeDepth) {
    // The raised head stands 14 m above the viewpoint; 53 ft is periscope depth (keel 28 ft below).
    const double viewpoint = (28.0 - 53.0) * 0.3048;
    for (int state = 0; state <= 5; ++state) {
        SeaSurface sea;
        sea.setSeaState(state);
        const double crest = sea.amplitude() * waveHeightBound(6) * 10.0; // metres
        EXPECT_GT(viewpoint + 14.0, crest) << "sea state " << state;
    }
    // At 62 ft the head goes under the highest crests of state 5, as docs/own-boat.md says.
    SeaSurface rough;
    rough.setSeaState(5);
    EXPECT_LT((28.0 - 62.0) * 0.3048 + 14.0, rough.amplitude() * waveHeightBound(6) * 10.0);
}

// The first row, down the middle column, that shows the sky art's colour below its horizon.
int firstRowBelowArtHorizon(r3d::Camera& camera) {
    const r3d::ImagePixels image = r3d::lockCameraImage(camera);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.pixels);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(bytes + y * image.rowStep);
        if (row[image.width / 2] == 0xF800) // pure red
            return y;
    }
    return -1;
}

TEST_F(RwView, TheSkyMeetsTheHorizonAtEveryZoomAndTilt) {
    const int width = 160, height = 90;
    struct Case {
        double zoom;
        double tilt; // radians, up
    };
    const Case cases[] = {{1.0, 0.0}, {2.0, 0.0}, {4.0, 0.0}, {1.0, 0.05}, {1.0, -0.05}, {2.0, 0.03}};
    for (const Case& c : cases) {
        // Skies whose horizon row lies H + 2 + 2·zoom rows above their bottom, red below it.
        const int above = height + 2 + static_cast<int>(2.0 * c.zoom);
        for (const char* name : {"day1.bmp", "day1m.bmp"})
            archive.entries[std::string("textures/") + name] = imageEntry(256, 256, 255 - above + 1, 0x6080C0, 0xFF0000);
        auto v = view(width, height);
        v->setZoom(c.zoom);
        v->createScene();
        v->setFieldOfView(16.0 / c.zoom);
        v->show();
        v->setCameraPosition(0, 0, 15);
        v->setCameraAngles(c.tilt * 180.0 / std::numbers::pi, 0, 0);
        frame(*v);
        // Where the level horizon lies in the picture: the centre row, moved by the tilt.
        const double halfHeight = v->camera()->viewWindowY;
        const double horizon = height / 2.0 + std::tan(c.tilt) / halfHeight * height / 2.0;
        EXPECT_NEAR(firstRowBelowArtHorizon(*v->camera()), horizon, 1.0) << "zoom " << c.zoom << " tilt " << c.tilt;
    }
}

TEST_F(RwView, GoldenScenes) {
    struct Scene {
        const char* name;
        int seaState;
        std::uint32_t phase;
        bool fog;
        bool coast;
    };
    const Scene scenes[] = {
        {"sea_state_0", 0, kDayPhaseDay, false, false},
        {"sea_state_4", 4, kDayPhaseDay, false, false},
        {"coast", 1, kDayPhaseDay, false, true},
        {"dusk_fog", 3, kDayPhaseDusk, true, false},
    };
    // Blocks 350 and 550 units off (3.5 and 5.5 km), half and nearly wholly in the fog beyond 300.
    addModel("block", {}, 8.0f);
    r3d::Clump* nearBlock = rwLoadModel("block", false);
    r3d::Clump* farBlock = rwLoadModel("block", false);
    double nearX = 1200.0, nearY = 3290.0, farX = 1880.0, farY = 5170.0, zero = 0.0;
    for (const Scene& s : scenes) {
        simClock().seaState = static_cast<std::uint32_t>(s.seaState);
        simClock().dayPhase = s.phase;
        auto v = view(160, 90);
        v->addLayer(kLayerSea, 0);
        if (s.coast)
            v->addLayer(kLayerLand, 0);
        v->setSeaState(s.seaState);
        if (s.fog)
            v->enableFog();
        v->createScene();
        v->show();
        // The coast: 1.5 km south of the first ground of the synthetic floor that rises 20 m above
        // the sea, looking north at it.
        double x = 0.0, y = 0.0;
        if (s.coast) {
            bool found = false;
            for (double gy = 0.0; gy < 20000.0 && !found; gy += 250.0)
                for (double gx = 0.0; gx < 20000.0 && !found; gx += 250.0)
                    if (v->landPatch()->terrainHeight(gx, gy) > 20.0) {
                        x = gx;
                        y = gy - 1500.0;
                        found = true;
                    }
            ASSERT_TRUE(found);
        }
        v->setCameraPosition(x, y, 15.0);
        v->setCameraAngles(-3.0, s.coast ? 0.0 : 20.0, 0.0);
        if (s.fog) {
            v->addObject(nearBlock, "block", {&nearX, &nearY, &zero, &zero, &zero, &zero}, 5, 0.0f, false, false);
            v->addObject(farBlock, "block", {&farX, &farY, &zero, &zero, &zero, &zero}, 5, 0.0f, false, false);
        }
        clock.advance(1234);
        frame(*v);
        EXPECT_TRUE(golden(*v, s.name)) << s.name;
        if (s.fog) {
            v->removeObject(0);
            v->removeObject(1);
        }
    }
    rwReleaseModel(nearBlock);
    rwReleaseModel(farBlock);
}

} // namespace
} // namespace q71::test
