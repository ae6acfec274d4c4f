#pragma once
// The shell's state for the whole run, shared by the shell's files. Everything here is what the
// shell keeps between its calls; nothing outside the shell writes it.

#include "framework/app/shell.h"
#include "framework/textmngr/text_manager.h"

#include <memory>

namespace q71 {

struct AppShellState {
    WindowHandle mainWindow{};
    CursorHandle mainCursor{}; ///< resource 104
    CursorHandle cursor156{};  ///< the busy cursor after start-up
    CursorHandle cursor159{};
    std::unique_ptr<char[]> emergencyReserve;
    IdleHook idleHook = appIdleNone;
    std::uintptr_t startupTimer = 0;
    std::unique_ptr<KeyBinding> quitKey;
    std::unique_ptr<KeyBinding> minimiseKey;
    bool minimised = false;
    WindowHandle focusBeforeMinimise{};
    bool musicWasEnabled = false;
    bool screenSaverWasActive = false;
    int quitHolds = 0;               ///< nested holds of the quit question (appHoldQuit)
    bool quitAskedWhileHeld = false; ///< the quit was asked while held: it is asked when the hold ends
};

/// The shell's state.
AppShellState& appShellState();

} // namespace q71
