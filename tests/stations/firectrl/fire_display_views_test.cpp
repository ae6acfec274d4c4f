// The fire-control display's launcher views on a running mission: the overview that assigns the
// contact chosen in the selector to a tube and forgets contacts that are gone, and the weapon
// settings console with its editors per type, its plot question and the typed position of the
// selected route point.
#include "fire_panels_fixture.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/spin_edit.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/gdi/pixel_surface.h"
#include "platform/window/focus.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "framework/widgets/button_toggle.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/wire_panel.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/launch_waypoint_mark.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/weapon_console_layout.h"

#include "support/golden_image.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class DisplayViewsMission : public FirePanelsMission {
protected:
    FireDisplay& display() { return *static_cast<FireDisplay*>(station().page(FireCtrl::kDisplayPage)); }
    int displayCommand(int id, int value = 0) { return display().onCommand(static_cast<WParam>(id), value); }
    void openDisplay() {
        buildPanels();
        station().onCommand(kFireCmdDisplay, 0);
        pump();
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }
    // A contact of the own boat shown with the number `shown`.
    static ContactRecord* contactNumbered(std::uint8_t shown) {
        ContactRecord* contact = registerContact();
        contact->designation.numbers.fill(0);
        contact->designation.numbers[7] = shown;
        return contact;
    }
    // The operator chooses an entry of the contact selector.
    void choose(LParam data) {
        SuperListBox& selector = display().contactSelector();
        display().fillContactList();
        const int index = selector.findItemData(data, 0);
        ASSERT_GE(index, 0) << data;
        selector.setCurSel(index);
        displayCommand(kFireCmdContactSelector);
    }
    static void answerNextBox(int answer, bool& asked) {
        modalScriptPush([&asked, answer](WindowHandle box) {
            asked = true;
            modalLoopEnd(box, answer);
        });
    }
};

