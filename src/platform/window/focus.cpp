#include "platform/window/focus.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace windowing {
namespace {

bool isWithin(WindowHandle handle, WindowHandle root) {
    for (WindowRecord* w = findWindow(handle); w; w = isTopLevel(*w) ? nullptr : findWindow(w->parent)) {
        if (w->handle == root)
            return true;
    }
    return false;
}

WindowHandle survivingAncestor(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    while (w && w->destroying)
        w = findWindow(isTopLevel(*w) ? w->owner : w->parent);
    return w ? w->handle : WindowHandle{};
}

} // namespace

void activate(WindowHandle top) {
    State& s = state();
    if (s.active == top)
        return;
    WindowHandle old = s.active;
    s.active = top;
    if (findWindow(old))
        messageSend(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(top));
    if (s.active == top && findWindow(top))
        messageSend(top, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(old));
}

void activateAnotherThan(WindowHandle leaving) {
    // The owner takes over when it can, else the topmost window still shown.
    WindowRecord* w = findWindow(leaving);
    WindowHandle next = w ? survivingAncestor(w->owner) : WindowHandle{};
    WindowRecord* candidate = findWindow(next);
    if (!candidate || !isShowing(*candidate)) {
        next = {};
        for (WindowHandle h : state().topLevels) {
            WindowRecord* t = findWindow(h);
            if (h != leaving && !t->destroying && isShowing(*t)) {
                next = h;
                break;
            }
        }
    }
    activate(next);
}

void moveFocusOutOf(WindowHandle root) {
    State& s = state();
    WindowRecord* r = findWindow(root);
    if (isTopLevel(*r) && s.active == root)
        activateAnotherThan(root);
    if (isWithin(s.capture, root))
        s.capture = {};
    if (isWithin(s.focus, root)) {
        WindowHandle fallback = survivingAncestor(isTopLevel(*r) ? r->owner : r->parent);
        if (!findWindow(fallback) || !isInputEnabled(*findWindow(fallback)))
            fallback = {};
        focusSet(fallback);
    }
}

void inputLeaveDisabled(WindowHandle root) {
    State& s = state();
    if (isWithin(s.capture, root))
        s.capture = {};
    if (isWithin(s.focus, root))
        focusSet({});
}

void forgetInputWindow(WindowHandle handle) {
    State& s = state();
    for (WindowHandle* h : {&s.focus, &s.capture, &s.active, &s.lastClick.window, &s.pointerWatched}) {
        if (*h == handle)
            *h = {};
    }
}

namespace {

void reportLeave(Point screen) {
    State& s = state();
    // Queued with the input, so the window hears of the leave before the next window hears the pointer.
    s.inputMessages.push_back(Message{s.pointerWatched, WM_MOUSELEAVE, 0, 0, messageTime(), screen});
    s.pointerWatched = {};
}

} // namespace

void pointerMovedTo(Point screen) {
    State& s = state();
    if (s.pointerWatched != WindowHandle{} && windowFromPoint(screen) != s.pointerWatched)
        reportLeave(screen);
}

void pointerLeaveHidden(WindowHandle root) {
    State& s = state();
    if (!isWithin(s.pointerWatched, root))
        return;
    messagePost(s.pointerWatched, WM_MOUSELEAVE, 0, 0);
    s.pointerWatched = {};
}

} // namespace windowing

using namespace windowing;

WindowHandle focusSet(WindowHandle handle) {
    State& s = state();
    WindowHandle old = s.focus;
    if (handle == WindowHandle{}) {
        s.focus = {};
        if (findWindow(old))
            messageSend(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    WindowRecord* w = findWindow(handle);
    if (!w || w->destroying || !isInputEnabled(*w))
        return {};
    if (handle == old)
        return old;
    // Activation may already move the focus (to the top-level window itself).
    activate(topLevelOf(w)->handle);
    WindowHandle losing = s.focus;
    if (handle == losing)
        return old;
    if (findWindow(losing)) {
        messageSend(losing, WM_KILLFOCUS, static_cast<WParam>(handle), 0);
        if (s.focus != losing)
            return old; // the window losing the focus handed it elsewhere itself
    }
    if (!findWindow(handle))
        return old;
    s.focus = handle;
    messageSend(handle, WM_SETFOCUS, static_cast<WParam>(losing), 0);
    return old;
}

WindowHandle focusGet() {
    return state().focus;
}

WindowHandle captureSet(WindowHandle handle) {
    State& s = state();
    WindowHandle old = s.capture;
    WindowRecord* w = findWindow(handle);
    s.capture = w && !w->destroying ? handle : WindowHandle{};
    return old;
}

bool captureRelease() {
    state().capture = {};
    return true;
}

WindowHandle captureGet() {
    return state().capture;
}

bool pointerTrackLeave(WindowHandle handle) {
    State& s = state();
    WindowRecord* w = findWindow(handle);
    if (!w || w->destroying || windowFromPoint(s.cursorPosition) != handle)
        return false;
    if (s.pointerWatched != WindowHandle{} && s.pointerWatched != handle)
        reportLeave(s.cursorPosition);
    s.pointerWatched = handle;
    return true;
}

WindowHandle windowGetActive() {
    return state().active;
}

bool windowSetForeground(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    activate(topLevelOf(w)->handle);
    state().backend.raise();
    return true;
}

} // namespace q71
