#pragma once
// The windowless widgets of one window. The window's procedure hands its paint, timer and mouse
// messages to the container, which passes them to the widgets: paints to every visible one in
// the order they were added (the last added is drawn on top), clicks to the first visible one
// under the point (so where widgets overlap, the first added takes the click), timers to the
// first with the timer's id. The container owns its widgets. The three screen classes are
// containers.

#include "framework/app/window_object.h"
#include "framework/lists/linked_list.h"

#include <cstdint>

namespace q71 {

class BaseWidget;
struct PaintRecord;

class WidgetContainer : public WindowObject {
public:
    WidgetContainer() = default;
    /// Deletes the windowless widgets still in the container.
    ~WidgetContainer() override;

    /// Appends a widget (the container then owns it when it is windowless).
    void add(BaseWidget* widget);
    /// Takes a widget out without deleting it.
    void remove(BaseWidget* widget);
    /// Paints every visible widget, in the order of addition.
    void paint(PaintRecord& paint);
    /// Gives the timer to the first widget whose timer has the id.
    void onTimer(std::uintptr_t id);
    /// A left press: the first visible widget under the point takes it and the mouse capture.
    void onLeftDown(int x, int y);
    /// A left release goes to the widget that took the press.
    void onLeftUp(int x, int y);
    /// A right press goes to the first visible widget under the point.
    void onRightDown(int x, int y);
    /// A right release goes to every visible widget under the point.
    void onRightUp(int x, int y);
    /// A pointer move: the widget holding a pressed button gets every move (it may drag beyond its
    /// own rectangle); otherwise the first visible widget under the point gets it, and the tool
    /// tips of widgets see it. True when a widget took it.
    bool onMouseMove(int x, int y);
    /// The pointer left the window (or the window hid): no hot spot of its widgets holds it.
    void onMouseLeave();
    /// The wheel over a point: the visible widgets under it are offered it in turn until one
    /// scrolls; true when one did.
    bool onMouseWheel(int x, int y, int delta);
    /// A key the screen left: the visible widgets are offered it in turn until one takes it; true
    /// when one did.
    bool onKeyDown(std::uint32_t key);
    /// A scroll bar's report (WM_VSCROLL) goes to every widget: each knows its own bar's id.
    void onVScroll(WParam wParam, LParam lParam);

    /// How many widgets the container holds.
    int count() const { return widgets_.count(); }

private:
    /// The first visible widget holding the point, or null.
    BaseWidget* widgetAt(int x, int y);

    LinkedList<BaseWidget> widgets_;
};

} // namespace q71
