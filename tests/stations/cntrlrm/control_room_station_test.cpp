// The control room on a running mission of the data set, headless, with a recording host: the
// arrows' walk with its buttons and markers, each viewpoint facing its own station's console, the
// parts of the room and the hand cursor (with a room made by the test), the mouse drags held
// outside the view, and the pictures of the room and of the plan.
#include "tactical/support/station_mission.h"

#include "support/golden_image.h"
#include "support/temp_dir.h"

#include "framework/app/main_cursor.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/group_archive_writer.h"
#include "framework/resources/registry.h"
#include "framework/widgets/simple_button.h"
#include "platform/display/input_event.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window_layout.h"
#include "render3d/format.h"
#include "stations/cntrlrm/control_room_host.h"
#include "stations/cntrlrm/control_room_screen.h"
#include "stations/cntrlrm/control_room_view.h"
#include "tactical/rwutils/model_descriptor.h"
#include "tactical/rwutils/rw_archive.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace q71::test {
namespace {

constexpr int kControlRoom = 12;
// The view's place on the station and its centre pixel.
constexpr Point kView{69, 27};
constexpr Point kViewCentre{200, 112};
// The arrows' middles.
constexpr Point kNextArrow{430 + 15, 315 + 18};

class RecordingHost final : public ControlRoomHost {
public:
    bool stationOpen(int station) const override { return !missing.count(station); }
    void selectStation(int station) override { selected.push_back(station); }
    std::set<int> missing;
    std::vector<int> selected;
};

// The room's models from the test: "Control-Room" a wall tagged with one object id straight ahead
// of the camera's first place, or no entry at all.
class RoomArchive final : public RwArchive {
public:
    std::optional<RwBytes> read(const std::string& group, const std::string& name) override {
        auto it = entries.find(group + "/" + name);
        if (it == entries.end())
            return std::nullopt;
        return it->second;
    }
    bool readInBackground(const std::string&, const std::string&, RwReadDone) override { return false; }

    void wallTagged(int objectId) {
        r3d::ClumpRecord wall;
        wall.tag = objectId;
        const r3d::Vec3 n{0.0f, 0.0f, 1.0f};
        for (r3d::Vec3 p :
             {r3d::Vec3{-20, -20, -5}, r3d::Vec3{20, -20, -5}, r3d::Vec3{20, 20, -5}, r3d::Vec3{-20, 20, -5}})
            wall.vertices.push_back({p, n, 0.0f, 0.0f});
        wall.materials.emplace_back();
        wall.triangles = {{1, 2, 3, 0}, {1, 3, 4, 0}};
        RwBytes geometry;
        r3d::encodeClump(wall, geometry);
        entries["models/wall.clp"] = geometry;
        entries["models/Control-Room"] = encodeModelDescriptor({"wall.clp", {}});
    }
    std::map<std::string, RwBytes> entries;
};

class ControlRoomStation : public StationMission {
protected:
    ControlRoomStation() { startMission("Sa1.scn"); }
    ~ControlRoomStation() override { rwInstallArchive(nullptr); }
    void TearDown() override {
        host().setChild(kControlRoom, nullptr);
        StationMission::TearDown();
    }

    ControlRoomScreen& open() {
        if (!screen_) {
            auto screen = std::make_unique<ControlRoomScreen>("cntrlrmscreen", host().window(), kStationWidth,
                                                              kStationHeight, 0, 0, recorder);
            screen_ = screen.get();
            host().setChild(kControlRoom, std::move(screen));
        }
        clearActiveSubScreen(screen_); // hidden by the test, it opens again
        showStation(kControlRoom);
        return *screen_;
    }
    ControlRoomView& view() { return screen_->view(); }
    // One arrow press and the five updates of its move.
    void walkOn() {
        clickAt(kNextArrow);
        run(50);
    }
    static Point inView(Point at) { return {kView.x + at.x, kView.y + at.y}; }
    void press(Point at, MouseButton button, bool down) {
        const Point p = windowClientToScreen(screen_->window(), at);
        display.moveMouse(p);
        display.inject(InputEvent::buttonAt(down ? InputKind::ButtonDown : InputKind::ButtonUp, button, p));
        pump();
    }

