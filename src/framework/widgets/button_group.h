#pragma once
// A radio group of buttons: one member at a time is down (state 1).

#include <vector>

namespace q71 {

class SimpleButton;

class ButtonGroup {
public:
    /// A group of at most `capacity` buttons, none selected.
    explicit ButtonGroup(int capacity);

    /// Adds a member and makes this its group; 0 (and nothing changes) when the group is full.
    int add(SimpleButton* button);
    /// A member's press, after it set itself down: the member selected before goes up.
    void memberPressed(SimpleButton* button);
    /// Selects a member (even the selected one, which goes up and down again).
    void select(SimpleButton* button);
    /// Selects member i: the selected one goes up, member i down; nothing when i is selected or
    /// no member.
    void selectIndex(int i);
    /// The selected member goes up; none is selected.
    void clearSelection();
    /// Loads the bitmaps of every member.
    void loadAll();
    /// Frees the bitmaps of every member.
    void freeAll();

    int selected() const { return selected_; }
    int count() const { return static_cast<int>(buttons_.size()); }
    SimpleButton* member(int i) const;

private:
    int indexOf(const SimpleButton* button) const;
    /// Raises the selected member when it is down, lowers member i and selects it.
    void change(int i);

    std::vector<SimpleButton*> buttons_;
    int capacity_;
    int selected_ = -1;
};

} // namespace q71
