#include "platform/window/window.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/text_compare.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <algorithm>

namespace q71 {
namespace windowing {

bool isTopLevel(const WindowRecord& w) {
    return (w.style & WS_CHILD) == 0;
}

std::vector<WindowHandle>& siblingsOf(const WindowRecord& w) {
    return isTopLevel(w) ? state().topLevels : findWindow(w.parent)->children;
}

WindowRecord* topLevelOf(WindowRecord* w) {
    while (w && !isTopLevel(*w))
        w = findWindow(w->parent);
    return w;
}

void collectSubtree(WindowHandle root, std::vector<WindowHandle>& out) {
    out.push_back(root);
    if (WindowRecord* w = findWindow(root)) {
        for (WindowHandle child : w->children)
            collectSubtree(child, out);
    }
}

void insertTopLevel(WindowHandle handle, size_t position) {
    auto& list = state().topLevels;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())), handle);
}

size_t firstPlaceInBand(bool topmost) {
    if (topmost)
        return 0;
    const auto& list = state().topLevels;
    size_t i = 0;
    while (i < list.size() && (findWindow(list[i])->exStyle & WS_EX_TOPMOST))
        ++i;
    return i;
}

std::vector<WindowHandle> ownedWindows(WindowHandle owner) {
    std::vector<WindowHandle> owned;
    for (WindowHandle h : state().topLevels) {
        if (findWindow(h)->owner == owner)
            owned.push_back(h);
    }
    return owned;
}

namespace {

WindowHandle publish(std::unique_ptr<WindowRecord> record) {
    State& s = state();
    std::unique_lock lock(s.windowsLock);
    record->handle = static_cast<WindowHandle>(kFirstHandle + s.windows.size());
    WindowHandle handle = record->handle;
    s.windows.push_back(std::move(record));
    return handle;
}

void unlinkFromSiblings(const WindowRecord& w) {
    if (!isTopLevel(w) && !findWindow(w.parent))
        return;
    auto& list = siblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

// Frees the records of a destroyed subtree, children first; windows made during destruction
// go with it.
void freeSubtree(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return;
    while (!w->children.empty()) {
        WindowHandle child = w->children.back();
        w->children.pop_back();
        freeSubtree(child);
    }
    killWindowTimers(handle);
    forgetUpdate(*w);
    forgetInputWindow(handle);
    State& s = state();
    std::unique_lock lock(s.windowsLock);
    s.windows[static_cast<std::uint32_t>(handle) - kFirstHandle].reset();
}

} // namespace
} // namespace windowing

using namespace windowing;

WindowHandle windowCreate(std::uint32_t exStyle, std::string_view className, std::string_view title,
                          std::uint32_t style, int x, int y, int width, int height, WindowHandle parent,
                          std::uintptr_t id, void* createParam) {
    const WindowClass* windowClass = findClass(className);
    if (!windowClass)
        return {};
    WindowRecord* parentRecord = findWindow(parent);
    if (parent != WindowHandle{} && (!parentRecord || parentRecord->destroying))
        return {};
    if ((style & WS_CHILD) && !parentRecord)
        return {};

    auto record = std::make_unique<WindowRecord>();
    record->windowClass = windowClass;
    record->procedure = windowClass->procedure;
    record->text = std::string(title);
    record->style = style & ~WS_VISIBLE;
    record->exStyle = exStyle;
    record->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    record->id = id;
    if (style & WS_CHILD) {
        record->parent = parent;
    } else if (parentRecord) {
        // A window owned through a child is owned by that child's top-level window.
        WindowRecord* owner = topLevelOf(parentRecord);
        record->owner = owner->handle;
        if (owner->exStyle & WS_EX_TOPMOST)
            record->exStyle |= WS_EX_TOPMOST;
    }
    bool topmost = (record->exStyle & WS_EX_TOPMOST) != 0;
    WindowHandle handle = publish(std::move(record));
    if (style & WS_CHILD)
        parentRecord->children.push_back(handle); // new children go to the bottom of their siblings
    else
        insertTopLevel(handle, firstPlaceInBand(topmost));
    layoutChanged();

    std::string titleCopy(title), classCopy(windowClass->name);
    CreateStruct create{createParam,       id,     parent, height, width, y, x, style, titleCopy.c_str(),
                        classCopy.c_str(), exStyle};
    if (messageSend(handle, WM_CREATE, 0, reinterpret_cast<LParam>(&create)) == -1) {
        windowDestroy(handle);
        return {};
    }
    if (!findWindow(handle))
        return {};
    messageSend(handle, WM_SIZE, SIZE_RESTORED, makeLParam(width, height));
    messageSend(handle, WM_MOVE, 0, makeLParam(x, y));
    if ((style & WS_VISIBLE) && findWindow(handle))
        windowShow(handle, SW_SHOW);
    return findWindow(handle) ? handle : WindowHandle{};
}

