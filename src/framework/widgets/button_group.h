#pragma once
// A radio group of buttons: one member at a time is down (state 1). The group and its members
// know each other; whichever goes first unlinks itself, so screens may delete them in any order.

#include <vector>

namespace q71 {

class SimpleButton;

class ButtonGroup {
public:
    /// A group of at most `capacity` buttons, none selected.
    explicit ButtonGroup(int capacity);
    /// The members stay, without a group.
    ~ButtonGroup();
    ButtonGroup(const ButtonGroup&) = delete;
    ButtonGroup& operator=(const ButtonGroup&) = delete;

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
    /// A member that goes: its place stays empty (the others keep their indices); when it was
    /// selected, none is.
    void remove(const SimpleButton* button);

    int selected() const { return selected_; }
    int count() const { return static_cast<int>(buttons_.size()); }
    /// Member i; null outside the group or where a member went.
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
