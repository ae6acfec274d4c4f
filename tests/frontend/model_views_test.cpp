// The books' model view and the entity viewer as a player sees them on the data set: every model
// whole in the picture and filling a good part of it as it turns, the viewer's camera clear of
// the waves and looking at what it follows wherever it stands, the surface seen from below as one
// sea, and golden pictures of models turning, above and below the water.
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "frontend/books/book_model_view.h"
#include "frontend/books/book_screen.h"
#include "frontend/entview/ent_view_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/options/options_record.h"
#include "frontend_fixture.h"
#include "host_mission_fixture.h"
#include "platform/gdi/device_context.h"
#include "render3d/camera.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/player_roster.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"
#include "stations/geninfo/gen_info.h"
#include "support/camera_pixels.h"
#include "support/golden_image.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/rwutils/surface_patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {
namespace {

// Where two pictures of one size differ: the box of the differing pixels (right < left: none).
struct Extent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Extent differing(const std::vector<std::uint16_t>& a, const std::vector<std::uint16_t>& b, int width) {
    Extent e;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
            e = {std::min(e.left, x), std::min(e.top, y), std::max(e.right, x), std::max(e.bottom, y)};
        }
    return e;
}

// Whole in the picture: in it, and clear of its edges.
::testing::AssertionResult whole(const Extent& e, int width, int height) {
    if (e.right < 0)
        return ::testing::AssertionFailure() << "not in the picture";
    if (e.left < 1 || e.top < 1 || e.right > width - 2 || e.bottom > height - 2)
        return ::testing::AssertionFailure() << "cut by the picture's edge: " << e.left << "," << e.top
                                             << " to " << e.right << "," << e.bottom;
    return ::testing::AssertionSuccess();
}

// How much of the picture's width or height the box fills, whichever is more.
double fill(const Extent& e, int width, int height) {
    return e.right < 0 ? 0.0 : std::max(double(e.width()) / width, double(e.height()) / height);
}

// Pictures of a camera side by side, as one golden image.
class Strip {
public:
    Strip(int width, int height, int count) : canvas_(width * count, height), width_(width) {}
    void add(r3d::Camera& camera) { r3d::showCamera(camera, *canvas_.dc, width_ * next_++, 0); }
    const Bitmap& bitmap() const { return *canvas_.bitmap; }

private:
    test::Canvas canvas_;
    int width_;
    int next_ = 0;
};

// The views read the options (3-D textures on) through the simulation's services, as in the program.
struct ProgramOptions {
    ProgramOptions() {
        optionsRecord() = optionsDefaults();
        simInstallServices({.frontEnd = &frontEndSimServices()});
    }
    ~ProgramOptions() { simInstallServices({}); }
};

class BookModels : public test::FrontEndFixture {
protected:
    BookModels() {
        EXPECT_TRUE(objdbLoad());
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        screenEnterMainMenu();
        pump();
    }
    ~BookModels() override {
        screenDestroy(kSlotReferenceBook);
        rwShutdown();
        objdbFree();
    }
    ProgramOptions options;
    BookScreen& referenceBook() {
        EXPECT_TRUE(clickMainMenuLine(kSlotReferenceBook));
        auto* book = dynamic_cast<BookScreen*>(screenGet(kSlotReferenceBook)->child(0));
        if (!book)
            throw std::logic_error("no reference book");
        book->setTurning(false);
        return *book;
    }
    static int indexOf(const BookScreen& book, std::string_view key) {
        for (std::size_t i = 0; i < book.entries().size(); ++i)
            if (book.entries()[i].record && book.entries()[i].record->keyName.view() == key)
                return static_cast<int>(i);
        throw std::logic_error("no such record in the book");
    }
};

TEST_F(BookModels, EveryModelStaysWholeInThePictureAndFillsItAsItTurns) {
    BookScreen& book = referenceBook();
    BookModelView& view = *book.modelView();
    const int width = view.camera()->width(), height = view.camera()->height();
    view.showRecord(nullptr);
    view.render();
    const std::vector<std::uint16_t> ground = test::cameraPixels(*view.camera());
    for (int i = 0; i < static_cast<int>(book.entries().size()); ++i) {
        book.choose(i);
        if (!view.hasModel())
            continue;
        const std::string_view key = book.entries()[static_cast<std::size_t>(i)].record->keyName.view();
        double most = 0.0;
        for (double heading = 0.0; heading < 360.0; heading += 45.0) {
            view.setHeading(heading);
            view.render();
            const Extent e = differing(test::cameraPixels(*view.camera()), ground, width);
            EXPECT_TRUE(whole(e, width, height)) << key << " at " << heading;
            most = std::max(most, fill(e, width, height));
        }
        EXPECT_GT(most, 0.4) << key << " fills little of the picture, whichever way it turns";
    }
}

