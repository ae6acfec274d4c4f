#pragma once
// The editor's map: a chart window whose plain clicks and drags edit the mission (placing,
// picking, dragging, deleting; a right click edits) through the screen's handler; Control-clicks
// still zoom.

#include "tactical/charts/chart_window.h"
#include "tactical/charts/mark_strip.h"

namespace q71 {

/// What the map tells of the pointer, in world metres.
class MapEditing {
public:
    virtual ~MapEditing() = default;
    virtual void mapPressed(double worldX, double worldY, Point pixel) = 0;
    virtual void mapDragged(double worldX, double worldY) = 0;
    virtual void mapReleased() = 0;
    /// A right click: edit what stands there.
    virtual void mapEdit(Point pixel) = 0;
    /// Draws over the terrain, under the objects.
    virtual void drawMapOverlay(DeviceContext& dc, const ChartView& view) = 0;
};

/// The marks of the objects and route points (editor_marks.h), read from the selected group.
struct EditorMarks {
    MarkStrip objects;
    MarkStrip waypoints;
    /// False when either strip is missing, damaged or not of the marks' size.
    bool load();
};

class EditorMap : public ChartWindow {
public:
    /// An empty map until its owner gives it the mission's grid. Its marks come from the
    /// selected group ("editor"); without them the program cannot go on.
    EditorMap(WindowHandle parent, const Rect& area, MapEditing& editing);

    const EditorMarks& marks() const { return marks_; }

    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onRightDown(int x, int y) override;
    void drawOverlay(DeviceContext& backBuffer) override;

private:
    /// The world position under a pixel; false without a grid.
    bool worldAt(int x, int y, double* worldX, double* worldY) const;

    MapEditing& editing_;
    EditorMarks marks_;
    bool pressed_ = false;
};

} // namespace q71
