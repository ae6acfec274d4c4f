// The launchers as the own-ship set-up builds them and the stations load them: numbers, defaults,
// the inventory with and without unlimited weapons, readiness, and the waypoint list.
#include "launcher_fixture.h"
#include "stations/firectrl/launcher_chart.h"

#include <algorithm>

namespace q71::test {
namespace {

class LauncherModel : public LauncherTest {};

TEST_F(LauncherModel, TheSetUpBuildsTheStationsInTableOrderWithTheirLoadsAndKeepsTheInventory) {
    Entity* own = ownBoat();
    const auto stock = own->inventory;
    launcherTablesBuild();
    const std::optional<LauncherTables> tables = launcherTables();
    ASSERT_TRUE(tables);
    std::vector<int> tubeNumbers, cellNumbers;
    for (WeaponLauncher* tube : tables->tubes)
        tubeNumbers.push_back(tube->number());
    for (WeaponLauncher* cell : tables->cells)
        cellNumbers.push_back(cell->number());
    EXPECT_EQ(tubeNumbers, (std::vector<int>{2, 1, 4, 3}));
    EXPECT_EQ(cellNumbers, (std::vector<int>{8, 6, 5, 7, 12, 10, 9, 11, 16, 14, 13, 15}));
    EXPECT_EQ(tables->tubes[0]->weaponType(), kWeaponHarpoon);
    EXPECT_EQ(tables->tubes[2]->weaponType(), kWeaponAdcap);
    EXPECT_TRUE(std::all_of(tables->cells.begin(), tables->cells.end(),
                            [](WeaponLauncher* cell) { return cell->weaponType() == kWeaponTomahawk; }));
    EXPECT_EQ(static_cast<VlsCell*>(tables->cells[0])->target, kTargetNotAssigned);
    EXPECT_EQ(own->inventory, stock);
    EXPECT_FALSE(fireControlStations().unlimitedWeapons()); // the player's option again
}

TEST_F(LauncherModel, LoadingTakesFromAndReturnsToTheInventoryUnlessWeaponsAreUnlimited) {
    Entity* own = ownBoat();
    own->inventory = {8, 10, 4, 20, 30, 40, 15};
    TorpedoTube tube(1);
    // Words 0 to 3 count the types 0 to 3; words 5 and 6 are the countermeasures' own.
    tube.setWeaponType(kWeaponAdcap);
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{7, 10, 4, 20, 30, 40, 15}));
    tube.setWeaponType(kWeaponHarpoon); // the ADCAP goes back, a Harpoon comes out
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{8, 10, 3, 20, 30, 40, 15}));
    tube.setWeaponType(kWeaponSlmm);
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{8, 9, 4, 20, 30, 40, 15}));
    tube.setWeaponType(kWeaponTomahawk);
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{8, 10, 4, 19, 30, 40, 15}));
    EXPECT_EQ(countermeasureStock(0), 40) << "a missile taken is no countermeasure taken";
    tube.setWeaponType(kWeaponEmpty);
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{8, 10, 4, 20, 30, 40, 15}));
    world.frontEnd.options[kOptionUnlimitedWeapons] = 1;
    EXPECT_TRUE(fireControlStations().unlimitedWeapons());
    tube.setWeaponType(kWeaponAdcap);
    tube.setWeaponType(kWeaponSlmm);
    EXPECT_EQ(own->inventory, (std::array<std::int32_t, 7>{8, 10, 4, 20, 30, 40, 15}));
    EXPECT_EQ(tube.weaponType(), kWeaponSlmm);
}

TEST_F(LauncherModel, AStationRefusesATypeItCannotHold) {
    Entity* own = ownBoat();
    const auto stock = own->inventory;
    VlsCell cell(5);
    cell.setWeaponType(kWeaponAdcap);
    EXPECT_EQ(cell.weaponType(), kWeaponEmpty);
    TorpedoTube tube(2);
    tube.setWeaponType(9);
    EXPECT_EQ(tube.weaponType(), kWeaponEmpty);
    EXPECT_EQ(own->inventory, stock);
    cell.setWeaponType(kWeaponTomahawk);
    EXPECT_EQ(cell.weaponType(), kWeaponTomahawk);
}

TEST_F(LauncherModel, NewStationsStartWithTheirDefaults) {
    TorpedoTube tube(3);
    EXPECT_EQ(tube.number(), 3);
    EXPECT_EQ(tube.tag, 'T');
    EXPECT_EQ(tube.target, kTargetNotAssigned);
    EXPECT_EQ(tube.adcapFloor, 3000);
    EXPECT_EQ(tube.launchedTorpedoId, -1);
    EXPECT_EQ(tube.doorStates, (std::array<std::int32_t, 3>{2, 2, 2}));
    EXPECT_EQ(tube.targetName[0], '\0');
    VlsCell cell(12);
    EXPECT_EQ(cell.tag, 'V');
    EXPECT_EQ(cell.target, -1);
    EXPECT_EQ(cell.tomahawkRange, 485);
    EXPECT_STREQ(cell.targetName.data(), "Aucune cible");
    EXPECT_EQ(cell.launchedEntity(), nullptr);
}

