// The navigation station on a running mission of the data set, as the host holds it and the main
// loop steps it: waypoints set, dragged, refused and carried through a saved mission; the contact
// markers and the designation menu; the hidden word; and the fathometer's trace and knobs.
#include "tactical/support/station_mission.h"

#include "support/golden_image.h"
#include "support/temp_dir.h"

#include "framework/app/key_matching.h"
#include "framework/widgets/read_out.h"
#include "platform/gdi/colour.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/own_boat_contacts.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/replay_log.h"
#include "sim/services/front_end.h"
#include "sim/services/shell_simulation.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_load.h"
#include "sim/simulation/mission_save.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/dem_grid.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/nav/fathometer_page.h"
#include "stations/nav/fathometer_trace.h"
#include "stations/nav/nav_chart_page.h"
#include "stations/nav/nav_chart_window.h"
#include "stations/nav/nav_screen.h"
#include "stations/nav/nav_waypoint.h"
#include "stations/station_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr Point kChartOrigin{37, 34};

class NavStationMission : public StationMission {
protected:
    NavStationMission() {
        // Fire control stands as the weapon stations: the mission save reads the plot through it.
        simInstallServices({.audio = &audio, .weapons = &fireControlStations(), .frontEnd = &options});
    }

    NavScreen& openNav() {
        navRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationNavigation);
        stationRegisterMaker(kStationNavigation, nullptr);
        EXPECT_NE(station, nullptr);
        showStation(kStationNavigation);
        return *static_cast<NavScreen*>(station);
    }
    void closeNav() {
        hideStation();
        host().setChild(kStationNavigation, nullptr);
    }

    OwnShipEntity& own() { return *worldOwnSubmarine(); }
    OwnShipMotion& motion() { return *own().ownMotion; }
    NavChartPage& page() { return navScreen()->chartPage(); }
    NavChartWindow& chart() { return *page().chart(); }

    static Point onStation(Point chartPoint) { return {chartPoint.x + kChartOrigin.x, chartPoint.y + kChartOrigin.y}; }
    // Where a waypoint stands on its chart.
    Point pixelOf(const ChartSymbol& symbol) { return chart().getTransform().toPixel(symbol.x(), symbol.y()); }

    // A key typed while the chart has the keyboard.
    /// Switches the contacts display off and spells the hidden word: the true display alone.
    void showTrueDisplayAlone() {
        command(kNavCmdContacts);
        for (char c : std::string("VRAI"))
            page().onKey(c, kKeyChar);
    }
    void typeOnChart(std::uint8_t key, int character = -1) {
        focusSet(chart().window());
        display.typeKey(key, character);
        pump();
    }

    // A contact of the own boat on another entity of the world (by radar), as a station registers one.
    ContactRecord& registerContact(double bearing, double rangeYards) {
        const Entity* target = nullptr;
        for (auto* node = worldList().head(); node && !target; node = node->next)
            if (node->item != worldOwnShip() && node->item->designation[7] == 0)
                target = node->item;
        EXPECT_NE(target, nullptr);
        own().registerContact(7, target->id, bearing, rangeYards, -1.0, -1.0, 95);
        for (auto* node = own().contacts.head(); node; node = node->next)
            if (worldFindByDesignation(node->item->designation) == target)
                return *node->item;
        ADD_FAILURE() << "no record for the contact";
        return *own().contacts.head()->item;
    }
    int markersOf(std::int32_t id) {
        int count = 0;
        for (const auto& marker : page().markers())
            count += !marker->ownShip() && marker->id() == id ? 1 : 0;
        return count;
    }
    void command(int id) {
        messageSend(page().window(), WM_COMMAND, static_cast<WParam>(id), 0);
        pump();
    }
};

TEST_F(NavStationMission, WaypointsAreAddedByKeyUpToSixteenAndTheirCountIsMirrored) {
    startMission("Sa1.scn");
    openNav();
    ASSERT_NE(page().chart(), nullptr);
    EXPECT_EQ(page().pageButtons().selected(), NavScreen::kChartPage);
    moveTo(onStation({100, 120}));
    typeOnChart(VK_INSERT);
    ASSERT_EQ(chart().waypoints().size(), 1u);
    EXPECT_EQ(motion().waypointCount, 1);
    EXPECT_EQ(chart().selectedWaypoint(), chart().waypoints().front().get());
    const Point at = pixelOf(*chart().waypoints().front());
    EXPECT_LE(std::abs(at.x - 100), 1);
    EXPECT_LE(std::abs(at.y - 120), 1);

    for (int i = 1; i < 16; ++i)
        EXPECT_TRUE(chart().addWaypointAt({20 + 20 * i, 60}));
    EXPECT_EQ(motion().waypointCount, 16);
    // The 17th: a stop box, and nothing else changes.
    int boxes = 0;
    modalScriptPush([&](WindowHandle) {
        ++boxes;
        display.typeKey(VK_RETURN, '\r');
    });
    const NavWaypoint* newest = chart().waypoints().front().get();
    moveTo(onStation({200, 200}));
    typeOnChart(VK_INSERT);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(chart().waypoints().size(), 16u);
    EXPECT_EQ(motion().waypointCount, 16);
    EXPECT_EQ(chart().waypoints().front().get(), newest);

    // Delete takes the selected one.
    typeOnChart(VK_DELETE);
    EXPECT_EQ(chart().waypoints().size(), 15u);
    EXPECT_EQ(motion().waypointCount, 15);
    EXPECT_EQ(chart().selectedWaypoint(), nullptr);
}

