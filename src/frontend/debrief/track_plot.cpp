#include "frontend/debrief/track_plot.h"

#include <algorithm>

namespace q71 {
namespace {

// The plot's shades and ramp.
constexpr int kShades = 9;
constexpr int kRampAmplitude = 24;

} // namespace

TrackPlot::TrackPlot(WindowHandle parent, const Rect& area, const DemGrid* grid, const ReplayStory& story)
    : ChartView(parent, area.left, area.top, area.width(), area.height(), grid),
      track_(trackOnGrid(story.track)) {
    setShadeColours(kShades, kRampAmplitude, kRampAmplitude, kRampAmplitude);
}

void TrackPlot::zoomOntoTrack(int steps) {
    chartZoomOntoTrack(*this, track_, steps);
}

void TrackPlot::showPoints(std::size_t n) {
    shown_ = std::min(n, track_.size());
    invalidate(nullptr, false); // the terrain stays; the overlay is composed again
}

void TrackPlot::drawOverlay(DeviceContext& backBuffer) {
    const std::vector<Point> pixels =
        chartPixels(getTransform(), std::span<const GridPoint>(track_.data(), shown_));
    drawTrackLine(backBuffer, pixels);
}

} // namespace q71