bool windowDestroy(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    if (w->destroying)
        return true;
    for (WindowHandle owned : ownedWindows(handle))
        windowDestroy(owned);
    w = findWindow(handle);
    if (!w || w->destroying)
        return true;

    // Take it off the screen first, so what it covered is repainted.
    hideForDestroy(*w);
    std::vector<WindowHandle> subtree;
    collectSubtree(handle, subtree);
    for (WindowHandle h : subtree)
        findWindow(h)->destroying = true;
    moveFocusOutOf(handle);

    for (WindowHandle h : subtree) {
        if (findWindow(h))
            messageSend(h, WM_DESTROY, 0, 0);
    }
    // The last message of each window, children before their parent: what a window keeps for
    // its procedure can be freed here, whatever procedures were chained in front of it.
    for (auto h = subtree.rbegin(); h != subtree.rend(); ++h) {
        if (findWindow(*h))
            messageSend(*h, WM_NCDESTROY, 0, 0);
    }
    if (WindowRecord* gone = findWindow(handle)) {
        unlinkFromSiblings(*gone);
        freeSubtree(handle);
        layoutChanged();
    }
    return true;
}

bool windowIsValid(WindowHandle handle) {
    if (!windowSystemRunning())
        return false;
    if (onMainThread())
        return findWindow(handle) != nullptr;
    std::shared_lock lock(state().windowsLock);
    return findWindow(handle) != nullptr;
}

WindowHandle windowGetParent(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return {};
    if (!isTopLevel(*w))
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : WindowHandle{};
}

WindowHandle windowGetOwner(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->owner : WindowHandle{};
}

WindowHandle windowGetTopLevel(WindowHandle handle) {
    WindowRecord* top = topLevelOf(findWindow(handle));
    return top ? top->handle : WindowHandle{};
}

bool windowIsChild(WindowHandle parent, WindowHandle handle) {
    for (WindowRecord* w = findWindow(handle); w && !isTopLevel(*w); w = findWindow(w->parent)) {
        if (w->parent == parent)
            return true;
    }
    return false;
}

std::vector<WindowHandle> windowGetChildren(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->children : std::vector<WindowHandle>{};
}

WindowHandle windowGetChildById(WindowHandle parent, std::uintptr_t id) {
    WindowRecord* w = findWindow(parent);
    if (!w)
        return {};
    for (WindowHandle child : w->children) {
        if (findWindow(child)->id == id)
            return child;
    }
    return {};
}

std::uintptr_t windowGetId(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->id : 0;
}

std::string windowGetClassName(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->windowClass->name : std::string();
}

WindowHandle windowFind(std::string_view className, std::string_view title) {
    for (WindowHandle h : state().topLevels) {
        WindowRecord* w = findWindow(h);
        if (!w->destroying && equalNoCase(w->windowClass->name, className) &&
            (title.empty() || w->text == title))
            return h;
    }
    return {};
}

WindowProc windowGetProc(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->procedure : nullptr;
}

WindowProc windowSetProc(WindowHandle handle, WindowProc procedure) {
    WindowRecord* w = findWindow(handle);
    if (!w || !procedure)
        return nullptr;
    return std::exchange(w->procedure, procedure);
}

bool windowSetProperty(WindowHandle handle, std::string_view name, void* value) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return false;
    for (auto& [key, stored] : w->properties) {
        if (equalNoCase(key, name)) {
            stored = value;
            return true;
        }
    }
    w->properties.emplace_back(std::string(name), value);
    return true;
}

void* windowGetProperty(WindowHandle handle, std::string_view name) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return nullptr;
    for (auto& [key, stored] : w->properties) {
        if (equalNoCase(key, name))
            return stored;
    }
    return nullptr;
}

void* windowRemoveProperty(WindowHandle handle, std::string_view name) {
    WindowRecord* w = findWindow(handle);
    if (!w)
        return nullptr;
    for (auto it = w->properties.begin(); it != w->properties.end(); ++it) {
        if (equalNoCase(it->first, name)) {
            void* value = it->second;
            w->properties.erase(it);
            return value;
        }
    }
    return nullptr;
}

bool windowSetText(WindowHandle handle, std::string_view text) {
    if (!findWindow(handle))
        return false;
    std::string terminated(text);
    return messageSend(handle, WM_SETTEXT, 0, reinterpret_cast<LParam>(terminated.c_str())) != 0;
}

std::string windowGetText(WindowHandle handle) {
    if (!findWindow(handle))
        return {};
    auto length = messageSend(handle, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    auto copied = messageSend(handle, WM_GETTEXT, text.size(), reinterpret_cast<LParam>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LResult>(copied, 0, length)));
    return text;
}

std::uint32_t windowGetStyle(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->style : 0;
}

std::uint32_t windowGetExStyle(WindowHandle handle) {
    WindowRecord* w = findWindow(handle);
    return w ? w->exStyle : 0;
}

} // namespace q71
