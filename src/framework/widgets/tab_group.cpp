#include "framework/widgets/tab_group.h"

#include "framework/widgets/base_widget.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"

#include <algorithm>

namespace q71 {

TabGroup::TabGroup(int capacity) : capacity_(std::max(capacity, 0)) {
    widgets_.reserve(static_cast<std::size_t>(capacity_));
}

int TabGroup::add(BaseWidget* widget) {
    if (count() >= capacity_)
        return 0;
    widgets_.push_back({widget, widget ? widget->watch() : std::weak_ptr<const void>{}});
    return 1;
}

BaseWidget* TabGroup::widgetOf(const Member& member) {
    return member.alive.expired() ? nullptr : member.widget;
}

void TabGroup::findFocus(WindowHandle window) {
    for (int i = 0; i < count(); ++i) {
        const BaseWidget* widget = widgetOf(widgets_[static_cast<std::size_t>(i)]);
        if (!widget)
            continue;
        const WindowHandle own = widget->window();
        for (WindowHandle w = window; windowIsValid(w); w = windowGetParent(w)) {
            if (w == own) {
                current_ = i;
                return;
            }
        }
    }
}

void TabGroup::focusNext() {
    findFocus(focusGet());
    // Widgets deleted since they were added (their screen part closed) are passed over.
    for (int step = 1; step <= count(); ++step) {
        const int next = (current_ + step) % count();
        if (const BaseWidget* widget = widgetOf(widgets_[static_cast<std::size_t>(next)])) {
            current_ = next;
            focusSet(widget->window());
            return;
        }
    }
}

} // namespace q71
