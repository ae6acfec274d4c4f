// The periscope optic as a view: where its camera stands and looks, training by the mouse, the
// wash read from its group and blended over the picture, night vision, and golden pictures.
#include "tactical/rwutils/rw_fixture.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/group_archive_writer.h"
#include "framework/resources/registry.h"
#include "platform/files/locations.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "sim/simulation/sim_clock.h"
#include "support/golden_image.h"
#include "support/temp_dir.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/sea_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace q71::test {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>(v >> (8 * i)));
}

// An 8-bit bitmap file of 8 by 8 pixels of palette entry 0, that entry the colour (0xRRGGBB).
std::string washBitmap(std::uint32_t colour) {
    std::string s = "BM";
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    put32(s, offset + 64);
    put32(s, 0);
    put32(s, offset);
    for (std::uint32_t v : {40u, 8u, 8u})
        put32(s, v);
    s += std::string("\x01\x00\x08\x00", 4);
    for (std::uint32_t v : {0u, 64u, 0u, 0u, 0u, 0u})
        put32(s, v);
    s.push_back(static_cast<char>(colour & 0xFF));
    s.push_back(static_cast<char>(colour >> 8 & 0xFF));
    s.push_back(static_cast<char>(colour >> 16 & 0xFF));
    s.push_back(0);
    s += std::string(255 * 4 + 64, '\0');
    return s;
}

class ScopeView : public RwFixture {
protected:
    ScopeView() {
        addDaylitSea();
        std::memcpy(savedGraphics, graphicsInstallPath, sizeof savedGraphics);
        std::snprintf(graphicsInstallPath, sizeof graphicsInstallPath, "%s", dir.path().string().c_str());
    }
    ~ScopeView() override {
        grpFreeAll();
        std::memcpy(graphicsInstallPath, savedGraphics, sizeof savedGraphics);
        simClock().dayPhase = kDayPhaseNight;
    }
    // The group "scope" with its five washes, each of one pure colour.
    void writeScopeGroup() {
        ASSERT_EQ(grpBuildBegin(dir.file("scope").c_str()), 1);
        const std::uint32_t colours[5] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000};
        for (int i = 0; i < 5; ++i) {
            const std::string bytes = washBitmap(colours[i]);
            const std::string name = "wash" + std::to_string(i + 1) + ".bmp";
            ASSERT_EQ(grpBuildAddMemory(name.c_str(), reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                        static_cast<std::uint32_t>(bytes.size())),
                      1);
        }
        ASSERT_TRUE(grpBuildEnd());
    }
    // The optic over the sea, its washes read in the background and waited for.
    std::unique_ptr<Scope> openScope() {
        auto s = std::make_unique<Scope>("scope", parent, 120, 21, 300, 300);
        grpInitAsync();
        s->createScene();
        EXPECT_EQ(grpWaitAll(), 1);
        s->prepareWash();
        s->setZoom(32.0);
        s->show();
        return s;
    }
    static ::testing::AssertionResult golden(const Scope& s, const std::string& name) {
        return matchesGoldenIn("tests/tactical/periscope/golden", *s.camera()->image(), name);
    }
    std::uint16_t pixel(const Scope& s, int x, int y) const {
        const r3d::ImagePixels p = r3d::lockCameraImage(*s.camera());
        return *reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p.pixels) + y * p.rowStep +
                                                       2 * x);
    }

    TempDir dir;
    char savedGraphics[kInstallPathSize]{};
};

TEST_F(ScopeView, AMissingGroupIsFatalAndTheViewStillRendersWithoutWash) {
    Scope s("scope", parent, 120, 21, 300, 300);
    s.createScene();
    ASSERT_EQ(fatal.size(), 1u);
    EXPECT_EQ(fatal[0].text, 606);
    s.show();
    s.render();
    EXPECT_FALSE(s.washReady());
}

