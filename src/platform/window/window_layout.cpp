#include "platform/window/window_layout.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace windowing {

Point screenOrigin(const WindowRecord& w) {
    Point origin{w.rect.left, w.rect.top};
    for (WindowRecord* p = isTopLevel(w) ? nullptr : findWindow(w.parent); p;
         p = isTopLevel(*p) ? nullptr : findWindow(p->parent)) {
        origin.x += p->rect.left;
        origin.y += p->rect.top;
    }
    return origin;
}

Rect screenRect(const WindowRecord& w) {
    Point o = screenOrigin(w);
    return {o.x, o.y, o.x + w.rect.width(), o.y + w.rect.height()};
}

Region screenArea(const WindowRecord& w) {
    Rect r = screenRect(w);
    return w.shape ? w.shape->offsetBy(r.left, r.top).intersected(Region(r)) : Region(r);
}

bool isShowing(const WindowRecord& w) {
    const WindowRecord* p = &w;
    while (true) {
        if (!(p->style & WS_VISIBLE))
            return false;
        if (isTopLevel(*p))
            return !(p->style & WS_MINIMIZE);
        p = findWindow(p->parent);
    }
}

bool isInputEnabled(const WindowRecord& w) {
    for (const WindowRecord* p = &w; p; p = isTopLevel(*p) ? nullptr : findWindow(p->parent)) {
        if (p->style & WS_DISABLED)
            return false;
    }
    return true;
}

WindowRecord* mainWindow() {
    // The program's main window is the oldest unowned top-level window still alive.
    WindowRecord* found = nullptr;
    for (WindowHandle h : state().topLevels) {
        WindowRecord* w = findWindow(h);
        if (w->owner == WindowHandle{} && !w->destroying && (!found || h < found->handle))
            found = w;
    }
    return found;
}

void showTitleIfMain(const WindowRecord& w) {
    if (mainWindow() == &w)
        state().backend.setTitle(w.text);
}

void hideForDestroy(WindowRecord& w) {
    if (!(w.style & WS_VISIBLE))
        return;
    Region covered = isShowing(w) ? coveredArea(w) : Region();
    w.style &= ~WS_VISIBLE;
    layoutChanged();
    clearSubtreeUpdates(w.handle);
    invalidateScreenArea(covered);
}

namespace {

bool isMainWindow(const WindowRecord& w) {
    return mainWindow() == &w;
}

void hide(WindowRecord& w) {
    Region covered = isShowing(w) ? coveredArea(w) : Region();
    w.style &= ~WS_VISIBLE;
    layoutChanged();
    pointerLeaveHidden(w.handle);
    clearSubtreeUpdates(w.handle);
    invalidateScreenArea(covered);
    if (isTopLevel(w) && state().active == w.handle)
        activateAnotherThan(w.handle);
}

void makeVisible(WindowRecord& w) {
    w.style |= WS_VISIBLE;
    layoutChanged();
    showTitleIfMain(w);
    if (isShowing(w))
        exposeSubtree(w);
}

void minimize(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!isTopLevel(*w) || (w->style & WS_MINIMIZE))
        return;
    // Owned popups go away with their owner and come back when it is restored.
    for (WindowHandle owned : ownedWindows(handle)) {
        WindowRecord* o = findWindow(owned);
        if (!o || !(o->style & WS_VISIBLE))
            continue;
        messageSend(owned, WM_SHOWWINDOW, 0, SW_PARENTCLOSING);
        if ((o = findWindow(owned)) != nullptr) {
            o->hiddenByOwner = true;
            hide(*o);
        }
    }
    if (!(w = findWindow(handle)))
        return;
    Region covered = isShowing(*w) ? coveredArea(*w) : Region();
    w->style |= WS_MINIMIZE;
    layoutChanged();
    invalidateScreenArea(covered);
    if (isMainWindow(*w))
        state().backend.setMinimized(true);
    messageSend(handle, WM_SIZE, SIZE_MINIMIZED, 0);
}

