// The main window: its procedure with the quit and minimise keys, and minimising and restoring
// the whole program.
#include "framework/app/app_services.h"
#include "framework/app/key_matching.h"
#include "framework/app/reporter.h"
#include "framework/app/screen_manager.h"
#include "framework/app/screen_routing.h"
#include "framework/app/shell_state.h"
#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <string>

namespace q71 {
namespace {

constexpr int kQuitCaptionText = 122;
constexpr int kQuitQuestionText = 340;
constexpr int kDisplayLostText = 842;

bool keyHeld(std::uint32_t virtualKey) {
    return keyGetState(virtualKey) < 0;
}

// The hot keys of the whole program: keys that no screen took climb up to here.
LResult onKey(WParam key, int category) {
    const AppShellState& shell = appShellState();
    const auto signedKey = static_cast<std::int8_t>(key);
    if (shell.quitKey && appKeyMatches(signedKey, category, *shell.quitKey))
        appAskToQuit();
    else if (shell.minimiseKey && appKeyMatches(signedKey, category, *shell.minimiseKey))
        appMinimizeRestore(1);
    return 0;
}

int charCategory() {
    if (!keyHeld(VK_CONTROL))
        return kKeyChar;
    return keyHeld(VK_SHIFT) ? kKeyCtrlShiftChar : kKeyCtrlChar;
}

} // namespace

void appHoldQuit(bool hold) {
    AppShellState& shell = appShellState();
    if (hold) {
        ++shell.quitHolds;
        return;
    }
    if (shell.quitHolds > 0 && --shell.quitHolds == 0 && shell.quitAskedWhileHeld) {
        shell.quitAskedWhileHeld = false;
        appAskToQuit();
    }
}

void appAskToQuit() {
    AppShellState& shell = appShellState();
    if (shell.quitHolds > 0) {
        shell.quitAskedWhileHeld = true;
        return;
    }
    appMedia().abortMovie();
    const std::string question = textCopy(kQuitQuestionText);
    const std::string caption = textCopy(kQuitCaptionText);
    if (messageBox(appMainWindow(), question, caption, kMbYesNo | kMbIconQuestion) == kIdYes) {
        appMedia().musicUnload();
        screenShowCredits();
        appCursorMode(appMainWindow(), 2);
        screenDestroy(kSlotGenInfo);
        appCursorMode(appMainWindow(), 3);
        appSimulation().endMission();
    } else if (WindowHandle screen = screenCurrentWindow(); screen != WindowHandle{}) {
        messagePost(screen, WM_USER, 1, 3);
    }
}

LResult appMainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        screenQuitProgram();
        return 0;
    case WM_SETFOCUS:
        appMedia().musicApplyVolume();
        if (WindowHandle screen = screenCurrentWindow(); screen != WindowHandle{})
            messageSend(screen, WM_SETFOCUS, 0, 0);
        return 0;
    case WM_PAINT: {
        PaintStruct paint = beginPaint(window);
        endPaint(window, paint);
        return 0;
    }
    case WM_SETCURSOR:
        focusSet(window);
        cursorSet(appShellState().mainCursor);
        return 0;
    case WM_NCACTIVATE:
        return 1;
    case WM_KEYDOWN:
        if (!screenIsSpecialKey(wParam))
            return windowDefaultProc(window, message, wParam, lParam);
        return onKey(wParam, kKeySpecialDown);
    case WM_CHAR:
        return onKey(wParam, charCategory());
    case WM_SYSDEADCHAR:
        return onKey(wParam, kKeySysDeadChar);
    case WM_SYSCHAR:
        return onKey(wParam, kKeySysChar);
    case WM_DEADCHAR:
        return onKey(wParam, kKeyDeadChar);
    case WM_COMMAND:
        return 0;
    case kMsgDestroyScreen:
        if (static_cast<int>(wParam) != screenCurrentIndex())
            screenDestroy(static_cast<int>(wParam));
        return 0;
    case kMsgRunLater:
        if (wParam)
            reinterpret_cast<void (*)()>(wParam)();
        return 0;
    case WM_SYSCOMMAND:
        // The desktop can minimise the window too; a minimised program must not play on unseen.
        if ((wParam & 0xFFF0) == SC_RESTORE)
            appMinimizeRestore(0);
        else if ((wParam & 0xFFF0) == SC_MINIMIZE)
            appMinimizeRestore(1);
        return windowDefaultProc(window, message, wParam, lParam);
    case MM_MCINOTIFY:
        appMedia().musicNotifyEnd(window, wParam);
        return 0;
    default:
        return windowDefaultProc(window, message, wParam, lParam);
    }
}

void appMinimizeRestore(int minimise) {
    AppShellState& shell = appShellState();
    const bool minimising = minimise != 0;
    if (shell.minimised == minimising)
        return;
    AppMedia& media = appMedia();
    if (minimising) {
        shell.minimised = true;
        shell.musicWasEnabled = media.musicIsEnabled();
        media.musicDisable();
        shell.focusBeforeMinimise = focusGet();
        appSimulation().pause(true);
        media.abortMovie();
        windowShow(shell.mainWindow, SW_SHOWMINNOACTIVE);
        return;
    }
    shell.minimised = false;
    if (!media.restoreDisplay())
        reportFatal(textCopy(kDisplayLostText).c_str(), __LINE__, "skeleton", 0);
    focusSet(shell.focusBeforeMinimise);
    appSimulation().pause(false);
    if (shell.musicWasEnabled)
        media.musicEnable();
    else
        media.musicDisable();
    if (WindowHandle screen = screenCurrentWindow(); screen != WindowHandle{})
        messagePost(screen, WM_SIZE, 1, 3);
}

bool appIsMinimized() {
    return appShellState().minimised;
}

} // namespace q71
