#include "editor/missioneditor/editor_map.h"

#include "editor/missioneditor/editor_marks.h"
#include "framework/app/reporter.h"
#include "platform/window/keyboard.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"
#include "sim/world/terrain_world.h"

namespace q71 {

bool EditorMarks::load() {
    return objects.load(kObjectMarksName, kObjectMarkFrames) && objects.frameWidth() == kObjectMarkSize &&
           waypoints.load(kWaypointMarksName, kWaypointMarkFrames) && waypoints.frameWidth() == kWaypointMarkSize;
}

EditorMap::EditorMap(WindowHandle parent, const Rect& area, MapEditing& editing)
    : ChartWindow(parent, area.left, area.top, area.width(), area.height(), nullptr), editing_(editing) {
    if (!marks_.load())
        reportFatal(kObjectMarksName, __LINE__, "EditorMap", 1);
}

bool EditorMap::worldAt(int x, int y, double* worldX, double* worldY) const {
    if (!grid())
        return false;
    double column = 0, row = 0;
    getTransform().toGrid(x, y, &column, &row);
    return gridToWorld(column, row, worldX, worldY);
}

void EditorMap::onLeftDown(int x, int y) {
    double worldX = 0, worldY = 0;
    if (keyGetState(VK_CONTROL) < 0 || !worldAt(x, y, &worldX, &worldY)) {
        ChartWindow::onLeftDown(x, y);
        return;
    }
    pressed_ = true;
    captureSet(window_);
    editing_.mapPressed(worldX, worldY, Point{x, y});
}

void EditorMap::onMouseMove(int x, int y) {
    double worldX = 0, worldY = 0;
    if (pressed_ && worldAt(x, y, &worldX, &worldY))
        editing_.mapDragged(worldX, worldY);
    ChartWindow::onMouseMove(x, y);
}

void EditorMap::onRightDown(int x, int y) {
    if (keyGetState(VK_CONTROL) < 0 || !grid()) {
        ChartWindow::onRightDown(x, y);
        return;
    }
    editing_.mapEdit(Point{x, y});
}

void EditorMap::drawOverlay(DeviceContext& backBuffer) {
    ChartWindow::drawOverlay(backBuffer);
    editing_.drawMapOverlay(backBuffer, *this);
}

void EditorMap::onLeftUp(int x, int y) {
    if (!pressed_) {
        ChartWindow::onLeftUp(x, y);
        return;
    }
    pressed_ = false;
    captureRelease();
    editing_.mapReleased();
}

} // namespace q71
