#include "stations/firectrl/fire_chart.h"

#include "stations/firectrl/fire_layout.h"
#include "tactical/charts/chart_defaults.h"

namespace q71 {

FireChart::FireChart(WindowHandle page, const DemGrid* grid)
    : OwnShipChart(page, kFireChartGlass.left, kFireChartGlass.top,
                   kFireChartGlass.right - kFireChartGlass.left, kFireChartGlass.bottom - kFireChartGlass.top,
                   grid) {
    name_ = "FireChart";
    chartRegisterStationChart(kChartSlot, this);
    stationSetFireChart(this);
    if (OwnShipChart* nav = stationNavChart())
        nav->showWaypointsOn(*this);
}

FireChart::~FireChart() {
    if (stationFireChart() == this)
        stationSetFireChart(nullptr);
}

} // namespace q71
