#include "editor/missioneditor/editor_waypoint.h"

#include "editor/missioneditor/editor_map.h"

namespace q71 {

void EditorWaypoint::drawMark(DeviceContext& dc, ChartView& view, int x, int y) {
    if (const auto* map = dynamic_cast<const EditorMap*>(&view))
        map->marks().waypoints.draw(dc, selected ? 1 : 0, x, y);
}

} // namespace q71
