// The mouse on a list box: a press selects the item under it and dragging moves the selection
// (scrolling when the pointer leaves the items); on the scroll bars arrows and the track repeat
// while held and the thumb follows the pointer. A combo box's drop-down list holds the capture
// while it is down: the item under the pointer is highlighted, a release on an item chooses it,
// a press outside the list closes it.

#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/list_box_control.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window_layout.h"

#include <algorithm>

namespace q71 {

ScrollBar* ListBoxControl::barAt(Point at) {
    layout();
    if (vertical_.shown() && vertical_.area().contains(at))
        return &vertical_;
    if (horizontal_.shown() && horizontal_.area().contains(at))
        return &horizontal_;
    return nullptr;
}

int ListBoxControl::itemUnder(Point at, bool clampToView) {
    int y = at.y - view_.top;
    if (!clampToView)
        return view_.contains(at) ? items_.itemAt(y) : -1;
    // Above or below the items while dragging: the next item out there, which scrolls into view.
    if (y < 0)
        return std::max(items_.top() - 1, 0);
    if (y >= viewHeight())
        return std::min(items_.top() + items_.fullyVisible(viewHeight()), items_.count() - 1);
    int index = items_.itemAt(y);
    return index >= 0 ? index : items_.count() - 1;
}

void ListBoxControl::applyScroll(const ScrollBar& bar, const std::optional<ScrollRequest>& request) {
    if (request)
        messageSend(
            window(), bar.vertical() ? WM_VSCROLL : WM_HSCROLL,
            (static_cast<WParam>(request->position & 0xFFFF) << 16) | static_cast<WParam>(request->code), 0);
    invalidate();
}

void ListBoxControl::onButtonDown(Point at, bool doubleClick) {
    bool inCombo = combo_ != WindowHandle{};
    if (inCombo && !windowGetClientRect(window()).contains(at)) {
        notify(LBN_SELCANCEL);
        return;
    }
    if (!inCombo && !focused_)
        focusSet(window());
    if (ScrollBar* bar = barAt(at)) {
        std::optional<ScrollRequest> first = bar->press(at);
        if (bar->pressed()) {
            pressedBar_ = bar;
            captureSet(window());
            timerSet(window(), kRepeatTimer, ScrollBar::kFirstRepeatMs);
            applyScroll(*bar, first);
        }
        return;
    }
    int index = itemUnder(at, false);
    tracking_ = true;
    if (inCombo) {
        if (items_.select(index))
            invalidate();
        return;
    }
    captureSet(window());
    selectByUser(index);
    if (doubleClick && index >= 0 && (style_ & LBS_NOTIFY))
        notify(LBN_DBLCLK);
}

void ListBoxControl::onMouseMove(Point at) {
    if (pressedBar_) {
        applyScroll(*pressedBar_, pressedBar_->move(at));
        return;
    }
    if (combo_ != WindowHandle{}) {
        int index = itemUnder(at, false);
        if (index >= 0 && items_.select(index))
            invalidate();
        return;
    }
    if (tracking_)
        selectByUser(itemUnder(at, true));
}

void ListBoxControl::onButtonUp(Point at) {
    bool inCombo = combo_ != WindowHandle{};
    if (pressedBar_) {
        ScrollBar* bar = pressedBar_;
        pressedBar_ = nullptr;
        timerKill(window(), kRepeatTimer);
        if (!inCombo && captureGet() == window())
            captureRelease();
        applyScroll(*bar, bar->release());
        return;
    }
    bool wasTracking = tracking_;
    tracking_ = false;
    if (!inCombo) {
        if (wasTracking && captureGet() == window())
            captureRelease();
        return;
    }
    // The release that follows the press opening the list, off the list, leaves it open.
    int index = itemUnder(at, false);
    if (index >= 0) {
        items_.select(index);
        notify(LBN_SELCHANGE);
    }
}

void ListBoxControl::onRepeatTimer() {
    if (!pressedBar_) {
        timerKill(window(), kRepeatTimer);
        return;
    }
    applyScroll(*pressedBar_, pressedBar_->repeat());
    timerSet(window(), kRepeatTimer, ScrollBar::kRepeatMs);
}

} // namespace q71
