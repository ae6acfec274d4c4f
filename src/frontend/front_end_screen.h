#pragma once
// The base of the front end's screens: a full screen that takes the keyboard when it shows, so a
// player can type, or skip with Esc, without first moving the pointer over it. A screen that can
// be skipped (a picture, a movie, the credits) is skipped by a click or a dismiss key (Esc, Space,
// Enter). Keys it leaves still climb to the main window, where the quit and minimise keys are.

#include "framework/app/full_screen.h"

namespace q71 {

class FrontEndScreen : public FullScreen {
public:
    /// A screen of 640 by 480 at 0, 0 of the main window.
    FrontEndScreen(std::string_view key, WindowHandle parent);

    /// Takes the keyboard focus.
    void onShow() override;
    /// A dismiss key skips the screen when it can be skipped.
    int onKey(int key, int category) override;
    /// A click skips the screen when it can be skipped; otherwise it goes to the widgets.
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

protected:
    /// Skips the screen; false when it cannot be skipped (the base). The screen may be gone after.
    virtual bool skip();
};

} // namespace q71
