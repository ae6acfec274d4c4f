// The end of the program: every service closed in its order, the screen saver given back, and
// the out-of-memory handler that ends the program when the reserve is spent.
#include "framework/app/app_services.h"
#include "framework/app/reporter.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/shell_state.h"
#include "framework/resources/aggregate_store.h"
#include "framework/resources/group_archive.h"
#include "framework/textmngr/text_manager.h"
#include "platform/gdi/font.h"
#include "platform/window/timers.h"
#include "platform/window/window_system.h"

#include <string>

namespace q71 {
namespace {

constexpr int kFontFileText = 527;
constexpr int kOutOfMemoryText = 858;

} // namespace

void appShutdown() {
    AppShellState& shell = appShellState();
    // The closing runs once: a fatal error during it must not start it again.
    setFatalHook(nullptr);
    if (shell.startupTimer) {
        timerKill(shell.mainWindow, shell.startupTimer);
        shell.startupTimer = 0;
    }
    appDeleteFonts();
    if (const char* fontFile = textGetString(kFontFileText))
        removeFontResource(fontFile);
    aggRemove();
    grpFreeAll();
    textClose();
    appNetwork().shutdown();
    appSimulation().scoringShutdown();
    AppTactical& tactical = appTactical();
    tactical.effectsEnd();
    tactical.freeEffectList();
    tactical.shutdown();
    tactical.closeRenderer();
    appSimulation().endMission();
    appSimulation().freeObjectDatabase();
    appMedia().closeMoviePlayer();
    appMedia().musicShutdown();
    appMedia().soundShutdown();
    appRestoreScreenSaver();
    shell.emergencyReserve.reset();
}

void appExit() {
    appShutdown();
    screenQuitProgram();
}

void appNewHandler() {
    appShellState().emergencyReserve.reset();
    const char* message = textGetString(kOutOfMemoryText);
    reportFatal(message ? message : "", __LINE__, "skeleton", 0);
}

void appFreeHotKeys() {
    AppShellState& shell = appShellState();
    shell.quitKey.reset();
    shell.minimiseKey.reset();
}

void appDisableScreenSaver() {
    if (systemScreenSaverEnabled()) {
        systemSetScreenSaverEnabled(false);
        appShellState().screenSaverWasActive = true;
    }
}

void appRestoreScreenSaver() {
    AppShellState& shell = appShellState();
    if (shell.screenSaverWasActive) {
        systemSetScreenSaverEnabled(true);
        shell.screenSaverWasActive = false;
    }
}

} // namespace q71