void restore(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!(w->style & WS_MINIMIZE))
        return;
    w->style &= ~WS_MINIMIZE;
    layoutChanged();
    if (isShowing(*w))
        exposeSubtree(*w);
    if (isMainWindow(*w))
        state().backend.setMinimized(false);
    messageSend(handle, WM_SIZE, SIZE_RESTORED, makeLParam(w->rect.width(), w->rect.height()));
    for (WindowHandle owned : ownedWindows(handle)) {
        WindowRecord* o = findWindow(owned);
        if (!o || !o->hiddenByOwner)
            continue;
        o->hiddenByOwner = false;
        messageSend(owned, WM_SHOWWINDOW, 1, SW_PARENTOPENING);
        if ((o = findWindow(owned)) != nullptr)
            makeVisible(*o);
    }
}

// The window and, recursively, the top-level windows it owns, in their current z-order.
void collectOwnedGroup(WindowHandle owner, std::vector<WindowHandle>& group) {
    for (WindowHandle h : state().topLevels) {
        if (findWindow(h)->owner == owner) {
            collectOwnedGroup(h, group);
            group.push_back(h);
        }
    }
}

void restackChild(WindowRecord& w, WindowHandle insertAfter) {
    auto& list = siblingsOf(w);
    auto it = std::find(list.begin(), list.end(), insertAfter);
    bool afterSibling = insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM &&
                        insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST;
    if (afterSibling && (it == list.end() || insertAfter == w.handle))
        return;
    list.erase(std::find(list.begin(), list.end(), w.handle));
    if (insertAfter == HWND_BOTTOM)
        list.push_back(w.handle);
    else if (afterSibling)
        list.insert(std::find(list.begin(), list.end(), insertAfter) + 1, w.handle);
    else
        list.insert(list.begin(), w.handle);
}

void restackTopLevel(WindowRecord& w, WindowHandle insertAfter) {
    auto& list = state().topLevels;
    if (insertAfter == w.handle)
        return;
    std::vector<WindowHandle> group;
    collectOwnedGroup(w.handle, group);
    group.push_back(w.handle);
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        for (WindowHandle h : group) {
            WindowRecord* member = findWindow(h);
            member->exStyle = insertAfter == HWND_TOPMOST ? member->exStyle | WS_EX_TOPMOST
                                                          : member->exStyle & ~WS_EX_TOPMOST;
        }
    }
    if (std::find(group.begin(), group.end(), insertAfter) != group.end())
        return;
    for (WindowHandle h : group)
        list.erase(std::find(list.begin(), list.end(), h));
    bool topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
    size_t bandStart = firstPlaceInBand(topmost);
    size_t bandEnd = topmost ? firstPlaceInBand(false) : list.size();
    size_t position = bandStart;
    if (insertAfter == HWND_BOTTOM) {
        position = bandEnd;
    } else if (auto it = std::find(list.begin(), list.end(), insertAfter); it != list.end()) {
        position = std::clamp(static_cast<size_t>(it - list.begin()) + 1, bandStart, bandEnd);
    }
    for (auto h = group.rbegin(); h != group.rend(); ++h)
        insertTopLevel(*h, position);
}

} // namespace
} // namespace windowing

using namespace windowing;

bool windowShow(WindowHandle handle, int showCommand) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (showCommand == SW_HIDE) {
        if (!wasVisible)
            return false;
        messageSend(handle, WM_SHOWWINDOW, 0, 0);
        if ((w = findWindow(handle)) != nullptr && (w->style & WS_VISIBLE))
            hide(*w);
        return true;
    }
    if (!wasVisible) {
        messageSend(handle, WM_SHOWWINDOW, 1, 0);
        if (!(w = findWindow(handle)))
            return false;
        makeVisible(*w);
    }
    bool minimizing =
        showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE;
    bool restoring = showCommand == SW_SHOWNORMAL || showCommand == SW_RESTORE ||
                     showCommand == SW_SHOWDEFAULT || showCommand == SW_SHOWNOACTIVATE;
    if (minimizing)
        minimize(handle);
    else if (restoring)
        restore(handle);
    bool activates = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOW ||
                     showCommand == SW_SHOWDEFAULT || showCommand == SW_RESTORE ||
                     showCommand == SW_SHOWMAXIMIZED;
    if (activates && (w = findWindow(handle)) != nullptr && isTopLevel(*w) &&
        !(w->exStyle & WS_EX_NOACTIVATE))
        activate(handle);
    return wasVisible;
}

