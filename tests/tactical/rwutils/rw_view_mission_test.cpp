// A mission of the data set seen through a 3-D view set up as the periscope optic sets it up
// (animated sea, low-ground patch, hull-down, far clip 1800, fog, the sky), with the data set's
// models, textures and skies: pictures of day, dusk, night and under water in artefacts/, and the
// sky's horizon against the picture's at each magnification, tilted and trained.
#include "tactical/support/station_mission.h"

#include "platform/gdi/colour.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "support/golden_image.h"
#include "sim/simulation/geometry.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_scene_effects.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/rwutils/surface_patch.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace q71::test {
namespace {

constexpr int kWidth = 300, kHeight = 300;
constexpr double kHeadAboveViewpoint = 14.0;
constexpr double kPeriscopeDepth = (28.0 - 53.0) * 0.3048; // the viewpoint at 53 ft

std::uint16_t pixelAt(r3d::Camera& camera, int x, int y) {
    const r3d::ImagePixels image = r3d::lockCameraImage(camera);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.pixels);
    return reinterpret_cast<const std::uint16_t*>(bytes + y * image.rowStep)[x];
}

class RwViewMission : public StationMission {
protected:
    RwViewMission() {
        options.setOptionsField(0, 1); // 3-D textures
        options.setOptionsField(1, 1); // detail
        startMission("Sa1.scn");
        own = worldOwnShip();
        EXPECT_NE(own, nullptr);
        rwUpdateSeaTexture();
    }
    // The view goes before the host's window, which would delete it too, and before the mission's
    // entities, whose positions its objects read.
    void TearDown() override {
        effectsDetachView();
        effectsEnd();
        rwFreeEffectList();
        rwInstallEffects(nullptr);
        for (auto& [handle, model] : placed)
            view->removeObject(handle);
        for (auto& [handle, model] : placed)
            rwReleaseModel(model);
        if (view)
            view->destroyScene();
        view.reset();
        rwShutdown();
        StationMission::TearDown();
    }

    void makeView(double zoom, double fieldOfView) {
        view = std::make_unique<RWWidget>("optic", host().window(), 0, 0, kWidth, kHeight);
        view->addLayer(kLayerSea, 0);
        view->addLayer(kLayerLowGround, 1);
        view->setHullDown(true);
        view->setFarClip(1800.0f);
        view->setSeaState(static_cast<int>(simClock().seaState));
        view->setZoom(zoom);
        view->enableFog();
        view->createScene();
        view->setFieldOfView(fieldOfView);
        view->show();
    }
    // The world's other entities, each with its model.
    void placeEntities() {
        for (auto* node = worldList().head(); node; node = node->next) {
            Entity& e = *node->item;
            const ObjectRecord* record = objdbFindById(e.recordId);
            if (&e == own || !record || !e.motion)
                continue;
            r3d::Clump* model = rwLoadModel(std::string(record->keyName.view()), true);
            if (!model)
                continue;
            const MotionModel& m = *e.motion;
            const int h = view->addObject(model, std::string(record->modelName.view()),
                                          {&m.x, &m.y, &m.z, &m.heading, &m.pitch, &m.roll},
                                          static_cast<int>(record->kind), record->size, true, false);
            placed.emplace_back(h, model);
        }
    }
    // Looks from the raised periscope head at periscope depth (or from a depth) along a bearing,
    // raised by a tilt.
    void lookFromHead(double bearing, double tiltRadians, double depth = 0.0) {
        const MotionModel& m = *own->motion;
        view->setCameraPosition(m.x, m.y, depth < 0.0 ? depth : kPeriscopeDepth + kHeadAboveViewpoint);
        view->setCameraAngles(tiltRadians * 180.0 / std::numbers::pi, bearing, 0.0);
    }
    void keep(const std::string& name) { EXPECT_TRUE(keepArtefact(*view->camera()->image(), name)) << name; }

