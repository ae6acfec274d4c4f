#include "framework/app/page_screen.h"

#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {

PageScreen::PageScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : ChildScreen(key, parent, width, height, x, y) {}

void PageScreen::show() {
    open();
    visible_ = true;
    windowShow(window_, SW_SHOWDEFAULT);
    windowUpdate(window_);
}

void PageScreen::hide() {
    windowShow(window_, SW_HIDE);
    visible_ = false;
}

} // namespace q71
