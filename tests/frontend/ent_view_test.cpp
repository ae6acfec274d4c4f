// The entity viewer on a running mission of the data set: the camera following a moving entity,
// the listening point of explosions while the viewer shows, the camera handed on when the
// followed entity is lost, the steps through the world's entities and the mouse's turns.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "frontend/entview/ent_view_layout.h"
#include "frontend/entview/ent_view_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/stateroom/stateroom.h"
#include "host_mission_fixture.h"
#include "platform/display/input_event.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/front_end.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "stations/geninfo/gen_info.h"
#include "support/screen_picture.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_texture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

class EntityViewer : public test::HostMissionFixture {
protected:
    EntityViewer() {
        entViewRegister();
        stateroomRegister();
        entViewResetCamera();
        startOnHost("Sa2.scn");
        effectsBegin();
    }
    ~EntityViewer() override {
        screenDestroy(kSlotGenInfo);
        effectsEnd();
        rwShutdown();
        stationRegisterMaker(kStationEntityViewer, nullptr);
        stationRegisterMaker(kStationStateroom, nullptr);
    }

    GenInfo& host() { return *static_cast<GenInfo*>(screenGet(kSlotGenInfo)); }
    EntViewScreen& openViewer() {
        host().selectStation(kStationEntityViewer);
        pump();
        return *static_cast<EntViewScreen*>(host().child(kStationEntityViewer));
    }
    /// Presses a button at one point, moves to another with it held and lets it go there.
    void drag(MouseButton button, Point from, Point to) {
        display.moveMouse(from);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, button, from));
        pump();
        display.moveMouse(to);
        pump();
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, button, to));
        pump();
    }
    static bool heardAt(WorldPoint& where) { return frontEndSimServices().entityViewerCamera(where); }
    static double distanceTo(const Entity& e, const WorldPoint& p) {
        return std::hypot(e.motion->x - p.x, e.motion->y - p.y, e.motion->z - p.z);
    }
};

TEST_F(EntityViewer, TheCameraFollowsTheOwnBoatAndExplosionsAreHeardThereWhileItShows) {
    WorldPoint where;
    EXPECT_FALSE(heardAt(where)) << "no viewer yet";
    EntViewScreen& viewer = openViewer();
    const Entity& own = *worldOwnShip();
    EXPECT_EQ(viewer.followedId(), own.id) << "the own boat first";
    ASSERT_TRUE(heardAt(where));
    const double standOff = distanceTo(own, where);
    EXPECT_GT(standOff, objdbFindById(own.recordId)->length * 0.3048 / 2.0) << "off the boat, not inside it";
    const double startX = own.motion->x, startY = own.motion->y;
    play(30000);
    EXPECT_GT(std::hypot(own.motion->x - startX, own.motion->y - startY), 50.0) << "the boat moved";
    ASSERT_TRUE(heardAt(where));
    EXPECT_NEAR(distanceTo(own, where), standOff, 1.0) << "the camera went with it";
    test::saveScreenPicture("entview");

    host().selectStation(kStationStateroom);
    pump();
    EXPECT_FALSE(heardAt(where)) << "the viewer closed: the own boat hears again";
}

TEST_F(EntityViewer, TheButtonsStepThroughTheEntitiesAndALostOneHandsTheCameraOn) {
    EntViewScreen& viewer = openViewer();
    const std::int32_t own = worldOwnShip()->id;
    WorldPoint where;
    ASSERT_TRUE(heardAt(where));
    const double standOff = distanceTo(*worldOwnShip(), where);
    using namespace ent_view_layout;
    clickAt(Point{kNextX + kButtonWidth / 2, kButtonY + kButtonHeight / 2});
    const std::int32_t other = viewer.followedId();
    ASSERT_NE(other, own) << "the mission holds more than the own boat";
    ASSERT_NE(worldFindEntity(other), nullptr);
    clickAt(Point{kPreviousX + kButtonWidth / 2, kButtonY + kButtonHeight / 2});
    EXPECT_EQ(viewer.followedId(), own);
    viewer.step(1);
    EXPECT_EQ(viewer.followedId(), other);

    worldPurgeEntityId(other);
    play(2500); // the world's per-second pass takes it away
    EXPECT_EQ(worldFindEntity(other), nullptr);
    EXPECT_EQ(viewer.followedId(), own) << "handed back to the own boat";
    ASSERT_TRUE(heardAt(where));
    EXPECT_NEAR(distanceTo(*worldOwnShip(), where), standOff, 1.0);
}

TEST_F(EntityViewer, TheMouseTurnsTheCameraAndTheResetPutsItBack) {
    openViewer();
    using namespace ent_view_layout;
    const Point middle{(kView.left + kView.right) / 2, (kView.top + kView.bottom) / 2};
    drag(MouseButton::Left, middle, {middle.x + 40, middle.y - 20});
    EXPECT_DOUBLE_EQ(entViewCamera().pan, 20.0);
    EXPECT_DOUBLE_EQ(entViewCamera().tilt, 10.0);
    play(100);
    WorldPoint where;
    ASSERT_TRUE(heardAt(where));
    const double standOff = distanceTo(*worldOwnShip(), where);
    drag(MouseButton::Right, middle, {middle.x, middle.y + 70});
    EXPECT_NEAR(entViewCamera().zoom, std::exp(0.7), 1e-9) << "dragged down: further off";
    play(100);
    ASSERT_TRUE(heardAt(where));
    EXPECT_NEAR(distanceTo(*worldOwnShip(), where), standOff * std::exp(0.7), 1.0);

    entViewResetCamera();
    EXPECT_EQ(entViewCamera().tilt, 0.0);
    EXPECT_EQ(entViewCamera().pan, 0.0);
    EXPECT_EQ(entViewCamera().zoom, 1.0);
}

} // namespace
} // namespace q71
