#include "tactical/sonar/active_display.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace q71 {

namespace {

constexpr int kLeft = 32;
constexpr int kTop = 45;
constexpr int kHalf = 129; // columns of each half of the circle

} // namespace

ActiveDisplay::ActiveDisplay(WindowHandle page, ActiveSonarState& state, DisplayNoise& noise,
                             std::function<void()> cursorMoved, std::function<void(bool)> echoesPainted)
    : BaseWidget(page, kLeft, kTop, kActiveWidth, kActiveHeight, true), state_(state),
      echoes_(state, picture_, noise), cursorMoved_(std::move(cursorMoved)),
      echoesPainted_(std::move(echoesPainted)) {
    setName("darea1");
}

ActiveDisplay::~ActiveDisplay() {
    if (windowIsValid(window())) {
        timerKill(window(), kEchoTimer);
        timerKill(window(), kOverlayTimer);
    }
}

bool ActiveDisplay::ensurePictures() {
    if (composedDc_)
        return picture_.valid();
    composed_ = Bitmap::createCompatible(kActiveWidth, kActiveHeight);
    composedDc_ = DeviceContext::createMemory();
    composedDc_->selectBitmap(composed_);
    composedDc_->fillRect({0, 0, kActiveWidth, kActiveHeight}, createSolidBrush(kSonarBackground));
    composedDc_->selectFont(appInterfaceFont(kSonarFont));
    composedDc_->setTextColor(kSonarText);
    composedDc_->setBkColor(kSonarBackground);
    // A picture that cannot be made leaves the display blank.
    if (picture_.create(kActiveWidth, kActiveHeight))
        picture_.fill(0);
    return picture_.valid();
}

void ActiveDisplay::paint(PaintRecord& paint) {
    const bool ready = ensurePictures();
    if (ready)
        overlay();
    if (paint.dc && composed_) {
        bitBlt(*paint.dc, 0, 0, kActiveWidth, kActiveHeight, composedDc_.get(), 0, 0, kSrcCopy);
    }
    if (!overlayTimerRunning_ && windowIsValid(window())) {
        timerSet(window(), kOverlayTimer, 100);
        overlayTimerRunning_ = true;
    }
    if (echoesPainted_)
        echoesPainted_(false);
}

void ActiveDisplay::drawScale(DeviceContext& dc) const {
    dc.selectPen(createPen(PenStyle::Solid, 1, kSonarPen));
    dc.moveTo({5, 24});
    dc.lineTo({262, 24});
    struct Tick {
        int bearing;
        const char* label;
        int labelLeft;
    };
    constexpr Tick kTicks[] = {{0, "0", 1}, {90, "90", 3}, {180, "180", 5}, {270, "270", 5}};
    dc.setTextAlign(kTaLeft | kTaTop);
    for (const Tick& tick : kTicks) {
        const int x = activeBearingX(tick.bearing, state_.offset);
        dc.moveTo({x, 21});
        dc.lineTo({x, 24});
        dc.textOut({x - tick.labelLeft, 1}, tick.label);
    }
}

void ActiveDisplay::drawCursor(DeviceContext& dc) const {
    const int x = activeBearingX(sonarState().cursorBearing, state_.offset);
    const int y = activeCursorY(state_.cursorRange, state_.scale);
    const Point square[] = {{x - 5, y - 5}, {x + 5, y - 5}, {x + 5, y + 5}, {x - 5, y + 5}, {x - 5, y - 5}};
    dc.polyline(square);
    dc.moveTo({x, y - 5});
    dc.lineTo({x, kActiveTop});
    dc.moveTo({x, y + 5});
    dc.lineTo({x, kActiveBottom});
}

void ActiveDisplay::overlay() {
    if (!ensurePictures())
        return;
    bitBlt(*composedDc_, 0, 0, kActiveWidth, kActiveHeight, picture_.dc(), 0, 0, kSrcCopy);
    drawScale(*composedDc_);
    drawCursor(*composedDc_);
    if (auto dc = windowIsValid(window()) ? getWindowDC(window()) : nullptr)
        bitBlt(*dc, 0, 0, kActiveWidth, kActiveHeight, composedDc_.get(), 0, 0, kSrcCopy);
    state_.redraw = false;
}

void ActiveDisplay::onTimer(std::uintptr_t id) {
    if (id == kEchoTimer)
        echoTick();
    else if (id == kOverlayTimer && state_.redraw)
        overlay();
}

void ActiveDisplay::echoTick() {
    const EchoTick tick = echoes_.tick();
    if (tick.painted) {
        state_.redraw = true;
        if (echoesPainted_)
            echoesPainted_(tick.cursorPulled);
    } else if (tick.cursorPulled && echoesPainted_) {
        echoesPainted_(true);
    }
    if (tick.frontPassed && state_.pingMode == 0 && echoTimerRunning_) {
        timerKill(window(), kEchoTimer);
        echoTimerRunning_ = false;
    }
}

void ActiveDisplay::transmit() {
    echoes_.transmit();
    if (!echoTimerRunning_ && windowIsValid(window())) {
        timerSet(window(), kEchoTimer, 200);
        echoTimerRunning_ = true;
    }
}

void ActiveDisplay::stopOverlay() {
    if (overlayTimerRunning_ && windowIsValid(window()))
        timerKill(window(), kOverlayTimer);
    overlayTimerRunning_ = false;
}

void ActiveDisplay::swapHalves() {
    for (int y = 0; y < picture_.height(); ++y) {
        std::span<std::uint8_t> row = picture_.row(y);
        std::swap_ranges(row.begin() + 5, row.begin() + 5 + kHalf, row.begin() + 5 + kHalf);
    }
    state_.redraw = true;
}

void ActiveDisplay::moveCursor(int x, int y) {
    const int bearing = activeXBearing(x, state_.offset);
    const double range = activeYRange(y, state_.scale);
    sonarState().cursorBearing = bearing;
    state_.cursorRange = range;
    state_.redraw = true;
    if (cursorMoved_)
        cursorMoved_();
}

void ActiveDisplay::onLeftDown(int x, int y) {
    moveCursor(x, y);
    dragging_ = true;
    lastDragTime_ = simClock().gameClock;
    if (windowIsValid(window()))
        captureSet(window());
}

void ActiveDisplay::onMouseMove(int x, int y) {
    if (!dragging_ || simClock().gameClock == lastDragTime_)
        return;
    lastDragTime_ = simClock().gameClock;
    moveCursor(x, y);
    overlay();
}

void ActiveDisplay::onLeftUp(int, int) {
    if (dragging_ && captureGet() == window())
        captureRelease();
    dragging_ = false;
}

} // namespace q71
