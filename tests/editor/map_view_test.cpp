// The editor's map as the player sees it: an own-ship start, a hostile ship with a route of two
// legs and their arrow heads, a friendly submarine; the selected unit ringed in white.

#include "frontend_fixture.h"

#include "editor/missioneditor/editor_map.h"
#include "editor/missioneditor/mission_document.h"
#include "framework/app/shell.h"
#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/editor/golden";

struct NoEditing : MapEditing {
    void mapPressed(double, double, Point) override {}
    void mapDragged(double, double) override {}
    void mapReleased() override {}
    void mapEdit(Point) override {}
};

class EditorMapView : public FrontEndFixture {
protected:
    TerrainGrid terrain{101, 101, 1000.0, islandSeaFloor};
    NoEditing editing;
};

TEST_F(EditorMapView, AStartTwoUnitsAndARouteWithItsLegsAndArrowHeads) {
    EditorMap map(appMainWindow(), Rect{0, 0, 320, 320}, editing);
    map.setMapSource(worldGrid());
    map.show();
    map.showWholeMap(0);
    MissionDocument document;
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
