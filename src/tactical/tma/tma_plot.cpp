#include "tactical/tma/tma_plot.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/resources/program_resources.h"
#include "platform/window/focus.h"
#include "platform/window/window_layout.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/upgrades.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/tma/tma_selection.h"
#include "tactical/tma/tma_solution.h"

#include <array>
#include <string_view>

namespace q71 {
namespace {

constexpr int kMenuPatternBitmap = 103;
constexpr ColorRef kMenuGround = 0x292118;

struct MenuEntry {
    std::string_view label;
    std::uint16_t command;
};

// The menu's items; command 0 is a heading.
constexpr std::array<MenuEntry, 13> kMenuEntries = {{
    {"Source", 0},
    {"  Most Recent", 18},
    {"  Visual", 19},
    {"  Active", 20},
    {"  Radar", 21},
    {"  Sonar", 22},
    {"  ESM", 23},
    {"History", 0},
    {"  Clear", 24},
    {"  10 Min", 25},
    {"  20 Min", 26},
    {"  1 Hour", 27},
    {"  4 Hour", 28},
}};

} // namespace

TmaPlot::TmaPlot(WindowHandle parentWindow, TmaPlotScreen& screen, int x, int y)
    : BaseWidget(parentWindow, x, y, kTmaPlotWidth, kTmaPlotHeight, true), screen_(screen) {
    setName("darea1");
    setControlId(static_cast<int>(kTimerId));
}

TmaPlot::~TmaPlot() {
    menu_.destroy();
}

void TmaPlot::ensureSurfaces() {
    if (surfaceDc_)
        return;
    surface_ = Bitmap::createCompatible(kTmaPlotWidth, kTmaPlotHeight);
    shown_ = Bitmap::createCompatible(kTmaPlotWidth, kTmaPlotHeight);
    surfaceDc_ = DeviceContext::createMemory();
    shownDc_ = DeviceContext::createMemory();
    surfaceDc_->selectBitmap(surface_);
    shownDc_->selectBitmap(shown_);
}

void TmaPlot::paint(PaintRecord& paint) {
    ensureSurfaces();
    if (!drawnOnce_) {
        drawnOnce_ = true;
        drawAll();
    }
    if (!timerStarted_) {
        startTimer(kTickMs);
        timerStarted_ = true;
    }
    bitBlt(*paint.dc, 0, 0, kTmaPlotWidth, kTmaPlotHeight, shownDc_.get(), 0, 0, kSrcCopy);
}

void TmaPlot::onTick() {
    screen_.refreshContactReadouts();
    if (tmaState().drag == kDragNone)
        advanceSolution();
    redraw();
}

void TmaPlot::advanceSolution() {
    TmaState& state = tmaState();
    TmaSolution& solution = state.solution;
    const double now = simClock().gameClock;
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion || solution.lastUpdate >= now)
        return;
    const ContactRecord* contact = tmaSelectedContact();
    if (crewAssistEnabled(kTmaAssistStation) && contact) {
        // The crew's solution stands; the target runs on along it.
        solution.bearing = contact->bearing;
        solution.range = contact->range;
        solution.course = contact->course;
        solution.speed = contact->speed;
        tmaKeepLimits(solution);
        tmaRunOn(solution.targetX, solution.targetY, solution.course, solution.speed,
                 now - solution.lastUpdate, solution.targetX, solution.targetY);
        solution.lastUpdate = now;
    } else {
        tmaAdvance(solution, state.holds, own->motion->x, own->motion->y, now);
    }
    screen_.refreshSolutionReadouts();
}

void TmaPlot::redraw() {
    ensureSurfaces();
    drawnOnce_ = true;
    drawAll();
    copyToWindow();
}

void TmaPlot::copyToWindow() {
    bitBlt(*shownDc_, 0, 0, kTmaPlotWidth, kTmaPlotHeight, surfaceDc_.get(), 0, 0, kSrcCopy);
    if (auto dc = getWindowDC(window_))
        bitBlt(*dc, 0, 0, kTmaPlotWidth, kTmaPlotHeight, shownDc_.get(), 0, 0, kSrcCopy);
}

void TmaPlot::onLeftDown(int x, int y) {
    TmaState& state = tmaState();
    state.drag = tmaGrab(state, x, y);
    if (state.drag != kDragNone)
        captureSet(window_);
}

void TmaPlot::onMouseMove(int x, int y) {
    TmaState& state = tmaState();
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    const double ownX = own->motion->x, ownY = own->motion->y;
    double wx = 0.0, wy = 0.0;
    tmaToWorld(state.view, x, y, wx, wy);
    screen_.showPointer(geoBearing(wx - ownX, wy - ownY), geoRange(wx - ownX, wy - ownY) * kMetresToYards);
    if (state.drag == kDragNone)
        return;
    tmaDragTo(state, x, y, ownX, ownY, simClock().gameClock);
    screen_.refreshSolutionReadouts();
    redraw();
}

void TmaPlot::onLeftUp(int, int) {
    TmaState& state = tmaState();
    if (state.drag != kDragNone && captureGet() == window_)
        captureRelease();
    state.drag = kDragNone;
    state.solution.lastUpdate = simClock().gameClock;
}

void TmaPlot::buildMenu(WindowHandle owner) {
    menu_.destroy();
    menuPattern_ = resourceLoadBitmap(kMenuPatternBitmap);
    const Brush brush = menuPattern_ ? createPatternBrush(menuPattern_.get()) : createSolidBrush(kMenuGround);
    menu_.init("TMA", 0, 0, brush, appChartFont(), menuPattern_);
    for (const MenuEntry& entry : kMenuEntries)
        menu_.addItems(entry.label, entry.command);
    menu_.setOwnerWindow(owner);
}

void TmaPlot::setMenuChecks() {
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return;
    const TmaSources& sources = own->tmaSources;
    const auto shown = [&](int type) { return sources.shown[static_cast<std::size_t>(type)]; };
    menu_.setItemState("  Most Recent", !sources.explicitSelection);
    menu_.setItemState("  Visual", shown(8) || shown(9));
    menu_.setItemState("  Active", shown(4));
    menu_.setItemState("  Radar", shown(7));
    menu_.setItemState("  Sonar", tmaState().sonarSources);
    menu_.setItemState("  ESM", shown(11));
    menu_.setItemState("  10 Min", sources.historyWindow == 5);
    menu_.setItemState("  20 Min", sources.historyWindow == 10);
    menu_.setItemState("  1 Hour", sources.historyWindow == 30);
    menu_.setItemState("  4 Hour", sources.historyWindow == 120);
}

void TmaPlot::onRightDown(int x, int y) {
    if (menu_.itemCount() == 0)
        return;
    setMenuChecks();
    const Point at = windowClientToScreen(window_, {x, y});
    const Brush brush = menuPattern_ ? createPatternBrush(menuPattern_.get()) : createSolidBrush(kMenuGround);
    menu_.setPosition(at.x, at.y, brush, appChartFont(), menuPattern_);
    menu_.createWindow();
}

void TmaPlot::freeResources() {
    menu_.destroy();
    menuPattern_.reset();
    timerStarted_ = false;
    stopTimer();
}

} // namespace q71
