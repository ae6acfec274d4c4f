#pragma once
// A fixed set of widgets through which the keyboard focus moves in turn (Tab on a screen).

#include "platform/window/window_types.h"

#include <memory>
#include <vector>

namespace q71 {

class BaseWidget;

class TabGroup {
public:
    /// A group of at most `capacity` widgets (which it does not own; one deleted meanwhile is
    /// passed over).
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
    struct Member {
        BaseWidget* widget;
        std::weak_ptr<const void> alive;
    };
    /// The member's widget, or null once it was deleted.
    static BaseWidget* widgetOf(const Member& member);

    std::vector<Member> widgets_;
    int capacity_;
    int current_ = 0;
};

} // namespace q71
