// The fire-control station on a running mission of the data set, as the host holds it: its pages
// and their commands, the fire panel's routing to its panels, the firing switch, the sides of
// tubes, the free countermeasures, and the load-out; pictures of the three pages.
#include "fire_mission.h"

#include "platform/gdi/bitmap.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "sim/entities/entity.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_chart_reports.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/launch_waypoint_mark.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/load_out_screen.h"
#include "stations/station_charts.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace q71::test {
namespace {

// What the panels were told, in order: "cell 3 command 5", "tube 1 side 0".
std::vector<std::string> heard;
std::array<int, 2> decoyTypes{};

void hear(const char* kind, int index, const std::string& what) {
    heard.push_back(std::string(kind) + " " + std::to_string(index) + " " + what);
}

class HeardCell final : public CellPanelPart {
public:
    explicit HeardCell(int index) : index_(index) {}
    void onCommand(WParam w, LParam) override { hear("cell", index_, "command " + std::to_string(w)); }
    void loadResources() override {}
    void freeResources() override {}
    void refreshReady(bool) override {}
    void restoreFromLauncher() override { hear("cell", index_, "restore"); }

private:
    int index_;
};

class HeardTube final : public TubePanelPart {
public:
    explicit HeardTube(int index) : index_(index) {}
    void onCommand(WParam w, LParam) override { hear("tube", index_, "command " + std::to_string(w)); }
    void loadResources() override {}
    void freeResources() override {}
    void update() override {}
    void refreshReady(bool) override {}
    void restoreFromLauncher() override { hear("tube", index_, "restore"); }
    void setSideEnabled(bool on) override { hear("tube", index_, on ? "side on" : "side off"); }
    void setSwitchSounds(bool on) override { hear("tube", index_, on ? "sounds on" : "sounds off"); }
    void assignTarget(int target, std::string_view name) override {
        hear("tube", index_, "target " + std::to_string(target) + " " + std::string(name));
    }

private:
    int index_;
};

class HeardDecoy final : public DecoyPanelPart {
public:
    explicit HeardDecoy(int index) : index_(index) {}
    void onCommand(WParam w, LParam) override { hear("decoy", index_, "command " + std::to_string(w)); }
    void loadResources() override {}
    void freeResources() override {}
    int decoyType() const override { return decoyTypes[static_cast<std::size_t>(index_)]; }

private:
    int index_;
};

const FirePanelMakers kHeardPanels{
    [](WindowHandle, int i, const FirePanelRow&) -> std::unique_ptr<CellPanelPart> {
        return std::make_unique<HeardCell>(i);
    },
    [](WindowHandle, int i, const FirePanelRow&) -> std::unique_ptr<TubePanelPart> {
        return std::make_unique<HeardTube>(i);
    },
    [](FirePanel&, int i, const FirePanelRow&, const char*) -> std::unique_ptr<DecoyPanelPart> {
        return std::make_unique<HeardDecoy>(i);
    },
};

class FireStationMission : public FireMission {
protected:
    FireStationMission() { heard.clear(); }
    int panelCommand(FireCtrl& station, int id) {
        return station.firePanel().onCommand(static_cast<WParam>(id), 0);
    }
};

TEST_F(FireStationMission, TheStationOpensOnTheDisplayAndItsPageCommandsSwitchPages) {
    startMission("Sa1.scn");
    fireControlStations().setFireGuidanceSwitch(false);
    FireCtrl& station = build();
    EXPECT_EQ(fireCtrl(), &station);
    EXPECT_TRUE(fireControlStations().fireControlExists());
    EXPECT_TRUE(fireControlStations().fireGuidanceSwitch()) << "the fire panel turns the switch on";
    EXPECT_EQ(station.currentPage(), FireCtrl::kDisplayPage);
    EXPECT_EQ(stationFireChart(), static_cast<FireDisplay*>(station.page(1))->chart());

    showStation(kStationFireControl);
    struct Step {
        WParam command;
        int page;
    };
    const Step steps[] = {
        {4400, FireCtrl::kLoadOutPage}, {5500, FireCtrl::kPanelPage},
        {5100, FireCtrl::kDisplayPage}, {5200, FireCtrl::kPanelPage},
        {5200, FireCtrl::kPanelPage},   {0x20000 | 4400, FireCtrl::kLoadOutPage},
        {1234, FireCtrl::kLoadOutPage}, {1, FireCtrl::kLoadOutPage},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(station.onCommand(step.command, 0), 1) << step.command;
        EXPECT_EQ(station.currentPage(), step.page) << step.command;
        pump();
    }
    hideStation();
    host().setChild(kStationFireControl, nullptr);
    EXPECT_EQ(fireCtrl(), nullptr);
    EXPECT_EQ(stationFireChart(), nullptr);
    EXPECT_FALSE(fireControlStations().fireControlExists());
}

TEST_F(FireStationMission, TheFirePanelRoutesEveryCommandToItsPanelsAndKeepsPageCommandsForTheScreen) {
    startMission("Sa1.scn");
    firePanelInstallMakers(kHeardPanels);
    FireCtrl& station = build();
    ASSERT_EQ(station.firePanel().tubePanelCount(), 4u);
    heard.clear();
    EXPECT_EQ(panelCommand(station, 777), 1) << "an id of no panel is handled";
    ASSERT_EQ(heard.size(), 18u);
    EXPECT_EQ(heard.front(), "cell 0 command 777");
    EXPECT_EQ(heard[12], "tube 0 command 777");
    EXPECT_EQ(heard[16], "decoy 0 command 777");
    EXPECT_EQ(heard.back(), "decoy 1 command 777");
    for (int id : {4400, 5100, 5200, 5500})
        EXPECT_EQ(panelCommand(station, id), 0) << id;

    heard.clear();
    EXPECT_EQ(panelCommand(station, 3300), 1);
    EXPECT_FALSE(fireControlStations().fireGuidanceSwitch());
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "tube 2 sounds off"), 1);
    EXPECT_EQ(panelCommand(station, 3300), 1);
    EXPECT_TRUE(fireControlStations().fireGuidanceSwitch());
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "tube 2 sounds on"), 1);

    struct Side {
        int side, state;
        std::vector<std::string> heard;
    };
    const Side sides[] = {
        {2, 0, {"tube 0 side off", "tube 2 side off"}},
        {1, 0, {"tube 1 side off", "tube 3 side off"}},
        {1, 1, {"tube 1 side on", "tube 3 side on"}},
        {3, 0, {}},
    };
    for (const Side& side : sides) {
        heard.clear();
        fireControlStations().setTubeSideState(side.side, side.state);
        EXPECT_EQ(heard, side.heard) << side.side;
    }
    heard.clear();
    station.firePanel().assignTubeTarget(3, 7, "S7");
    station.firePanel().assignTubeTarget(4, 7, "S7");
    EXPECT_EQ(heard, std::vector<std::string>{"tube 3 target 7 S7"});
}

