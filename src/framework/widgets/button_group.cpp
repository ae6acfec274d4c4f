#include "framework/widgets/button_group.h"

#include "framework/widgets/simple_button.h"

#include <algorithm>

namespace q71 {

ButtonGroup::ButtonGroup(int capacity) : capacity_(capacity) {}

ButtonGroup::~ButtonGroup() {
    for (SimpleButton* b : buttons_)
        if (b)
            b->setGroup(nullptr);
}

void ButtonGroup::remove(const SimpleButton* button) {
    const int i = indexOf(button);
    if (i < 0)
        return;
    buttons_[static_cast<std::size_t>(i)] = nullptr;
    if (selected_ == i)
        selected_ = -1;
}

int ButtonGroup::add(SimpleButton* button) {
    if (count() >= capacity_)
        return 0;
    buttons_.push_back(button);
    button->setGroup(this);
    return 1;
}

SimpleButton* ButtonGroup::member(int i) const {
    return i >= 0 && i < count() ? buttons_[static_cast<std::size_t>(i)] : nullptr;
}

int ButtonGroup::indexOf(const SimpleButton* button) const {
    if (!button)
        return -1;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

void ButtonGroup::memberPressed(SimpleButton* button) {
    if (SimpleButton* previous = member(selected_); previous && previous != button)
        previous->setState(2);
    if (int i = indexOf(button); i >= 0)
        selected_ = i;
}

void ButtonGroup::change(int i) {
    if (SimpleButton* previous = member(selected_); previous && previous->getState() == 1)
        previous->setState(2);
    buttons_[static_cast<std::size_t>(i)]->setState(1);
    selected_ = i;
}

void ButtonGroup::select(SimpleButton* button) {
    if (int i = indexOf(button); i >= 0)
        change(i);
}

void ButtonGroup::selectIndex(int i) {
    if (i != selected_ && member(i))
        change(i);
}

void ButtonGroup::clearSelection() {
    if (SimpleButton* previous = member(selected_))
        previous->setState(2);
    selected_ = -1;
}

void ButtonGroup::loadAll() {
    for (SimpleButton* b : buttons_)
        if (b)
            b->loadResources();
}

void ButtonGroup::freeAll() {
    for (SimpleButton* b : buttons_)
        if (b)
            b->freeResources();
}

} // namespace q71
