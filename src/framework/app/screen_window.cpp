#include "framework/app/screen_window.h"

#include "framework/app/screen_routing.h"
#include "framework/widgets/tool_tip.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {

ScreenWindow::ScreenWindow(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : parent_(parent), height_(height), width_(width), x_(x), y_(y), key_(key) {}

ScreenWindow::~ScreenWindow() {
    if (windowIsValid(window_)) {
        windowObjectDetach(window_);
        windowDestroy(window_);
    }
}

bool ScreenWindow::createWindow(std::string_view key, WindowHandle parent, int width, int height, int x,
                                int y) {
    window_ = windowCreate(0, key, key, WS_CHILD | WS_CLIPCHILDREN, x, y, width, height, parent);
    windowObjectAttach(window_, this);
    visible_ = false;
    key_ = key;
    return windowIsValid(window_);
}

LResult ScreenWindow::route(bool full, WindowHandle window, std::uint32_t message, WParam wParam,
                            LParam lParam) {
    // A key or command the screen leaves climbs to the parent window (the screen may be gone by then).
    const WindowHandle parent = parent_;
    const auto climb = [&](bool handled) {
        if (!handled && windowIsValid(parent))
            messageSend(parent, message, wParam, lParam);
        return LResult{0};
    };
    switch (message) {
    case WM_PAINT: {
        Rect update;
        if (!full && !windowGetUpdateRect(window, &update))
            return 0;
        screenPaintBuffered(window, width_, height_, background_.loaded(), paintBuffer_, *this,
                            [this](DeviceContext& dc) { paint(dc); });
        return 0;
    }
    case WM_DESTROY:
        if (full)
            windowObjectDetach(window);
        return 0;
    case WM_CLOSE:
    case WM_ERASEBKGND:
        return full ? handleMessage(window, message, wParam, lParam) : 0;
    case WM_SHOWWINDOW:
        if (wParam == 1) {
            onShow();
        } else {
            paintBuffer_.reset(); // a hidden screen paints nothing until it shows again
            // Its tips would stand over the screen shown in its place.
            toolTipHideWithin(window);
            onHide();
        }
        return 0;
    case WM_SETCURSOR:
        if (focusOnCursor_)
            focusSet(window);
        onSetCursor();
        return 0;
    case WM_KEYDOWN: {
        if (!screenIsSpecialKey(wParam))
            return handleMessage(window, message, wParam, lParam);
        // A special key the screen leaves goes to its widgets that take keys (a list) first.
        const auto alive = watch();
        const bool handled = onKey(static_cast<int>(wParam), 1) != 0;
        return climb(handled || (!alive.expired() && onKeyDown(static_cast<std::uint32_t>(wParam))));
    }
    case WM_CHAR:
    case WM_SYSDEADCHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
        return climb(onKey(static_cast<int>(wParam), screenCharCategory(message)) != 0);
    case WM_COMMAND:
        return climb(onCommand(wParam, lParam) != 0);
    default:
        return handleMessage(window, message, wParam, lParam);
    }
}

void ScreenWindow::paint(DeviceContext& dc) {
    if (visible_)
        background_.draw(dc, 0, 0);
}

void ScreenWindow::onSetCursor() {}
void ScreenWindow::open() {}
void ScreenWindow::close() {}

int ScreenWindow::onCommand(WParam, LParam) {
    return 0;
}

int ScreenWindow::onKey(int, int) {
    return 0;
}

LResult ScreenWindow::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                    LParam lParam) {
    return screenDefaultMessage(*this, window, message, wParam, lParam);
}

void ScreenWindow::onShow() {}
void ScreenWindow::onHide() {}

} // namespace q71
