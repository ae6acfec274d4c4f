#include "framework/app/screen_routing.h"

#include "framework/app/main_cursor.h"
#include "framework/widgets/base_widget.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"

namespace q71 {

bool screenRegisterClass(std::string_view key, WindowProc procedure, CursorHandle cursor) {
    WindowClass existing;
    if (classGetInfo(key, existing))
        return true;
    // CS_VREDRAW | CS_HREDRAW | CS_OWNDC, and a brush that erases nothing: the screen paints it all.
    return classRegister({std::string(key), 0x23, procedure, cursor,
                          classBackgroundBrush(StockObject::NullBrush)}) != 0;
}

bool screenIsSpecialKey(WParam key) {
    return (key >= 1 && key <= 4) || key == 8 || key == 9 || key == 12 || key == 13 ||
           (key >= 16 && key <= 20) || key == 27 || (key >= 35 && key <= 40) || key == 45 || key == 46 ||
           (key >= VK_F1 && key <= VK_F12);
}

int screenCharCategory(std::uint32_t message) {
    switch (message) {
    case WM_CHAR:
        return (keyGetState(VK_CONTROL) & 0x8000) ? 5 : 0;
    case WM_SYSDEADCHAR:
        return 2;
    case WM_SYSCHAR:
        return 3;
    case WM_DEADCHAR:
        return 4;
    default:
        return -1;
    }
}

void screenPaintBuffered(WindowHandle window, int width, int height, bool hasBackground, BitmapRef& buffer,
                         WidgetContainer& widgets, const std::function<void(DeviceContext&)>& paintScreen) {
    PaintStruct ps = beginPaint(window);
    if (hasBackground && (!buffer || buffer->width() != width || buffer->height() != height))
        buffer = Bitmap::createCompatible(width, height);
    if (hasBackground && buffer && !ps.paint.isEmpty()) {
        auto memory = DeviceContext::createMemory();
        memory->selectBitmap(buffer);
        // The rest of the buffer keeps an older picture, which nothing copies to the window.
        memory->intersectClipRect(ps.paint);
        memory->fillRect({0, 0, width, height}, stockBrush(StockObject::BlackBrush));
        paintScreen(*memory);
        PaintRecord record{memory.get(), ps.paint};
        widgets.paint(record);
        bitBlt(*ps.dc, ps.paint.left, ps.paint.top, ps.paint.width(), ps.paint.height(), memory.get(),
               ps.paint.left, ps.paint.top, kSrcCopy);
    }
    endPaint(window, ps);
}

LResult screenDefaultMessage(WidgetContainer& widgets, WindowHandle window, std::uint32_t message,
                             WParam wParam, LParam lParam) {
    // Signed: a drag that holds the capture reports points left of or above the window.
    const int x = pointXFromLParam(lParam);
    const int y = pointYFromLParam(lParam);
    switch (message) {
    case WM_TIMER:
        widgets.onTimer(wParam);
        return 0;
    case WM_MOUSEMOVE:
        // The screen hears when the pointer goes over another window, where its moves stop.
        pointerTrackLeave(window);
        if (!widgets.onMouseMove(x, y) && cursorGet() != appMainCursor())
            cursorSet(appMainCursor());
        return 0;
    case WM_MOUSELEAVE:
        widgets.onMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        widgets.onLeftDown(x, y);
        return 0;
    case WM_LBUTTONUP:
        widgets.onLeftUp(x, y);
        return 0;
    case WM_RBUTTONDOWN:
        captureSet(window);
        widgets.onRightDown(x, y);
        return 0;
    case WM_RBUTTONUP:
        widgets.onRightUp(x, y);
        captureRelease();
        return 0;
    case WM_VSCROLL:
        widgets.onVScroll(wParam, lParam);
        return 0;
    case WM_KEYDOWN: // the keys that are not special keys (Page Up, Page Down, ...)
        if (widgets.onKeyDown(static_cast<std::uint32_t>(wParam)))
            return 0;
        return windowDefaultProc(window, message, wParam, lParam);
    case WM_MOUSEWHEEL: {
        // The wheel comes to the focus with the pointer on the screen: what lies under the
        // pointer scrolls, a widget with a window of its own or one drawn on the screen.
        const Point pointer{x, y};
        const auto delta = static_cast<std::int16_t>(hiWord(wParam));
        const WindowHandle under = windowFromPoint(pointer);
        if (BaseWidget* own = under != window ? windowObjectAs<BaseWidget>(under) : nullptr;
            own && own->onMouseWheel(delta))
            return 0;
        const Point at = windowScreenToClient(window, pointer);
        if (widgets.onMouseWheel(at.x, at.y, delta))
            return 0;
        return windowDefaultProc(window, message, wParam, lParam);
    }
    default:
        return windowDefaultProc(window, message, wParam, lParam);
    }
}

} // namespace q71
