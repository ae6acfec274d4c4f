#pragma once
// The fire-control chart: the terrain around the own boat, locked on it or free, with the
// navigation waypoints. While it exists it is the stations' fire-control chart.

#include "stations/station_charts.h"

namespace q71 {

class FireChart : public OwnShipChart {
public:
    static constexpr int kChartSlot = 1;

    /// Over a grid in the page, at the glass of the display.
    FireChart(WindowHandle page, const DemGrid* grid);
    ~FireChart() override;
};

} // namespace q71
