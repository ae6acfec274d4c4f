#include "editor/missioneditor/goal_areas.h"

#include "editor/missioneditor/goal_form.h"
#include "platform/gdi/device_context.h"
#include "sim/scoring/goal_tree.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"

#include <cmath>
#include <string>

namespace q71 {
namespace {

constexpr ColorRef kAreaColour = rgb(255, 176, 48);
constexpr int kCrossHalf = 3;

/// The pixel of a world position; false off the grid.
bool pixelOf(const ChartView& view, double worldX, double worldY, Point& pixel) {
    double column = 0, row = 0;
    if (!worldToGrid(worldX, worldY, &column, &row))
        return false;
    pixel = view.getTransform().toPixel(column, row);
    return true;
}

/// Pixels across a distance east of a world position (the grid's scale there).
int pixelsEast(const ChartView& view, double worldX, double worldY, double metres, const Point& from) {
    Point to;
    double column = 0, row = 0;
    // Beyond the grid's edge the scale of the nearer side stands.
    if (worldToGrid(worldX + metres, worldY, &column, &row))
        to = view.getTransform().toPixel(column, row);
    else if (worldToGrid(worldX - metres, worldY, &column, &row))
        to = view.getTransform().toPixel(column, row);
    else
        return 0;
    return std::abs(to.x - from.x);
}

} // namespace

void drawGoalAreas(DeviceContext& dc, const ChartView& view, const GoalTree& goals) {
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Dash, 1, kAreaColour));
    const Brush oldBrush = dc.selectBrush(stockBrush(StockObject::NullBrush));
    dc.setBkMode(kTransparent);
    dc.setTextColor(kAreaColour);
    goalTreeForEach(goals.root(), [&](const GoalNode& goal) {
        Point centre;
        if (!goalKindIsArea(goal.kind) || !pixelOf(view, goal.centreX, goal.centreY, centre))
            return;
        if (goal.halfWidth > 0.0) {
            const int w = pixelsEast(view, goal.centreX, goal.centreY, goal.halfWidth, centre);
            const int h = pixelsEast(view, goal.centreX, goal.centreY, goal.halfHeight, centre);
            dc.rectangle(Rect{centre.x - w, centre.y - h, centre.x + w + 1, centre.y + h + 1});
        } else {
            const int r = pixelsEast(view, goal.centreX, goal.centreY, goal.radius, centre);
            dc.ellipse(Rect{centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1});
        }
        dc.moveTo(Point{centre.x - kCrossHalf, centre.y});
        dc.lineTo(Point{centre.x + kCrossHalf + 1, centre.y});
        dc.moveTo(Point{centre.x, centre.y - kCrossHalf});
        dc.lineTo(Point{centre.x, centre.y + kCrossHalf + 1});
        dc.textOut(Point{centre.x + kCrossHalf + 2, centre.y - kCrossHalf - 10}, std::to_string(goal.id));
    });
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

} // namespace q71
