// The fire-control station in the in-mission host: its button and Alt+F open it on the display.
#include "stations/host_mission.h"

#include "framework/app/screen_window.h"
#include "framework/widgets/simple_button.h"
#include "sim/services/sim_services.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class FireInHost : public HostMission {
protected:
    FireInHost() {
        simInstallServices({.audio = &audio, .weapons = &fireControlStations(), .frontEnd = &options});
        startMission("Sa1.scn");
        fireRegisterStation();
    }
    // The host and its stations go before the mission's terrain, as in the game.
    void TearDown() override {
        HostMission::TearDown();
        stationRegisterMaker(kStationFireControl, nullptr);
    }
};

TEST_F(FireInHost, ItsButtonAndAltFOpenTheDisplay) {
    GenInfo& host = openHost();
    ASSERT_NE(fireCtrl(), nullptr) << "the host builds the registered station";
    const SimpleButton& button = host.stationButton(kStationFireControl);
    display.click({button.getX() + 22, button.getY() + 20});
    run(100);
    EXPECT_EQ(host.currentChild(), kStationFireControl);
    EXPECT_EQ(fireCtrl()->currentPage(), FireCtrl::kDisplayPage);
    EXPECT_TRUE(fireCtrl()->page(FireCtrl::kDisplayPage)->isVisible());
    keepPicture("host-display");

    host.onKey('a', 3); // another station, then back by its key
    run(100);
    host.onKey('f', 3);
    run(100);
    EXPECT_EQ(host.currentChild(), kStationFireControl);
    EXPECT_TRUE(fireCtrl()->page(FireCtrl::kDisplayPage)->isVisible());
}

} // namespace
} // namespace q71::test
