#pragma once
// Something the player places on a map by its world position and may type a position for: the
// mission editor's units and starts, the fire-control chart's route points. Its position reads
// and writes as latitude and longitude in degrees and decimal minutes ("49-05.250 N",
// "172-00.000 O"), through the current terrain grid.

#include "platform/geometry/rect.h"
#include "tactical/charts/chart_item.h"

#include <string>

namespace q71 {

class MapObject : public ChartItem {
public:
    /// At a world position (metres), with the record (none: the default), on the view.
    MapObject(double worldX, double worldY, const ChartViewRecord* record, ChartView* view)
        : ChartItem(worldX, worldY, record, view) {}

    /// The position as the player reads it; false (texts untouched) without a grid that can
    /// convert it.
    bool formatLatLong(std::string& latitude, std::string& longitude) const;
    /// Moves to a typed position; false (nothing moved) when a text does not parse or the point
    /// lies outside the terrain grid.
    bool setLatLong(const std::string& latitude, const std::string& longitude);
    /// The pixel of the position in a view; false when the view has no grid.
    bool viewPosition(const ChartView& view, Point& out) const;
};

/// Reads a typed latitude or longitude: "deg-min.m H", "deg min H", "deg°min'H", or signed
/// decimal degrees; H is N or S for a latitude, E, O or W for a longitude (a southern or western
/// hemisphere makes it negative). False for anything else, minutes of 60 or more included.
bool mapParseAngle(const std::string& text, bool latitude, double& degrees);

} // namespace q71