TEST_F(NavStationMission, AWaypointDraggedUnderTenPixelsStaysAndACancelPutsItBack) {
    startMission("Sa1.scn");
    openNav();
    ASSERT_TRUE(chart().addWaypointAt({150, 150}));
    NavWaypoint& waypoint = *chart().waypoints().front();
    const double x0 = waypoint.x(), y0 = waypoint.y();

    // Pressed 8 pixels off, moved 9 more in x: still under 10 from the press.
    leftButton(onStation({158, 150}), true);
    EXPECT_TRUE(chart().dragging());
    moveTo(onStation({167, 156}));
    leftButton(onStation({167, 156}), false);
    EXPECT_FALSE(chart().dragging());
    EXPECT_EQ(waypoint.x(), x0);
    EXPECT_EQ(waypoint.y(), y0);

    // A real drag moves it with the pointer.
    leftButton(onStation({150, 150}), true);
    moveTo(onStation({190, 170}));
    EXPECT_NE(waypoint.x(), x0);
    const Point moved = pixelOf(waypoint);
    EXPECT_LE(std::abs(moved.x - 190), 1);
    EXPECT_LE(std::abs(moved.y - 170), 1);
    // Cancel: back where the drag began, and the drag is over.
    typeOnChart(VK_ESCAPE);
    EXPECT_FALSE(chart().dragging());
    EXPECT_EQ(waypoint.x(), x0);
    EXPECT_EQ(waypoint.y(), y0);
    leftButton(onStation({190, 170}), false);
    EXPECT_EQ(waypoint.x(), x0);
}

TEST_F(NavStationMission, WaypointsKeepTheirPlacesAndOrderThroughASavedMission) {
    startMission("Sa1.scn");
    openNav();
    for (Point at : {Point{60, 60}, Point{200, 90}, Point{120, 300}})
        ASSERT_TRUE(chart().addWaypointAt(at));
    const std::vector<WorldPoint> before = chart().waypointPositions();
    ASSERT_EQ(before.size(), 3u);
    TempDir folder;
    const std::string file = folder.file("nav.svs");
    ASSERT_TRUE(simSaveMission(file));
    closeNav();
    ASSERT_TRUE(simLoadMission(file));
    openNav();
    const std::vector<WorldPoint> after = chart().waypointPositions();
    ASSERT_EQ(after.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(after[i].x, before[i].x, 1e-6) << i;
        EXPECT_NEAR(after[i].y, before[i].y, 1e-6) << i;
    }
    EXPECT_EQ(motion().waypointCount, 3);
    // And once more: a second round does not turn the list round.
    ASSERT_TRUE(simSaveMission(file));
    closeNav();
    ASSERT_TRUE(simLoadMission(file));
    openNav();
    EXPECT_NEAR(chart().waypointPositions().front().x, before.front().x, 1e-6);
}

TEST_F(NavStationMission, TheFireControlChartSharesTheWaypointsAndTakesTheViewAtClose) {
    startMission("Sa1.scn");
    // The fire-control chart as its station will register it.
    OwnShipChart fire(host().window(), 0, 0, 280, 267, worldGrid());
    stationSetFireChart(&fire);
    motion().waypoints[0] = {worldPoint(own()).x + 2000.0, worldPoint(own()).y};
    motion().waypointCount = 1;
    openNav();
    ASSERT_EQ(chart().waypoints().size(), 1u);
    const auto onFire = [&](const NavWaypoint& waypoint) {
        const auto& views = waypoint.views();
        return std::find(views.begin(), views.end(), &fire) != views.end();
    };
    EXPECT_TRUE(onFire(*chart().waypoints().front())) << "a kept waypoint stands on both charts";
    ASSERT_TRUE(chart().addWaypointAt({100, 100}));
    const NavWaypoint& added = *chart().waypoints().front();
    EXPECT_TRUE(onFire(added)) << "a new one too";
    // Selected, it is framed on its own chart only; both show its plus sign.
    fire.show();
    run(100);
    ASSERT_NE(fire.backBuffer(), nullptr);
    ASSERT_NE(chart().backBuffer(), nullptr);
    const auto white = [](const Bitmap& picture, Point at) {
        const PixelSurface s = picture.surface();
        return (s.decode(s.read(at.x, at.y)) & 0xF0F0F0u) == 0xF0F0F0u;
    };
    const Point onNav = pixelOf(added);
    const Point onFireChart = fire.getTransform().toPixel(added.x(), added.y());
    ASSERT_TRUE(onFireChart.x >= 16 && onFireChart.y >= 6 && onFireChart.x < 264 && onFireChart.y < 251);
    EXPECT_TRUE(white(*chart().backBuffer(), {onNav.x, onNav.y - 4}));
    EXPECT_TRUE(white(*fire.backBuffer(), {onFireChart.x, onFireChart.y - 4}));
    EXPECT_TRUE(white(*chart().backBuffer(), {onNav.x - 15, onNav.y + 7}));
    EXPECT_FALSE(white(*fire.backBuffer(), {onFireChart.x - 15, onFireChart.y + 7}));

    clickAt({kNavLockButton.x + 20, kNavLockButton.y + 18}); // the lock off
    run(300);
    EXPECT_FALSE(chart().ownShipLocked());
    chart().scaleUp();
    chart().panXPlus();
    run(500);
    chart().showScaleBar(false);
    chart().showGridLines(true);
    chart().latchReadout(false);
    hideStation();
    EXPECT_FALSE(fire.ownShipLocked());
    EXPECT_DOUBLE_EQ(fire.centreX(), chart().centreX());
    EXPECT_DOUBLE_EQ(fire.centreY(), chart().centreY());
    EXPECT_DOUBLE_EQ(fire.scale(), chart().scale());
    EXPECT_FALSE(fire.scaleBarShown());
    EXPECT_TRUE(fire.gridLinesShown());
    EXPECT_FALSE(fire.readoutLatched());
    stationSetFireChart(nullptr);
}