    RecordingHost recorder;
    ControlRoomScreen* screen_ = nullptr;
};

TEST_F(ControlRoomStation, AnArrowWalksToTheNextViewpointAndSwitchesButtonsAndMarkersAtTheEnd) {
    ControlRoomScreen& room = open();
    ASSERT_NE(view().camera(), nullptr);
    // Field of view 45 as every view asks for one (a view window of 2 tan 22.5 at distance 1),
    // and the further setting of 60, which the library keeps.
    EXPECT_NEAR(view().camera()->viewWindowX, 0.8284271f, 1e-5);
    EXPECT_FLOAT_EQ(view().camera()->setting, 60.0f);
    EXPECT_EQ(room.stationButton(0).getState(), 1) << "viewpoint 0 is current at the start";
    const RoomCamera start = view().roomCamera();
    EXPECT_NEAR(start.x, -4.1f, 1e-4) << "the camera stands at the viewpoint the plan marks";
    EXPECT_NEAR(start.heading, 165.0f, 1e-4);
    run(10);
    keepPicture("first-open");
    EXPECT_EQ(room.stationButton(1).getState(), 2);
    clickAt(kNextArrow);
    run(40); // four of the five steps
    EXPECT_TRUE(room.walk().moving());
    EXPECT_EQ(room.stationButton(0).getState(), 1);
    EXPECT_EQ(room.markerSourceY(0), 0) << "the marker stays until the move ends";
    run(10);
    EXPECT_FALSE(room.walk().moving());
    EXPECT_EQ(room.stationButton(0).getState(), 2);
    EXPECT_EQ(room.stationButton(1).getState(), 1);
    // "bdot.bmp" is 9 by 19: the current viewpoint reads the first 9 stored rows, the others
    // the 9 after the separator.
    EXPECT_EQ(room.markerSourceY(1), 0);
    for (int i : {0, 2, 8})
        EXPECT_EQ(room.markerSourceY(i), 10) << i;
    const RoomCamera c = view().roomCamera();
    EXPECT_NEAR(c.x, -0.6f, 1e-4);
    EXPECT_NEAR(c.y, 6.7f, 1e-4);
    EXPECT_NEAR(c.z, -3.9f, 1e-4);
    EXPECT_NEAR(c.heading, 191.0f, 1e-3);
    EXPECT_NEAR(c.pitch, -2.0f, 1e-4);
    EXPECT_EQ(view().viewpoint(), 1);
    EXPECT_TRUE(matchesGoldenIn("tests/stations/cntrlrm/golden",
                                *screenArea(windowClientToScreen(room.window(), {70, 262}), 150, 144),
                                "plan-after-move"));

    // Closed and opened again, the room is where it was left.
    hideStation();
    open();
    EXPECT_EQ(room.walk().current(), 1);
    EXPECT_EQ(room.stationButton(1).getState(), 1);
}

TEST_F(ControlRoomStation, FromEachViewpointTheCentreOfTheViewIsItsOwnStationsConsole) {
    ControlRoomScreen& room = open();
    // The object ids of each viewpoint's station (button i + 1): ship control, state room, sonar,
    // TMA, fire control, radar, periscope (two), navigation, radio.
    const std::vector<std::set<int>> expected = {{6}, {8}, {14}, {13}, {12}, {11}, {3, 4}, {2}, {15}};
    for (int k = 1; k <= 9; ++k) {
        walkOn();
        const int viewpoint = k % 9;
        ASSERT_EQ(room.walk().current(), viewpoint);
        const int id = view().pickAt(kViewCentre.x, kViewCentre.y);
        EXPECT_TRUE(expected[static_cast<std::size_t>(viewpoint)].count(id))
            << "viewpoint " << viewpoint << " sees " << id;
    }
    ASSERT_NE(view().camera(), nullptr);
    EXPECT_TRUE(
        matchesGoldenIn("tests/stations/cntrlrm/golden", *view().camera()->image(), "room-viewpoint-0"));
    keepPicture("viewpoint-0");
}

TEST_F(ControlRoomStation, EachPartOfTheRoomGivesItsCursorAndItsStation) {
    RoomArchive archive;
    rwInstallArchive(&archive);
    recorder.missing = {kStationNavigation};
    struct Case {
        int objectId;
        int station; // -1: the normal cursor and nothing selected
    };
    // Navigation is not built here: its chart table (2) is not offered.
    for (const Case c : {Case{1, -1}, Case{2, -1}, Case{3, 6}, Case{4, 6}, Case{5, -1}, Case{6, 0},
                         Case{7, -1}, Case{8, 11}, Case{9, -1}, Case{10, -1}, Case{11, 2}, Case{12, 5},
                         Case{13, 4}, Case{14, 1}, Case{15, 3}, Case{0, -1}, Case{16, -1}}) {
        archive.wallTagged(c.objectId);
        open();
        ASSERT_NE(view().handCursor(), appMainCursor()) << "the data set's cursor 108";
        ASSERT_EQ(view().pickAt(kViewCentre.x, kViewCentre.y), c.objectId);
        moveTo(inView({10, 10}));
        moveTo(inView(kViewCentre));
        EXPECT_EQ(cursorGet(), c.station >= 0 ? view().handCursor() : appMainCursor())
            << "object " << c.objectId;
        recorder.selected.clear();
        clickAt(inView(kViewCentre));
        EXPECT_EQ(recorder.selected, c.station >= 0 ? std::vector<int>{c.station} : std::vector<int>{})
            << "object " << c.objectId;
        EXPECT_EQ(captureGet(), WindowHandle{}) << "object " << c.objectId;
        hideStation();
    }
    // Without a room model the scene is empty: nothing is picked, nothing offered.
    archive.entries.clear();
    open();
    EXPECT_EQ(view().room(), nullptr);
    EXPECT_EQ(view().pickAt(kViewCentre.x, kViewCentre.y), 0);
    moveTo(inView(kViewCentre));
    EXPECT_EQ(cursorGet(), appMainCursor());
}

// The room is built again whenever the player comes back to it: its hand cursor must be the one
// loaded the first time, and no cursor may be made for it again (the handle a cursor made
// afterwards gets counts them).
TEST_F(ControlRoomStation, BuiltAgainTheRoomMakesNoNewCursor) {
    const CursorImage dot{.width = 1, .height = 1, .hotSpot = {0, 0}, .argb = {0xFF000000u}};
    std::optional<CursorHandle> hand;
    std::optional<std::uint32_t> nextHandle;
    for (int round = 0; round < 4; ++round) {
        open();
        if (hand) {
            EXPECT_EQ(view().handCursor(), *hand) << "round " << round;
        }
        hand = view().handCursor();
        hideStation();
        host().setChild(kControlRoom, nullptr);
        screen_ = nullptr;
        const auto made = static_cast<std::uint32_t>(cursorCreate(dot));
        if (nextHandle) {
            EXPECT_EQ(made, *nextHandle) << "round " << round;
        }
        nextHandle = made + 1;
    }
}

TEST_F(ControlRoomStation, StationButtonsSwitchTheHostAndAnUnbuiltStationIsNotOffered) {
    recorder.missing = {kStationNavigation};
    ControlRoomScreen& room = open();
    EXPECT_FALSE(room.stationButton(7).isClickable()) << "navigation is not built";
    const std::vector<int> column = {0, 11, 1, 4, 5, 2, 6, 10, 3};
    for (int i = 0; i < 9; ++i) {
        recorder.selected.clear();
        const SimpleButton& b = room.stationButton(i);
        clickAt({b.getX() + 20, b.getY() + 5});
        const int station = column[static_cast<std::size_t>(i)];
        EXPECT_EQ(recorder.selected,
                  station == kStationNavigation ? std::vector<int>{} : std::vector<int>{station})
            << "button " << i;
    }
}

TEST_F(ControlRoomStation, DragsWalkAndTurnTheCameraAndHoldTheMouseOutsideTheView) {
    recorder.missing = {0, 1, 2, 3, 4, 5, 6, 10, 11}; // no station offered: every press starts a drag
    open();
    view().setCamera(5.2f, 1.1f, -3.0f, 270.0f, -8.0f, 4);
    // Left: 10 right and 200 down, ending below the view. Facing west (270), pulling the floor
    // 200 pixels down walks 6 west, pulling it 10 right steps 0.3 to the heading's left (south).
    press(inView({100, 100}), MouseButton::Left, true);
    EXPECT_EQ(captureGet(), view().window());
    moveTo(inView({105, 200}));
    leftButton(inView({110, 300}), false);
    RoomCamera c = view().roomCamera();
    EXPECT_NEAR(c.x, 5.2f - 6.0f, 1e-4);
    EXPECT_NEAR(c.y, 1.1f - 0.3f, 1e-4);
    EXPECT_NEAR(c.z, -3.0f, 1e-6);
    EXPECT_NEAR(c.heading, 270.0f, 1e-6);
    EXPECT_EQ(captureGet(), WindowHandle{}) << "released with the button";

    // Right: 310 right (past the view's right edge) and 5 up: 0.02 radians a pixel.
    press(inView({100, 100}), MouseButton::Right, true);
    moveTo(inView({410, 95}));
    press(inView({410, 95}), MouseButton::Right, false);
    c = view().roomCamera();
    EXPECT_NEAR(c.heading, 270.0f + 310 * 1.1459156f, 1e-3);
    EXPECT_NEAR(c.pitch, -8.0f - 5 * 1.1459156f, 1e-4);
    EXPECT_NEAR(c.x, 5.2f - 6.0f, 1e-4) << "turning does not move";
}

using ControlRoomStationDeathTest = ControlRoomStation;

TEST_F(ControlRoomStationDeathTest, MissingOrDamagedArtEndsTheProgramAfterItsBox) {
    std::ifstream file(locationDataRoot() + "/resources/bitmap106.bmp", std::ios::binary);
    const std::string picture{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(picture.empty());
    struct Case {
        std::vector<std::pair<const char*, std::string>> members; // none at all: no group
        const char* missing;
    };
    const std::vector<Case> cases = {
        {{}, "the group"},
        {{{"X229Y284.bmp", picture}}, "the background"},
        {{{"screen30.bmp", picture}}, "the marker"},
        {{{"screen30.bmp", picture}, {"bdot.bmp", "BM not a bitmap"}}, "a readable marker"},
    };
    char saved[sizeof graphicsInstallPath];
    std::memcpy(saved, graphicsInstallPath, sizeof saved);
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.members.empty()) {
            ASSERT_EQ(grpBuildBegin(dir.file("cntrlrm").c_str()), 1);
            for (const auto& [name, bytes] : c.members)
                ASSERT_EQ(grpBuildAddMemory(name, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            static_cast<std::uint32_t>(bytes.size())),
                          1);
            ASSERT_TRUE(grpBuildEnd());
        }
        std::snprintf(graphicsInstallPath, sizeof graphicsInstallPath, "%s", dir.path().string().c_str());
        grpFreeAll();
        // Every box is answered (a damaged bitmap is named before the fatal report); the program
        // then ends with a failure status.
        EXPECT_EXIT(
            {
                modalScriptSetUnansweredHandler([](WindowHandle box) { modalLoopEnd(box, 1); });
                open();
            },
            testing::ExitedWithCode(1), "")
            << "without " << c.missing;
    }
    std::memcpy(graphicsInstallPath, saved, sizeof saved);
    grpFreeAll();
}

} // namespace
} // namespace q71::test