TEST_F(FireStationMission, FreeCountermeasuresLeaveOutThoseLoadedAndASavedMissionRestoresThePanels) {
    startMission("Sa1.scn");
    firePanelInstallMakers(kHeardPanels);
    Entity& own = *worldOwnShip();
    own.inventory[5] = 1;
    own.inventory[6] = 4;
    decoyTypes = {1, 3};
    {
        FireCtrl& station = build();
        EXPECT_EQ(station.firePanel().freeDecoysA, 0);
        EXPECT_EQ(station.firePanel().freeDecoysB, 3);
        EXPECT_EQ(std::count(heard.begin(), heard.end(), "cell 4 restore"), 0);
        host().setChild(kStationFireControl, nullptr);
    }
    decoyTypes = {4, 2};
    missionState().loadedFromSave = true;
    FireCtrl& station = build();
    EXPECT_EQ(station.firePanel().freeDecoysA, 1);
    EXPECT_EQ(station.firePanel().freeDecoysB, 3);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "cell 4 restore"), 1);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "tube 3 restore"), 1);
}

TEST_F(FireStationMission, ReadinessIsTheLaunchersOwn) {
    startMission("Sa1.scn");
    ASSERT_TRUE(launcherTables());
    auto& tube = static_cast<Launcher&>(*launcherTables()->tubes[0]);
    auto& cell = static_cast<Launcher&>(*launcherTables()->cells[11]);
    EXPECT_FALSE(FirePanel::isTubeReady(0)) << "nothing assigned";
    tube.setTarget(-1);
    EXPECT_TRUE(FirePanel::isTubeReady(0)) << "the gyro course";
    EXPECT_FALSE(FirePanel::isCellReady(11)) << "a Tomahawk without a route";
    cell.addRoute(0, 0, 4000, 8000);
    EXPECT_TRUE(FirePanel::isCellReady(11));
    EXPECT_FALSE(FirePanel::isTubeReady(4));
    EXPECT_FALSE(FirePanel::isCellReady(-1));
}

