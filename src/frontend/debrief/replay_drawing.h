#pragma once
// How the debriefing draws a mission's story on a chart: the own boat's track as an amber line
// with its head, and a marker for each kind of record (a launch, a hit, a loss, a mine's report,
// a grounding, damage aboard), each in its own shape and colour.

#include "frontend/debrief/replay_story.h"
#include "platform/gdi/colour.h"
#include "platform/geometry/rect.h"

#include <span>
#include <vector>

namespace q71 {

class ChartView;
class DeviceContext;
struct ChartTransform;

/// Grid positions (column, row) of world points; none without a terrain grid.
struct GridPoint {
    double column = 0.0;
    double row = 0.0;
};
std::vector<GridPoint> trackOnGrid(const std::vector<TrackPoint>& track);

/// The pixels of grid points through a chart's transform.
std::vector<Point> chartPixels(const ChartTransform& transform, std::span<const GridPoint> points);
/// Draws a track through pixels, with a dot at its last point.
void drawTrackLine(DeviceContext& dc, std::span<const Point> pixels);
/// Shows the whole map, then zooms onto a track (in animation steps) so that all of it shows, with
/// room around it, on both axes of the view; no closer than a dozen km across.
void chartZoomOntoTrack(ChartView& view, std::span<const GridPoint> track, int steps);
/// Draws the marker of a record's kind centred on a pixel.
void drawReplayMarker(DeviceContext& dc, Point at, std::int32_t kind);

} // namespace q71