TEST_F(BookModels, GoldenPicturesOfModelsTurning) {
    BookScreen& book = referenceBook();
    BookModelView& view = *book.modelView();
    for (const char* key : {"Trawler", "OilRig", "Captor", "Akula"}) {
        book.choose(indexOf(book, key));
        Strip strip(view.camera()->width(), view.camera()->height(), 3);
        for (double heading : {0.0, 120.0, 240.0}) {
            view.setHeading(heading);
            view.render();
            strip.add(*view.camera());
        }
        EXPECT_TRUE(test::matchesGoldenIn("tests/frontend/golden", strip.bitmap(),
                                          std::string("book_turning_") + key));
    }
}

class ViewerModels : public test::HostMissionFixture {
protected:
    ViewerModels() {
        entViewRegister();
        entViewResetCamera();
    }
    ~ViewerModels() override {
        screenDestroy(kSlotGenInfo);
        effectsEnd();
        rwShutdown();
        stationRegisterMaker(kStationEntityViewer, nullptr);
    }
    ProgramOptions options;
    EntViewScreen& openOn(const std::string& mission) {
        startOnHost(mission);
        effectsBegin();
        auto& host = *static_cast<GenInfo*>(screenGet(kSlotGenInfo));
        host.selectStation(kStationEntityViewer);
        pump();
        return *static_cast<EntViewScreen*>(host.child(kStationEntityViewer));
    }
    static const SceneEntity& recordOf(std::string_view name) {
        for (const auto& r : sceneEntities())
            if (r->name == name)
                return *r;
        throw std::logic_error("no such entity in the mission");
    }
    static const SceneEntity& followedRecord(const EntViewScreen& viewer) {
        for (const auto& r : sceneEntities())
            if (r->id == viewer.followedId())
                return *r;
        throw std::logic_error("the viewer follows nothing");
    }
    // The box the followed model (its hull, without its wake) covers in the viewer's picture at
    // a turn of the camera.
    static Extent followedExtent(EntViewScreen& viewer, double pan) {
        entViewCamera().pan = pan;
        viewer.update();
        const std::vector<std::uint16_t> shown = test::cameraPixels(*viewer.view()->camera());
        r3d::Clump& model = *r3d::findByTag(*followedRecord(viewer).clump, RWWidget::kTagHull);
        model.visible = false;
        viewer.update();
        model.visible = true;
        return differing(shown, test::cameraPixels(*viewer.view()->camera()),
                         viewer.view()->camera()->width());
    }
};

// A model of a mission to follow: the own boat (no name) or the first entity of a model; and
// whether the camera may come near enough for it to fill the picture (a view's camera keeps 15 m
// above the ground, so a small thing moored near the bottom is seen small, from above).
struct Followed {
    const char* mission;
    const char* name;
    bool fills = true;
    double ownDepth = 0.0; ///< the own boat put at this vertical coordinate (metres), unless 0
};

class ViewerFramesModels : public ViewerModels, public ::testing::WithParamInterface<Followed> {};

TEST_P(ViewerFramesModels, TheFollowedModelStaysWholeInThePictureAndFillsItAsTheCameraTurns) {
    optionsRecord().setField(kOptionTextures3d, 0); // a plain sea: only the model changes the picture
    const Followed& f = GetParam();
    EntViewScreen& viewer = openOn(f.mission);
    if (f.name) {
        ASSERT_TRUE(viewer.follow(recordOf(f.name).id));
    }
    if (f.ownDepth != 0.0)
        worldOwnShip()->motion->z = f.ownDepth;
    const int width = viewer.view()->camera()->width(), height = viewer.view()->camera()->height();
    double most = 0.0;
    for (double pan : {0.0, 90.0, 180.0, 270.0}) {
        const Extent e = followedExtent(viewer, pan);
        EXPECT_TRUE(whole(e, width, height)) << "at " << pan;
        most = std::max(most, fill(e, width, height));
    }
    if (f.fills) {
        EXPECT_GT(most, 0.4);
    }
}

