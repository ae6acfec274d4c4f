#include "framework/widgets/tool_tip.h"

#include "platform/display/screen_surface.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <string_view>

namespace q71 {
namespace {

constexpr const char* kClassName = "ToolTip";

std::shared_ptr<Bitmap> defaultBackground;

// The one tip on the screen, kept here because tips belong to many owners (widgets, hot spots,
// screens) and none of them knows the others': the next tip to show hides it.
ToolTip* tipOnScreen = nullptr;

bool registerTipClass(WindowProc procedure) {
    WindowClass existing;
    if (classGetInfo(kClassName, existing))
        return true;
    return classRegister({kClassName, CS_HREDRAW | CS_VREDRAW, procedure, cursorArrow(),
                          classBackgroundBrush(StockObject::WhiteBrush)}) != 0;
}

// Calls f for each line of the text.
template <class F> void forEachLine(std::string_view text, F f) {
    while (true) {
        std::size_t end = text.find('\n');
        f(text.substr(0, end));
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

} // namespace

void toolTipSetDefaultBackground(std::shared_ptr<Bitmap> bitmap) {
    defaultBackground = std::move(bitmap);
}

std::shared_ptr<Bitmap> toolTipDefaultBackground() {
    return defaultBackground;
}

ToolTip::ToolTip(WindowHandle ownerWindow, std::shared_ptr<const Font> font,
                 std::shared_ptr<Bitmap> background, const char* text)
    : owner_(ownerWindow), text_(text ? text : ""), font_(std::move(font)),
      background_(background ? createPatternBrush(background.get()) : stockBrush(StockObject::NullBrush)) {
    measure();
    x_ = cursorGetPosition().x - width_;
    y_ = cursorGetPosition().y;
}

ToolTip::~ToolTip() {
    destroyWindow();
}

void ToolTip::measure() {
    auto dc = createDisplayDC();
    if (!dc)
        return;
    dc->selectFont(font_);
    int widest = 0, lines = 0;
    forEachLine(text_, [&](std::string_view line) {
        Size extent = dc->getTextExtent(line);
        widest = std::max(widest, extent.cx);
        lineHeight_ = extent.cy;
        ++lines;
    });
    width_ = widest + 6;
    height_ = (lines - 1) * (lineHeight_ + 1) + lineHeight_ + 5;
}

bool ToolTip::createWindow() {
    if (text_.empty() || !registerTipClass(&windowObjectProc<ToolTip, &ToolTip::handle>))
        return false;
    window_ = windowCreate(0, kClassName, "Widget", WS_POPUP, x_, y_, width_, height_, owner_);
    windowObjectAttach(window_, this);
    return windowIsValid(window_);
}

void ToolTip::destroyWindow() {
    if (windowIsValid(window_)) {
        windowObjectDetach(window_);
        windowDestroy(window_);
    }
    window_ = {};
    shown_ = false;
    if (tipOnScreen == this)
        tipOnScreen = nullptr;
}

void ToolTip::show(int x, int y) {
    if (windowIsValid(window_))
        timerKill(window_, kDisplayTimer);
    Point at = windowClientToScreen(owner_, {x, y});
    x_ = at.x - width_;
    y_ = at.y + 2;
    // Kept on the screen: a tip that would leave it on the right or at the bottom moves inside.
    if (x_ + width_ > ScreenSurface::kWidth)
        x_ = ScreenSurface::kWidth - width_ - 1;
    if (x_ < 0)
        x_ = 2;
    if (y_ < 0)
        y_ = 2;
    if (y_ + height_ > ScreenSurface::kHeight)
        y_ = ScreenSurface::kHeight - height_ - 1;
    if (!windowIsValid(window_) && !createWindow())
        return;
    if (tipOnScreen && tipOnScreen != this)
        tipOnScreen->hide(false);
    tipOnScreen = this;
    windowMove(window_, x_, y_, width_, height_, true);
    // A tip never takes the focus from the window the player works in.
    windowShow(window_, SW_SHOWNA);
    shown_ = true;
    timerSet(window_, kDisplayTimer, static_cast<std::uint32_t>(displayTime_));
}

void ToolTip::startDelayed(const Rect& screenRect) {
    delayedRect_ = screenRect;
    // The pending pop-up is a timer of the tip's window, which waits hidden until then.
    if (!windowIsValid(window_) && !createWindow())
        return;
    timerSet(window_, kPopUpTimer, static_cast<std::uint32_t>(popUpDelay_));
}

void ToolTip::cancelDelayed() {
    if (!windowIsValid(window_))
        return;
    timerKill(window_, kPopUpTimer);
    if (!shown_)
        destroyWindow();
}

void ToolTip::hide(bool delayed) {
    if (windowIsValid(window_))
        timerKill(window_, kPopUpTimer);
    if (delayed) {
        if (windowIsValid(window_))
            timerSet(window_, kDisplayTimer, 50);
        return;
    }
    destroyWindow();
}

void toolTipHideWithin(WindowHandle window) {
    if (tipOnScreen && (tipOnScreen->owner() == window || windowIsChild(window, tipOnScreen->owner())))
        tipOnScreen->hide(false);
}

void ToolTip::setTimes(int displayTime, int popUpDelay) {
    displayTime_ = displayTime;
    popUpDelay_ = popUpDelay;
}

LResult ToolTip::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_TIMER: {
        timerKill(window_, wParam);
        Point cursor = cursorGetPosition();
        // A tip whose screen went away meanwhile stays down, wherever the pointer is now.
        if (wParam == kPopUpTimer && delayedRect_.contains(cursor) && windowIsVisible(owner_)) {
            Point at = windowScreenToClient(owner_, cursor);
            show(at.x, at.y);
        } else {
            hide(false);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        hide(false);
        return 0;
    case WM_DESTROY:
        windowObjectDetach(window_);
        return 0;
    default:
        return windowDefaultProc(window_, message, wParam, lParam);
    }
}

void ToolTip::paint() {
    PaintStruct ps = beginPaint(window_);
    DeviceContext& dc = *ps.dc;
    dc.selectBrush(background_);
    dc.rectangle(windowGetClientRect(window_));
    dc.setBkMode(kTransparent);
    dc.selectFont(font_);
    int y = 2;
    forEachLine(text_, [&](std::string_view line) {
        dc.textOut({3, y}, line);
        y += lineHeight_ + 1;
    });
    endPaint(window_, ps);
}

} // namespace q71
