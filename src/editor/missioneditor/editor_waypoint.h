#pragma once
// A route point of the editor's map: its mark is the map's bitmap (editor_marks.h), plain or
// selected; it keeps its position as the scenario stores it.

#include "editor/missioneditor/stored_position.h"
#include "tactical/charts/map_waypoint.h"

namespace q71 {

class EditorWaypoint : public StoredPosition<MapWaypoint> {
public:
    using StoredPosition::StoredPosition;
    void drawMark(DeviceContext& dc, ChartView& view, int x, int y) override;
};

} // namespace q71
