// The map plot's mouse and keys: clicks, measuring drags, scrolling past the edge, zoom clicks
// with Control, the pointer readout with Shift, and the character bindings.

#include "tactical/charts/map_plot.h"

#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"

#include <cctype>
#include <cstdlib>

namespace q71 {
namespace {

bool bound(const std::string& characters, int character) {
    if (character <= 0 || character > 255)
        return false;
    const int wanted = std::tolower(character);
    for (unsigned char c : characters)
        if (std::tolower(c) == wanted)
            return true;
    return false;
}

// Bit 30 of a key message: the key was already down (an auto-repeat).
bool isRepeat(LParam lParam) {
    return (lParam & (LParam{1} << 30)) != 0;
}

} // namespace

void MapPlot::scheduleRepaint() {
    if (windowIsValid(window_))
        timerSet(window_, kRepaintTimer, 10);
}

void MapPlot::refreshPointer() {
    if (!windowIsValid(window_))
        return;
    const Point at = windowScreenToClient(window_, cursorGetPosition());
    getTransform().toGrid(at.x, at.y, &pointerX_, &pointerY_);
    pointerValid_ = true;
}

void MapPlot::zoomAt(Point point, double scale) {
    double gx = 0, gy = 0;
    getTransform().toGrid(point.x, point.y, &gx, &gy);
    setView(gx, gy, scale, defaultSteps());
}

void MapPlot::startMeasure(std::optional<Point> point, bool capture) {
    if (autoScrolling_ && windowIsValid(window_))
        timerKill(window_, kAutoScrollTimer);
    autoScrolling_ = false;
    if (!hasGrid() || !measureEnabled_)
        return;
    if (dragState_ == 2)
        scheduleRepaint();
    if (point) {
        dragState_ = 1;
        getTransform().toGrid(point->x, point->y, &startX_, &startY_);
        if (capture && windowIsValid(window_)) {
            captureSet(window_);
            captured_ = true;
        }
    } else {
        dragState_ = 0;
        if (captured_)
            captureRelease();
        captured_ = false;
    }
}

void MapPlot::dragStep(std::optional<Point> point, bool autoScroll) {
    if (autoScrolling_ && windowIsValid(window_))
        timerKill(window_, kAutoScrollTimer);
    autoScrolling_ = false;
    if (dragState_ < 1)
        return;
    if (!point) {
        if (dragState_ == 2)
            scheduleRepaint();
        dragState_ = 1;
        return;
    }
    getTransform().toGrid(point->x, point->y, &endX_, &endY_);
    dragState_ = 2;
    scheduleRepaint();
    if (!autoScroll)
        return;
    const int w = imageWidth();
    const int h = imageHeight();
    const bool outsideX = point->x < 0 || point->x >= w;
    const bool outsideY = point->y < 0 || point->y >= h;
    if (!outsideX && !outsideY)
        return;
    const int sx = point->x < 0 ? point->x - 3 : point->x >= w ? point->x - w + 4 : 0;
    const int sy = point->y < 0 ? point->y - 3 : point->y >= h ? point->y - h + 4 : 0;
    double gx = 0, gy = 0;
    getTransform().toGrid(w / 2 + sx, h / 2 + sy, &gx, &gy);
    setView(outsideX ? gx : centreX(), outsideY ? gy : centreY(), pendingScale(), 1);
    if (captured_ && windowIsValid(window_)) {
        timerSet(window_, kAutoScrollTimer, 10);
        autoScrolling_ = true;
        lastDrag_ = *point;
    }
}

void MapPlot::stopDrag() {
    if (autoScrolling_ && windowIsValid(window_))
        timerKill(window_, kAutoScrollTimer);
    autoScrolling_ = false;
    if (dragState_ == 2)
        scheduleRepaint();
    dragState_ = 0;
    if (captured_)
        captureRelease();
    captured_ = false;
}

void MapPlot::onTimer(std::uintptr_t id) {
    if (id == kAutoScrollTimer) {
        dragStep(lastDrag_, true);
    } else if (id == kRepaintTimer) {
        timerKill(window_, kRepaintTimer);
        windowInvalidate(window_, nullptr, false);
    } else {
        ChartView::onTimer(id);
    }
}

void MapPlot::onLeftDown(int x, int y) {
    const Point at{x, y};
    if (zoomMode_) {
        zoomAt(at, pendingScale() * zoomFactor());
        return;
    }
    if (clickDetect_) {
        press_ = at;
        pressed_ = true;
        dragStarted_ = false;
        return;
    }
    if (!measureEnabled_)
        centreAtPoint(at);
    else
        startMeasure(at, true);
}

void MapPlot::onMouseMove(int x, int y) {
    const Point at{x, y};
    if (clickDetect_ && pressed_ && !dragStarted_ &&
        (std::abs(x - press_.x) > dragThreshold_ || std::abs(y - press_.y) > dragThreshold_)) {
        dragStarted_ = true;
        startMeasure(press_, true);
    }
    dragStep(at, true);
    if (readoutEnabled_ && (readoutLatched_ || readoutHeld_)) {
        getTransform().toGrid(x, y, &pointerX_, &pointerY_);
        pointerValid_ = true;
        scheduleRepaint();
    }
}

void MapPlot::onLeftUp(int x, int y) {
    const bool click = pressed_ && !dragStarted_;
    pressed_ = false;
    dragStarted_ = false;
    const auto alive = watch();
    if (click)
        centreAtPoint(press_);
    if (alive.expired())
        return;
    stopDrag();
    BaseWidget::onLeftUp(x, y);
}

void MapPlot::onRightDown(int x, int y) {
    if (!zoomMode_)
        return;
    // A zero factor asks for scale 0, which the limits raise to the smallest.
    zoomAt({x, y}, zoomFactor() != 0 ? pendingScale() / zoomFactor() : 0.0);
}

int MapPlot::onKeyDown(std::uint32_t key, LParam lParam) {
    if (isRepeat(lParam))
        return 0;
    int handled = 0;
    if (key == readoutKey_) {
        readoutHeld_ = true;
        scheduleRepaint();
        refreshPointer();
        handled = 1;
    }
    if (zoomClickEnabled_ && key == zoomKey_) {
        zoomMode_ = true;
        cursorSet(zoomCursor_);
        handled = 1;
    }
    if (!keyCommands_ || key == 0)
        return handled;
    if (key == zoomInKey_)
        scaleUp();
    else if (key == zoomOutKey_)
        scaleDown();
    else if (key == panXMinusKey_)
        panXMinus();
    else if (key == panXPlusKey_)
        panXPlus();
    else if (key == panYMinusKey_)
        panYMinus();
    else if (key == panYPlusKey_)
        panYPlus();
    else if (key == centreKey_)
        centreAtPoint(std::nullopt);
    else
        return handled;
    return 1;
}

int MapPlot::onKeyUp(std::uint32_t key, LParam) {
    int handled = 0;
    if (key == readoutKey_) {
        readoutHeld_ = false;
        scheduleRepaint();
        handled = 1;
    }
    if (key == zoomKey_) {
        zoomMode_ = false;
        restoreCursor();
        handled = 1;
    }
    return handled;
}

int MapPlot::onChar(int character) {
    bool handled = false;
    if (keyCommands_) {
        const std::pair<const std::string*, void (MapPlot::*)()> commands[] = {
            {&characters_.zoomIn, &MapPlot::scaleUp},      {&characters_.zoomOut, &MapPlot::scaleDown},
            {&characters_.panXMinus, &MapPlot::panXMinus}, {&characters_.panXPlus, &MapPlot::panXPlus},
            {&characters_.panYMinus, &MapPlot::panYMinus}, {&characters_.panYPlus, &MapPlot::panYPlus},
        };
        for (const auto& [text, action] : commands)
            if (bound(*text, character)) {
                (this->*action)();
                return 1;
            }
        if (bound(characters_.centre, character)) {
            centreAtPoint(std::nullopt);
            return 1;
        }
    }
    if (scaleBarToggle_ && bound(characters_.scaleBar, character)) {
        showScaleBar(!scaleBarShown_);
        handled = true;
    }
    if (readoutEnabled_ && bound(characters_.readout, character)) {
        latchReadout(!readoutLatched_);
        refreshPointer();
        handled = true;
    }
    if (gridToggle_ && bound(characters_.gridLines, character)) {
        showGridLines(!gridShown_);
        handled = true;
    }
    if (measureToggle_ && bound(characters_.measure, character)) {
        handled = true;
        if (dragState_ == 2) {
            startMeasure(std::nullopt, false);
        } else if (windowIsValid(window_)) {
            const Point at = windowScreenToClient(window_, cursorGetPosition());
            if (windowGetClientRect(window_).contains(at))
                startMeasure(at, false);
        }
    }
    return handled ? 1 : 0;
}

void MapPlot::onSetCursor() {
    const bool held = keyGetState(readoutKey_) < 0;
    if (held != readoutHeld_) {
        readoutHeld_ = held;
        scheduleRepaint();
    }
    zoomMode_ = zoomClickEnabled_ && keyGetState(zoomKey_) < 0;
    if (zoomMode_)
        cursorSet(zoomCursor_);
    else
        restoreCursor();
}

} // namespace q71