TEST_F(FireStationMission, TheLoadOutShowsTheBoatAndItsPicturesAreKept) {
    startMission("Sa1.scn");
    options.options[kOptionUnlimitedWeapons] = 1;
    FireCtrl& station = build();
    showStation(kStationFireControl);
    run(500);
    keepPage("display");
    station.onCommand(kFireCmdPanel, 0);
    run(100);
    keepPage("panel");
    station.onCommand(kFireCmdLoadOut, 0);
    run(100);
    keepPage("loadout-unlimited");
    EXPECT_TRUE(matchesGoldenIn("tests/stations/firectrl/golden", *stationPicture(), "loadout-unlimited"));
    const LoadOutScreen& loadOut = station.loadOut();
    EXPECT_TRUE(loadOut.unlimitedShown());
    // The set-up's load: 12 Tomahawk cells, Harpoon in two tubes, ADCAP in two.
    EXPECT_EQ(loadOut.picture().cells, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(loadOut.picture().tubes,
              (std::array<int, 4>{kLampHarpoon, kLampHarpoon, kLampAdcap, kLampAdcap}));
    EXPECT_EQ(loadOut.picture().totals[0], weaponStock(kWeaponTomahawk) + 12);
    EXPECT_EQ(loadOut.picture().totals[1], weaponStock(kWeaponHarpoon) + 2);

    options.options[kOptionUnlimitedWeapons] = 0;
    station.onCommand(kFireCmdLoadOutBack, 0);
    station.onCommand(kFireCmdLoadOut, 0);
    run(100);
    EXPECT_FALSE(station.loadOut().unlimitedShown());
    keepPage("loadout");
    hideStation();
}

} // namespace
} // namespace q71::test

