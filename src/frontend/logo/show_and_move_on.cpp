#include "frontend/logo/show_and_move_on.h"

#include "framework/app/screen_manager.h"
#include "frontend/screen_art.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"

namespace q71 {
namespace {

constexpr std::uintptr_t kShowTimer = 1;

} // namespace

ShowAndMoveOn::ShowAndMoveOn(std::string_view key, WindowHandle parent, const char* group,
                             std::uint32_t showMs)
    : FrontEndScreen(key, parent), group_(group), showMs_(showMs) {}

void ShowAndMoveOn::open() {
    frontEndSelectGroup(group_);
    frontEndLoadBackground(background_);
    timerSet(window_, kShowTimer, showMs_);
}

void ShowAndMoveOn::close() {
    timerKill(window_, kShowTimer);
    background_.free();
}

LResult ShowAndMoveOn::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                     LParam lParam) {
    if (message == WM_TIMER && wParam == kShowTimer) {
        skip();
        return 0;
    }
    return FrontEndScreen::handleMessage(window, message, wParam, lParam);
}

bool ShowAndMoveOn::skip() {
    timerKill(window_, kShowTimer);
    screenSwitch(nextScreenSlot_);
    return true;
}

} // namespace q71
