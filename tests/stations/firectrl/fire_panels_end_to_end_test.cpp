// The torpedo tutorial played through the fire-control station as a player does, with the mouse:
// a contact assigned to a tube on the display, the tube flooded, equalized and opened, the cover
// lifted and the torpedo fired; it runs on the chart, is steered on its wire, and the shut door
// cuts the wire, which the sonar operator reports. Pictures in artefacts/firectrl-panels-*.png.
#include "fire_panels_fixture.h"

#include "framework/widgets/animated_switch.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/wire_panel.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71::test {
namespace {

// Tube panel 2 (tube 4, an ADCAP) stands at (130, 301).
constexpr Point kFlood{130 + 1 + 17, 301 + 2 + 13};
constexpr Point kEqualize{130 + 35 + 16, 301 + 2 + 13};
constexpr Point kMuzzle{130 + 67 + 16, 301 + 2 + 13};
constexpr Point kCoverGrip{130 + 1 + 18, 301 + 30 + 2};
constexpr Point kFireButton{130 + 1 + 18, 301 + 30 + 18};
constexpr std::uint64_t kSwitchRunMs = 8000;

class FirePanelsEndToEnd : public FirePanelsMission {
protected:
    FireDisplay& display() { return *static_cast<FireDisplay*>(station().page(FireCtrl::kDisplayPage)); }
    void page(int command) {
        station().onCommand(static_cast<WParam>(command), 0);
        pump();
    }
    void keep(const std::string& name) { keepArtefact(*stationPicture(), "firectrl-panels-" + name + ".png"); }
};

TEST_F(FirePanelsEndToEnd, TheTorpedoTutorialFiredAndSteeredFromThePanels) {
    startMission("Ta3.scn");
    ContactRecord* contact = registerContact();
    ASSERT_NE(contact, nullptr);
    const std::int32_t number = contactShownNumber(contact->designation);
    ASSERT_NE(number, 0);

    buildPanels();
    page(kFireCmdDisplay);
    TubeSelectPanel& overview = display().tubeSelect();
    SuperListBox& selector = display().contactSelector();
    display().fillContactList();
    selector.setCurSel(selector.findItemData(number, 0));
    display().onCommand(kFireCmdContactSelector, 0); // as the selector tells its choice
    pump();
    ASSERT_TRUE(overview.tubeButton(2).isClickable());
    clickAt({384 + 10, 302 + 10});
    EXPECT_EQ(tube(2).target, number);
    keep("assigned");

    page(kFireCmdPanel);
    TubePanel& panel = tubePanel(2);
    for (Point at : {kFlood, kEqualize, kMuzzle}) {
        clickAt(at);
        run(kSwitchRunMs);
    }
    EXPECT_EQ(tube(2).doorStates, (std::array<std::int32_t, 3>{1, 1, 1}));
    EXPECT_EQ(panel.readyLamp().getState(), 1);
    clickAt(kCoverGrip);
    run(1000);
    clickAt(kFireButton);
    run(6000);
    ASSERT_EQ(tube(2).launched, 1) << "fired";
    EXPECT_EQ(tube(2).weaponType(), kWeaponEmpty);
    ASSERT_TRUE(tube(2).isGuidable());
    keep("fired");

    page(kFireCmdDisplay);
    run(1000);
    const Entity* torpedo = tube(2).launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const FireContact* item = display().plot()->find(FirePlotKind::entity, torpedo->id);
    ASSERT_NE(item, nullptr) << "on the chart";
    EXPECT_EQ(item->label, 4) << "labelled with its tube";
    clickAt({384 + 23 + 9, 302 + 11}); // the tube's wire button
    WirePanel& wire = display().wirePanel();
    ASSERT_TRUE(wire.shown());
    const int before = std::stoi(wire.course().text());
    clickAt({360 + 100 + 15, 40 + 130 + 10}); // steer right
    EXPECT_EQ(std::stoi(wire.course().text()), (before + 5) % 360);
    keep("wire");

    page(kFireCmdPanel);
    clickAt(kMuzzle);
    run(kSwitchRunMs);
    EXPECT_EQ(tube(2).doorStates[2], 2);
    EXPECT_NE(std::find(audio.spoken.begin(), audio.spoken.end(), "other channel: sswire4.wav"), audio.spoken.end())
        << "the wire-cut report is queued";
    EXPECT_FALSE(panel.wireAttached());
    keep("door-shut");
}

} // namespace
} // namespace q71::test