INSTANTIATE_TEST_SUITE_P(DataSet, ViewerFramesModels,
                         ::testing::Values(Followed{"Sa1.scn", nullptr},
                                           Followed{"Sa5.scn", nullptr, true, -9.14},
                                           Followed{"Sa1.scn", "Trawler"}, Followed{"Ca3.scn", "OilRig"},
                                           Followed{"Sa6.scn", "Captor", false}),
                         [](const ::testing::TestParamInfo<Followed>& info) {
                             return std::string(info.param.name              ? info.param.name
                                                : info.param.ownDepth != 0.0 ? "OwnBoatAtPeriscopeDepth"
                                                                             : "OwnBoat");
                         });

TEST_F(ViewerModels, TheCameraNeverStandsAmongTheWaves) {
    EntViewScreen& viewer = openOn("Sa1.scn");
    ASSERT_TRUE(viewer.follow(recordOf("Trawler").id));
    const RWWidget& view = *viewer.view();
    ASSERT_NE(view.seaElement(), nullptr);
    const float waves = view.seaElement()->amplitude();
    ASSERT_GT(waves, 0.0f);
    for (double tilt = -40.0; tilt <= 40.0; tilt += 2.0) {
        entViewCamera().tilt = tilt;
        viewer.update();
        EXPECT_GT(std::fabs(view.cameraScenePosition().y), waves) << "tilt " << tilt;
    }
}

TEST_F(ViewerModels, FromBelowTheSurfaceIsTheAnimatedSeaAloneWhereItReaches) {
    EntViewScreen& viewer = openOn("Sa1.scn"); // the own boat deep down
    viewer.update();
    const RWWidget& view = *viewer.view();
    ASSERT_TRUE(view.underwater());
    LandSurface& land = *view.landPatch();
    const r3d::Material* sea = &land.material(PatchKind::Sea);
    const r3d::Vec3 camera = view.cameraScenePosition();
    int inside = 0, beyond = 0;
    for (const auto& polygon : land.clump()->polygons) {
        if (polygon->material.get() != sea || !(polygon->opacity > 0.0f))
            continue;
        float nearest = 1e30f;
        for (int index : {polygon->a, polygon->b, polygon->c}) {
            const r3d::Vec3 p = land.clump()->vertices[static_cast<std::size_t>(index)].position;
            nearest = std::min(nearest, std::hypot(p.x - camera.x, p.z - camera.z));
        }
        // A sea triangle the animated sea covers whole stands no nearer than its rim's edges.
        (nearest < SeaSurface::reach() * 0.5f ? inside : beyond) += 1;
    }
    EXPECT_EQ(inside, 0) << "the flat sea of the land patch shows through the waves";
    EXPECT_GT(beyond, 0) << "and stands in for the sea beyond them";
}

class ViewerGoldens : public ViewerModels, public ::testing::WithParamInterface<Followed> {};

// By day, the camera turned a third of the way round between the pictures.
TEST_P(ViewerGoldens, APictureOfTheModelTurning) {
    const Followed& f = GetParam();
    EntViewScreen& viewer = openOn(f.mission);
    if (f.name) {
        ASSERT_TRUE(viewer.follow(recordOf(f.name).id));
    }
    viewer.view()->setDayPhaseOverride(kDayPhaseDay);
    r3d::Camera& camera = *viewer.view()->camera();
    Strip strip(camera.width(), camera.height(), 3);
    for (double pan : {0.0, 120.0, 240.0}) {
        entViewCamera().pan = pan;
        viewer.update();
        strip.add(camera);
    }
    EXPECT_TRUE(test::matchesGoldenIn("tests/frontend/golden", strip.bitmap(),
                                      f.name ? "viewer_turning_above" : "viewer_turning_below"));
}

INSTANTIATE_TEST_SUITE_P(DataSet, ViewerGoldens,
                         ::testing::Values(Followed{"Sa1.scn", nullptr}, Followed{"Sa1.scn", "Trawler"}),
                         [](const ::testing::TestParamInfo<Followed>& info) {
                             return std::string(info.param.name ? "AboveTheWater" : "BelowTheWater");
                         });

} // namespace
} // namespace q71
