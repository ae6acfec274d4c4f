// The wire guidance view of the fire-control display on a running mission: an ADCAP fired from
// its tube panel is steered 5 degrees a press, its course read as three digits; the display's
// own commands still work while the view shows; once the door is shut the wire is cut, the
// sonar operator says so and the buttons send nothing.
#include "fire_panels_fixture.h"

#include "framework/widgets/static_text.h"
#include "framework/textmngr/text_manager.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/wire_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace q71::test {
namespace {

// Tube panel 2 drives tube 4 (an ADCAP), with ids from 130.
constexpr int kFlood = 130, kEqualize = 131, kMuzzle = 132, kFire = 134;

class WirePanelMission : public FirePanelsMission {
protected:
    FireDisplay& display() { return *static_cast<FireDisplay*>(station().page(FireCtrl::kDisplayPage)); }
    int displayCommand(int id) { return display().onCommand(static_cast<WParam>(id), 0); }
};

TEST_F(WirePanelMission, ARunningTorpedoIsSteeredUntilTheDoorShutsAndCutsTheWire) {
    startMission("Sa1.scn");
    buildPanels();
    ASSERT_EQ(tube(2).number(), 4);
    ASSERT_EQ(tube(2).weaponType(), kWeaponAdcap);
    for (auto [id, value] : {std::pair{kFlood, 1}, {kEqualize, 1}, {kMuzzle, 1}})
        notify(id, value);
    panel().assignTubeTarget(2, -1, textGetString(351));
    notify(kFire, 10);
    notify(kFire, 1);
    ASSERT_TRUE(tube(2).isGuidable()) << "the ADCAP runs on its wire";
    run(1000);

    station().onCommand(kFireCmdDisplay, 0);
    pump();
    WirePanel& wire = display().wirePanel();
    EXPECT_EQ(wire.onCommand(8500, 0), 0) << "not shown yet";
    EXPECT_EQ(displayCommand(1702), 1);
    ASSERT_TRUE(wire.shown());
    EXPECT_EQ(wire.title().text(), "FILOGUIDAGE TUBE 4");
    ASSERT_EQ(wire.course().text().size(), 3u);
    const int start = std::stoi(wire.course().text());
    const auto threeDigits = [](int degrees) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", (degrees % 360 + 360) % 360);
        return std::string(text);
    };
    // Right twice, left three times: 5 degrees each, through north when the course is near it.
    const std::pair<int, int> presses[] = {{8500, 5}, {8500, 10}, {8400, 5}, {8400, 0}, {8400, -5}};
    for (auto [id, offset] : presses) {
        EXPECT_EQ(displayCommand(id), 1);
        EXPECT_EQ(wire.course().text(), threeDigits(start + offset)) << id;
    }
    keepPicture("wire");

    FireChart& chart = *display().chart();
    chart.setOwnShipLock(false);
    const double scale = chart.pendingScale();
    EXPECT_EQ(displayCommand(kFireCmdScaleDown), 1);
    EXPECT_EQ(displayCommand(kFireCmdScaleDown), 1);
    EXPECT_NE(chart.pendingScale(), scale) << "the display's buttons still work under the view";
    EXPECT_TRUE(wire.shown());

    notify(kMuzzle, 0);
    EXPECT_NE(std::find(audio.spoken.begin(), audio.spoken.end(), "other channel: sswire4.wav"),
              audio.spoken.end());
    EXPECT_EQ(wire.onCommand(8500, 0), 0);
    EXPECT_EQ(wire.status().text(), textGetString(206));
    EXPECT_EQ(wire.course().text(), threeDigits(start - 5)) << "nothing was sent";

    EXPECT_EQ(displayCommand(1), 1);
    EXPECT_FALSE(wire.shown());
}

} // namespace
} // namespace q71::test