TEST_F(NavStationMission, WithoutTheChartTheSaveKeepsTheBoatsWaypoints) {
    startMission("Sa1.scn");
    motion().waypoints[0] = {1000.0, 2000.0};
    motion().waypoints[1] = {3000.0, 4000.0};
    motion().waypointCount = 2;
    ASSERT_EQ(stationNavChart(), nullptr);
    const std::vector<WorldPoint> kept = fireControlStations().plottedWaypoints();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].x, 3000.0);
    EXPECT_EQ(kept[1].y, 4000.0);
}

TEST_F(NavStationMission, TheViewButtonsPanAndZoomRepeatWhileHeldAndTheLockPinsTheBoat) {
    startMission("Sa1.scn");
    openNav();
    const auto centre = [&](const NavControlRow& row) { return Point{row.x + row.width / 2, row.y + row.height / 2}; };
    const NavControlRow& east = kNavViewButtons[0];
    const NavControlRow& west = kNavViewButtons[1];
    const NavControlRow& zoomIn = kNavViewButtons[2];
    ASSERT_EQ(east.id, kNavCmdPanXPlus);
    ASSERT_EQ(west.id, kNavCmdPanXMinus);
    ASSERT_EQ(zoomIn.id, kNavCmdScaleUp);

    // Locked, the view stays on the boat (as it stood at the last update) whatever the buttons ask.
    const auto onBoat = [&] {
        double column = 0, row = 0;
        worldToGrid(worldPoint(own()).x, worldPoint(own()).y, &column, &row);
        return std::abs(chart().centreX() - column) < 0.05 && std::abs(chart().centreY() - row) < 0.05;
    };
    clickAt(centre(zoomIn));
    clickAt(centre(zoomIn));
    run(1000);
    clickAt(centre(east));
    run(1000);
    EXPECT_TRUE(onBoat());

    clickAt(centre(kNavLockButton)); // free
    run(300);
    ASSERT_FALSE(chart().ownShipLocked());
    const double scale = chart().scale();
    clickAt(centre(zoomIn));
    run(1000);
    EXPECT_LT(chart().scale(), scale) << "zoomed in";
    const double x0 = chart().centreX();
    clickAt(centre(east));
    run(1000);
    const double step = chart().centreX() - x0;
    EXPECT_GT(step, 0.0) << "one step east";
    // Held for 800 ms: the first repeat after 250 ms, then one each 50 ms.
    const double x1 = chart().centreX();
    leftButton(centre(west), true);
    run(800);
    leftButton(centre(west), false);
    run(1000);
    EXPECT_LT(chart().centreX(), x1 - 5.0 * step) << "the held button repeated";

    clickAt(centre(kNavLockButton)); // locked again: back on the boat
    run(1000);
    EXPECT_TRUE(chart().ownShipLocked());
    EXPECT_TRUE(onBoat());
}

TEST_F(NavStationMission, TheTrueDisplayFollowsEntitiesComingAndGoing) {
    startMission("Sa1.scn");
    openNav();
    showTrueDisplayAlone();
    ASSERT_TRUE(page().display().truth);
    Entity* other = nullptr;
    for (auto* node = worldList().head(); node && !other; node = node->next)
        if (node->item != worldOwnShip())
            other = node->item;
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(markersOf(other->id), 1);
    worldNotifyEntityObservers(other, kWorldEntityDestroyed);
    EXPECT_EQ(markersOf(other->id), 0);
    worldNotifyEntityObservers(other, kWorldEntityAdded);
    EXPECT_EQ(markersOf(other->id), 1);
    // In the contacts display the entities' comings and goings are not the chart's business.
    command(kNavCmdContacts);
    worldNotifyEntityObservers(other, kWorldEntityAdded);
    EXPECT_EQ(markersOf(other->id), 0);
}

