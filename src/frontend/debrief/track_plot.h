#pragma once
// The debriefing's track plot: a chart of the mission's grid shaded with the ramp 24, 24, 24
// that zooms in on the own boat's track while the track is drawn, growing point by point.

#include "frontend/debrief/replay_drawing.h"
#include "tactical/charts/chart_view.h"

namespace q71 {

class TrackPlot : public ChartView {
public:
    /// A windowed plot over a rectangle of the parent, on a grid (none: empty) with a track.
    TrackPlot(WindowHandle parent, const Rect& area, const DemGrid* grid, const ReplayStory& story);

    /// Starts the zoom from the whole map onto the track, in animation steps.
    void zoomOntoTrack(int steps);
    /// Shows the first n points of the track.
    void showPoints(std::size_t n);
    std::size_t shownPoints() const { return shown_; }
    std::size_t trackPoints() const { return track_.size(); }

    void drawOverlay(DeviceContext& backBuffer) override;

private:
    std::vector<GridPoint> track_;
    std::size_t shown_ = 0;
};

} // namespace q71