TEST_F(ScopeView, CameraStandsAtTheHeadForwardOfTheBowAndLooksAlongTheTrainedBearing) {
    writeScopeGroup();
    auto s = openScope();
    EXPECT_TRUE(fatal.empty());
    struct Case {
        float heading, bearingDeg, elevation;
        r3d::Vec3 look;
    };
    const float e = 0.61f;
    for (const Case& c : {Case{90, 0, 0, {1, 0, 0}}, Case{0, 90, 0, {1, 0, 0}}, Case{0, 0, 0, {0, 0, -1}},
                          Case{180, 270, 0, {1, 0, 0}},
                          Case{0, 0, e, {0, std::sin(e), -std::cos(e)}}}) {
        s->setCameraPosition(100.0, 200.0, 0.0);
        s->setAttitude(c.heading, 0, 0);
        s->setMastHeight(14.0f);
        s->setAngles(static_cast<float>(c.bearingDeg * kRad), c.elevation);
        s->render();
        const r3d::Vec3 look = r3d::cameraLookAt(*s->camera());
        EXPECT_NEAR(look.x, c.look.x, 1e-4) << c.heading << " " << c.bearingDeg;
        EXPECT_NEAR(look.y, c.look.y, 1e-4) << c.heading << " " << c.bearingDeg;
        EXPECT_NEAR(look.z, c.look.z, 1e-4) << c.heading << " " << c.bearingDeg;
        // The head: 2.35 forward along the heading, 1.4 up; the library camera at (0, y, 0).
        const double h = c.heading * kRad;
        EXPECT_NEAR(s->originX(), 10.0 + 2.35 * std::sin(h), 1e-3);
        EXPECT_NEAR(s->originZ(), -20.0 - 2.35 * std::cos(h), 1e-3);
        const r3d::Vec3 at = r3d::cameraPosition(*s->camera());
        EXPECT_NEAR(at.x, 0.0, 1e-3);
        EXPECT_NEAR(at.z, 0.0, 1e-3);
        EXPECT_NEAR(at.y, 1.4, 1e-3);
    }
}

TEST_F(ScopeView, RightDragTrainsByTheZoomAndOtherButtonsDoNot) {
    writeScopeGroup();
    auto s = openScope();
    for (double field : {32.0, 8.0, 4.0, 2.0}) {
        s->setZoom(field);
        s->setAngles(1.0f, 0.0f);
        messageSend(s->window(), WM_RBUTTONDOWN, MK_RBUTTON, makeLParam(100, 100));
        messageSend(s->window(), WM_MOUSEMOVE, MK_RBUTTON, makeLParam(110, 96));
        const double perPixel = field / 32.0 * kRad;
        EXPECT_NEAR(s->bearing(), 1.0 + 10 * perPixel, 1e-5) << field;
        EXPECT_NEAR(s->elevation(), -4 * perPixel, 1e-5) << field;
        // The reference moved with the drag: a second move counts from there.
        messageSend(s->window(), WM_MOUSEMOVE, MK_RBUTTON, makeLParam(111, 96));
        EXPECT_NEAR(s->bearing(), 1.0 + 11 * perPixel, 1e-5) << field;
        messageSend(s->window(), WM_MOUSEMOVE, 0, makeLParam(150, 150));
        messageSend(s->window(), WM_LBUTTONDOWN, 0, makeLParam(150, 150));
        EXPECT_NEAR(s->bearing(), 1.0 + 11 * perPixel, 1e-5) << field;
    }
    EXPECT_DOUBLE_EQ(s->zoom(), 16.0);
}

TEST_F(ScopeView, HeadAwashWashesThePictureAndItRunsOffInSevenFrames) {
    writeScopeGroup();
    auto s = openScope();
    ASSERT_TRUE(s->washReady());
    s->setAttitude(0, 0, 0);
    s->setCameraPosition(0.0, 0.0, -20.0); // head two metres down
    for (int frame = 0; frame < 3; ++frame) {
        s->render();
        EXPECT_TRUE(s->washState().washing);
        EXPECT_EQ(s->washState().level, 5);
    }
    // Third awash frame: wash3, pure blue, alone at the bottom (weight 70).
    EXPECT_EQ(pixel(*s, 20, 290), 0x001F);
    s->setCameraPosition(0.0, 0.0, 30.0);
    int frames = 0;
    while (s->washState().washing && frames < 20) {
        s->render();
        ++frames;
    }
    EXPECT_EQ(frames, 7);
    // The last fade frame took wash5 (black) at 0 ... 19 of 70: the top rows kept the scene.
    EXPECT_NE(pixel(*s, 20, 20), 0x0000);
}