namespace q71::test {
namespace {

// The marks the chart reported, in order.
class HeardReports final : public FireChartReports {
public:
    void waypointPicked(MapObject& waypoint) override { picked.push_back(&waypoint); }
    std::vector<MapObject*> picked;
};

class FireChartMission : public FireStationMission {
protected:
    // A click at a pixel of the chart, with the world position it stands for.
    WorldPoint clickOnChart(Point pixel) {
        double column = 0, row = 0;
        WorldPoint at;
        chart().getTransform().toGrid(pixel.x, pixel.y, &column, &row);
        EXPECT_TRUE(gridToWorld(column, row, &at.x, &at.y));
        clickAt({kFireChartGlass.left + pixel.x, kFireChartGlass.top + pixel.y});
        return at;
    }
    // A point's latitude and longitude in arc-minutes.
    static std::pair<double, double> minutesAt(double x, double y) {
        double column = 0, row = 0, latitude = 0, longitude = 0;
        EXPECT_TRUE(worldToGrid(x, y, &column, &row));
        EXPECT_TRUE(demGridToLatLong(worldGrid(), column, row, &latitude, &longitude));
        return {latitude * 60.0, longitude * 60.0};
    }
    // A waypoint stands on whole arc-minutes of latitude and longitude, the nearest to a point
    // (halves away from zero).
    static void expectNearestWholeMinutes(const LaunchWaypoint& point, const WorldPoint& unsnapped) {
        const auto [latitude, longitude] = minutesAt(point.x, point.y);
        const auto [wantedLatitude, wantedLongitude] = minutesAt(unsnapped.x, unsnapped.y);
        EXPECT_NEAR(latitude, std::round(wantedLatitude), 1e-6) << "unsnapped at " << wantedLatitude;
        EXPECT_NEAR(longitude, std::round(wantedLongitude), 1e-6) << "unsnapped at " << wantedLongitude;
    }
    // Red pixels on the screen within 4 pixels of where a weapon's run from the own boat ends.
    int redPixelsAtRunEnd(const WorldPoint& own, const WorldPoint& aim) {
        run(100);
        WorldPoint end;
        aimTickPoint(own.x, own.y, aim.x, aim.y, kAimTickRange, &end.x, &end.y);
        double column = 0, row = 0;
        EXPECT_TRUE(worldToGrid(end.x, end.y, &column, &row));
        const Point at = chart().getTransform().toPixel(column, row);
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        int count = 0;
        for (int y = at.y - 4; y <= at.y + 4; ++y)
            for (int x = at.x - 4; x <= at.x + 4; ++x) {
                const std::uint32_t c = s.decode(s.read(x + kFireChartGlass.left, y + kFireChartGlass.top));
                count += (c & 0xFF) > 0xA0 && (c >> 8 & 0xFF) < 0x50 && (c >> 16 & 0xFF) < 0x50
                             ? 1
                             : 0; // 0x00BBGGRR
            }
        return count;
    }
};

TEST_F(FireChartMission, AnArmedClickPlacesAnAimPointForAnSlmmTubeAndARouteForTheOthers) {
    startMission("Sa1.scn");
    build();
    showStation(kStationFireControl);
    run(500);
    ASSERT_TRUE(chart().hasGrid());
    tube(2).setWeaponType(kWeaponSlmm);
    tube(2).clearWaypoints();

    chart().armForTube(&tube(2));
    const WorldPoint aimed = clickOnChart({150, 100});
    EXPECT_FALSE(chart().armed());
    ASSERT_EQ(listOf(tube(2)).size(), 1u);
    const LaunchWaypoint& aim = *listOf(tube(2)).front();
    expectNearestWholeMinutes(aim, aimed);
    EXPECT_EQ(aim.aim, 1u);
    EXPECT_TRUE(aim.afterOwnShip);
    EXPECT_NE(chart().markOf(aim), nullptr);

    const WorldPoint own = worldPoint(*worldOwnShip());
    for (Launcher* launcher : {&tube(0), &cell(3)}) {
        launcher->clearWaypoints();
        if (launcher == &tube(0))
            chart().armForTube(launcher);
        else
            chart().armForCell(launcher);
        const WorldPoint end = clickOnChart({60, 200});
        const std::vector<LaunchWaypoint*> route = listOf(*launcher);
        ASSERT_EQ(route.size(), 4u);
        EXPECT_EQ(route[0]->previous, nullptr);
        EXPECT_TRUE(route[0]->afterOwnShip);
        for (std::size_t i = 1; i < 4; ++i)
            EXPECT_EQ(route[i]->previous, route[i - 1]);
        // The quarter, half, three-quarter and end points, each at the whole arc-minutes nearest
        // to where it would lie unsnapped.
        const WorldPoint mid{(own.x + end.x) / 2, (own.y + end.y) / 2};
        const WorldPoint unsnapped[] = {
            {(own.x + mid.x) / 2, (own.y + mid.y) / 2}, mid, {(mid.x + end.x) / 2, (mid.y + end.y) / 2}, end};
        for (std::size_t i = 0; i < 4; ++i)
            expectNearestWholeMinutes(*route[i], unsnapped[i]);
        EXPECT_NE(route[3]->labelNumber, kNoWaypointLabel);
        EXPECT_EQ(launcher->waypoints.current(), route[0]) << "the list's cursor back on its head";
        for (const LaunchWaypoint* point : route)
            EXPECT_NE(chart().markOf(*point), nullptr);
    }
    EXPECT_EQ(chart().markCount(), 9u);
    tube(0).clearWaypoints();
    EXPECT_EQ(chart().markCount(), 5u);
    const auto before = listOf(tube(2));
    clickOnChart({20, 20}); // disarmed: a plain click of the chart
    EXPECT_EQ(listOf(tube(2)), before);
    hideStation();
}

TEST_F(FireChartMission, AWaypointIsSelectedAndDraggedOnceOutOfItsBoxButNotWhileAllAreShown) {
    startMission("Sa1.scn");
    build();
    showStation(kStationFireControl);
    run(500);
    const WorldPoint own = worldPoint(*worldOwnShip());
    cell(3).addRoute(own.x, own.y, own.x + 60000.0, own.y + 60000.0);
    LaunchWaypoint& end = *listOf(cell(3)).back();
    const auto onStation = [&](const LaunchWaypoint& point) {
        const LaunchWaypointMark& mark = *chart().markOf(point);
        const Point at = chart().getTransform().toPixel(mark.x(), mark.y());
        return Point{at.x + kFireChartGlass.left, at.y + kFireChartGlass.top};
    };
    const Point at = onStation(end);
    const WorldPoint before{end.x, end.y};
    HeardReports console;
    chart().setReports(&console);

    leftButton(at, true);
    pump();
    EXPECT_EQ(chart().selectedWaypoint(), &end);
    EXPECT_TRUE(end.selected);
    EXPECT_EQ(console.picked, std::vector<MapObject*>{chart().markOf(end)}) << "selecting reports it";
    moveTo({at.x + 8, at.y - 8}); // inside the 24 by 24 box: it stays
    pump();
    EXPECT_EQ(end.x, before.x);
    leftButton({at.x + 8, at.y - 8}, false);
    pump();
    EXPECT_EQ(console.picked.size(), 1u) << "a drag that never left the box moved nothing";
    leftButton(at, true);
    pump();
    moveTo({at.x + 30, at.y + 20});
    pump();
    leftButton({at.x + 30, at.y + 20}, false);
    pump();
    EXPECT_NE(end.x, before.x);
    ASSERT_EQ(console.picked.size(), 3u) << "selected again, then dropped after the drag";
    EXPECT_EQ(console.picked[2], chart().selectedMark());
    EXPECT_FALSE(chart().dragging());
    const Point moved = onStation(end);
    EXPECT_NEAR(moved.x, at.x + 30, 1);
    EXPECT_NEAR(moved.y, at.y + 20, 1);

    // Every launcher's waypoints on show: a click goes to the chart itself.
    messageSend(fireCtrl()->page(FireCtrl::kDisplayPage)->window(), WM_COMMAND, kFireCmdShowAll, 0);
    pump();
    EXPECT_EQ(chart().selectedWaypoint(), nullptr) << "showing or hiding drops the selection";
    const LaunchWaypoint& quarter = *listOf(cell(3)).front();
    clickAt(onStation(quarter));
    EXPECT_EQ(chart().selectedWaypoint(), nullptr);
    EXPECT_FALSE(quarter.selected);
    EXPECT_FALSE(chart().dragging());
    EXPECT_EQ(console.picked.size(), 3u);
    chart().setReports(nullptr);
    hideStation();
}

TEST_F(FireChartMission, WaypointsMadeWithoutAChartAreShownWhenTheChartIsBuilt) {
    startMission("Sa1.scn");
    const WorldPoint own = worldPoint(*worldOwnShip());
    cell(0).addRoute(own.x, own.y, own.x + 20000.0, own.y);
    const auto route = listOf(cell(0));
    ASSERT_EQ(route.size(), 4u);
    EXPECT_FALSE(route[0]->afterOwnShip) << "no chart: no own-ship symbol to start at";
    build();
    EXPECT_TRUE(route[0]->afterOwnShip);
    for (const LaunchWaypoint* point : route)
        ASSERT_NE(chart().markOf(*point), nullptr);
    EXPECT_EQ(chart().markOf(*route[1])->previous(), chart().markOf(*route[0]));
    EXPECT_EQ(chart().markOf(*route[0])->previous(), nullptr);
    host().setChild(kStationFireControl, nullptr);
    EXPECT_EQ(fireControlStations().chart(), nullptr);
    EXPECT_EQ(listOf(cell(0)).size(), 4u) << "the launcher keeps its route";
}

TEST_F(FireChartMission, AnAimPointShortOfAWeaponsRunShowsTheRedTickAndAFartherOneNone) {
    startMission("Sa1.scn");
    build();
    showStation(kStationFireControl);
    run(500);
    struct Case {
        double range;
        bool tick;
    };
    for (const Case c : {Case{20000.0, true}, Case{45000.0, false}}) {
        tube(2).clearWaypoints();
        const WorldPoint own = worldPoint(*worldOwnShip());
        tube(2).addAimPoint(own.x + c.range, own.y);
        const LaunchWaypoint& aim = *listOf(tube(2)).front();
        EXPECT_EQ(redPixelsAtRunEnd(own, {aim.x, aim.y}) > 0, c.tick) << c.range;
        keepPicture(c.tick ? "aim-tick" : "aim-no-tick");
    }
    hideStation();
}

} // namespace
} // namespace q71::test

