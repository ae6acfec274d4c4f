#pragma once
// A map item of the editor that keeps its world position as the scenario file stores it: the
// position read from the file, or the one the player last moved it to. The chart holds positions
// in grid units, and world metres taken back from them differ from the file's in their last bits,
// so a scenario saved unchanged would not be the file that was opened. An item moved by its grid
// position alone, not through moveTo, stores that position converted.

#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_symbol.h"

#include <utility>

namespace q71 {

template <class MapItem>
class StoredPosition : public MapItem {
public:
    /// The item's own constructor, its world position kept as given.
    template <class... Rest>
    StoredPosition(double worldX, double worldY, Rest&&... rest)
        : MapItem(worldX, worldY, std::forward<Rest>(rest)...) {
        keep(worldX, worldY);
    }

    /// World coordinates; a position the grid cannot convert moves nothing and is not kept.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override {
        MapItem::moveTo(worldX, worldY, record);
        double column = 0, row = 0;
        if (worldToGrid(worldX, worldY, &column, &row))
            keep(worldX, worldY);
    }

    /// The position a scenario stores, world metres: the one kept while the item stands where
    /// it was put, else (moved by its grid position alone) that position converted.
    void storedPosition(double& worldX, double& worldY) const {
        if (MapItem::x() == keptColumn_ && MapItem::y() == keptRow_) {
            worldX = keptX_;
            worldY = keptY_;
        } else {
            MapItem::worldPosition(&worldX, &worldY);
        }
    }

private:
    void keep(double worldX, double worldY) {
        keptX_ = worldX;
        keptY_ = worldY;
        keptColumn_ = MapItem::x();
        keptRow_ = MapItem::y();
    }

    double keptX_ = 0.0, keptY_ = 0.0;
    double keptColumn_ = 0.0, keptRow_ = 0.0; ///< the grid point the kept position was put at
};

} // namespace q71
