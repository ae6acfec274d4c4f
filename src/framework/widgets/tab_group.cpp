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
    widgets_.push_back(widget);
    return 1;
}

void TabGroup::findFocus(WindowHandle window) {
    for (int i = 0; i < count(); ++i) {
        const WindowHandle own = widgets_[static_cast<std::size_t>(i)]->window();
        for (WindowHandle w = window; windowIsValid(w); w = windowGetParent(w)) {
            if (w == own) {
                current_ = i;
                return;
            }
        }
    }
}

void TabGroup::focusNext() {
    if (widgets_.empty())
        return;
    findFocus(focusGet());
    current_ = (current_ + 1) % count();
    focusSet(widgets_[static_cast<std::size_t>(current_)]->window());
}

} // namespace q71