    /// The world's entities shown through the scene-entity list, as the optic attaches them.
    void showSceneEntities(bool detail) {
        effectsDetachView();
        effectsEnd();
        effectsSetView(view.get(), detail);
        effectsBegin();
        effectsAttachView();
    }
    /// The nearest surface ship of the mission.
    Entity* nearestShip() {
        Entity* nearest = nullptr;
        for (auto* node = worldList().head(); node; node = node->next) {
            Entity& e = *node->item;
            const ObjectRecord* record = objdbFindById(e.recordId);
            if (&e != own && e.motion && record && record->kind == kObjectKindSurfaceShip &&
                (!nearest || entityRangeYards(*own, e) < entityRangeYards(*own, *nearest)))
                nearest = &e;
        }
        return nearest;
    }
    /// Pixels of the picture that change when the scene-entity models are hidden (sea and land
    /// hidden too, so that only the models can make a difference).
    int pixelsOfTheEntities() {
        view->seaElement()->clump()->visible = false;
        view->lowGroundPatch()->clump()->visible = false;
        view->render();
        std::vector<std::uint16_t> shown;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                shown.push_back(pixelAt(*view->camera(), x, y));
        for (const auto& r : sceneEntities())
            r->clump->visible = false;
        view->render();
        int differ = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                differ += shown[static_cast<std::size_t>(y * kWidth + x)] != pixelAt(*view->camera(), x, y);
        for (const auto& r : sceneEntities())
            r->clump->visible = true;
        view->seaElement()->clump()->visible = true;
        view->lowGroundPatch()->clump()->visible = true;
        return differ;
    }
    /// Passes of the main loop: the world, then the puffs and the scene entities, then a frame.
    void frames(int count, std::uint64_t passMs) {
        for (int i = 0; i < count; ++i) {
            run(passMs, passMs);
            rwUpdatePuffs();
            effectsAnimate();
            view->render();
        }
    }

    Entity* own = nullptr;
    std::unique_ptr<RWWidget> view;
    std::vector<std::pair<int, r3d::Clump*>> placed;
};

TEST_F(RwViewMission, PicturesOfTheDayDuskNightAndUnderWater) {
    makeView(1.5, 32.0);
    placeEntities();
    struct Look {
        int phase;
        double depth;
        const char* name;
    };
    for (const Look& l : {Look{kDayPhaseDay, 0.0, "view-day.png"}, Look{kDayPhaseDusk, 0.0, "view-dusk.png"},
                          Look{kDayPhaseNight, 0.0, "view-night.png"}, Look{kDayPhaseDay, -25.0, "view-underwater.png"}}) {
        view->setDayPhaseOverride(l.phase);
        lookFromHead(own->motion->heading, 0.0, l.depth);
        clock.advance(40);
        view->render();
        EXPECT_EQ(view->underwater(), l.depth < 0.0) << l.name;
        EXPECT_EQ(view->backdropName().empty(), l.depth < 0.0) << l.name;
        keep(l.name);
    }
}

// The horizon colour of the skies by [variant][phase] (day, night, dusk), as RGB565 channels.
std::array<int, 3> horizonColour(int variant, int phase) {
    static const double table[3][3][3] = {
        {{0.5, 0.7, 1.0}, {0.09, 0.09, 0.29}, {0.9, 0.22, 0.22}},
        {{0.58, 0.74, 1.0}, {0.09, 0.13, 0.26}, {0.71, 0.22, 0.22}},
        {{0.71, 0.71, 0.75}, {0.09, 0.13, 0.22}, {0.42, 0.19, 0.19}},
    };
    const double* c = table[variant][phase];
    return {static_cast<int>(c[0] * 31 + 0.5), static_cast<int>(c[1] * 63 + 0.5), static_cast<int>(c[2] * 31 + 0.5)};
}

bool nearColour(std::uint16_t p, const std::array<int, 3>& c) {
    return std::abs((p >> 11) - c[0]) <= 2 && std::abs(((p >> 5) & 63) - c[1]) <= 4 && std::abs((p & 31) - c[2]) <= 2;
}

