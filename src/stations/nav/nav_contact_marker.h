#pragma once
// What the navigation chart shows of the own boat and the world: one marker per contact (the
// contacts display: the own boat's record, drawn with its designation) or per entity (the true
// display: the entity itself, and a torpedo it launched as a cyan dot), and the own boat's.

#include "tactical/charts/chart_item.h"

#include <cstdint>

namespace q71 {

/// Which display the markers draw.
struct NavDisplay {
    bool contacts = true;
    bool truth = false;
};

class NavContactMarker : public ChartItem {
public:
    /// A marker of an entity or contact id at a world position on the chart.
    NavContactMarker(std::int32_t id, bool ownShip, double worldX, double worldY, const NavDisplay& display,
                     ChartView* chart);

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;

    std::int32_t id() const { return id_; }
    bool ownShip() const { return ownShip_; }
    double refreshTime = 0.0; ///< game time of the last update that saw it

private:
    void drawOwnShip(DeviceContext& dc, int x, int y) const;
    void drawContact(DeviceContext& dc, int x, int y) const;
    void drawEntity(DeviceContext& dc, ChartView& view, int x, int y) const;

    std::int32_t id_;
    bool ownShip_;
    const NavDisplay& display_;
};

} // namespace q71
