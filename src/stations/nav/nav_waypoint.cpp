#include "stations/nav/nav_waypoint.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "stations/nav/nav_chart_window.h"

#include <array>

namespace q71 {
namespace {

ChartViewRecord waypointRecord() {
    ChartViewRecord record;
    chartMakeRecord(record, -NavWaypoint::kHalfBox, NavWaypoint::kHalfBox, -NavWaypoint::kHalfBox,
                    NavWaypoint::kHalfBox, 0.0, 0.0, 0.0, 0.0);
    return record;
}

void plus(DeviceContext& dc, int x, int y) {
    dc.moveTo({x, y - 5});
    dc.lineTo({x, y + 6});
    dc.moveTo({x - 5, y});
    dc.lineTo({x + 6, y});
}

} // namespace

NavWaypoint::NavWaypoint(double column, double row, NavChartWindow& owner)
    : ChartSymbol(column, row, nullptr, nullptr, false), owner_(owner) {
    const ChartViewRecord record = waypointRecord();
    place(column, row, record);
    attach(&owner);
}

void NavWaypoint::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    const Pen before = dc.selectPen(stockPen(StockObject::BlackPen));
    plus(dc, x - 1, y + 1);
    dc.selectPen(stockPen(StockObject::WhitePen));
    plus(dc, x, y);
    if (&view == &owner_ && owner_.selectedWaypoint() == this) {
        const std::array<Point, 5> frame{{{x - kHalfBox, y - kHalfBox},
                                          {x + kHalfBox, y - kHalfBox},
                                          {x + kHalfBox, y + kHalfBox},
                                          {x - kHalfBox, y + kHalfBox},
                                          {x - kHalfBox, y - kHalfBox}}};
        dc.polyline(frame);
    }
    dc.selectPen(before);
}

} // namespace q71
