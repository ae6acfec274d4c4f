#pragma once
// The debriefing's replay: a chart window over the mission's grid on which the mission plays
// back to a time: the own boat's track (a chart item spanning all its points) grows to it, and
// each record's marker appears once its time has come.

#include "frontend/debrief/replay_drawing.h"
#include "tactical/charts/chart_item.h"
#include "tactical/charts/chart_window.h"

#include <memory>

namespace q71 {

/// The own boat's track as an item of the chart: placed at its first point, its box around all.
class TrackItem : public ChartItem {
public:
    TrackItem(const std::vector<TrackPoint>& track, ChartView* view);
    /// Shows the points up to a time.
    void showUpTo(double time);
    std::size_t shownPoints() const { return shown_; }

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;

private:
    std::vector<TrackPoint> track_;
    std::vector<GridPoint> grid_;
    std::size_t shown_ = 0;
};

/// One record's marker, drawn once its time has come.
class MarkerItem : public ChartItem {
public:
    MarkerItem(const ReplayMarker& marker, ChartView* view);
    void showUpTo(double time);
    bool shown() const { return shown_; }

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;

private:
    ReplayMarker marker_;
    bool shown_ = false;
};

class ReplayMap : public ChartWindow {
public:
    /// A windowed map over a rectangle of the parent, on a grid (none: empty), of a story.
    ReplayMap(WindowHandle parent, const Rect& area, const DemGrid* grid, const ReplayStory& story);
    ~ReplayMap() override;

    /// Plays the story back to a time (held within the story).
    void setTime(double time);
    double time() const { return time_; }
    const TrackItem* track() const { return track_.get(); }
    /// How many markers show.
    int shownMarkers() const;

private:
    double endTime_;
    double time_ = 0.0;
    std::unique_ptr<TrackItem> track_;
    std::vector<std::unique_ptr<MarkerItem>> markers_;
};

} // namespace q71
