#pragma once
// The ground of the switch tests: the widget fixture with an active full screen for the switches
// to live on, and the left button pressed or released at a screen point.

#include "framework/app/full_screen.h"
#include "widget_fixture.h"

#include <memory>

namespace q71::test {

class SwitchFixture : public WidgetFixture {
protected:
    SwitchFixture() {
        screen->activate();
        pump();
    }
    void press(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, at));
        pump();
    }
    void release(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, at));
        pump();
    }

    std::unique_ptr<FullScreen> screen = std::make_unique<FullScreen>("switches", mainWindow, 640, 480, 0, 0);
};

} // namespace q71::test
