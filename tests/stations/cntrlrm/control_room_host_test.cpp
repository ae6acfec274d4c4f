// The control room inside the real host on a running mission of the data set: with the 3-D control
// room option on, its button and Alt+M open it and a click on the sonar console switches the host
// to the sonar station; with the option off, the slot stays empty. The room's picture is kept in
// artefacts/cntrlrm.png.
#include "stations/host_mission.h"

#include "support/golden_image.h"

#include "framework/app/sub_screen.h"
#include "framework/widgets/simple_button.h"
#include "platform/window/window_layout.h"
#include "stations/cntrlrm/control_room_screen.h"

namespace q71::test {
namespace {

constexpr int kControlRoomOption = 23;

std::unique_ptr<SubScreen> makeStandIn(std::string_view key, WindowHandle parent, int width, int height,
                                       int x, int y) {
    return std::make_unique<SubScreen>(key, parent, width, height, x, y);
}

class ControlRoomInHost : public HostMission {
protected:
    ControlRoomInHost() { startMission("Sa1.scn"); }
    ~ControlRoomInHost() override {
        for (int slot = 0; slot < kHostStationCount; ++slot)
            stationRegisterMaker(slot, nullptr);
    }

    GenInfo& openHost(bool controlRoom) {
        options.options[kControlRoomOption] = controlRoom ? 1 : 0;
        for (int slot = 0; slot < kHostStationCount; ++slot)
            stationRegisterMaker(slot, makeStandIn);
        controlRoomRegisterStation();
        return HostMission::openHost();
    }
    void clickHost(Point at) {
        display.click(windowClientToScreen(gen_->window(), at));
        pump();
    }
    void clickStationButton(int slot) {
        const SimpleButton& b = gen_->stationButton(slot);
        clickHost({b.getX() + 22, b.getY() + 20});
    }
};

TEST_F(ControlRoomInHost, ItsButtonAndAltMOpenTheRoomAndTheSonarConsoleOpensTheSonar) {
    GenInfo& host = openHost(true);
    auto* room = dynamic_cast<ControlRoomScreen*>(host.child(kStationControlRoom));
    ASSERT_NE(room, nullptr);
    clickStationButton(kStationControlRoom);
    EXPECT_EQ(host.currentChild(), kStationControlRoom);
    host.selectStation(kStationShipControl);
    EXPECT_FALSE(room->isVisible());
    host.onKey('m', 3);
    EXPECT_EQ(host.currentChild(), kStationControlRoom);
    EXPECT_TRUE(room->isVisible());
    EXPECT_TRUE(room->stationButton(2).isClickable()) << "the sonar is built";

    // Two arrow presses walk to viewpoint 2, the sonar operator's.
    for (int press = 0; press < 2; ++press) {
        clickHost({430 + 15, 315 + 18});
        run(50);
    }
    ASSERT_EQ(room->walk().marked(), 2);
    keepArtefact(*screenArea(windowClientToScreen(host.window(), {0, 0}), 640, 480), "cntrlrm.png");
    clickHost({69 + 200, 27 + 112});
    EXPECT_EQ(host.currentChild(), kStationSonar);
    EXPECT_EQ(host.stationButton(kStationSonar).getState(), 1);
}

TEST_F(ControlRoomInHost, WithTheOptionOffTheSlotStaysEmptyAndItsButtonAndKeyDoNothing) {
    GenInfo& host = openHost(false);
    EXPECT_EQ(host.child(kStationControlRoom), nullptr);
    EXPECT_FALSE(host.stationButton(kStationControlRoom).isClickable());
    host.onKey('m', 3);
    clickStationButton(kStationControlRoom);
    EXPECT_EQ(host.currentChild(), kStationShipControl);
}

} // namespace
} // namespace q71::test