TEST_F(DisplayViewsMission, TheOverviewAssignsContactsToTubesAndForgetsThoseThatAreGone) {
    startMission("Sa1.scn");
    ContactRecord* four = contactNumbered(4);
    openDisplay();
    TubeSelectPanel& overview = display().tubeSelect();
    ASSERT_TRUE(overview.shown());
    EXPECT_EQ(display().contactSelector().getText(), textGetString(351));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(overview.tubeButton(i).isClickable()) << "\"no contact\" stands chosen: " << i;

    choose(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(overview.tubeButton(i).isClickable()) << i;
    displayCommand(1400, 1);
    EXPECT_EQ(tube(0).target, 4) << "contact 4 is a target like any other";
    overview.refresh(true);
    EXPECT_EQ(tube(0).target, 4);
    EXPECT_EQ(overview.tubeLabel(0).text(), fireFormatDesignation(*four));

    choose(-1);
    EXPECT_EQ(display().contactSelector().getText(), textGetString(351));
    displayCommand(1402, 1);
    EXPECT_EQ(tube(2).target, -1) << "no contact: the gyro course";
    overview.refresh(true);
    EXPECT_EQ(overview.tubeLabel(2).text(), textGetString(351));
    displayCommand(1402, 2);
    EXPECT_EQ(tube(2).target, kTargetNotAssigned);
    EXPECT_EQ(overview.tubeLabel(2).text(), textGetString(198));

    own().dropContact(four);
    overview.refresh(true);
    EXPECT_EQ(overview.tubeLabel(0).text(), textGetString(198)) << "the contact is gone";
    EXPECT_EQ(tube(0).target, kTargetNotAssigned);

    fireControlStations().setUnlimitedWeapons(true);
    tube(1).setWeaponType(kWeaponTomahawk);
    tube(3).setWeaponType(kWeaponSlmm);
    fireControlStations().setUnlimitedWeapons(false);
    overview.refresh(true);
    EXPECT_TRUE(overview.tubeButton(0).isClickable());
    EXPECT_FALSE(overview.tubeButton(1).isClickable()) << "a Tomahawk takes a route";
    EXPECT_FALSE(overview.tubeButton(3).isClickable()) << "an SLMM takes an aim point";

    EXPECT_EQ(displayCommand(1601), 1);
    EXPECT_FALSE(overview.shown()) << "a launcher's view replaces the overview";
    EXPECT_EQ(displayCommand(1), 1);
    EXPECT_TRUE(overview.shown());
}

TEST_F(DisplayViewsMission, TheConsoleLoadsAndStoresTheSettingsOfEachType) {
    startMission("Sa1.scn");
    openDisplay();
    WeaponConsole& console = display().console();
    fireControlStations().setUnlimitedWeapons(true);
    struct Case {
        const char* name;
        std::int32_t type;
        bool isCell;
        const ConsoleSettingRow* row;
        std::int32_t TorpedoTube::*tubeField;
        std::int32_t edited;
    };
    const Case cases[] = {
        {"ADCAP", kWeaponAdcap, false, &kAdcapFloorRow, &TorpedoTube::adcapFloor, 1234},
        {"SLMM", kWeaponSlmm, false, &kSlmmDepthRow, &TorpedoTube::slmmDepth, 321},
        {"Harpoon", kWeaponHarpoon, false, &kHarpoonRange2Row, &TorpedoTube::harpoonRange2, 12},
        {"Tomahawk", kWeaponTomahawk, false, &kTomahawkRangeRow, &TorpedoTube::tomahawkRange, 400},
        {"Tomahawk", kWeaponTomahawk, true, &kTomahawkRangeRow, nullptr, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.isCell ? " cell" : " tube"));
        tube(0).setWeaponType(c.type);
        tube(0).target = 7;
        std::int32_t& field = c.isCell ? cell(1).tomahawkRange : tube(0).*c.tubeField;
        EXPECT_EQ(displayCommand(c.isCell ? 1501 : 1600), 1);
        ASSERT_TRUE(console.shown());
        EXPECT_EQ(console.title(2).text(), std::string("ARME : ") + c.name);
        EXPECT_TRUE(console.rowShown(*c.row));
        EXPECT_FALSE(console.rowShown(kGyroRow)) << "a target is set";
        EXPECT_EQ(console.plotShown(), c.type == kWeaponSlmm || c.type == kWeaponTomahawk);
        int value = -1;
        ASSERT_TRUE(console.editor(*c.row)->editBox()->getInt(value));
        EXPECT_EQ(value, field);
        console.editor(*c.row)->editBox()->setInt(c.edited);
        EXPECT_EQ(displayCommand(1), 1);
        EXPECT_FALSE(console.shown());
        EXPECT_EQ(field, c.edited);
        EXPECT_FALSE(console.rowShown(*c.row));
    }

    tube(0).setWeaponType(kWeaponAdcap);
    tube(0).target = -1;
    tube(0).gyroCourse = 90;
    displayCommand(1600);
    EXPECT_TRUE(console.rowShown(kGyroRow)) << "the gyro course without a target";
    console.editor(kGyroRow)->editBox()->setInt(135);
    console.checkBox(kAdcapFlagRow)->setFrameIndex(1);
    displayCommand(1);
    EXPECT_EQ(tube(0).gyroCourse, 135);
    EXPECT_EQ(tube(0).adcapFlag, 1);

    tube(0).setWeaponType(kWeaponAdcap);
    tube(0).target = -1;
    displayCommand(1600);
    EXPECT_TRUE(matchesGoldenIn("tests/stations/firectrl/golden", *stationPicture(), "display-console-adcap"));
    displayCommand(1);

    tube(0).setWeaponType(kWeaponEmpty);
    displayCommand(1600);
    EXPECT_EQ(console.title(2).text(), "ARME : Empty");
    EXPECT_FALSE(console.rowShown(kAdcapCeilingRow));
    EXPECT_FALSE(console.plotShown());
    displayCommand(1);
    fireControlStations().setUnlimitedWeapons(false);
    EXPECT_EQ(weaponTypeName(7), "");
}

TEST_F(DisplayViewsMission, PlottingAsksFirstOnlyForAReadyLauncherThatHasNotFired) {
    startMission("Sa1.scn");
    openDisplay();
    FireChart& chart = *display().chart();
    const WorldPoint at = worldPoint(*worldOwnShip());
    cell(0).addAimPoint(at.x + 20000.0, at.y);
    ASSERT_TRUE(cell(0).isReady());
    displayCommand(1500);

    bool asked = false;
    answerNextBox(kIdNo, asked);
    EXPECT_EQ(displayCommand(kConsolePlotCommand), 1);
    EXPECT_TRUE(asked);
    EXPECT_EQ(cell(0).waypoints.count(), 1) << "No changes nothing";
    EXPECT_FALSE(chart.armed());

    asked = false;
    answerNextBox(kIdYes, asked);
    displayCommand(kConsolePlotCommand);
    EXPECT_TRUE(asked);
    EXPECT_EQ(cell(0).waypoints.count(), 0);
    EXPECT_TRUE(chart.armed());
    displayCommand(1);
    EXPECT_FALSE(chart.armed()) << "Return disarms the chart";

    // A tube whose weapon left is plotted again without the question (none is scripted).
    fireControlStations().setUnlimitedWeapons(true);
    tube(1).setWeaponType(kWeaponTomahawk);
    fireControlStations().setUnlimitedWeapons(false);
    tube(1).addAimPoint(at.x + 20000.0, at.y);
    tube(1).launched = 1;
    displayCommand(1601);
    displayCommand(kConsolePlotCommand);
    EXPECT_TRUE(chart.armed());
    EXPECT_EQ(tube(1).waypoints.count(), 1);
    displayCommand(1);
}