TEST_F(NavStationMission, ADroppedContactLeavesAtTheNextUpdate) {
    startMission("Sa1.scn");
    openNav();
    ContactRecord& contact = registerContact(90.0, 6000.0);
    const std::int32_t id = contact.entityId;
    EXPECT_EQ(markersOf(id), 1) << "a new contact gets its marker at once";
    own().dropContact(&contact);
    run(400);
    EXPECT_EQ(markersOf(id), 0);
}

TEST_F(NavStationMission, TheDisplaysShowContactsTheOwnBoatOnlyOrTheWorld) {
    startMission("Sa1.scn");
    openNav();
    registerContact(45.0, 4000.0);
    const auto counts = [&] {
        int own = 0, others = 0;
        for (const auto& marker : page().markers())
            (marker->ownShip() ? own : others)++;
        return std::pair{own, others};
    };
    EXPECT_EQ(counts(), (std::pair{1, own().contacts.count()}));
    command(kNavCmdContacts); // contacts off, true display off: only the own boat
    EXPECT_EQ(counts(), (std::pair{1, 0}));
    for (char c : std::string("vrai"))
        page().onKey(c, kKeyChar);
    ASSERT_TRUE(page().display().truth);
    EXPECT_EQ(counts(), (std::pair{1, worldList().count() - 1}));
    command(kNavCmdContacts); // both on: the contacts win
    EXPECT_EQ(counts(), (std::pair{1, own().contacts.count()}));
}

TEST_F(NavStationMission, ARightClickDesignatesAContactButNotInTheTrueDisplay) {
    options.setOptionsField(kOptionAssistStation0 + 1, 0); // the crew leaves the contacts alone
    startMission("Sa1.scn");
    openNav();
    ContactRecord& contact = registerContact(120.0, 3000.0);
    run(400);
    // A contact's marker carries its record's id; in the true display, its entity's.
    const std::int32_t entityId = worldFindByDesignation(contact.designation)->id;
    const auto markerPixel = [&](std::int32_t id) {
        for (const auto& m : page().markers())
            if (!m->ownShip() && m->id() == id)
                return std::optional<Point>(pixelOf(*m));
        return std::optional<Point>();
    };

    // The true display alone: no menu, nothing designated.
    showTrueDisplayAlone();
    ASSERT_FALSE(page().display().contacts);
    ASSERT_TRUE(page().display().truth);
    const std::optional<Point> truthAt = markerPixel(entityId);
    ASSERT_TRUE(truthAt) << "the contact's entity has its marker in the true display";
    rightClickAt(onStation({truthAt->x + 3, truthAt->y - 2}));
    EXPECT_FALSE(chart().menu().isOpen());
    EXPECT_FALSE(page().designated());

    // The contacts display: the menu opens over the contact and its items write the record.
    command(kNavCmdContacts);
    const std::optional<Point> at = markerPixel(contact.entityId);
    ASSERT_TRUE(at);
    rightClickAt(onStation({at->x + 3, at->y - 2}));
    ASSERT_TRUE(chart().menu().isOpen());
    EXPECT_EQ(page().designated(), contact.entityId);
    command(kNavCmdKindSubSurface);
    command(kNavCmdSideHostile);
    EXPECT_EQ(contact.kind, 3);
    EXPECT_EQ(contact.side, 2);
}

TEST_F(NavStationMission, ContactsAreColouredByTheirSideAsTheOwnSideSeesIt) {
    startMission("Sa1.scn");
    openNav();
    ContactRecord& contact = registerContact(90.0, 120000.0); // well clear of the own boat's symbol
    Entity* target = worldFindByDesignation(contact.designation);
    ASSERT_NE(target, nullptr);
    enum class Colour { friendly, hostile, neutral };
    struct Case {
        std::int32_t ownSide, targetSide;
        Colour drawn;
    } cases[] = {
        {1, 1, Colour::friendly}, {1, 2, Colour::hostile},  {1, 4, Colour::neutral}, // single player
        {2, 1, Colour::hostile},  {2, 2, Colour::friendly}, {2, 4, Colour::neutral}, // side 2 of a duel
    };
    for (const Case& c : cases) {
        own().side = c.ownSide;
        target->side = c.targetSide;
        ownBoatMergeContacts(own(), *target); // the crew's word on who the contact is
        run(400);
        std::optional<Point> at;
        for (const auto& m : page().markers())
            if (!m->ownShip() && m->id() == contact.entityId)
                at = pixelOf(*m);
        ASSERT_TRUE(at);
        chart().invalidateImage(false);
        pump();
        const PixelSurface s = chart().backBuffer()->surface();
        int friendly = 0, hostile = 0, neutral = 0;
        for (int y = at->y - 8; y <= at->y + 8; ++y)
            for (int x = at->x - 8; x <= at->x + 8; ++x) {
                const ColorRef p = s.decode(s.read(x, y));
                const bool r = colorRed(p) > 200, g = colorGreen(p) > 200, b = colorBlue(p) > 200;
                friendly += !r && g && b ? 1 : 0;
                hostile += r && !g && !b ? 1 : 0;
                neutral += !r && g && !b ? 1 : 0;
            }
        const int shown = c.drawn == Colour::friendly  ? friendly
                          : c.drawn == Colour::hostile ? hostile
                                                       : neutral;
        EXPECT_GT(shown, 4) << "own side " << c.ownSide << ", contact side " << c.targetSide;
        EXPECT_EQ(friendly + hostile + neutral, shown)
            << "own side " << c.ownSide << ", contact side " << c.targetSide;
    }
}

