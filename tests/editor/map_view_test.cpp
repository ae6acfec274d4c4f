// The editor's map as the player sees it: an own-ship start, a hostile ship with a route of two
// legs and their arrow heads, a friendly submarine; the selected unit ringed in white; a goal
// area to reach (a circle of 8 km) and one to stop in that a file gave a box of 12 by 6 km.

#include "frontend_fixture.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/editor_map.h"
#include "editor/missioneditor/goal_areas.h"
#include "editor/missioneditor/mission_document.h"
#include "framework/app/shell.h"
#include "frontend/screen_art.h"
#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <optional>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/editor/golden";

/// Draws the document's goal areas, as the screen does; edits nothing.
struct AreasOnly : MapEditing {
    explicit AreasOnly(const MissionDocument& d) : document(d) {}
    void mapPressed(double, double, Point) override {}
    void mapDragged(double, double) override {}
    void mapReleased() override {}
    void mapEdit(Point) override {}
    void drawMapOverlay(DeviceContext& dc, const ChartView& view) override { drawGoalAreas(dc, view, document.goals); }
    const MissionDocument& document;
};

class EditorMapView : public FrontEndFixture {
protected:
    /// Made once the map has read its marks: the terrain's folder becomes the current one.
    std::optional<TerrainGrid> terrain;
    MissionDocument document;
    AreasOnly editing{document};
};

TEST_F(EditorMapView, AStartTwoUnitsAndARouteWithItsLegsAndArrowHeads) {
    frontEndSelectGroup(kEditorGroup);
    EditorMap map(appMainWindow(), Rect{0, 0, 320, 320}, editing);
    terrain.emplace(101, 101, 1000.0, islandSeaFloor);
    map.setMapSource(worldGrid());
    map.show();
    map.showWholeMap(0);
    GoalNode reach;
    reach.kind = kGoalReachArea;
    reach.centreX = 75000.0;
    reach.centreY = 25000.0;
    reach.radius = 8000.0;
    document.goals.addNode(reach, nullptr);
    GoalNode stop;
    stop.kind = kGoalRecover;
    stop.centreX = 25000.0;
    stop.centreY = 50000.0;
    stop.halfWidth = 6000.0;
    stop.halfHeight = 3000.0;
    document.goals.addNode(stop, nullptr);
    GoalNode survive;
    survive.kind = kGoalSurvive; // no area: nothing drawn
    document.goals.addNode(survive, nullptr);
    ScenarioRecord start;
    start.type = kScenarioOwnShipStart;
    start.typeName = "Orque";
    document.addObject(new MissionObject(20000.0, 20000.0, start, &map));
    ScenarioRecord ship;
    ship.type = kScenarioSurfaceShip;
    ship.side = 2;
    auto* hostile = new MissionObject(40000.0, 50000.0, ship, &map);
    hostile->appendWaypoint(70000.0, 50000.0, 0, 10);
    hostile->appendWaypoint(70000.0, 80000.0, 0, 14);
    hostile->selected = true;
    document.addObject(hostile);
    ScenarioRecord sub;
    sub.type = kScenarioSubmarine;
    sub.side = 1;
    document.addObject(new MissionObject(30000.0, 75000.0, sub, &map));
    pump();
    ASSERT_NE(map.backBuffer(), nullptr);
    EXPECT_TRUE(matchesGoldenIn(kGolden, *map.backBuffer(), "map_view"));
}

} // namespace
} // namespace q71::test
