#include "platform/window/window_paint.h"

#include "platform/display/screen_surface.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace windowing {
namespace {

bool showsInTopLevelList(const WindowRecord& w) {
    return (w.style & WS_VISIBLE) && !(w.style & WS_MINIMIZE);
}

// Removes from the region the areas of the visible windows listed before `self` (those above it).
void subtractWindowsAbove(Region& region, const std::vector<WindowHandle>& siblings, WindowHandle self) {
    for (WindowHandle h : siblings) {
        if (h == self)
            return;
        const WindowRecord& s = *findWindow(h);
        bool visible = isTopLevel(s) ? showsInTopLevelList(s) : (s.style & WS_VISIBLE) != 0;
        if (visible && !region.isEmpty())
            region = region.subtracted(screenArea(s));
    }
}

Region visibleRegion(const WindowRecord& w, bool clipChildren) {
    if (!isShowing(w))
        return {};
    Region region = screenArea(w).intersected(Region(ScreenSurface::bounds()));
    if (clipChildren && (w.style & WS_CLIPCHILDREN)) {
        for (WindowHandle h : w.children) {
            const WindowRecord& c = *findWindow(h);
            if (c.style & WS_VISIBLE)
                region = region.subtracted(screenArea(c));
        }
    }
    // Siblings above are always clipped, at every level up to the top-level windows.
    for (const WindowRecord* level = &w;; level = findWindow(level->parent)) {
        subtractWindowsAbove(region, siblingsOf(*level), level->handle);
        if (isTopLevel(*level))
            break;
        region = region.intersected(screenArea(*findWindow(level->parent)));
    }
    return region;
}

void addToUpdate(WindowRecord& w, const Region& clientRegion, bool erase) {
    Region clipped = clientRegion.intersected(Region(Rect{0, 0, w.rect.width(), w.rect.height()}));
    if (clipped.isEmpty())
        return;
    if (w.update.isEmpty())
        ++state().windowsWithUpdate;
    w.update = w.update.united(clipped);
    w.erasePending = w.erasePending || erase;
}

void setUpdateEmpty(WindowRecord& w) {
    if (!w.update.isEmpty())
        --state().windowsWithUpdate;
    w.update = {};
    w.erasePending = false;
}

void invalidateTree(WindowRecord& w, const Region& clientRegion, bool erase) {
    addToUpdate(w, clientRegion, erase);
    if (w.style & WS_CLIPCHILDREN)
        return;
    for (WindowHandle h : w.children) {
        WindowRecord& c = *findWindow(h);
        if (c.style & WS_VISIBLE)
            invalidateTree(c, clientRegion.offsetBy(-c.rect.left, -c.rect.top), erase);
    }
}

void invalidateAreaIn(WindowRecord& w, const Region& area) {
    if (!(w.style & WS_VISIBLE) || !screenRect(w).intersects(area.boundingBox()))
        return;
    Region seen = visibleRegion(w, true).intersected(area);
    if (!seen.isEmpty()) {
        Point o = screenOrigin(w);
        addToUpdate(w, seen.offsetBy(-o.x, -o.y), true);
    }
    for (WindowHandle h : w.children)
        invalidateAreaIn(*findWindow(h), area);
}

WindowRecord* firstToPaint(WindowRecord& w) {
    if (!(w.style & WS_VISIBLE))
        return nullptr;
    if (!w.update.isEmpty())
        return &w;
    for (WindowHandle h : w.children) {
        if (WindowRecord* found = firstToPaint(*findWindow(h)))
            return found;
    }
    return nullptr;
}

} // namespace

Region coveredArea(const WindowRecord& w) {
    return visibleRegion(w, false);
}

void invalidateScreenArea(const Region& area) {
    if (area.isEmpty())
        return;
    for (WindowHandle h : std::vector<WindowHandle>(state().topLevels)) {
        WindowRecord& w = *findWindow(h);
        if (showsInTopLevelList(w))
            invalidateAreaIn(w, area);
    }
}

void exposeSubtree(WindowRecord& w) {
    if (!(w.style & WS_VISIBLE))
        return;
    addToUpdate(w, Region(Rect{0, 0, w.rect.width(), w.rect.height()}), true);
    for (WindowHandle h : w.children)
        exposeSubtree(*findWindow(h));
}

void clearSubtreeUpdates(WindowHandle handle) {
    WindowRecord& w = *findWindow(handle);
    setUpdateEmpty(w);
    for (WindowHandle h : w.children)
        clearSubtreeUpdates(h);
}

void clipUpdateToClient(WindowRecord& w) {
    if (w.update.isEmpty())
        return;
    Region update = w.update;
    bool erase = w.erasePending;
    setUpdateEmpty(w);
    addToUpdate(w, update, erase);
}

void forgetUpdate(WindowRecord& w) {
    setUpdateEmpty(w);
}

bool takePaintMessage(Message& out) {
    if (state().windowsWithUpdate == 0)
        return false;
    for (WindowHandle h : state().topLevels) {
        WindowRecord& w = *findWindow(h);
        if (w.style & WS_MINIMIZE)
            continue;
        if (WindowRecord* found = firstToPaint(w)) {
            out = Message{found->handle, WM_PAINT, 0, 0, messageTime(), state().cursorPosition};
            return true;
        }
    }
    return false;
}

} // namespace windowing

using namespace windowing;

bool windowInvalidate(WindowHandle handle, const Rect* rect, bool erase) {
    if (handle == WindowHandle{}) {
        for (WindowHandle h : state().topLevels)
            windowInvalidate(h, rect, erase);
        return true;
    }
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    Region region = rect ? Region(*rect) : Region(Rect{0, 0, w->rect.width(), w->rect.height()});
    return windowInvalidateRegion(handle, region, erase);
}

bool windowInvalidateRegion(WindowHandle handle, const Region& region, bool erase) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    // A window that is not on the screen has nothing to repaint; showing it exposes it whole.
    if (isShowing(*w))
        invalidateTree(*w, region, erase);
    return true;
}

bool windowValidate(WindowHandle handle, const Rect* rect) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    if (!rect) {
        setUpdateEmpty(*w);
    } else if (!w->update.isEmpty()) {
        bool erase = w->erasePending;
        Region rest = w->update.subtracted(Region(*rect));
        setUpdateEmpty(*w);
        addToUpdate(*w, rest, erase);
    }
    return true;
}

bool windowUpdate(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    if (isShowing(*w) && !w->update.isEmpty())
        messageSend(handle, WM_PAINT, 0, 0);
    if ((w = findWindow(handle)) != nullptr) {
        for (WindowHandle child : std::vector<WindowHandle>(w->children))
            windowUpdate(child);
    }
    return true;
}

bool windowGetUpdateRect(WindowHandle handle, Rect* rect) {
    WindowRecord* w = findWindow(handle);
    Rect box = w ? w->update.boundingBox() : Rect{};
    if (rect)
        *rect = box;
    return !box.isEmpty();
}

PaintState paintBegin(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return {};
    PaintState paint;
    paint.rect = w->update.boundingBox();
    paint.erase = w->erasePending;
    Point o = screenOrigin(*w);
    paint.clip = visibleRegion(*w, true).intersected(w->update.offsetBy(o.x, o.y));
    setUpdateEmpty(*w);
    return paint;
}

Region windowVisibleRegion(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? visibleRegion(*w, true) : Region();
}

std::uint64_t windowLayoutGeneration() {
    return state().layoutGeneration;
}

} // namespace q71
