#pragma once
// A route point of the editor's map: its mark is the map's bitmap (editor_marks.h), plain or
// selected.

#include "tactical/charts/map_waypoint.h"

namespace q71 {

class EditorWaypoint : public MapWaypoint {
public:
    using MapWaypoint::MapWaypoint;
    void drawMark(DeviceContext& dc, ChartView& view, int x, int y) override;
};

} // namespace q71