TEST_F(DisplayViewsMission, ATypedPositionMovesTheSelectedRoutePointOrTurnsRed) {
    startMission("Sa1.scn");
    openDisplay();
    WeaponConsole& console = display().console();
    FireChart& chart = *display().chart();
    const WorldPoint at = worldPoint(*worldOwnShip());
    cell(0).addAimPoint(at.x + 3000.0, at.y + 3000.0);
    displayCommand(1500);
    run(500);

    // Nothing selected: nothing moves.
    console.latitudeBox().setText("49-05.250 N");
    EXPECT_EQ(displayCommand(768, kConsoleLatitudeBox), 1);
    EXPECT_EQ(console.latitudeBox().textColour(), rgb(255, 0, 0));

    LaunchWaypoint& point = *cell(0).lastWaypoint();
    LaunchWaypointMark* mark = chart.markOf(point);
    ASSERT_NE(mark, nullptr);
    Point pixel;
    ASSERT_TRUE(mark->viewPosition(chart, pixel));
    clickAt({kFireChartGlass.left + pixel.x, kFireChartGlass.top + pixel.y});
    ASSERT_EQ(chart.selectedWaypoint(), &point);
    EXPECT_FALSE(console.latitudeBox().getText().empty()) << "the chart told the console";
    // The player types into the boxes: their edit controls stand inside them, shown.
    for (EditBox* box : {&console.latitudeBox(), &console.longitudeBox()}) {
        EXPECT_EQ(windowGetParent(box->editWindow()), box->window());
        EXPECT_TRUE(windowIsVisible(box->editWindow()));
    }
    const std::string latitude = console.latitudeBox().getText();
    const double x = point.x, y = point.y;

    console.latitudeBox().setText("pas une latitude");
    displayCommand(768, kConsoleLatitudeBox);
    EXPECT_EQ(console.latitudeBox().textColour(), rgb(255, 0, 0));
    EXPECT_EQ(point.x, x);
    EXPECT_EQ(point.y, y);

    console.latitudeBox().setText(latitude);
    displayCommand(768, kConsoleLatitudeBox);
    EXPECT_EQ(console.latitudeBox().textColour(), rgb(0, 255, 0));
    EXPECT_EQ(chart.selectedWaypoint(), &point) << "still selected";
    displayCommand(1);
}

TEST_F(DisplayViewsMission, TheConsoleWritesIntoTheTubeTheSettingsOfTheWeaponItShowed) {
    startMission("Sa1.scn");
    openDisplay();
    WeaponConsole& console = display().console();
    fireControlStations().setUnlimitedWeapons(true);
    const auto edit = [&](const ConsoleSettingRow& row, int value) {
        console.editor(row)->editBox()->setInt(value);
        pump();
    };

    // Tube 2's Harpoon ranges are set; then tube 4's weapon changes while its console shows the ADCAP.
    tube(0).setWeaponType(kWeaponHarpoon);
    displayCommand(1600);
    edit(kHarpoonRange1Row, 33);
    displayCommand(1);
    EXPECT_EQ(tube(0).harpoonRange1, 33);
    tube(2).setWeaponType(kWeaponAdcap);
    displayCommand(1602);
    edit(kAdcapFloorRow, 1500);
    tube(2).setWeaponType(kWeaponHarpoon);
    displayCommand(1);
    EXPECT_EQ(tube(2).harpoonRange1, 50) << "its own first range, as a new tube has it";
    EXPECT_EQ(tube(2).adcapFloor, 1500) << "the ADCAP's, as shown";

    // An SLMM's depth, then the tube fires (and empties) while its console shows.
    tube(2).setWeaponType(kWeaponSlmm);
    displayCommand(1602);
    EXPECT_EQ(console.caption(kSlmmDepthRow).text(), kSlmmDepthRow.caption);
    tube(2).fire();
    tube(2).setDefaults();
    displayCommand(1);
    tube(2).setWeaponType(kWeaponAdcap);
    displayCommand(1602);
    EXPECT_EQ(console.caption(kAdcapCeilingRow).text(), kAdcapCeilingRow.caption) << "the ADCAP's ceiling again";
    displayCommand(1);
    fireControlStations().setUnlimitedWeapons(false);
}