TEST_F(NavStationMission, TheHiddenWordFlipsTheTrueDisplayAndIsLogged) {
    startMission("Sa1.scn");
    openNav();
    EXPECT_EQ(page().onKey('v', kKeyChar), 1);
    EXPECT_EQ(page().onKey('x', kKeyChar), 0) << "a wrong key is not taken";
    EXPECT_EQ(page().hiddenPosition(), 0);
    EXPECT_FALSE(page().display().truth);
    // Typed on the chart, as the player types it.
    for (char c : std::string("vrai"))
        typeOnChart(static_cast<std::uint8_t>(std::toupper(c)), c);
    EXPECT_TRUE(page().display().truth);
    for (char c : std::string("VRAI"))
        page().onKey(c, kKeyChar);
    EXPECT_FALSE(page().display().truth);
    // In capitals after a click on one of the page's buttons, as the keyboard sends them: Shift
    // goes down before each letter and up after.
    const NavControlRow& zoomIn = kNavViewButtons[2];
    ASSERT_EQ(zoomIn.id, kNavCmdScaleUp);
    clickAt(Point{zoomIn.x + zoomIn.width / 2, zoomIn.y + zoomIn.height / 2});
    for (char c : std::string("VRAI")) {
        display.typeKey(static_cast<std::uint8_t>(VK_SHIFT), -1, true);
        display.typeKey(static_cast<std::uint8_t>(c), c);
        display.inject(InputEvent::keyOf(InputKind::KeyUp, static_cast<std::uint8_t>(VK_SHIFT)));
        pump();
    }
    EXPECT_TRUE(page().display().truth) << "a Shift between the letters breaks no word";
    ASSERT_TRUE(replayLogIsOpen());
    replayLogClose(); // the records reach the file
    std::vector<std::int32_t> values;
    for (const ReplayEvent& event : replayLogRead())
        if (event.kind == kEventOptionFlag)
            values.push_back(event.extra);
    EXPECT_EQ(values, (std::vector<std::int32_t>{12, -12, 12}));
}

// A hand-made sea floor on the mission's grid lattice: a basin deepening eastwards with a ridge
// running north to south and an island on it, so the chart's picture does not hang on the data set.
std::unique_ptr<DemGrid> handMadeSea(const DemGrid& lattice) {
    auto grid = std::make_unique<DemGrid>();
    grid->extentX = lattice.extentX;
    grid->extentY = lattice.extentY;
    grid->originX = lattice.originX;
    grid->originY = lattice.originY;
    grid->width = lattice.width;
    grid->height = lattice.height;
    for (int row = 0; row < grid->height; ++row)
        for (int column = 0; column < grid->width; ++column) {
            const double across = static_cast<double>(column) / (grid->width - 1);
            const double ridge = std::abs(across - 0.3) < 0.05 ? 1400.0 : 0.0;
            const double island = std::hypot(across - 0.3, static_cast<double>(row) / (grid->height - 1) - 0.5) < 0.04
                                      ? 1700.0
                                      : 0.0;
            grid->samples.push_back(static_cast<std::int16_t>(-200.0 - 3000.0 * across + ridge + island));
        }
    return grid;
}

TEST_F(NavStationMission, TheChartPageDrawsOverAHandMadeSea) {
    startMission("Sa1.scn");
    openNav();
    const std::unique_ptr<DemGrid> sea = handMadeSea(*worldGrid());
    chart().setMapSource(sea.get());
    chart().recentre();
    registerContact(60.0, 30000.0);
    registerContact(200.0, 60000.0);
    ASSERT_TRUE(chart().addWaypointAt({80, 250}));
    ASSERT_TRUE(chart().addWaypointAt({260, 120}));
    run(400);
    ASSERT_NE(chart().backBuffer(), nullptr);
    keepPicture("hand-made-sea");
    EXPECT_TRUE(matchesGoldenIn("tests/stations/nav/golden", *chart().backBuffer(), "chart_hand_made_sea"));
    chart().setMapSource(nullptr);
}

