#pragma once
// What a sub-screen and a page have in common: a child window inside another screen, with the
// main cursor as class cursor, that takes the keyboard focus when the pointer passes over it.

#include "framework/app/screen_window.h"

namespace q71 {

class ChildScreen : public ScreenWindow {
public:
    /// Registers the class `key` unless it exists and creates the hidden window in `parent`.
    ChildScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);

    /// Once per frame; a sub-screen updates its pages, a page does nothing.
    virtual void update();
    /// Opens and shows the screen.
    virtual void show() = 0;
    /// Hides the screen.
    virtual void hide() = 0;

    /// The routing of the screen's messages.
    LResult windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
};

} // namespace q71
