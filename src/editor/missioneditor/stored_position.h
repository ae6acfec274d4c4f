#pragma once
// A map item of the editor that keeps its world position as the scenario file stores it: the
// position read from the file, or the one the player last moved it to. The chart holds positions
// in grid units, and world metres taken back from them differ from the file's in their last bits,
// so a scenario saved unchanged would not be the file that was opened.

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
        : MapItem(worldX, worldY, std::forward<Rest>(rest)...), storedX_(worldX), storedY_(worldY) {}

    /// World coordinates; a position the grid cannot hold moves nothing and is not kept.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override {
        double column = 0, row = 0;
        if (worldToGrid(worldX, worldY, &column, &row)) {
            storedX_ = worldX;
            storedY_ = worldY;
        }
        MapItem::moveTo(worldX, worldY, record);
    }

    /// The position a scenario stores, world metres.
    double storedX() const { return storedX_; }
    double storedY() const { return storedY_; }

private:
    double storedX_;
    double storedY_;
};

} // namespace q71
