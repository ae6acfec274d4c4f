#include "frontend/debrief/replay_map.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr int kMarkerBox = 8;

// The record of an item whose drawing reaches kMarkerBox pixels around its position.
ChartViewRecord markerRecord() {
    ChartViewRecord record;
    chartMakeRecord(record, -kMarkerBox, kMarkerBox, -kMarkerBox, kMarkerBox, 0, 0, 0, 0);
    return record;
}

} // namespace

TrackItem::TrackItem(const std::vector<TrackPoint>& track, ChartView* view)
    : ChartItem(track.front().x, track.front().y, nullptr, nullptr), track_(track),
      grid_(trackOnGrid(track)) {
    std::vector<double> xs, ys;
    for (const TrackPoint& p : track_) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    const ChartViewRecord record = markerRecord();
    ChartSymbol::moveTo(x(), y(), &record);
    setWorldPositionEx(track_.front().x, track_.front().y, xs, ys);
    attach(view);
}

void TrackItem::showUpTo(double time) {
    const auto n = static_cast<std::size_t>(
        std::count_if(track_.begin(), track_.end(), [time](const TrackPoint& p) { return p.time <= time; }));
    if (n == shown_)
        return;
    shown_ = n;
    notifyViews();
}

void TrackItem::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    if (grid_.empty() || shown_ == 0)
        return;
    // The pixels relative to this copy of the item, so that a wrapped copy draws its own track.
    const ChartTransform t = view.getTransform();
    const Point origin = t.toPixel(ChartSymbol::x(), ChartSymbol::y());
    std::vector<Point> pixels = chartPixels(t, std::span<const GridPoint>(grid_.data(), shown_));
    for (Point& p : pixels)
        p = {p.x - origin.x + x, p.y - origin.y + y};
    drawTrackLine(dc, pixels);
}

MarkerItem::MarkerItem(const ReplayMarker& marker, ChartView* view)
    : ChartItem(marker.x, marker.y, nullptr, nullptr), marker_(marker) {
    const ChartViewRecord record = markerRecord();
    setWorldPosition(marker.x, marker.y, &record);
    attach(view);
}

void MarkerItem::showUpTo(double time) {
    const bool shows = ReplayStory::markerShows(marker_, time);
    if (shows == shown_)
        return;
    shown_ = shows;
    notifyViews();
}

void MarkerItem::draw(DeviceContext& dc, ChartView&, int x, int y, ChartViewRecord&) {
    if (shown_)
        drawReplayMarker(dc, {x, y}, marker_.kind);
}

ReplayMap::ReplayMap(WindowHandle parent, const Rect& area, const DemGrid* grid, const ReplayStory& story)
    : ChartWindow(parent, area.left, area.top, area.width(), area.height(), grid), endTime_(story.endTime) {
    if (!story.track.empty())
        track_ = std::make_unique<TrackItem>(story.track, this);
    for (const ReplayMarker& marker : story.markers)
        markers_.push_back(std::make_unique<MarkerItem>(marker, this));
    setTime(0.0);
}

ReplayMap::~ReplayMap() {
    // The items leave the chart before it goes.
    markers_.clear();
    track_.reset();
}

void ReplayMap::setTime(double time) {
    time_ = std::isfinite(time) ? std::clamp(time, 0.0, endTime_) : 0.0;
    if (track_)
        track_->showUpTo(time_);
    for (auto& marker : markers_)
        marker->showUpTo(time_);
}

int ReplayMap::shownMarkers() const {
    return static_cast<int>(
        std::count_if(markers_.begin(), markers_.end(), [](const auto& m) { return m->shown(); }));
}

} // namespace q71