TEST_F(DisplayViewsMission, ATypedSettingFliesWithTheNextShotWithoutLeavingTheConsole) {
    startMission("Sa1.scn");
    openDisplay();
    WeaponConsole& console = display().console();
    ASSERT_EQ(tube(2).weaponType(), kWeaponAdcap);
    displayCommand(1402, 1); // tube 4 on its set course
    ASSERT_EQ(tube(2).target, -1);
    displayCommand(1602);

    // The speed typed as a player does, the floor stepped with its arrow.
    const std::int32_t floor = tube(2).adcapFloor;
    focusSet(console.editor(kAdcapSpeedRow)->editBox()->editWindow());
    StationMission::display.typeKey(VK_END);
    StationMission::display.typeKey(VK_BACK, '\b');
    StationMission::display.typeKey(VK_BACK, '\b');
    StationMission::display.typeKey('4', '4');
    StationMission::display.typeKey('0', '0');
    pump();
    EXPECT_EQ(tube(2).adcapSpeed, 40) << "in the tube at once";
    const SpinButton& down = *console.editor(kAdcapFloorRow)->downButton();
    clickAt({down.getX() + down.getWidth() / 2, down.getY() + down.getHeight() / 2});
    EXPECT_EQ(tube(2).adcapFloor, floor - 1);

    // Straight to the fire panel, the console still open: the tube is worked and fired.
    station().onCommand(kFireCmdPanel, 0);
    pump();
    EXPECT_FALSE(console.shown()) << "the console went with its page";
    for (auto [id, value] : {std::pair{130, 1}, {131, 1}, {132, 1}, {134, 1}})
        notify(id, value);
    const Entity* torpedo = tube(2).launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const auto& guidance = dynamic_cast<const GuidanceController&>(*torpedo->controller);
    EXPECT_EQ(guidance.presetSpeed, 40.0) << "the typed speed";
}

TEST_F(DisplayViewsMission, AConsoleKeepsToItsOwnRouteAndTheDisplayOpensOnTheOverview) {
    startMission("Sa1.scn");
    openDisplay();
    FireChart& chart = *display().chart();
    ButtonToggle& showAll = display().showAllButton();
    const WorldPoint at = worldPoint(*worldOwnShip());
    cell(0).addRoute(at.x, at.y, at.x + 30000.0, at.y + 30000.0);
    cell(1).addRoute(at.x, at.y, at.x - 30000.0, at.y + 30000.0);
    displayCommand(2800);
    ASSERT_TRUE(display().showingAll());
    ASSERT_TRUE(cell(1).lastWaypoint()->visible);

    displayCommand(1500);
    EXPECT_FALSE(display().showingAll());
    EXPECT_EQ(showAll.getState(), 2);
    EXPECT_FALSE(showAll.isClickable()) << "waits for the overview";
    EXPECT_FALSE(cell(1).lastWaypoint()->visible) << "another launcher's route is put away";
    ASSERT_TRUE(cell(0).lastWaypoint()->visible) << "the console's own";
    // Its own route's end is picked on the chart.
    run(500);
    LaunchWaypointMark* mark = chart.markOf(*cell(0).lastWaypoint());
    ASSERT_NE(mark, nullptr);
    Point pixel;
    ASSERT_TRUE(mark->viewPosition(chart, pixel));
    clickAt({kFireChartGlass.left + pixel.x, kFireChartGlass.top + pixel.y});
    bool ownPicked = false;
    for (auto* node = cell(0).waypoints.head(); node; node = node->next)
        ownPicked = ownPicked || chart.selectedWaypoint() == node->item;
    EXPECT_TRUE(ownPicked) << "a point of the console's route is picked";
    // "Return" is labelled on its button while the console shows.
    const Rect button{display().returnButton().getX(), display().returnButton().getY(),
                      display().returnButton().getX() + display().returnButton().getWidth(),
                      display().returnButton().getY() + display().returnButton().getHeight()};
    const auto greenOnButton = [&] {
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        int green = 0;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                green += s.read(x, y) == s.encode(rgb(0, 248, 0)) ? 1 : 0;
        return green;
    };
    EXPECT_GT(greenOnButton(), 0);

    displayCommand(1);
    EXPECT_TRUE(showAll.isClickable()) << "Return enables it again";
    EXPECT_EQ(greenOnButton(), 0) << "the label went with its button";

    // A console and a guidance view left open when the page went are gone when it comes back.
    displayCommand(1601);
    ASSERT_TRUE(display().console().shown());
    station().onCommand(kFireCmdPanel, 0);
    pump();
    station().onCommand(kFireCmdDisplay, 0);
    pump();
    EXPECT_FALSE(display().console().shown());
    EXPECT_FALSE(display().wirePanel().shown());
    EXPECT_FALSE(display().returnButton().isVisible());
    EXPECT_TRUE(display().tubeSelect().shown());
}

