#pragma once
// The items of a list box apart from any window: texts and item data, item heights (one for
// all, or one each), the selection and the first item shown, and the arithmetic of a view of a
// given height over them.

#include "platform/window/window_types.h"

#include <string>
#include <string_view>
#include <vector>

namespace q71 {

struct ListItem {
    std::string text;
    LParam data = 0;
    int height = 0; ///< used when items have heights of their own
};

class ListItems {
public:
    /// Items of one height (at least 1), or of their own heights (variableHeights).
    ListItems(int fixedHeight, bool variableHeights);

    int count() const { return static_cast<int>(items_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    const ListItem& at(int index) const { return items_[static_cast<size_t>(index)]; }
    ListItem& at(int index) { return items_[static_cast<size_t>(index)]; }
    int heightOf(int index) const;
    int fixedHeight() const { return fixedHeight_; }
    void setFixedHeight(int height);
    bool variableHeights() const { return variable_; }

    /// Appends an item; returns its index.
    int add(ListItem item);
    /// Removes an item; the selection and the first item shown follow what stays.
    void erase(int index);
    void clear();

    /// The selected item, or -1.
    int selection() const { return selection_; }
    /// Selects an item (-1 or an invalid index selects none); true when the selection changed.
    bool select(int index);
    /// The first item shown.
    int top() const { return top_; }

    /// The last first item that still fills a view of the height (0 when everything fits).
    int maxTop(int viewHeight) const;
    /// How many items, from the first shown, fit whole in the view (at least 1 when there are any).
    int fullyVisible(int viewHeight) const;
    /// Makes an item the first shown, within 0..maxTop; true when that changed.
    bool scrollTo(int index, int viewHeight);
    /// Scrolls as little as needed to show the item whole.
    bool ensureVisible(int index, int viewHeight);
    /// The item at a height from the top of the view, or -1 below the last one.
    int itemAt(int y) const;
    /// The distance of an item's top from the top of the view (negative above it).
    int offsetOf(int index) const;

    /// The first item after `after` (wrapping round to it; -1: from the first) whose text equals
    /// the text, ignoring letter case; -1 for none.
    int findExact(std::string_view text, int after) const;

private:
    std::vector<ListItem> items_;
    int fixedHeight_;
    bool variable_;
    int selection_ = -1;
    int top_ = 0;
};

} // namespace q71