// The picture's middle column, top to bottom.
std::vector<std::uint16_t> middleColumn(r3d::Camera& camera) {
    std::vector<std::uint16_t> column;
    for (int y = 0; y < camera.height(); ++y)
        column.push_back(pixelAt(camera, camera.width() / 2, y));
    return column;
}

TEST_F(RwViewMission, TheSkyMeetsTheSeaAtTheHorizonTiltedAndTrained) {
    struct Case {
        double zoom;
        double tilt;
    };
    const int variant = static_cast<int>(simClock().skyVariant);
    const auto horizon = horizonColour(variant, 0);
    for (const Case& c : {Case{1.0, 0.0}, Case{4.0, 0.0}, Case{1.0, -0.35}, Case{1.0, 0.61}, Case{4.0, 0.02}}) {
        makeView(c.zoom, 32.0 / c.zoom);
        view->setDayPhaseOverride(kDayPhaseDay);
        const double bearing = own->motion->heading;
        lookFromHead(bearing, c.tilt);
        view->render();
        const auto withSea = middleColumn(*view->camera());
        view->seaElement()->clump()->visible = false;
        view->lowGroundPatch()->clump()->visible = false;
        view->render();
        const auto skyOnly = middleColumn(*view->camera());
        int seaEdge = -1;
        for (int y = 0; y < kHeight && seaEdge < 0; ++y)
            if (withSea[static_cast<std::size_t>(y)] != skyOnly[static_cast<std::size_t>(y)])
                seaEdge = y;
        // The view's elevation is atan(sin tilt): the look vector is (sin b, sin a, −cos b).
        const double elevation = std::atan(std::sin(c.tilt));
        const double projected = kHeight / 2.0 + std::tan(elevation) / view->camera()->viewWindowY * kHeight / 2.0;
        if (projected < kHeight - 3) {
            EXPECT_NEAR(seaEdge, projected, 2.0) << "zoom " << c.zoom << " tilt " << c.tilt;
        } else {
            // Looking as high as the optic goes: the horizon is the picture's bottom edge.
            EXPECT_TRUE(seaEdge < 0 || seaEdge >= kHeight - 4) << "tilt " << c.tilt << " sea from row " << seaEdge;
        }
        // Just above the sea the sky shows its horizon colour.
        const int above = static_cast<int>(projected + 0.5) - 2;
        ASSERT_GE(above, 0);
        if (above < kHeight) {
            EXPECT_TRUE(nearColour(skyOnly[static_cast<std::size_t>(above)], horizon))
                << "zoom " << c.zoom << " tilt " << c.tilt << " pixel " << std::hex << skyOnly[static_cast<std::size_t>(above)];
        }
        view->destroyScene();
        view.reset();
    }
}

