#include "framework/widgets/base_widget.h"

#include "framework/app/widget_container.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/tool_tip.h"
#include "framework/widgets/widget_sound.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

constexpr const char* kClassName = "BaseWidget";
// WS_CHILD | WS_VISIBLE | WS_TABSTOP.
constexpr std::uint32_t kWidgetStyle = 0x50010000;

CursorHandle widgetSharedCursor{};

} // namespace

BaseWidget::BaseWidget() = default;

BaseWidget::BaseWidget(WindowHandle parentWindow, int x, int y, int width, int height, bool windowed)
    : x_(x), y_(y), height_(height), width_(width) {
    registerClass();
    if (windowed)
        createWindow(parentWindow, SW_SHOW);
    else
        joinContainer(parentWindow);
}

BaseWidget::~BaseWidget() {
    // A widget deleted by its owner must not stay in its container or keep a timer or a window
    // that would still reach it.
    if (container_)
        container_->remove(this);
    stopTimer();
    if (clickSoundMode_ != 0 && clickVoice_)
        widgetSound().releaseVoice(clickVoice_);
    toolTip_.reset();
    hotSpot_.reset();
    if (windowed_ && windowIsValid(window_)) {
        WindowHandle own = window_;
        windowObjectDetach(own);
        window_ = {};
        windowDestroy(own);
    }
}

void BaseWidget::joinContainer(WindowHandle parentWindow) {
    window_ = parentWindow;
    parentWindow_ = parentWindow;
    deleteOnDestroy_ = false;
    if (auto* container = windowObjectAs<WidgetContainer>(parentWindow))
        container->add(this);
}

void BaseWidget::fillWindowClass(WindowClass& record) {
    if (widgetSharedCursor == CursorHandle{})
        widgetSharedCursor = cursorArrow();
    record = WindowClass{kClassName, CS_HREDRAW | CS_VREDRAW, &BaseWidget::windowProc, widgetSharedCursor,
                         classBackgroundBrush(StockObject::NullBrush)};
    restoreCursor();
}

bool BaseWidget::registerClass() {
    WindowClass existing;
    if (classGetInfo(kClassName, existing))
        return true;
    WindowClass record;
    fillWindowClass(record);
    return classRegister(record) != 0;
}

bool BaseWidget::createWindow(WindowHandle parent, int showCommand) {
    window_ = windowCreate(0, kClassName, name_, kWidgetStyle, x_, y_, width_, height_, parent,
                           static_cast<std::uintptr_t>(controlId_));
    windowObjectAttach(window_, this);
    if (windowIsValid(window_))
        windowShow(window_, showCommand);
    parentWindow_ = parent;
    windowed_ = true;
    return windowIsValid(window_);
}

LResult BaseWidget::windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return windowObjectProc<BaseWidget, &BaseWidget::dispatch>(window, message, wParam, lParam);
}

LResult BaseWidget::dispatch(std::uint32_t message, WParam wParam, LParam lParam) {
    // Handlers may end the widget (a notification closes its screen): what is needed after
    // them is taken first.
    const WindowHandle self = window_;
    const WindowHandle parent = parentWindow_;
    const int x = pointXFromLParam(lParam);
    const int y = pointYFromLParam(lParam);
    const auto forward = [&](std::uint32_t msg) {
        if (windowIsValid(parent))
            messageSend(parent, msg, wParam, lParam);
    };
    switch (message) {
    case WM_DESTROY:
        onDestroy();
        windowObjectDetach(self);
        window_ = {};
        if (deleteOnDestroy_)
            delete this;
        return 0;
    case WM_SETFOCUS:
        onSetFocus();
        return 0;
    case WM_KILLFOCUS:
        onKillFocus(static_cast<WindowHandle>(wParam));
        return 0;
    case WM_PAINT: {
        PaintStruct ps = beginPaint(self);
        PaintRecord record{ps.dc.get(), ps.paint};
        paint(record);
        if (windowIsValid(self))
            endPaint(self, ps);
        return 0;
    }
    case WM_SETCURSOR:
        onSetCursor();
        if (focusOnHover_ && windowIsValid(self))
            focusSet(self);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        // Digits and letters are left to the default procedure: they are the program's hot keys.
        const unsigned low = wParam & 0xFF;
        if (low >= 0x30 && low <= 0x5A)
            return windowIsValid(self) ? windowDefaultProc(self, message, wParam, lParam) : 0;
        const auto key = static_cast<std::uint32_t>(wParam);
        int handled = message == WM_KEYDOWN ? onKeyDown(key, lParam) : onKeyUp(key, lParam);
        if (!handled)
            forward(message);
        return 0;
    }
    case WM_CHAR:
        if (!onChar(static_cast<int>(wParam)))
            forward(message);
        return 0;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return windowIsValid(self) ? windowDefaultProc(self, message, wParam, lParam) : 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_VSCROLL:
        onVScroll(wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (onMouseWheel(static_cast<std::int16_t>(hiWord(wParam))))
            return 0;
        return windowIsValid(self) ? windowDefaultProc(self, message, wParam, lParam) : 0;
    case WM_MOUSEMOVE:
        if (hotSpot_) {
            // Its window's moves stop where the pointer leaves it: the leave tells the tip.
            pointerTrackLeave(self);
            hotSpot_->trackMouse(x, y);
        }
        onMouseMove(x, y);
        return 0;
    case WM_MOUSELEAVE:
        if (hotSpot_)
            hotSpot_->leave();
        return 0;
    case WM_LBUTTONDOWN:
        onLeftDown(x, y);
        return 0;
    case WM_LBUTTONUP:
        onLeftUp(x, y);
        return 0;
    case WM_RBUTTONDOWN:
        captureSet(self);
        if (toolTip_)
            toolTip_->show(x, y);
        onRightDown(x, y);
        return 0;
    case WM_RBUTTONUP: {
        if (toolTip_)
            toolTip_->hide(false);
        onRightUp(x, y);
        captureRelease();
        return 0;
    }
    default:
        return windowIsValid(self) ? windowDefaultProc(self, message, wParam, lParam) : 0;
    }
}

