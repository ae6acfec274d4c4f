#pragma once
// A fixed set of widgets through which the keyboard focus moves in turn (Tab on a screen).

#include "platform/window/window_types.h"

#include <vector>

namespace q71 {

class BaseWidget;

class TabGroup {
public:
    /// A group of at most `capacity` widgets (which it does not own).
    explicit TabGroup(int capacity);

    /// 1 when added, 0 when the group is full.
    int add(BaseWidget* widget);
    /// Makes current the first widget whose window is `window` or one of its ancestors; nothing
    /// changes when there is none.
    void findFocus(WindowHandle window);
    /// Gives the focus to the widget after the one that has it, the first after the last; nothing
    /// in an empty group.
    void focusNext();

    int count() const { return static_cast<int>(widgets_.size()); }
    int current() const { return current_; }

private:
    std::vector<BaseWidget*> widgets_;
    int capacity_;
    int current_ = 0;
};

} // namespace q71