TEST_F(RwViewMission, ADistantShipAndTheSkyMoveTogetherWhenTheViewTrains) {
    const double field = 32.0;
    makeView(1.5, field);
    view->setDayPhaseOverride(kDayPhaseDay);
    // A ship 2.5 km off, half a field of view right of the look.
    const ObjectRecord* ship = nullptr;
    for (int i = 0; i < objdbCount() && !ship; ++i)
        if (objdbGetByIndex(i)->kind == 2 && objdbGetByIndex(i)->mastHeight > 0.0f)
            ship = objdbGetByIndex(i);
    ASSERT_NE(ship, nullptr);
    r3d::Clump* model = rwLoadModel(std::string(ship->keyName.view()), true);
    ASSERT_NE(model, nullptr);
    const MotionModel& m = *own->motion;
    const double look = m.heading, at = (look + field / 2.0) * std::numbers::pi / 180.0;
    double sx = m.x + 2500.0 * std::sin(at), sy = m.y + 2500.0 * std::cos(at), sz = 0.0, sh = look + 90.0, zero = 0.0;
    const int h = view->addObject(model, std::string(ship->modelName.view()), {&sx, &sy, &sz, &sh, &zero, &zero}, 2,
                                  0.0f, false, false);
    placed.emplace_back(h, model);
    // Over the sky alone, so that only the ship differs between two pictures (the sea animates).
    view->seaElement()->clump()->visible = false;
    view->lowGroundPatch()->clump()->visible = false;

    // The ship's middle column in the picture: where it differs from the picture without it.
    auto shipColumn = [&] {
        view->render();
        std::vector<std::uint16_t> shown(static_cast<std::size_t>(kWidth * kHeight));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                shown[static_cast<std::size_t>(y * kWidth + x)] = pixelAt(*view->camera(), x, y);
        model->visible = false;
        view->render();
        model->visible = true;
        double sum = 0.0;
        int count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (shown[static_cast<std::size_t>(y * kWidth + x)] != pixelAt(*view->camera(), x, y)) {
                    sum += x;
                    ++count;
                }
        return count ? sum / count : -1.0;
    };
    lookFromHead(look, 0.0);
    const double before = shipColumn();
    const int skyBefore = view->camera()->backdropOffsetX;
    lookFromHead(look + field, 0.0); // trained right by one field of view
    const double after = shipColumn();
    const int skyAfter = view->camera()->backdropOffsetX;
    ASSERT_GT(before, 0.0);
    ASSERT_GT(after, 0.0);
    // The picture moves left as the view trains right; the sky scrolls by as many pixels.
    EXPECT_NEAR(before - after, skyAfter - skyBefore, 3.0);
}

TEST_F(RwViewMission, TheMissionsShipsThroughTheSceneEntityListWithAndWithoutWakesAndOneBlownUp) {
    rwInstallSceneEffects();
    rwInitParticles();
    makeView(1.5, 32.0);
    view->setDayPhaseOverride(kDayPhaseDay);
    Entity* ship = nearestShip();
    ASSERT_NE(ship, nullptr) << "the mission needs a surface ship";
    // Brought 500 m ahead of the boat, where the periscope looks.
    const MotionModel& m = *own->motion;
    const double ahead = m.heading * std::numbers::pi / 180.0;
    ship->motion->x = m.x + 500.0 * std::sin(ahead);
    ship->motion->y = m.y + 500.0 * std::cos(ahead);
    lookFromHead(m.heading, 0.0);

    showSceneEntities(false);
    EXPECT_EQ(effectsGetEntities().size(), static_cast<std::size_t>(worldList().count()))
        << "a record for every entity";
    EXPECT_GT(pixelsOfTheEntities(), 0) << "the ship ahead is drawn";
    frames(1, 40);
    keep("scene-ships.png");

    showSceneEntities(true);
    int wakes = 0;
    for (const auto& r : sceneEntities())
        wakes += r3d::findByTag(*r->clump, kTagWake) != nullptr;
    EXPECT_EQ(wakes > 0, ship->motion->speed >= 2.0) << "a ship under way shows its wake with detail";
    frames(10, 100);
    keep("scene-wakes.png");

    // The ship blown up: an explosion at it, then one second.
    ship->applyDamage(1000.0, nullptr, true, false, false);
    const RwExplosion& blast = rwExplosionSlot(0);
    ASSERT_EQ(blast.state, 1) << "the explosion entity spawned an explosion in the view";
    EXPECT_DOUBLE_EQ(blast.x, ship->motion->x);
    frames(20, 50);
    EXPECT_EQ(blast.state, 1);
    EXPECT_NEAR(blast.frame, 5, 1) << "a third of the way through its 15 frames";
    const SceneEntity* wreck = nullptr;
    for (const auto& r : sceneEntities())
        if (r->entity == ship)
            wreck = r.get();
    ASSERT_NE(wreck, nullptr);
    EXPECT_EQ(wreck->damageStage, 5);
    keep("scene-explosion.png");
}

}  // namespace
}  // namespace q71::test