TEST_F(LauncherModel, ReadinessNeedsATargetOrARoute) {
    TorpedoTube tube(1);
    for (std::int32_t type : {kWeaponAdcap, kWeaponHarpoon, kWeaponEmpty}) {
        tube.setWeaponType(type);
        tube.target = kTargetNotAssigned;
        EXPECT_FALSE(tube.isReady());
        tube.target = -1;
        EXPECT_TRUE(tube.isReady());
    }
    for (std::int32_t type : {kWeaponSlmm, kWeaponTomahawk}) {
        tube.setWeaponType(type);
        tube.clearWaypoints();
        EXPECT_FALSE(tube.isReady());
        tube.addAimPoint(100, 100);
        EXPECT_TRUE(tube.isReady());
    }
}

TEST_F(LauncherModel, ARouteHasFourPointsEndingInTheStationsLabel) {
    TorpedoTube tube(4);
    tube.addRoute(0, 0, 4, 8);
    std::vector<std::pair<double, double>> points;
    for (auto* node = tube.waypoints.head(); node; node = node->next) {
        points.emplace_back(node->item->x, node->item->y);
        EXPECT_EQ(node->item->depth, 50);
        EXPECT_EQ(node->item->speed, 460);
    }
    EXPECT_EQ(points, (std::vector<std::pair<double, double>>{{1, 2}, {2, 4}, {3, 6}, {4, 8}}));
    const LaunchWaypoint& end = *tube.lastWaypoint();
    EXPECT_EQ(end.labelNumber, 4u);
    EXPECT_EQ(end.labelLetter, 'T');
    EXPECT_EQ(tube.waypoints.head()->item->labelNumber, kNoWaypointLabel);
    EXPECT_EQ(end.previous, tube.waypoints.tail()->previous->item);
    EXPECT_EQ(end.previous->next, &end);
    EXPECT_FALSE(tube.waypoints.head()->item->afterOwnShip); // no chart
}

// The chart of the test: what the launchers showed, forgot and changed.
class TestChart final : public LauncherChart {
public:
    void attachWaypoint(LaunchWaypoint& waypoint) override { attached.push_back(&waypoint); }
    void detachWaypoint(LaunchWaypoint& waypoint) override { detached.push_back(&waypoint); }
    void waypointsChanged() override { ++changes; }
    std::vector<LaunchWaypoint*> attached, detached;
    int changes = 0;
};

TEST_F(LauncherModel, TheChartShowsTheWaypointsAndForgetsThemBeforeTheyGo) {
    TestChart chart;
    fireControlStations().setChart(&chart);
    {
        VlsCell cell(6);
        cell.addAimPoint(500, 500);
        const LaunchWaypoint* aim = cell.lastWaypoint();
        EXPECT_EQ(aim->aim, 1u);
        EXPECT_TRUE(aim->afterOwnShip);
        EXPECT_EQ(chart.attached, std::vector<LaunchWaypoint*>{cell.lastWaypoint()});
        cell.hideWaypoints();
        EXPECT_FALSE(aim->visible);
        EXPECT_EQ(chart.changes, 1);
        cell.clearWaypoints();
        EXPECT_EQ(chart.detached.size(), 1u);
        EXPECT_EQ(chart.changes, 2);
        cell.addRoute(0, 0, 100, 100);
        EXPECT_EQ(chart.attached.size(), 5u);
    }
    EXPECT_EQ(chart.detached.size(), 5u); // the cell's end takes its route with it
    fireControlStations().setChart(nullptr);
}

TEST_F(LauncherModel, FireControlKeepsItsSwitchesAndTheSidesOfTubes) {
    FireControlStations& fireControl = fireControlStations();
    EXPECT_TRUE(fireControl.fireGuidanceSwitch());
    fireControl.setUnlimitedWeapons(true);
    EXPECT_EQ(world.frontEnd.options[kOptionUnlimitedWeapons], 1);
    fireControl.setUnlimitedWeapons(false);
    EXPECT_FALSE(fireControl.unlimitedWeapons());
    fireControl.setTubeSideState(kTubeSidePort, 0);
    EXPECT_EQ(fireControl.tubeSideState(kTubeSidePort), 0);
    EXPECT_EQ(fireControl.tubeSideState(kTubeSideStarboard), 1);
    fireControl.setTubeSideState(kTubeSidePort, 1);
    fireControl.restoreStationStates({7, 9});
    EXPECT_EQ(fireControl.stationStates(), (std::array<std::uint32_t, 2>{7, 9}));
}

} // namespace
} // namespace q71::test
