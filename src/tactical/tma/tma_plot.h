#pragma once
// The TMA plot: a windowed display of 277 by 265 pixels that once a second moves the solution on,
// draws the own boat's track, the selected contact's fixes, the solution line and the residual
// strip, and lets the operator drag the line's tail, the line or its head. Its right-button menu
// chooses the sources and the history window; the screen carries out the menu's commands.

#include "framework/widgets/base_widget.h"
#include "framework/widgets/menu_node.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"

#include <memory>

namespace q71 {

class OwnShipEntity;

/// What the plot asks of its screen.
class TmaPlotScreen {
public:
    virtual ~TmaPlotScreen() = default;
    /// The solution's four readouts show the solution.
    virtual void refreshSolutionReadouts() = 0;
    /// The selected contact's four readouts show its stored values.
    virtual void refreshContactReadouts() = 0;
    /// The pointer's bearing and range (yards) from the own boat.
    virtual void showPointer(double bearing, double rangeYards) = 0;
};

class TmaPlot : public BaseWidget {
public:
    static constexpr std::uintptr_t kTimerId = 1300;
    static constexpr std::uint32_t kTickMs = 1000;

    TmaPlot(WindowHandle parentWindow, TmaPlotScreen& screen, int x, int y);
    ~TmaPlot() override;

    /// Draws once on first use, starts the one-second timer unless started, shows the picture.
    void paint(PaintRecord& paint) override;
    /// Each second: the contact readouts, the solution moved on (unless dragged), a new picture.
    void onTick() override;
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onMouseMove(int x, int y) override;
    /// Opens the menu with its check marks at the pointer.
    void onRightDown(int x, int y) override;
    void freeResources() override;

    /// Builds the menu (on opening of the screen), its commands going to `owner`.
    void buildMenu(WindowHandle owner);
    /// Draws the whole plot anew and shows it.
    void redraw();
    /// The timer starts again at the next paint (the screen closed).
    void clearTimerStarted() { timerStarted_ = false; }

    /// The picture last drawn.
    const BitmapRef& picture() const { return shown_; }
    MenuNode& menu() { return menu_; }

private:
    void ensureSurfaces();
    void advanceSolution();
    void drawAll();
    void drawOwnTrack(OwnShipEntity& own);
    void drawFixes();
    void drawSolution();
    void drawStrip(int halfWidth);
    void copyToWindow();
    void setMenuChecks();

    TmaPlotScreen& screen_;
    std::unique_ptr<DeviceContext> surfaceDc_, shownDc_;
    BitmapRef surface_, shown_;
    bool drawnOnce_ = false;
    bool timerStarted_ = false;
    MenuNode menu_;
    BitmapRef menuPattern_;
};

} // namespace q71