void BaseWidget::paint(PaintRecord&) {}

void BaseWidget::onTimer(std::uintptr_t) {
    onTick();
}

void BaseWidget::onTick() {}
void BaseWidget::onLeftDown(int, int) {}

void BaseWidget::onLeftUp(int, int) {
    leftPressed_ = false;
}

void BaseWidget::onMouseMove(int, int) {}

int BaseWidget::getState() {
    return state_;
}

void BaseWidget::setState(int value) {
    state_ = value;
}

void BaseWidget::onSetCursor() {
    cursorSet(widgetSharedCursor);
}

void BaseWidget::playClickSound() {
    if (!soundEnabled_)
        return;
    if (clickVoice_)
        widgetSound().restartVoice(clickVoice_);
    else if (clickSample_)
        widgetSound().playSample(clickSample_);
}

void BaseWidget::onDestroy() {}
void BaseWidget::onSetFocus() {}
void BaseWidget::onKillFocus(WindowHandle) {}

int BaseWidget::onChar(int) {
    return 0;
}

void BaseWidget::onVScroll(WParam, LParam) {}
void BaseWidget::onRightDown(int, int) {}
void BaseWidget::onRightUp(int, int) {}

void BaseWidget::restoreCursor() {
    cursorSet(widgetSharedCursor);
}

void BaseWidget::loadResources() {}
void BaseWidget::freeResources() {}

void BaseWidget::hide() {
    visible_ = false;
    if (windowed_)
        windowShow(window_, SW_HIDE);
    else
        invalidate(nullptr, true);
}

void BaseWidget::show() {
    visible_ = true;
    if (windowed_)
        windowShow(window_, SW_SHOW);
    else
        invalidate(nullptr, true);
}

int BaseWidget::onCommand(WParam, LParam) {
    return 0;
}

int BaseWidget::onKeyDown(std::uint32_t, LParam) {
    return 0;
}

bool BaseWidget::onMouseWheel(int) {
    return false;
}

int BaseWidget::onKeyUp(std::uint32_t, LParam) {
    return 0;
}

void BaseWidget::setRect(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}

bool BaseWidget::hitTest(int px, int py) const {
    return Rect{x_, y_, x_ + width_, y_ + height_}.contains({px, py});
}

bool BaseWidget::hitTestRect(const Rect& rect, int px, int py) const {
    return (windowed_ ? rect : rect.offsetBy(x_, y_)).contains({px, py});
}

void BaseWidget::moveTo(int x, int y) {
    hide();
    x_ = x;
    y_ = y;
    if (windowed_)
        windowMove(window_, x_, y_, width_, height_, true);
    show();
}

void BaseWidget::setName(std::string_view text) {
    name_ = text;
    if (windowed_ && windowIsValid(window_))
        windowSetText(window_, name_);
}

void BaseWidget::setSharedCursor(CursorHandle cursor) {
    widgetSharedCursor = cursor;
}

CursorHandle BaseWidget::sharedCursor() {
    return widgetSharedCursor;
}

void BaseWidget::startTimer(std::uint32_t ms) {
    if (!windowIsValid(window_))
        return;
    // A windowed widget has its window to itself; windowless ones share their parent's, where
    // several may have one control id, so each times with an id of its own: its address.
    const auto id = windowed_ ? static_cast<std::uintptr_t>(controlId_) : reinterpret_cast<std::uintptr_t>(this);
    timerId_ = static_cast<std::intptr_t>(timerSet(window_, id, ms));
}

void BaseWidget::stopTimer() {
    if (timerId_ != -1 && windowIsValid(window_))
        timerKill(window_, static_cast<std::uintptr_t>(timerId_));
    timerId_ = -1;
}

void BaseWidget::invalidate(const Rect* rect, bool erase) {
    if (!windowIsVisible(window_))
        return;
    if (windowed_) {
        windowInvalidate(window_, rect, erase);
        return;
    }
    Rect area = rect ? *rect : Rect{0, 0, width_, height_};
    area = area.offsetBy(x_, y_);
    windowInvalidate(window_, &area, true);
}

void BaseWidget::setClickSound(const char* wave, int mode) {
    clickSoundMode_ = mode;
    if (mode == 0) {
        clickSample_ = widgetSound().loadSample(wave);
        return;
    }
    if (clickVoice_)
        widgetSound().releaseVoice(clickVoice_);
    clickVoice_ = widgetSound().prepareVoice(wave);
}

void BaseWidget::setToolTip(const char* text, std::shared_ptr<const Font> font,
                            std::shared_ptr<Bitmap> background) {
    // A windowed widget's tip area lies in its own window, whose client area starts at 0, 0.
    Rect area = windowed_ ? Rect{0, 0, width_, height_} : Rect{x_, y_, x_ + width_, y_ + height_};
    hotSpot_ = std::make_unique<HotSpot>(window_, controlId_, text, widgetSharedCursor, area, false,
                                         std::move(font), std::move(background));
}

void BaseWidget::setRightClickTip(std::unique_ptr<ToolTip> tip) {
    toolTip_ = std::move(tip);
}

void BaseWidget::notifyParent(LParam value) {
    messageSend(parentWindow_, WM_COMMAND, static_cast<WParam>(controlId_), value);
}

} // namespace q71