TEST_F(NavStationMission, TheFathometerTracesAScriptedDescent) {
    startMission("Sa1.scn");
    NavScreen& nav = openNav();
    clickAt({475 + 30, 357 + 29});
    ASSERT_EQ(nav.currentPage(), NavScreen::kFathometerPage);
    FathometerPage& fathometer = nav.fathometerPage();
    EXPECT_EQ(fathometer.pageButtons().selected(), NavScreen::kFathometerPage);
    run(1000);
    keepPicture("fathometer");
    // The readout's unit is the page's own, beside the readout.
    const BitmapRef picture = stationPicture();
    const PixelSurface s = picture->surface();
    int unit = 0;
    for (int y = kFathometerUnitY; y < kFathometerUnitY + 14; ++y)
        for (int x = kFathometerUnitX; x < kFathometerUnitX + 16; ++x)
            unit += colorGreen(s.decode(s.read(x, y))) > 200 ? 1 : 0;
    EXPECT_GT(unit, 10) << "FT";
    // Sixty samples of 1,000 m of water while the boat goes from the surface down to 590 m.
    DepthRing& ring = motion().depthHistory.ring10s;
    ring = DepthRing{};
    for (int i = 0; i < 60; ++i)
        ring.push({1000.0 + 10.0 * i, 1000u, static_cast<std::uint32_t>(10 * i)});
    fathometer.trace().requestReset();
    fathometer.trace().update();
    pump();
    ASSERT_NE(fathometer.trace().picture(), nullptr);
    EXPECT_TRUE(matchesGoldenIn("tests/stations/nav/golden", *fathometer.trace().picture(), "trace_descent"));

    // Back to the chart: the fathometer's timer stops, the chart's markers stand again.
    clickAt({kFathometerPageButtons[0].x + 25, kFathometerPageButtons[0].y + 30});
    EXPECT_EQ(nav.currentPage(), NavScreen::kChartPage);
    EXPECT_FALSE(fathometer.trace().running());
    EXPECT_FALSE(page().markers().empty());
}

TEST_F(NavStationMission, TheFathometerScrollsOnlyForANewSampleAndAKnobRedraws) {
    startMission("Sa1.scn");
    motion().stationSettings[OwnShipMotion::kFathometerTimeScaleSetting] = 4; // a sample each 480 s
    NavScreen& nav = openNav();
    clickAt({475 + 30, 357 + 29});
    FathometerPage& fathometer = nav.fathometerPage();
    EXPECT_EQ(fathometer.timeIndex(), 4);
    run(1500);
    EXPECT_TRUE(fathometer.trace().running());
    const auto bytes = [&] {
        const PixelSurface s = fathometer.trace().picture()->surface();
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                pixels.push_back(s.read(x, y));
        return pixels;
    };
    const auto still = bytes();
    run(3000);
    EXPECT_TRUE(bytes() == still) << "no new sample: nothing scrolls";
    DepthRing& ring = motion().depthHistory.ring480s;
    for (int i = 0; i < 3; ++i) { // new samples, until a join stands right of the depth axis
        ring.push({ring.newestTime() + 480.0, 400u, 10u});
        run(1000);
    }
    const auto scrolled = bytes();
    EXPECT_FALSE(scrolled == still) << "a new sample scrolls the trace";

    // The depth knob to its last detent (at 135 degrees, down and right of its pivot).
    clickAt({428 + 60 + 28, 45 + 42 + 28});
    run(1500);
    EXPECT_EQ(fathometer.depthIndex(), 5);
    EXPECT_EQ(motion().stationSettings[OwnShipMotion::kFathometerDepthScaleSetting], 5);
    EXPECT_FALSE(bytes() == scrolled) << "the whole history redrawn at the new scale";
}

TEST_F(NavStationMission, TheDepthLabelsOfEveryScaleStandWholeLeftOfTheAxis) {
    startMission("Sa1.scn");
    NavScreen& nav = openNav();
    clickAt({475 + 30, 357 + 29});
    FathometerPage& fathometer = nav.fathometerPage();
    for (int index = 0; index < 6; ++index) {
        fathometer.knobMoved(kFathCmdDepthKnob, index); // as the knob tells it, with a redraw
        fathometer.trace().requestReset();
        run(1500);
        ASSERT_EQ(fathometer.depthIndex(), index);
        keepPicture("depth-scale-" + std::to_string(index));
        const PixelSurface s = fathometer.trace().picture()->surface();
        // Nine labels, one beside each tick (every tenth of the scale, 33.5 pixels apart): each
        // has ink left of the axis, and none reaches the trace's left edge, where a label too wide
        // for its room loses its first digit.
        for (int i = 1; i <= 9; ++i) {
            const int y = 15 + static_cast<int>(33.5 * i);
            int ink = 0, atEdge = 0;
            for (int row = y - 6; row <= y + 6; ++row)
                for (int x = 0; x < 27; ++x)
                    if (colorGreen(s.decode(s.read(x, row))) > 200) {
                        ++ink;
                        atEdge += x < 2 ? 1 : 0;
                    }
            EXPECT_GT(ink, 10) << "scale " << index << ", label " << i;
            EXPECT_EQ(atEdge, 0) << "scale " << index << ", label " << i;
        }
    }
}

