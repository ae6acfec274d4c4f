#pragma once
// A leaf screen inside a sub-screen: a sonar page, the periscope panel, the chart page, the
// fathometer, a state-room page. Its sub-screen opens, shows, closes and hides it.

#include "framework/app/child_screen.h"

namespace q71 {

class PageScreen : public ChildScreen {
public:
    PageScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);

    /// Opens the page and shows its window.
    void show() override;
    /// Hides the window.
    void hide() override;

    /// Remembers the page as its own reference (the page that was built last).
    void setSelfRef() { selfRef_ = this; }
    PageScreen* selfRef() const { return selfRef_; }

private:
    PageScreen* selfRef_ = nullptr;
};

} // namespace q71
