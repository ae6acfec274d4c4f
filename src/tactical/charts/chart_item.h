#pragma once
// A chart symbol placed by world position (metres east and north of the terrain grid's
// south-west corner), converted through the current terrain world. Its moves and position are
// in world metres, moveToBox included; the box it spans is kept in grid units as every symbol's.
// The mission editor's map objects and the stations' chart symbols derive from it.

#include "tactical/charts/chart_symbol.h"

#include <span>

namespace q71 {

class ChartItem : public ChartSymbol {
public:
    /// At the grid point of a world position, with the record (none: the default), on the view.
    ChartItem(double worldX, double worldY, const ChartViewRecord* record, ChartView* view);

    void setWorldPosition(double worldX, double worldY, const ChartViewRecord* record);
    /// The position in world metres; false (outputs untouched) without a terrain grid.
    bool worldPosition(double* worldX, double* worldY) const;
    /// Moves to a position with a box that also spans every listed world point (to the sides
    /// they lie on); nothing when the lists differ in length or are empty.
    void setWorldPositionEx(double worldX, double worldY, std::span<const double> xs,
                            std::span<const double> ys);
    void setWorldPositionWithPoint(double worldX, double worldY, double pointX, double pointY);
    /// Moves with the current pixel offsets and no world offsets.
    void setWorldPositionBoxed(double worldX, double worldY);

    /// World coordinates, as setWorldPosition.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override;
    /// World coordinates, as worldPosition.
    void getPosition(double* worldX, double* worldY) const override;
};

} // namespace q71