TEST_F(NavStationMission, BadStoredKnobIndicesAreRefusedAndTheReadoutIsNeverNegative) {
    startMission("Sa1.scn");
    motion().stationSettings[OwnShipMotion::kFathometerTimeScaleSetting] = 9;
    motion().stationSettings[OwnShipMotion::kFathometerDepthScaleSetting] = -3;
    NavScreen& nav = openNav();
    FathometerPage& fathometer = nav.fathometerPage();
    EXPECT_EQ(fathometer.timeIndex(), 0);
    EXPECT_EQ(fathometer.depthIndex(), 2);
    // The boat put on the bottom: the readout shows 0, not a negative depth.
    motion().z = motion().floorHere() - 5.0;
    clickAt({475 + 30, 357 + 29});
    run(1000);
    EXPECT_EQ(fathometer.readOut().getValue(), 0);
}

// The chart as the screen shows it, set against the chart drawn whole again: a marker that draws
// out of the box its chart repaints leaves stale pixels where it was, or is cut where it went.
class NavMarkerRepaint : public NavStationMission {
protected:
    // The chart's pixels that drawing the whole chart again changes.
    std::vector<Point> staleOrCut() {
        const BitmapRef before = stationPicture();
        chart().invalidateImage(false);
        const BitmapRef after = stationPicture();
        const PixelSurface a = before->surface();
        const PixelSurface b = after->surface();
        std::vector<Point> changed;
        for (int y = kNavChartGlass.top; y < kNavChartGlass.bottom; ++y)
            for (int x = kNavChartGlass.left; x < kNavChartGlass.right; ++x)
                if (a.read(x, y) != b.read(x, y))
                    changed.push_back({x, y});
        return changed;
    }
    // Where the chart shows a world point, in the station's pixels.
    Point onChart(double worldX, double worldY) {
        double column = 0, row = 0;
        EXPECT_TRUE(worldToGrid(worldX, worldY, &column, &row));
        return onStation(chart().getTransform().toPixel(column, row));
    }
    // The player closes in on the own boat until 1000 m span `pixels` at least, then frees the
    // chart from the boat, so that it repaints only what moves.
    void closeInAndFree(double pixels) {
        const auto span = [&] {
            const WorldPoint at = worldPoint(own());
            const Point from = onChart(at.x, at.y);
            const Point to = onChart(at.x, at.y + 1000.0);
            return std::hypot(to.x - from.x, to.y - from.y);
        };
        for (int i = 0; i < 30 && span() < pixels; ++i) {
            chart().scaleUp();
            run(500);
        }
        ASSERT_GE(span(), pixels);
        clickAt({kNavLockButton.x + kNavLockButton.width / 2, kNavLockButton.y + kNavLockButton.height / 2});
        run(300);
        ASSERT_FALSE(chart().ownShipLocked());
    }
    std::optional<Point> markerPixel(std::int32_t id) {
        for (const auto& m : page().markers())
            if (!m->ownShip() && m->id() == id)
                return onStation(pixelOf(*m));
        return std::nullopt;
    }
};

TEST_F(NavMarkerRepaint, AContactWithALongDesignationIsDrawnWholeAndLeavesNothingBehind) {
    startMission("Sa1.scn");
    openNav();
    closeInAndFree(20.0);
    ContactRecord& contact = registerContact(45.0, 4000.0);
    contact.designation.numbers[13] = 188; // three digits after its letter
    contact.speed = 30.0;                  // the longest leader
    run(400);
    const std::optional<Point> first = markerPixel(contact.entityId);
    ASSERT_TRUE(first);
    ASSERT_TRUE(kNavChartGlass.contains(*first));
    const std::vector<Point> cut = staleOrCut();
    EXPECT_TRUE(cut.empty()) << cut.size() << " pixels of the new marker cut, at" << listedPixels(cut);
    // The contact draws away round the boat, turning.
    for (int step = 0; step < 8; ++step) {
        contact.bearing += 3.0;
        contact.course += 45.0;
        run(400);
        const std::optional<Point> at = markerPixel(contact.entityId);
        ASSERT_TRUE(at);
        ASSERT_TRUE(kNavChartGlass.contains(*at));
        const std::vector<Point> wrong = staleOrCut();
        EXPECT_TRUE(wrong.empty()) << "step " << step << ": " << wrong.size() << " pixels stale or cut, at"
                                   << listedPixels(wrong);
    }
    EXPECT_NE(markerPixel(contact.entityId), first) << "the marker moved";
}

