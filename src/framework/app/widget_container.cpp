#include "framework/app/widget_container.h"

#include "framework/widgets/base_widget.h"
#include "framework/widgets/hot_spot.h"
#include "platform/window/focus.h"

#include <utility>
#include <vector>

namespace q71 {
namespace {

// The widgets of a walk whose calls may add or delete widgets: each is called only while it
// still exists and still belongs to the container.
struct Held {
    BaseWidget* widget;
    std::weak_ptr<const void> alive;
};

} // namespace

WidgetContainer::~WidgetContainer() {
    while (auto* node = widgets_.head()) {
        BaseWidget* widget = node->item;
        remove(widget);
        if (!widget->isWindowed())
            delete widget;
    }
}

void WidgetContainer::add(BaseWidget* widget) {
    widgets_.appendItem(widget);
    widget->container_ = this;
}

void WidgetContainer::remove(BaseWidget* widget) {
    widgets_.remove(widget);
    if (widget->container_ == this)
        widget->container_ = nullptr;
}

BaseWidget* WidgetContainer::widgetAt(int x, int y) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->windowed_ && w->visible_ && w->hitTest(x, y))
            return w;
    }
    return nullptr;
}

bool WidgetContainer::onMouseWheel(int x, int y, int delta) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->windowed_ && w->visible_ && w->hitTest(x, y) && w->onMouseWheel(delta))
            return true;
    }
    return false;
}

bool WidgetContainer::onKeyDown(std::uint32_t key) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->windowed_ && w->visible_ && w->onKeyDown(key, 0))
            return true;
    }
    return false;
}

void WidgetContainer::onVScroll(WParam wParam, LParam lParam) {
    for (auto* node = widgets_.head(); node; node = node->next)
        if (!node->item->windowed_)
            node->item->onVScroll(wParam, lParam);
}

void WidgetContainer::paint(PaintRecord& paint) {
    for (auto* node = widgets_.head(); node; node = node->next)
        if (!node->item->windowed_ && node->item->visible_)
            node->item->paint(paint);
}

void WidgetContainer::onTimer(std::uintptr_t id) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->windowed_ && w->timerId_ == static_cast<std::intptr_t>(id)) {
            w->onTick();
            return;
        }
    }
}

void WidgetContainer::onLeftDown(int x, int y) {
    BaseWidget* w = widgetAt(x, y);
    if (!w)
        return;
    w->leftPressed_ = true;
    captureSet(w->window_);
    if (w->hotSpot_)
        w->hotSpot_->hideToolTip();
    auto alive = w->watch();
    w->onLeftDown(x, y);
    if (!alive.expired() && !w->leftPressed_)
        captureRelease();
}

void WidgetContainer::onLeftUp(int x, int y) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->leftPressed_)
            continue;
        if (!w->visible_) {
            // Hidden while held: it goes back up without acting on the release, and the window
            // lets go of the mouse it took at the press.
            w->setState(2);
            w->leftPressed_ = false;
            captureRelease();
            return;
        }
        auto alive = w->watch();
        w->onLeftUp(x, y);
        if (!alive.expired())
            w->leftPressed_ = false;
        captureRelease();
        return;
    }
}

void WidgetContainer::onRightDown(int x, int y) {
    if (BaseWidget* w = widgetAt(x, y)) {
        w->rightPressed_ = true;
        w->onRightDown(x, y);
    }
}

void WidgetContainer::onRightUp(int x, int y) {
    std::vector<Held> held;
    for (auto* node = widgets_.head(); node; node = node->next)
        held.push_back({node->item, node->item->watch()});
    for (const Held& h : held) {
        if (h.alive.expired() || h.widget->container_ != this)
            continue;
        BaseWidget* w = h.widget;
        if (!w->windowed_ && w->visible_ && w->hitTest(x, y)) {
            w->onRightUp(x, y);
            if (h.alive.expired())
                continue;
        }
        // The press is over wherever it ended, so no widget keeps receiving the moves.
        w->rightPressed_ = false;
    }
}

bool WidgetContainer::onMouseMove(int x, int y) {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (!w->windowed_ && (w->leftPressed_ || w->rightPressed_)) {
            w->onMouseMove(x, y);
            return true;
        }
    }
    BaseWidget* hit = widgetAt(x, y);
    std::vector<Held> tipped;
    for (auto* node = widgets_.head(); node; node = node->next)
        if (node->item->hotSpot_)
            tipped.push_back({node->item, node->item->watch()});
    for (const Held& h : tipped) {
        if (h.alive.expired() || !h.widget->hotSpot_)
            continue;
        if (h.widget->visible_)
            h.widget->hotSpot_->trackMouse(x, y);
        else
            h.widget->hotSpot_->leave();
    }
    HotSpot::leaveOthers(hit);
    if (!hit)
        return false;
    hit->onMouseMove(x, y);
    return true;
}

void WidgetContainer::onMouseLeave() {
    for (auto* node = widgets_.head(); node; node = node->next) {
        BaseWidget* w = node->item;
        if (w->hotSpot_)
            w->hotSpot_->leave();
        if (w == HotSpot::current())
            HotSpot::leaveOthers(nullptr);
    }
}

} // namespace q71
