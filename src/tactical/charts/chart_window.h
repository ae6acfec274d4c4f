#pragma once
// The map plot as the stations and editors use it: texts from the text table, nautical units
// (nautical miles of 2000 yards, yards, feet) or metric ones, geographic units on a
// latitude/longitude grid, and a pointer readout that adds the depth or height of the terrain
// under the pointer. The navigation and fire-control charts, the mission editor's map and the
// debriefing's replay map derive from it.

#include "tactical/charts/map_plot.h"

namespace q71 {

class ChartWindow : public MapPlot {
public:
    /// Interface font of the chart's texts; cursor of the zoom clicks.
    static constexpr int kTextFont = 1;
    static constexpr int kZoomCursor = 144;

    ChartWindow(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
                std::span<const ChartBand> bands = {});

    void setNautical(bool on) { nautical_ = on; }
    bool isNautical() const { return nautical_; }

    bool scaleBarLabel(double kmPerPixel, int maxPixels, int* length, std::string* label) override;
    bool scaleBarLength(double kmPerPixel, int maxPixels, double* length) override;
    bool formatRangeBearing(double rangeKm, double bearing, std::string* range,
                            std::string* bearingText) override;
    bool formatLatLong(double gx, double gy, std::string* text) override;

private:
    bool geographicGrid() const;

    bool nautical_ = true;
};

} // namespace q71
