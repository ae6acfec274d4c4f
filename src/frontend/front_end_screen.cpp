#include "frontend/front_end_screen.h"

#include "framework/app/key_matching.h"
#include "framework/app/shell.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"

namespace q71 {

FrontEndScreen::FrontEndScreen(std::string_view key, WindowHandle parent)
    : FullScreen(key, parent, kMainWindowWidth, kMainWindowHeight, 0, 0) {}

void FrontEndScreen::onShow() {
    focusSet(window_);
}

int FrontEndScreen::onKey(int key, int category) {
    return appIsDismissKey(static_cast<std::int8_t>(key), category) && skip() ? 1 : 0;
}

LResult FrontEndScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                      LParam lParam) {
    if (message == WM_LBUTTONDOWN && skip())
        return 0;
    return FullScreen::handleMessage(window, message, wParam, lParam);
}

bool FrontEndScreen::skip() {
    return false;
}

} // namespace q71
