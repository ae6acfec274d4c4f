// A torpedo tube's panel on a running mission: the valve and door sequence with the doors it
// writes and the switches it enables, loads on the game clock, which weapons may be chosen, the
// shot (with the firing switch on and off), the shut door and the wire, and a saved tube's doors.
#include "fire_panels_fixture.h"

#include "framework/widgets/animated_switch.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "sim/simulation/sim_clock.h"
#include "sim/support/log_lines.h"
#include "stations/firectrl/fire_panel_layout.h"
#include "stations/firectrl/tube_weapon_selector.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

// Tube panel 0 drives tube 2, with ids from 110.
constexpr int kFlood = 110, kEqualize = 111, kMuzzle = 112, kFire = 114, kSelector = 115;

class TubePanelMission : public FirePanelsMission {};

TEST_F(TubePanelMission, AWholeCycleFromDrainedToDrainedWritesEachDoorAndEnablesTheNextStep) {
    startMission("Sa1.scn");
    buildPanels();
    TubePanel& p = tubePanel(0);
    TorpedoTube& t = tube(0);
    ASSERT_EQ(t.number(), 2);
    ASSERT_EQ(t.weaponType(), kWeaponHarpoon);
    p.assignTarget(-1, "Aucun contact");
    struct Step {
        int id, notification;
        std::array<std::int32_t, 3> doors;
        bool flood, equalize, muzzle, selector, fire, armed;
    };
    const Step steps[] = {
        {kFlood, 3, {2, 2, 2}, true, false, false, false, false, false},
        {kFlood, 1, {1, 2, 2}, true, true, false, false, false, false},
        {kEqualize, 3, {1, 2, 2}, false, true, false, false, false, false},
        {kEqualize, 1, {1, 1, 2}, false, true, true, false, false, false},
        {kMuzzle, 3, {1, 1, 2}, false, false, true, false, false, false},
        {kMuzzle, 1, {1, 1, 1}, false, false, true, false, true, true},
        {kFire, 10, {1, 1, 1}, false, false, false, false, true, true},
        {kFire, 11, {1, 1, 1}, false, false, true, false, true, true},
        {kFire, 10, {1, 1, 1}, false, false, false, false, true, true},
        {kFire, 1, {1, 1, 1}, false, false, true, false, false, false},
        {kMuzzle, 3, {1, 1, 1}, false, false, true, false, false, false},
        {kMuzzle, 0, {1, 1, 2}, false, false, true, false, false, false},
        {kEqualize, 0, {1, 2, 2}, false, false, false, false, false, false},
        {kFlood, 0, {2, 2, 2}, true, false, false, true, false, false},
    };
    int n = 0;
    for (const Step& step : steps) {
        notify(step.id, step.notification);
        SCOPED_TRACE("step " + std::to_string(n++));
        EXPECT_EQ(t.doorStates, step.doors);
        EXPECT_EQ(p.floodSwitch().isClickable(), step.flood);
        EXPECT_EQ(p.equalizeSwitch().isClickable(), step.equalize);
        EXPECT_EQ(p.muzzleSwitch().isClickable(), step.muzzle);
        EXPECT_EQ(p.selector().isClickable(), step.selector);
        EXPECT_EQ(p.fireButton().isClickable(), step.fire);
        EXPECT_EQ(p.armed(), step.armed);
    }
    EXPECT_EQ(t.weaponType(), kWeaponEmpty) << "the shot empties the tube";
    EXPECT_EQ(p.selector().position(), 9);
    EXPECT_FALSE(p.wireAttached()) << "the shut door released the wire";
    EXPECT_EQ(t.launched, 0);
}

TEST_F(TubePanelMission, TheReadyLampNeedsTheOpenDoorAndAReadyLauncher) {
    startMission("Sa1.scn");
    buildPanels();
    TubePanel& p = tubePanel(0);
    for (auto [id, value] : {std::pair{kFlood, 1}, {kEqualize, 1}, {kMuzzle, 1}})
        notify(id, value);
    EXPECT_EQ(p.readyLamp().getState(), 0) << "a Harpoon without a target is not ready";
    EXPECT_FALSE(p.fireButton().isClickable());
    panel().assignTubeTarget(0, -1, "Aucun contact");
    EXPECT_EQ(p.readyLamp().getState(), 1);
    EXPECT_EQ(p.tubeLamp().getState(), 1);
    EXPECT_TRUE(p.fireButton().isClickable());
    EXPECT_EQ(std::string(tube(0).targetName.data()), "Aucun contact");
}

