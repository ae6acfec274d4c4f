// The vertical-launch cell and countermeasure launcher panels on a running mission: a cell
// without a route is never ready, the shot and the shut hatch, a saved cell's hatches; the first
// loads of the launchers, what loading takes from and gives back to the free countermeasures,
// the shot into the world and a press with the firing switch off.
#include "fire_panels_fixture.h"

#include "framework/widgets/animated_switch.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "sim/entities/entity.h"
#include "sim/support/log_lines.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/mission_load.h"
#include "sim/simulation/mission_save.h"
#include "sim/simulation/world_lists.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

// Cell panel 0 drives cell 8, with ids from 300.
constexpr int kPressurize = 300, kHatch = 301, kCellFire = 303;
// Countermeasure launcher 0 has ids from 4000.
constexpr int kDecoyFire = 4001, kDecoySelector = 4002;

class LauncherPanelsMission : public FirePanelsMission {
protected:
    int countermeasuresInWorld() {
        int count = 0;
        for (auto* node = worldList().head(); node; node = node->next)
            count += node->item->typeCode == kEntityCountermeasure || node->item->typeCode == kEntityCountermeasure2;
        return count;
    }
};

TEST_F(LauncherPanelsMission, ACellWithoutARouteIsNeverReadyAndItsShotEmptiesIt) {
    startMission("Sa1.scn");
    buildPanels();
    VlsPanel& p = cellPanel(0);
    VlsCell& c = cell(0);
    ASSERT_EQ(c.number(), 8);
    ASSERT_EQ(c.weaponType(), kWeaponTomahawk);
    EXPECT_EQ(p.selector().position(), 1);
    notify(kPressurize, 1);
    EXPECT_EQ(c.hatchStates[0], 1);
    EXPECT_TRUE(p.hatchSwitch().isClickable());
    notify(kHatch, 3);
    EXPECT_FALSE(p.pressurizeSwitch().isClickable());
    notify(kHatch, 1);
    EXPECT_EQ(c.hatchStates[1], 1);
    EXPECT_TRUE(p.armed());
    EXPECT_EQ(p.readyLamp().getState(), 0) << "no route";
    EXPECT_FALSE(p.fireButton().isClickable());

    const WorldPoint at = worldPoint(*worldOwnShip());
    c.addAimPoint(at.x + 20000.0, at.y);
    p.refreshReady(false);
    EXPECT_EQ(p.readyLamp().getState(), 1);
    EXPECT_EQ(p.cellLamp().getState(), 1);
    EXPECT_TRUE(p.fireButton().isClickable());
    notify(kCellFire, 10);
    EXPECT_FALSE(p.hatchSwitch().isClickable());
    notify(kCellFire, 1);
    EXPECT_EQ(c.weaponType(), kWeaponEmpty);
    EXPECT_EQ(c.launched, 1);
    EXPECT_EQ(p.selector().position(), 3);
    EXPECT_FALSE(p.fireButton().isClickable()) << "an empty cell cannot fire";
    EXPECT_TRUE(p.hatchSwitch().isClickable());
    EXPECT_EQ(p.hatchSwitch().phase(), 0);

    notify(kHatch, 0);
    EXPECT_EQ(c.launched, 0) << "the shut hatch clears the launched flag";
    EXPECT_EQ(c.hatchStates[1], 2);
    notify(kPressurize, 0);
    EXPECT_EQ(c.hatchStates[0], 2);
    EXPECT_FALSE(p.hatchSwitch().isClickable());
    EXPECT_TRUE(p.pressurizeSwitch().isClickable()) << "a vented cell may be pressurized again";
}

TEST_F(LauncherPanelsMission, ASavedCellSetsItsSwitchesFromItsHatches) {
    startMission("Sa1.scn");
    struct Case {
        std::array<std::int32_t, 2> hatches;
        bool hatchEnabled, armed;
    };
    const Case cases[] = {{{2, 2}, false, false}, {{1, 2}, true, false}, {{1, 1}, true, true}};
    for (const Case& c : cases) {
        cell(0).hatchStates = c.hatches;
        missionState().loadedFromSave = true;
        buildPanels();
        VlsPanel& p = cellPanel(0);
        SCOPED_TRACE(std::to_string(c.hatches[0]) + std::to_string(c.hatches[1]));
        EXPECT_EQ(p.pressurizeSwitch().getState(), c.hatches[0]);
        EXPECT_EQ(p.hatchSwitch().getState(), c.hatches[1]);
        EXPECT_EQ(p.hatchSwitch().isClickable(), c.hatchEnabled);
        EXPECT_EQ(p.armed(), c.armed);
        hideStation();
        host().setChild(kStationFireControl, nullptr);
    }
}

