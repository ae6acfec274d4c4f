#include "platform/controls/list_items.h"

#include "platform/text/cp1252.h"

#include <algorithm>

namespace q71 {

ListItems::ListItems(int fixedHeight, bool variableHeights)
    : fixedHeight_(std::max(fixedHeight, 1)), variable_(variableHeights) {}

int ListItems::heightOf(int index) const {
    return variable_ && valid(index) ? std::max(at(index).height, 1) : fixedHeight_;
}

void ListItems::setFixedHeight(int height) {
    fixedHeight_ = std::max(height, 1);
}

int ListItems::add(ListItem item) {
    items_.push_back(std::move(item));
    return count() - 1;
}

void ListItems::erase(int index) {
    if (!valid(index))
        return;
    items_.erase(items_.begin() + index);
    if (selection_ == index)
        selection_ = -1;
    else if (selection_ > index)
        --selection_;
    if (top_ > index)
        --top_;
    top_ = std::clamp(top_, 0, std::max(count() - 1, 0));
}

void ListItems::clear() {
    items_.clear();
    selection_ = -1;
    top_ = 0;
}

bool ListItems::select(int index) {
    int wanted = valid(index) ? index : -1;
    if (wanted == selection_)
        return false;
    selection_ = wanted;
    return true;
}

int ListItems::maxTop(int viewHeight) const {
    int used = 0;
    for (int i = count() - 1; i >= 0; --i) {
        used += heightOf(i);
        if (used > viewHeight)
            return std::min(i + 1, count() - 1);
    }
    return 0;
}

int ListItems::fullyVisible(int viewHeight) const {
    int used = 0, shown = 0;
    for (int i = top_; i < count(); ++i) {
        used += heightOf(i);
        if (used > viewHeight)
            break;
        ++shown;
    }
    return count() > 0 ? std::max(shown, 1) : 0;
}

bool ListItems::scrollTo(int index, int viewHeight) {
    int wanted = std::clamp(index, 0, maxTop(viewHeight));
    if (wanted == top_)
        return false;
    top_ = wanted;
    return true;
}

bool ListItems::ensureVisible(int index, int viewHeight) {
    if (!valid(index))
        return false;
    if (index < top_)
        return scrollTo(index, viewHeight);
    // Move the top down until the item's bottom is inside the view (an item taller than the
    // view stands at the top).
    int wanted = top_;
    while (wanted < index) {
        int bottom = 0;
        for (int i = wanted; i <= index; ++i)
            bottom += heightOf(i);
        if (bottom <= viewHeight)
            break;
        ++wanted;
    }
    return scrollTo(wanted, viewHeight);
}

int ListItems::itemAt(int y) const {
    if (y < 0)
        return -1;
    int top = 0;
    for (int i = top_; i < count(); ++i) {
        int bottom = top + heightOf(i);
        if (y < bottom)
            return i;
        top = bottom;
    }
    return -1;
}

int ListItems::offsetOf(int index) const {
    int offset = 0;
    if (index >= top_) {
        for (int i = top_; i < index; ++i)
            offset += heightOf(i);
    } else {
        for (int i = index; i < top_; ++i)
            offset -= heightOf(i);
    }
    return offset;
}

int ListItems::findExact(std::string_view text, int after) const {
    int first = valid(after) ? after + 1 : 0;
    for (int n = 0; n < count(); ++n) {
        int i = (first + n) % count();
        if (cp1252EqualNoCase(at(i).text, text))
            return i;
    }
    return -1;
}

} // namespace q71