TEST_F(NavMarkerRepaint, AMarkerStandingStillIsDrawnAgainWhenWhatItShowsChanges) {
    startMission("Sa1.scn");
    openNav();
    closeInAndFree(20.0);
    ContactRecord& contact = registerContact(45.0, 4000.0);
    contact.speed = 30.0; // the longest leader
    run(400);
    // The game paused, as the host's pause button pauses it: nothing moves, the chart updates on.
    simShellSimulation().pause(true);
    run(400);
    const NavContactMarker* marker = nullptr;
    for (const auto& m : page().markers())
        if (!m->ownShip() && m->id() == contact.entityId)
            marker = m.get();
    ASSERT_NE(marker, nullptr);
    ASSERT_TRUE(kNavChartGlass.contains(onStation(pixelOf(*marker))));
    const double column = marker->x(), row = marker->y();
    const auto expectRepainted = [&](const std::string& change) {
        ASSERT_EQ(marker->x(), column) << change << ": the marker stands still";
        ASSERT_EQ(marker->y(), row) << change << ": the marker stands still";
        const std::vector<Point> wrong = staleOrCut();
        EXPECT_TRUE(wrong.empty()) << change << ": " << wrong.size() << " pixels stale, at"
                                   << listedPixels(wrong);
    };
    // A solution stored at the TMA station gives the contact another course and speed: the
    // leader swings round and shortens or grows at the next update.
    for (int step = 0; step < 4; ++step) {
        contact.course += 90.0;
        contact.speed = step % 2 == 0 ? 5.0 : 30.0;
        run(400);
        expectRepainted("course " + std::to_string(static_cast<int>(contact.course)));
    }
    // Designated from the menu: a hostile submarine, drawn in red at once, not at the next update.
    const Point at = onStation(pixelOf(*marker));
    const auto redAround = [&] {
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        int red = 0;
        for (int y = at.y - 10; y <= at.y + 10; ++y)
            for (int x = at.x - 10; x <= at.x + 10; ++x) {
                const ColorRef c = s.decode(s.read(x, y));
                red += colorRed(c) > 200 && colorGreen(c) < 80 && colorBlue(c) < 80 ? 1 : 0;
            }
        return red;
    };
    ASSERT_EQ(redAround(), 0) << "no one has named the contact yet";
    rightClickAt({at.x + 3, at.y - 2});
    ASSERT_TRUE(chart().menu().isOpen());
    command(kNavCmdKindSubSurface);
    command(kNavCmdSideHostile);
    ASSERT_EQ(contact.side, 2);
    clickAt({470, 20}); // away from the menu, which closes, and from the chart
    ASSERT_FALSE(chart().menu().isOpen());
    EXPECT_GT(redAround(), 0) << "the designation is drawn at once";
    run(50); // the pointer's readout, latched on this chart, is drawn 10 ms after the pointer moved
    expectRepainted("designated hostile");
    simShellSimulation().pause(false);
}

TEST_F(NavMarkerRepaint, AnEntitysTorpedoDotRunsFarFromItAndLeavesNothingBehindInTheTrueDisplay) {
    startMission("Sa1.scn");
    openNav();
    closeInAndFree(20.0);
    showTrueDisplayAlone();
    ASSERT_TRUE(page().display().truth);
    Entity* parent = nullptr;
    for (auto* node = worldList().head(); node && !parent; node = node->next)
        if (node->item != worldOwnShip() && node->item->motion)
            parent = node->item;
    ASSERT_NE(parent, nullptr);
    parent->motion->x = worldPoint(own()).x - 2000.0; // on the chart, west of the own boat
    parent->motion->y = worldPoint(own()).y;
    // Its torpedo, running north a few kilometres from it.
    auto* torpedo = new Entity(parent->side, "Adcap", own().level, kKindWeapon, -1);
    torpedo->typeCode = kEntityTorpedo;
    torpedo->parentId = parent->id;
    torpedo->motion = std::make_unique<MotionModel>(*torpedo);
    torpedo->motion->x = worldPoint(own()).x + 1500.0;
    torpedo->motion->y = worldPoint(own()).y - 2000.0;
    torpedo->motion->z = -50.0;
    worldAddEntity(torpedo);
    // Its own marker goes, so that only its launcher's dot shows it.
    worldNotifyEntityObservers(torpedo, kWorldEntityDestroyed);
    ASSERT_EQ(markersOf(torpedo->id), 0);
    const auto cyanAt = [&](Point at) {
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        const ColorRef c = s.decode(s.read(at.x, at.y));
        return colorRed(c) < 16 && colorGreen(c) > 240 && colorBlue(c) > 240;
    };
    for (int step = 0; step < 8; ++step) {
        torpedo->motion->y += 150.0;
        run(400);
        const WorldPoint where = worldPoint(*torpedo);
        const Point dot = onChart(where.x, where.y);
        ASSERT_TRUE(kNavChartGlass.contains(dot));
        const std::optional<Point> launcher = markerPixel(parent->id);
        ASSERT_TRUE(launcher);
        ASSERT_GT(std::hypot(dot.x - launcher->x, dot.y - launcher->y), 40.0)
            << "the dot is far from its launcher";
        EXPECT_TRUE(cyanAt(dot)) << "step " << step << ": the dot where the torpedo runs";
        const std::vector<Point> wrong = staleOrCut();
        EXPECT_TRUE(wrong.empty()) << "step " << step << ": " << wrong.size() << " pixels stale or cut, at"
                                   << listedPixels(wrong);
    }
    // Its launcher gone far off the chart, the dot still shows where the torpedo runs.
    parent->motion->x -= 100000.0;
    run(400);
    ASSERT_FALSE(kNavChartGlass.contains(*markerPixel(parent->id)));
    const WorldPoint where = worldPoint(*torpedo);
    EXPECT_TRUE(cyanAt(onChart(where.x, where.y))) << "the dot of a launcher off the chart";
    const std::vector<Point> wrong = staleOrCut();
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " pixels stale or cut, at" << listedPixels(wrong);
}
} // namespace
} // namespace q71::test