TEST_F(TubePanelMission, ALoadWaitsOnTheGameClockAndANewChoiceInterruptsIt) {
    startMission("Sa1.scn");
    buildPanels();
    TubePanel& p = tubePanel(0);
    TubeWeaponSelector& s = p.selector();
    fireControlStations().setUnlimitedWeapons(true);
    struct Load {
        int loaded;   // the position loaded before the choice
        int position; // the position chosen
        double seconds;
    };
    // Again the same, into an empty tube, out of a tube, one weapon for another.
    const Load loads[] = {{5, 5, 1.0}, {9, 1, 480.0}, {1, 9, 600.0}, {5, 7, 1080.0}};
    for (const Load& load : loads) {
        s.loadedPosition = load.loaded;
        s.confirmPosition(load.position);
        EXPECT_EQ(s.loadDuration, load.seconds) << load.loaded << " to " << load.position;
    }
    tube(0).setWeaponType(kWeaponHarpoon);
    fireControlStations().setUnlimitedWeapons(false);

    // A real choice on the panel: Harpoon (5) loaded, ADCAP stock only.
    setStock(kWeaponAdcap, 2);
    setStock(kWeaponSlmm, 0);
    setStock(kWeaponHarpoon, 0);
    setStock(kWeaponTomahawk, 0);
    s.loadedPosition = 5;
    s.select(5);
    simClock().gameClock = 100.0;
    clickAt({166 + 5, 267 + 5});
    EXPECT_EQ(s.position(), 8) << "nothing but Empty is in stock after the Harpoon";
    EXPECT_EQ(tube(0).weaponType(), kWeaponEmpty);
    EXPECT_EQ(weaponStock(kWeaponHarpoon), 1) << "the Harpoon went back to the rack";
    EXPECT_TRUE(s.isBlinking());
    EXPECT_EQ(s.loadStart, 100.0);
    EXPECT_EQ(s.loadDuration, 600.0);

    simClock().gameClock = 200.0;
    clickAt({166 + 5, 267 + 5}); // interrupts: the next is ADCAP
    EXPECT_EQ(s.position(), 0);
    EXPECT_EQ(tube(0).weaponType(), kWeaponAdcap);
    EXPECT_EQ(weaponStock(kWeaponAdcap), 1);
    EXPECT_EQ(s.loadDuration, 1080.0) << "measured against the Harpoon loaded before";
    EXPECT_EQ(s.loadStart, 200.0);

    simClock().gameClock = 1270.0;
    p.update();
    run(1000);
    EXPECT_TRUE(s.isBlinking()) << "still loading after 1070 s";
    simClock().gameClock = 1281.0;
    p.update();
    run(1000);
    EXPECT_FALSE(s.isBlinking());
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(s.loadedPosition, 1) << "the page heard the settled load";
    EXPECT_TRUE(p.floodSwitch().isClickable());
}

TEST_F(TubePanelMission, AWeaponMayBeChosenOnlyWithStockAboveZeroOrUnlimited) {
    startMission("Sa1.scn");
    buildPanels();
    TubeWeaponSelector& s = tubePanel(0).selector();
    struct Case {
        std::int32_t stock;
        bool unlimited, accepted;
    };
    const Case cases[] = {{0, false, false}, {-3, false, false}, {1, false, true}, {0, true, true}, {-1, true, true}};
    for (const Case& c : cases)
        for (std::int32_t type = kWeaponAdcap; type <= kWeaponTomahawk; ++type) {
            setStock(type, c.stock);
            fireControlStations().setUnlimitedWeapons(c.unlimited);
            EXPECT_EQ(s.acceptPosition(2 * type), c.accepted) << type << " stock " << c.stock;
            EXPECT_TRUE(s.acceptPosition(8)) << "Empty always";
        }
    fireControlStations().setUnlimitedWeapons(false);
}

TEST_F(TubePanelMission, AShotWithTheSwitchOffLaunchesNothingButLeavesThePanelAfterTheShot) {
    startMission("Sa1.scn");
    buildPanels();
    TubePanel& p = tubePanel(0);
    for (auto [id, value] : {std::pair{kFlood, 1}, {kEqualize, 1}, {kMuzzle, 1}})
        notify(id, value);
    panel().assignTubeTarget(0, -1, "Aucun contact");
    LogLines log;
    msgLogSetTarget(true, &log);
    notify(3300, 0);
    ASSERT_FALSE(fireControlStations().fireGuidanceSwitch());
    notify(kFire, 1);
    msgLogDetach();
    ASSERT_EQ(log.lines.size(), 1u) << "the log says why nothing left";
    EXPECT_NE(log.lines[0].find("ARR\xCAT"), std::string::npos) << "the switch's off position, as marked";
    EXPECT_EQ(tube(0).weaponType(), kWeaponHarpoon) << "kept, as the selector shows Empty";
    EXPECT_EQ(tube(0).launched, 0);
    EXPECT_EQ(p.selector().position(), 9);
    EXPECT_EQ(p.selector().loadedPosition, 9);
    EXPECT_TRUE(p.wireAttached());
    EXPECT_TRUE(p.muzzleSwitch().isClickable());
    EXPECT_EQ(p.muzzleSwitch().phase(), 0) << "its next run shuts the door";
}