bool windowIsVisible(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    while (w) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (isTopLevel(*w))
            return true;
        w = findWindow(w->parent);
    }
    return false;
}

bool windowIsMinimized(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w && (w->style & WS_MINIMIZE);
}

bool windowMove(WindowHandle handle, int x, int y, int width, int height, bool repaint) {
    return windowSetPos(handle, HWND_TOP, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool windowSetPos(WindowHandle handle, WindowHandle insertAfter, int x, int y, int width, int height,
                  std::uint32_t flags) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    bool redraw = !(flags & SWP_NOREDRAW);
    Region before = redraw && isShowing(*w) ? coveredArea(*w) : Region();
    Rect old = w->rect;
    Rect wanted = old;
    if (!(flags & SWP_NOMOVE))
        wanted = wanted.offsetBy(x - old.left, y - old.top);
    if (!(flags & SWP_NOSIZE))
        wanted = {wanted.left, wanted.top, wanted.left + std::max(width, 0),
                  wanted.top + std::max(height, 0)};
    w->rect = wanted;
    layoutChanged();
    clipUpdateToClient(*w);
    if (!(flags & SWP_NOZORDER)) {
        if (isTopLevel(*w))
            restackTopLevel(*w, insertAfter);
        else
            restackChild(*w, insertAfter);
    }
    if (flags & SWP_HIDEWINDOW) {
        hide(*w);                     // may activate another window, whose procedure may do anything
        invalidateScreenArea(before); // where it stood before the move
        if (!(w = findWindow(handle)))
            return true;
    } else {
        if ((flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE))
            makeVisible(*w);
        if (redraw && isShowing(*w)) {
            invalidateScreenArea(before);
            exposeSubtree(*w);
        }
    }
    if (!(flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE) && isTopLevel(*w) && isShowing(*w))
        activate(handle);
    if (wanted.width() != old.width() || wanted.height() != old.height())
        messageSend(handle, WM_SIZE, SIZE_RESTORED, makeLParam(wanted.width(), wanted.height()));
    if (findWindow(handle) && (wanted.left != old.left || wanted.top != old.top))
        messageSend(handle, WM_MOVE, 0, makeLParam(wanted.left, wanted.top));
    return true;
}

bool windowEnable(WindowHandle handle, bool enable) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable != wasDisabled)
        return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        inputLeaveDisabled(handle);
    }
    messageSend(handle, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool windowIsEnabled(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w && !(w->style & WS_DISABLED);
}

bool windowSetShape(WindowHandle handle, std::optional<Region> shape, bool redraw) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    Region before = redraw && isShowing(*w) ? coveredArea(*w) : Region();
    w->shape = std::move(shape);
    layoutChanged();
    if (redraw && isShowing(*w)) {
        invalidateScreenArea(before);
        exposeSubtree(*w);
    }
    return true;
}

Rect windowGetRect(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? screenRect(*w) : Rect{};
}

Rect windowGetClientRect(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? Rect{0, 0, w->rect.width(), w->rect.height()} : Rect{};
}

Point windowClientToScreen(WindowHandle handle, Point point) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return point;
    Point o = screenOrigin(*w);
    return {point.x + o.x, point.y + o.y};
}

Point windowScreenToClient(WindowHandle handle, Point point) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return point;
    Point o = screenOrigin(*w);
    return {point.x - o.x, point.y - o.y};
}

WindowHandle windowFromPoint(Point point) {
    WindowRecord* found = nullptr;
    for (WindowHandle h : state().topLevels) {
        WindowRecord* w = findWindow(h);
        if (isShowing(*w) && screenArea(*w).contains(point)) {
            found = w;
            break;
        }
    }
    while (found) {
        WindowRecord* deeper = nullptr;
        for (WindowHandle h : found->children) {
            WindowRecord* c = findWindow(h);
            if ((c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) && screenArea(*c).contains(point)) {
                deeper = c;
                break;
            }
        }
        if (!deeper)
            return found->handle;
        found = deeper;
    }
    return {};
}

} // namespace q71
