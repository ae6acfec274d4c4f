// The fire-control station played as a player does, with the mouse, on the stations as the host
// builds them. The road to a torpedo: a contact designated on the sonar, chosen in the display's
// selector, a tube's settings opened and left, the page switched and back, the contact assigned
// to tube 4, the tube flooded, equalized and opened, the cover lifted and the torpedo fired
// towards the contact. The torpedo tutorial: the torpedo runs on the chart, is steered on its
// wire, and the shut door cuts the wire, which the sonar operator reports. Pictures in
// artefacts/firectrl-panels-*.png.
#include "fire_panels_fixture.h"

#include "framework/widgets/animated_switch.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "platform/controls/control_messages.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/wire_panel.h"
#include "support/golden_image.h"
#include "tactical/sonar/sonar_state.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

// Tube panel 2 (tube 4, an ADCAP) stands at (130, 301).
constexpr Point kFlood{130 + 1 + 17, 301 + 2 + 13};
constexpr Point kEqualize{130 + 35 + 16, 301 + 2 + 13};
constexpr Point kMuzzle{130 + 67 + 16, 301 + 2 + 13};
constexpr Point kCoverGrip{130 + 1 + 18, 301 + 30 + 2};
constexpr Point kFireButton{130 + 1 + 18, 301 + 30 + 18};
constexpr std::uint64_t kSwitchRunMs = 8000;
// Tube 4 on the display: its target and settings buttons; "Return"; the page buttons.
constexpr Point kTube4Target{384 + 11, 302 + 11};
constexpr Point kTube4Settings{384 + 11, 302 + 23 + 7};
constexpr Point kReturn{417 + 23, 320 + 10};
constexpr Point kToPanel{478 + 22, 375 + 21};
constexpr Point kToDisplay{434 + 22, 373 + 22};
// The sonar's broadband page: its designate button.
constexpr Point kDesignate{348 + 23, 216 + 21};

class FirePanelsEndToEnd : public FirePanelsMission {
protected:
    FireDisplay& display() { return *static_cast<FireDisplay*>(station().page(FireCtrl::kDisplayPage)); }
    void page(int command) {
        station().onCommand(static_cast<WParam>(command), 0);
        pump();
    }
    void keep(const std::string& name) { keepArtefact(*stationPicture(), "firectrl-panels-" + name + ".png"); }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }

    // Steps the mission a second at a time (at most half an hour) until the bow array hears a
    // source; its bearing, or -1.
    int runUntilHeard() {
        for (int second = 0; second < 1800; ++second) {
            run(1000, 1000);
            const auto& sources = own().array2->sourceTable;
            const auto heard = std::find_if(sources.begin(), sources.end(), [](std::uint16_t s) { return s != 0; });
            if (heard != sources.end())
                return static_cast<int>(heard - sources.begin());
        }
        return -1;
    }
    // The player drops the contact selector and clicks the entry of that text.
    void chooseInSelector(const std::string& text) {
        SuperListBox& selector = display().contactSelector();
        ASSERT_NE(selector.dropButton(), nullptr);
        const SimpleButton& drop = *selector.dropButton();
        StationMission::display.click(
            windowClientToScreen(drop.window(), {drop.getWidth() / 2, drop.getHeight() / 2}));
        pump();
        const WindowHandle list = windowFind("ComboLBox");
        ASSERT_TRUE(windowIsValid(list)) << "the list dropped";
        const int index = selector.findStringExact(text);
        ASSERT_GE(index, 0) << text;
        Rect item{};
        messageSend(list, LB_GETITEMRECT, static_cast<WParam>(index), reinterpret_cast<LParam>(&item));
        StationMission::display.click(windowClientToScreen(list, {item.left + 5, (item.top + item.bottom) / 2}));
        pump();
    }
    bool tube4TakesTargets() { return display().tubeSelect().tubeButton(2).isClickable(); }
};

TEST_F(FirePanelsEndToEnd, ASonarContactIsChosenAssignedToTube4AndFiredAt) {
    startMission("Ta3.scn"); // the torpedo tutorial: its cargo comes into hearing within minutes
    buildPanels();
    sonarRegisterStation();
    ASSERT_NE(buildRegisteredStation(kStationSonar), nullptr);
    stationRegisterMaker(kStationSonar, nullptr);
    showStation(kStationSonar);
    sonarShowPage(3); // broadband

    // The sonar operator puts the cursor on what the bow array hears and designates it.
    const int heard = runUntilHeard();
    ASSERT_GE(heard, 0);
    sonarState().cursorBearing = heard;
    clickAt(kDesignate);
    const ContactRecord* contact = nullptr;
    for (int second = 0; second < 600 && !contact; ++second) {
        run(1000, 100);
        if (auto* node = own().contacts.head())
            contact = node->item;
    }
    ASSERT_NE(contact, nullptr) << "the designation made a contact";
    const std::int32_t number = contactShownNumber(contact->designation);
    const std::string designation = fireFormatDesignation(*contact);

    // At the fire-control display: the contact chosen in the selector.
    showStation(kStationFireControl);
    clickAt(kToDisplay);
    EXPECT_TRUE(tube4TakesTargets()) << "at open";
    chooseInSelector(designation);
    EXPECT_EQ(display().selectedContact(), number);
    EXPECT_TRUE(tube4TakesTargets()) << "with the contact chosen";

    // Tube 4's settings, and back.
    clickAt(kTube4Settings);
    ASSERT_TRUE(display().console().shown());
    EXPECT_EQ(display().console().launcher(), &tube(2));
    EXPECT_FALSE(display().tubeSelect().shown());
    clickAt(kReturn);
    EXPECT_FALSE(display().console().shown());
    ASSERT_TRUE(display().tubeSelect().shown());
    EXPECT_TRUE(tube4TakesTargets()) << "after Return";

    // To the fire panel and back: the choice stands.
    clickAt(kToPanel);
    clickAt(kToDisplay);
    EXPECT_EQ(display().contactSelector().getText(), designation);
    EXPECT_TRUE(tube4TakesTargets()) << "after a page switch";

    clickAt(kTube4Target);
    EXPECT_EQ(tube(2).target, number);
    EXPECT_EQ(display().tubeSelect().tubeLabel(2).text(), designation);

    // Flood, equalize, open the door, lift the cover and fire.
    clickAt(kToPanel);
    for (Point at : {kFlood, kEqualize, kMuzzle}) {
        clickAt(at);
        run(kSwitchRunMs);
    }
    ASSERT_EQ(tubePanel(2).readyLamp().getState(), 1) << "tube 4 ready";
    clickAt(kCoverGrip);
    run(1000);
    clickAt(kFireButton);
    run(6000);
    ASSERT_EQ(tube(2).launched, 1);
    const Entity* torpedo = tube(2).launchedEntity();
    ASSERT_NE(torpedo, nullptr) << "a torpedo left tube 4";
    // Aimed at the contact: its course leads the contact's bearing by less than a right angle.
    contact = launcherFindContact(number);
    ASSERT_NE(contact, nullptr) << "still held";
    const double lead = std::fabs(angleDiff(contact->bearing, torpedo->motion->heading));
    EXPECT_LT(lead, 90.0) << "bearing " << contact->bearing << ", course " << torpedo->motion->heading;
}

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
