#include "tactical/charts/chart_item.h"

#include "sim/world/terrain_world.h"

#include <algorithm>

namespace q71 {

ChartItem::ChartItem(double worldX, double worldY, const ChartViewRecord* record, ChartView* view) {
    double column = 0, row = 0;
    worldToGrid(worldX, worldY, &column, &row);
    place(column, row, record ? *record : ChartViewRecord{});
    attach(view);
}

void ChartItem::setWorldPosition(double worldX, double worldY, const ChartViewRecord* record) {
    double column = 0, row = 0;
    if (worldToGrid(worldX, worldY, &column, &row))
        ChartSymbol::moveTo(column, row, record);
}

bool ChartItem::worldPosition(double* worldX, double* worldY) const {
    double x = 0, y = 0;
    if (!gridToWorld(ChartSymbol::x(), ChartSymbol::y(), &x, &y))
        return false;
    if (worldX)
        *worldX = x;
    if (worldY)
        *worldY = y;
    return true;
}

void ChartItem::setWorldPositionEx(double worldX, double worldY, std::span<const double> xs,
                                   std::span<const double> ys) {
    double column = 0, row = 0;
    if (xs.empty() || xs.size() != ys.size() || !worldToGrid(worldX, worldY, &column, &row))
        return;
    ChartViewRecord box = record();
    box.lowerX = box.upperX = box.lowerY = box.upperY = 0.0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        double c = 0, r = 0;
        if (!worldToGrid(xs[i], ys[i], &c, &r))
            return;
        box.lowerX = std::min(box.lowerX, c - column);
        box.upperX = std::max(box.upperX, c - column);
        box.lowerY = std::min(box.lowerY, r - row);
        box.upperY = std::max(box.upperY, r - row);
    }
    ChartSymbol::moveTo(column, row, &box);
}

void ChartItem::setWorldPositionWithPoint(double worldX, double worldY, double pointX, double pointY) {
    setWorldPositionEx(worldX, worldY, std::span<const double>(&pointX, 1),
                       std::span<const double>(&pointY, 1));
}

void ChartItem::setWorldPositionBoxed(double worldX, double worldY) {
    ChartViewRecord box = record();
    box.lowerX = box.upperX = box.lowerY = box.upperY = 0.0;
    setWorldPosition(worldX, worldY, &box);
}

void ChartItem::moveTo(double worldX, double worldY, const ChartViewRecord* record) {
    setWorldPosition(worldX, worldY, record);
}

void ChartItem::getPosition(double* worldX, double* worldY) const {
    worldPosition(worldX, worldY);
}

} // namespace q71