TEST_F(TubePanelMission, ShuttingTheDoorReleasesTheWireOnlyAfterAShot) {
    startMission("Sa1.scn");
    buildPanels();
    TubePanel& p = tubePanel(0);
    TorpedoTube& t = tube(0);
    for (auto [id, value] : {std::pair{kFlood, 1}, {kEqualize, 1}, {kMuzzle, 1}})
        notify(id, value);
    t.launchedTorpedoId = 987654;
    notify(kMuzzle, 0);
    EXPECT_EQ(t.launchedTorpedoId, 987654) << "no shot: the ids stay";
    EXPECT_TRUE(audio.spoken.empty());

    notify(kMuzzle, 1);
    panel().assignTubeTarget(0, -1, "Aucun contact");
    notify(kFire, 1);
    EXPECT_EQ(t.launched, 1);
    t.launchedTorpedoId = 987654;
    notify(kMuzzle, 0);
    EXPECT_EQ(t.launchedTorpedoId, -1);
    EXPECT_EQ(t.launchedHarpoonId, -1);
    EXPECT_EQ(t.launched, 0);
    EXPECT_FALSE(p.wireAttached());
    EXPECT_TRUE(audio.spoken.empty()) << "a Harpoon has no wire to cut";
}

TEST_F(TubePanelMission, ASavedTubeSetsTheSwitchesFromItsDoors) {
    startMission("Sa1.scn");
    struct Case {
        std::array<std::int32_t, 3> doors;
        bool equalizeEnabled, muzzleEnabled, armed;
    };
    const Case cases[] = {
        {{2, 2, 2}, false, false, false},
        {{1, 2, 2}, true, false, false},
        {{1, 1, 2}, false, true, false},
        {{1, 1, 1}, false, true, true},
    };
    for (const Case& c : cases) {
        tube(0).doorStates = c.doors;
        missionState().loadedFromSave = true;
        buildPanels();
        TubePanel& p = tubePanel(0);
        SCOPED_TRACE(std::to_string(c.doors[0]) + std::to_string(c.doors[1]) + std::to_string(c.doors[2]));
        EXPECT_EQ(p.floodSwitch().getState(), c.doors[0]);
        EXPECT_EQ(p.equalizeSwitch().getState(), c.doors[1]);
        EXPECT_EQ(p.muzzleSwitch().getState(), c.doors[2]);
        EXPECT_EQ(p.floodSwitch().phase(), c.doors[0] == 1 ? 0 : 1);
        EXPECT_EQ(p.equalizeSwitch().isClickable(), c.equalizeEnabled);
        EXPECT_EQ(p.muzzleSwitch().isClickable(), c.muzzleEnabled);
        EXPECT_EQ(p.armed(), c.armed);
        hideStation();
        host().setChild(kStationFireControl, nullptr);
    }
}

TEST_F(TubePanelMission, TheFireButtonsNameReadsOnItsCoverShutOrRaised) {
    startMission("Sa1.scn");
    buildPanels();
    tubePanel(0).assignTarget(-1, "Aucun contact");
    for (const int id : {kFlood, kEqualize, kMuzzle}) {
        notify(id, 3);
        notify(id, 1);
    } // tube 2 open, its fire button enabled
    ASSERT_TRUE(tubePanel(0).fireButton().isClickable());
    // Pale strokes of the name (the engraving colour of the panel's labels) on the red cover: the
    // panel has no room for it beside the button.
    const Point at{kFireTubePanels[0].x + kTubeFire.dx, kFireTubePanels[0].y + kTubeFire.dy};
    const Rect button{at.x, at.y, at.x + kTubeFire.width, at.y + kTubeFire.height};
    EXPECT_GE(palePixels(button), 12) << "the name, not a dark red on the red cover";
    clickAt({(button.left + button.right) / 2, button.top + 3});
    run(1000, 100);
    ASSERT_GT(tubePanel(0).fireButton().frameIndex(), 0) << "the click raised the cover";
    EXPECT_GE(palePixels(button), 12) << "the cover raised";
}

TEST_F(TubePanelMission, ThePanelPageDrawsEveryLauncherPanel) {
    startMission("Sa1.scn");
    buildPanels();
    for (auto [id, value] : {std::pair{kFlood, 1}, {kEqualize, 1}, {kMuzzle, 1}})
        notify(id, value); // tube 2 open
    panel().assignTubeTarget(0, -1, "Aucun contact");
    EXPECT_TRUE(matchesGoldenIn("tests/stations/firectrl/golden", *stationPicture(), "panel-launchers"));
}

} // namespace
} // namespace q71::test