namespace q71::test {
namespace {

using FirePlotMission = FireStationMission;

TEST_F(FirePlotMission, ContactsComeAndGoWithinATickAndAreKeptApartFromEntities) {
    startMission("Sa1.scn");
    build();
    showStation(kStationFireControl);
    run(100);
    ASSERT_NE(plot().find(FirePlotKind::ownBoat, own().id), nullptr);
    EXPECT_EQ(plot().find(FirePlotKind::entity, own().id), nullptr) << "the own boat is its own kind";
    const auto [contact, number] = registerContact();
    ASSERT_NE(contact, nullptr);
    ASSERT_NE(number, 0);
    run(450);
    ASSERT_NE(plot().find(FirePlotKind::contact, number), nullptr);
    // The entity that bears the contact's number (the own boat itself here) keeps its own item.
    const Entity* namesake = worldFindEntity(number);
    ASSERT_NE(namesake, nullptr);
    const FirePlotKind namesakeKind =
        namesake == worldOwnShip() ? FirePlotKind::ownBoat : FirePlotKind::entity;
    EXPECT_EQ(plot().find(namesakeKind, number) != nullptr, firePlotIncludes(*namesake, own().side));
    EXPECT_NE(plot().find(namesakeKind, number), plot().find(FirePlotKind::contact, number));
    own().dropContact(contact);
    run(450);
    EXPECT_EQ(plot().find(FirePlotKind::contact, number), nullptr);
    EXPECT_NE(plot().find(FirePlotKind::ownBoat, own().id), nullptr) << "the own boat stays";
    keepPicture("plot");
    hideStation();
}

} // namespace
} // namespace q71::test
