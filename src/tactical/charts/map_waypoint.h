#pragma once
// One point of a route on a map: where it lies, the depth to take there and the speed of the
// leg that leads to it. A route is a chain of points behind the map object that owns it; each
// point draws its mark and the leg from the point before it (or from the owner, for the first)
// with an arrow head halfway, and keeps its box around that leg so the chart repaints it whole.

#include "tactical/charts/map_object.h"

namespace q71 {

/// A route point as a scenario stores it: world metres, depth in whole metres (negative below
/// the surface) and speed in speed units.
struct MapWaypointRecord {
    double x = 0.0;
    double y = 0.0;
    int depth = 0;
    int speed = 0;
};

class MapWaypoint : public MapObject {
public:
    /// At a world position behind `previous` (none: the first point of `owner`'s route), on the
    /// owner's views; links itself after `previous`, before what followed it.
    MapWaypoint(double worldX, double worldY, MapWaypoint* previous, MapObject* owner);
    /// Leaves the route, joining its neighbours.
    ~MapWaypoint() override;

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;
    /// World coordinates; the leg to the next point follows.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override;

    /// The point's own mark centred on (x, y), drawn over its leg: a filled square, white when
    /// selected; charts that have their own mark draw it instead.
    virtual void drawMark(DeviceContext& dc, ChartView& view, int x, int y);

    /// True when a pixel of a view lies on the point's mark.
    bool hitTest(const ChartView& view, Point pixel) const;
    /// The point as a scenario stores it.
    MapWaypointRecord save() const;
    /// Metres from the previous point (or the owner) to this one; 0 without a grid.
    double legDistance() const;
    /// Where the leg to this point starts, world metres; false without a grid.
    bool legStart(double* worldX, double* worldY) const;
    /// Takes the start of the leg anew (after the owner or the previous point moved).
    void refreshLeg();

    MapWaypoint* previous() const { return previous_; }
    MapWaypoint* next() const { return next_; }
    MapObject* owner() const { return owner_; }

    bool visible = true;
    bool selected = false;
    int depth = 0; ///< whole metres, negative below the surface
    int speed = 0; ///< speed units on the leg to this point

private:
    MapWaypoint* previous_ = nullptr;
    MapWaypoint* next_ = nullptr;
    MapObject* owner_ = nullptr;
};

} // namespace q71
