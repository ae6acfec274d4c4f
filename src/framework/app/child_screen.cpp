#include "framework/app/child_screen.h"

#include "framework/app/main_cursor.h"
#include "framework/app/screen_routing.h"
#include "platform/window/default_proc.h"

namespace q71 {

ChildScreen::ChildScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : ScreenWindow(key, parent, width, height, x, y) {
    screenRegisterClass(key_, &windowObjectProc<ChildScreen, &ChildScreen::windowProc>, appMainCursor());
    createWindow(key, parent, width, height, x, y);
    focusOnCursor_ = true;
}

LResult ChildScreen::windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return route(false, window, message, wParam, lParam);
}

void ChildScreen::update() {}

} // namespace q71