TEST_F(ScopeView, GoldenDayWithReticleAndReadoutsAndNightVisionByDay) {
    writeScopeGroup();
    auto s = openScope();
    s->setSeaState(3);
    s->setAttitude(45, 0, 0);
    s->setCameraPosition(0.0, 0.0, 9.0);
    s->setAngles(static_cast<float>(10 * kRad), static_cast<float>(-2 * kRad));
    s->setZoom(8.0);
    s->render();
    EXPECT_TRUE(golden(*s, "scope-day"));
    s->setNightVision(true);
    s->render();
    // Green behind the reticle, whatever the scene.
    EXPECT_EQ(pixel(*s, 40, 260), 0x07E0);
    EXPECT_EQ(pixel(*s, 260, 260), 0x07E0);
    EXPECT_TRUE(golden(*s, "scope-night-by-day"));
    s->setNightVision(false);
    s->render();
    EXPECT_NE(pixel(*s, 40, 260), 0x07E0);
}

TEST_F(ScopeView, NightVisionAtNightLightsTheSceneGreenAndTurnsTheSeaToItsNightSetting) {
    writeScopeGroup();
    simClock().dayPhase = kDayPhaseNight;
    auto s = openScope();
    s->setCameraPosition(0.0, 0.0, 9.0);
    s->setAngles(0.0f, static_cast<float>(-3 * kRad));
    s->setNightVision(true);
    s->render();
    ASSERT_NE(s->seaElement()->material(), nullptr);
    EXPECT_TRUE(s->seaElement()->material()->nightVision);
    EXPECT_TRUE(s->backdropName().empty()) << "no sky behind the night-vision picture";
    // Green alone below the horizon, where the sea is.
    const std::uint16_t sea = pixel(*s, 40, 260);
    EXPECT_NE(sea, 0);
    EXPECT_EQ(sea & 0xF81F, 0) << std::hex << sea;
    EXPECT_TRUE(golden(*s, "scope-night"));
    s->setNightVision(false);
    s->render();
    EXPECT_FALSE(s->seaElement()->material()->nightVision);
    EXPECT_FALSE(s->backdropName().empty());
}

// The data set's washes: the optic reads all five; the heavy ones are brighter water than the
// thin run-off, and each tiles (its edges meet as smoothly as neighbouring columns and rows).
TEST_F(ScopeView, TheDataSetsWashesLoadAndTile) {
    std::snprintf(graphicsInstallPath, sizeof graphicsInstallPath, "%s", (locationDataRoot() + "/graphics").c_str());
    auto s = openScope();
    EXPECT_TRUE(fatal.empty());
    ASSERT_TRUE(s->washReady());
    ASSERT_TRUE(grpOpenGroup("scope"));
    std::array<double, 5> brightness{};
    for (int i = 0; i < 5; ++i) {
        ResourceRef ref;
        const std::string name = "wash" + std::to_string(i + 1) + ".bmp";
        ref.name = name.c_str();
        ASSERT_TRUE(grpRead(ref, true, true)) << name;
        ASSERT_EQ(grpMakeDib(ref), 1) << name;
        const std::uint8_t* h = ref.dibHeader.data();
        ASSERT_EQ(h[14], 8) << name;
        const int w = h[4] | h[5] << 8, rows = h[8] | h[9] << 8;
        ASSERT_GT(w, 16);
        ASSERT_EQ(w % 4, 0);
        auto at = [&](int x, int y) {
            const std::uint8_t* q = h + 40 + 4 * ref.dibBits[static_cast<std::size_t>(y * w + x)];
            return (q[0] + q[1] + q[2]) / 3.0;
        };
        double inner = 0, edgeX = 0, edgeY = 0, sum = 0;
        for (int k = 0; k < w; ++k) {
            inner += std::fabs(at(w / 2, k) - at(w / 2 - 1, k)) + std::fabs(at(k, rows / 2) - at(k, rows / 2 - 1));
            edgeX += std::fabs(at(0, k) - at(w - 1, k));
            edgeY += std::fabs(at(k, 0) - at(k, rows - 1));
        }
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < w; ++x)
                sum += at(x, y);
        brightness[static_cast<std::size_t>(i)] = sum / (w * rows);
        EXPECT_LT(edgeX, inner) << name;
        EXPECT_LT(edgeY, inner) << name;
        grpRefFree(ref);
    }
    for (int heavy = 0; heavy < 3; ++heavy)
        for (int thin = 3; thin < 5; ++thin)
            EXPECT_GT(brightness[static_cast<std::size_t>(heavy)], brightness[static_cast<std::size_t>(thin)]);
}

} // namespace
} // namespace q71::test
