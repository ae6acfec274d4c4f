#include "platform/window/default_proc.h"

#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

using namespace windowing;

LResult setCursor(WindowRecord& w, WParam wParam, LParam lParam) {
    // The parent may claim the cursor first; otherwise the class cursor shows over the client area.
    if (!isTopLevel(w) && messageSend(w.parent, WM_SETCURSOR, wParam, lParam) != 0)
        return 1;
    WindowRecord* again = findWindow(w.handle);
    if (!again || static_cast<std::uint32_t>(loWord(static_cast<std::uintptr_t>(lParam))) != HTCLIENT ||
        again->windowClass->cursor == CursorHandle{})
        return 0;
    cursorSet(again->windowClass->cursor);
    return 1;
}

LResult systemCommand(WindowHandle window, WParam command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        messageSend(window, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        windowShow(window, SW_MINIMIZE);
        break;
    case SC_RESTORE:
        windowShow(window, SW_RESTORE);
        break;
    default:
        break;
    }
    return 0;
}

LResult getText(const WindowRecord& w, WParam capacity, LParam buffer) {
    if (capacity == 0 || buffer == 0)
        return 0;
    size_t copied = std::min(w.text.size(), static_cast<size_t>(capacity) - 1);
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, w.text.data(), copied);
    out[copied] = '\0';
    return static_cast<LResult>(copied);
}

} // namespace

LResult windowDefaultProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    WindowRecord* w = findWindow(window);
    if (!w)
        return 0;
    switch (message) {
    case WM_CLOSE:
        windowDestroy(window);
        return 0;
    case WM_SYSCOMMAND:
        return systemCommand(window, wParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            messageSend(windowGetTopLevel(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SETCURSOR:
        return setCursor(*w, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
        // The wheel and the Alt keys climb until a window takes them: a screen's Alt keys answer
        // whatever child of it has the focus.
        return isTopLevel(*w) ? 0 : messageSend(w->parent, message, wParam, lParam);
    case WM_ACTIVATE:
        if (loWord(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE) &&
            windowGetTopLevel(focusGet()) != window)
            focusSet(window);
        return 0;
    case WM_PAINT:
        if (auto& painter = state().defaultPaint)
            painter(window);
        else
            paintBegin(window);
        return 0;
    case WM_ERASEBKGND: {
        auto& eraser = state().eraseBackground;
        std::uintptr_t brush = w->windowClass->background;
        return brush != 0 && eraser && eraser(window, wParam, brush) ? 1 : 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        showTitleIfMain(*w);
        return 1;
    case WM_GETTEXT:
        return getText(*w, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(w->text.size());
    case WM_NCACTIVATE:
        return 1;
    default:
        return 0;
    }
}

} // namespace q71
