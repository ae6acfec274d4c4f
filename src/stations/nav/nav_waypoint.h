#pragma once
// A navigation waypoint: a plus sign at a grid position of the navigation chart, shown on that
// chart and on the fire-control chart; the selected one is framed on its own chart.

#include "tactical/charts/chart_symbol.h"

namespace q71 {

class NavChartWindow;

class NavWaypoint : public ChartSymbol {
public:
    /// Half the side of the waypoint's box, pixels.
    static constexpr int kHalfBox = 15;

    /// At a grid position, on its own chart.
    NavWaypoint(double column, double row, NavChartWindow& owner);

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;

private:
    NavChartWindow& owner_;
};

} // namespace q71