TEST_F(LauncherPanelsMission, TheFirstLoadsFollowTheStockOfEachKind) {
    struct Case {
        std::int32_t a, b;
        int first, second;
    };
    const Case cases[] = {{0, 0, 4, 4}, {1, 0, 0, 4}, {1, 1, 0, 2}, {2, 0, 0, 0}, {0, 2, 2, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(initialDecoyLoad(0, c.a, c.b), c.first) << c.a << "," << c.b;
        EXPECT_EQ(initialDecoyLoad(1, c.a, c.b), c.second) << c.a << "," << c.b;
    }
}

TEST_F(LauncherPanelsMission, LoadingMovesCountermeasuresBetweenTheFreeStockAndTheLaunchers) {
    startMission("Sa1.scn");
    fireControlStations().setUnlimitedWeapons(false);
    Entity& own = *worldOwnShip();
    own.inventory[5] = 1; // kind A
    own.inventory[6] = 2; // kind B
    FirePanel& page = buildPanels();
    DecoyPanel& first = decoyPanel(0);
    EXPECT_EQ(first.decoyType(), 0);
    EXPECT_EQ(decoyPanel(1).decoyType(), 2);
    EXPECT_EQ(page.freeDecoysA, 0);
    EXPECT_EQ(page.freeDecoysB, 1);
    EXPECT_EQ(fireControlStations().stationStates(), (std::array<std::uint32_t, 2>{0, 2}));

    DecoySelector& s = first.selector();
    EXPECT_FALSE(s.acceptPosition(0)) << "no kind A free";
    EXPECT_FALSE(s.acceptPosition(2)) << "not even to go shallow with the one loaded";
    EXPECT_TRUE(s.acceptPosition(4));
    s.confirmPosition(5); // kind B deep
    EXPECT_EQ(page.freeDecoysA, 1);
    EXPECT_EQ(page.freeDecoysB, 0);
    EXPECT_EQ(fireControlStations().stationStates()[0], 2u);
    s.confirmPosition(3); // kind A shallow
    s.confirmPosition(1); // kind A deep: the same kind
    EXPECT_EQ(page.freeDecoysA, 0);
    EXPECT_EQ(page.freeDecoysB, 1);
    notify(kDecoySelector, 1);
    EXPECT_FALSE(first.fireButton().isClickable()) << "loading";
    first.selector().select(1);
    notify(kDecoySelector, 2);
    EXPECT_TRUE(first.fireButton().isClickable());
}

TEST_F(LauncherPanelsMission, AShotPutsACountermeasureInTheWaterUnlessTheSwitchIsOff) {
    startMission("Sa1.scn");
    fireControlStations().setUnlimitedWeapons(false);
    Entity& own = *worldOwnShip();
    own.inventory[5] = 3;
    own.inventory[6] = 3;
    FirePanel& page = buildPanels();
    const int before = countermeasuresInWorld();
    notify(kDecoyFire, 1);
    EXPECT_EQ(countermeasuresInWorld(), before + 1);
    EXPECT_EQ(own.inventory[5], 2) << "the stock falls at the launch";
    EXPECT_EQ(page.freeDecoysA, 1) << "it was counted out at the load";
    EXPECT_EQ(decoyPanel(0).decoyType(), kDecoyEmpty);
    EXPECT_EQ(decoyPanel(0).selector().position(), 9);
    EXPECT_FALSE(decoyPanel(0).fireButton().isClickable());
    EXPECT_EQ(fireControlStations().stationStates()[0], 4u);

    LogLines log;
    msgLogSetTarget(true, &log);
    notify(3300, 0);
    notify(4101, 1);
    msgLogDetach();
    EXPECT_EQ(log.lines.size(), 1u) << "the log says why nothing left";
    EXPECT_EQ(countermeasuresInWorld(), before + 1) << "nothing with the switch off";
    EXPECT_EQ(own.inventory[5], 2);
    EXPECT_EQ(page.freeDecoysA, 2) << "the one unloaded is free again";
    EXPECT_EQ(decoyPanel(1).decoyType(), kDecoyEmpty);
}

TEST_F(LauncherPanelsMission, ASavedMissionGivesTheLaunchersTheirSavedLoads) {
    startMission("Sa1.scn");
    Entity& own = *worldOwnShip();
    own.inventory[5] = 5;
    own.inventory[6] = 5;
    fireControlStations().restoreStationStates({3, 77});
    missionState().loadedFromSave = true;
    FirePanel& page = buildPanels();
    EXPECT_EQ(decoyPanel(0).decoyType(), 3);
    EXPECT_EQ(decoyPanel(1).decoyType(), kDecoyEmpty) << "a damaged word loads nothing";
    EXPECT_EQ(decoyPanel(0).selector().position(), 7);
    EXPECT_EQ(page.freeDecoysB, 4);
}

TEST_F(LauncherPanelsMission, ASavedMissionReloadsIntoTheSamePanels) {
    startMission("Sa1.scn");
    Entity& own = *worldOwnShip();
    own.inventory[5] = 4;
    own.inventory[6] = 4;
    buildPanels();
    for (auto [id, value] : {std::pair{110, 1}, {111, 1}, {112, 1}})
        notify(id, value); // tube panel 0: flooded, equalized, door open
    decoyPanel(1).selector().confirmPosition(7); // kind B shallow
    decoyPanel(1).selector().select(7);
    notify(4102, 2);
    panel().assignTubeTarget(2, -1, "Aucun contact");
    TempDir folder;
    const std::string file = folder.file("panels.svs");
    ASSERT_TRUE(simSaveMission(file));
    hideStation();
    host().setChild(kStationFireControl, nullptr);

    ASSERT_TRUE(simLoadMission(file));
    ASSERT_TRUE(missionState().loadedFromSave);
    buildPanels();
    EXPECT_EQ(tube(0).doorStates, (std::array<std::int32_t, 3>{1, 1, 1}));
    EXPECT_TRUE(tubePanel(0).armed());
    EXPECT_EQ(tubePanel(0).muzzleSwitch().getState(), 1);
    EXPECT_TRUE(tubePanel(0).muzzleSwitch().isClickable());
    EXPECT_EQ(decoyPanel(0).decoyType(), 0);
    EXPECT_EQ(decoyPanel(1).decoyType(), 3);
    EXPECT_EQ(decoyPanel(1).selector().position(), 7);
    EXPECT_EQ(tube(2).target, -1);
}

} // namespace
} // namespace q71::test
