#pragma once
// The two live charts of the stations that share a view and the navigation waypoints: the
// navigation chart and the fire-control chart. Each registers itself while it exists (null
// otherwise, and every use checks). Both can be locked on the own boat; closing either station
// hands its view to the other.

#include "sim/simulation/geometry.h"
#include "sim/simulation/tactical_symbols.h"
#include "tactical/charts/chart_window.h"

#include <vector>

namespace q71 {

class ChartSymbol;
class Entity;
struct ContactRecord;

class OwnShipChart : public ChartWindow {
public:
    using ChartWindow::ChartWindow;

    bool ownShipLocked() const { return ownShipLock_; }
    void setOwnShipLock(bool on) { ownShipLock_ = on; }
    /// Pinned on the own boat's grid position while locked (and the chart has a grid), else unpinned.
    void recentre();
    /// Copies the lock (then re-centres the other), the centre and scale, and the scale bar, grid
    /// lines and pointer readout flags (each change repaints the other chart).
    void copyViewTo(OwnShipChart& other) const;
    /// The navigation waypoints as the mission save keeps them, newest first; none here.
    virtual std::vector<WorldPoint> waypointPositions() const { return {}; }
    /// Shows the navigation waypoints on another chart too; none here.
    virtual void showWaypointsOn(ChartView&) {}
    /// The graphics, then the view re-centred as the lock says.
    void loadGraphics() override;

private:
    bool ownShipLock_ = true;
};

/// Where the charts place a contact: at its bearing and range from the own boat.
WorldPoint chartContactPoint(const Entity& own, const ContactRecord& contact);
/// How the charts show the own boat (none without its motion) and a contact of its record, with
/// the contact's designation.
TacticalSymbolLook chartOwnBoatLook(const Entity& own);
TacticalSymbolLook chartContactLook(const ContactRecord& contact);

/// The live navigation chart, or null.
OwnShipChart* stationNavChart();
void stationSetNavChart(OwnShipChart* chart);
/// The live fire-control chart, or null.
OwnShipChart* stationFireChart();
void stationSetFireChart(OwnShipChart* chart);

} // namespace q71