TEST_F(DisplayViewsMission, TheShowAllSwitchLooksDisabledWhileAConsoleHoldsIt) {
    startMission("Sa1.scn");
    openDisplay();
    ButtonToggle& showAll = display().showAllButton();
    const Rect area{showAll.getX(), showAll.getY(), showAll.getX() + showAll.getWidth(),
                    showAll.getY() + showAll.getHeight()};
    const auto look = [&] {
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        std::vector<std::uint32_t> pixels;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                pixels.push_back(s.read(x, y));
        return pixels;
    };
    const auto press = [&] {
        clickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
        run(200);
    };
    const auto off = look();
    const int lit = palePixels(area);
    EXPECT_GT(lit, 0) << "its name reads";
    press();
    ASSERT_TRUE(display().showingAll());
    const auto on = look();
    EXPECT_FALSE(on == off) << "on shows";

    // A console switches it off and holds it: the player sees it can't be pressed.
    displayCommand(1500);
    ASSERT_FALSE(showAll.isClickable());
    EXPECT_FALSE(display().showingAll());
    EXPECT_FALSE(look() == off) << "not the look of a switch that is merely off";
    EXPECT_EQ(palePixels(area), 0) << "its name dimmed, as on the other disabled buttons";
    press();
    EXPECT_FALSE(display().showingAll());
    displayCommand(1);
    EXPECT_TRUE(showAll.isClickable());
    EXPECT_TRUE(look() == off) << "Return shows it enabled, off";

    // On when the page goes, it shows on when the page comes back.
    press();
    ASSERT_TRUE(display().showingAll());
    station().onCommand(kFireCmdPanel, 0);
    pump();
    station().onCommand(kFireCmdDisplay, 0);
    pump();
    EXPECT_TRUE(look() == on) << "on again";
}

TEST_F(DisplayViewsMission, OnlyATubeWhoseTorpedoHearsTheWireHasAGuidanceView) {
    startMission("Sa1.scn");
    openDisplay();
    EXPECT_EQ(displayCommand(1702), 1);
    EXPECT_FALSE(display().wirePanel().shown()) << "nothing fired";
    EXPECT_TRUE(display().tubeSelect().shown());
    displayCommand(1402, 1); // tube 4 on its set course

    // Tube 4 worked and fired with the firing switch off: nothing left.
    station().onCommand(kFireCmdPanel, 0);
    pump();
    notify(3300, 0);
    for (auto [id, value] : {std::pair{130, 1}, {131, 1}, {132, 1}, {134, 1}})
        notify(id, value);
    ASSERT_EQ(tube(2).launchedEntity(), nullptr);
    station().onCommand(kFireCmdDisplay, 0);
    pump();
    displayCommand(1702);
    EXPECT_FALSE(display().wirePanel().shown()) << "the shot held back by the switch";

    // The door shut and opened again, the switch on, the shot again: the torpedo hears its wire.
    station().onCommand(kFireCmdPanel, 0);
    pump();
    notify(3300, 0);
    for (auto [id, value] : {std::pair{132, 0}, {132, 1}, {134, 1}})
        notify(id, value);
    ASSERT_TRUE(tube(2).isGuidable());
    station().onCommand(kFireCmdDisplay, 0);
    pump();
    displayCommand(1702);
    ASSERT_TRUE(display().wirePanel().shown());
    EXPECT_EQ(display().wirePanel().status().text(), textGetString(200));
    displayCommand(1);
}

} // namespace
} // namespace q71::test
