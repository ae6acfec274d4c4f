#pragma once
// What the navigation chart shows of the own boat and the world: one marker per contact (the
// contacts display: the own boat's record, drawn with its designation) or per entity (the true
// display: the entity itself, and a torpedo it launched as a cyan dot), and the own boat's.
// A marker draws what its last update saw, and its box (what the chart repaints when it moves,
// changes or goes) holds all that: its symbol at any course with its designation, and its
// torpedoes' dots wherever they run.

#include "sim/simulation/tactical_symbols.h"
#include "tactical/charts/chart_item.h"

#include <cstdint>
#include <utility>
#include <vector>

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

    /// Draws what the last follow saw.
    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;
    /// Takes what the marker shows now and moves to a world position with a box around it; the
    /// chart repaints all it drew before and all it draws now, also when only what it draws
    /// changed (a turn, a designation, a torpedo running).
    void follow(double worldX, double worldY);
    /// follow at the position it stands at (a contact's record changed).
    void refresh();

    std::int32_t id() const { return id_; }
    bool ownShip() const { return ownShip_; }
    double refreshTime = 0.0; ///< game time of the last update that saw it

private:
    /// What the marker shows now: its symbol (none when its entity or record is gone) and the
    /// grid positions (column, row) of its entity's torpedoes (true display).
    struct Look {
        TacticalSymbolLook symbol;
        std::vector<std::pair<double, double>> torpedoes;

        friend bool operator==(const Look&, const Look&) = default;
    };
    Look look() const;
    /// What the marker draws at a world position: its symbol about its point and its torpedoes'
    /// dots wherever they are.
    ChartViewRecord drawnBox(const Look& look, double worldX, double worldY) const;

    std::int32_t id_;
    bool ownShip_;
    const NavDisplay& display_;
    Look followed_; ///< what the last follow saw: what it draws
};

} // namespace q71
