#pragma once
// The application shell: the program's entry, its one main window of 640 by 480, the message
// loop with its idle hook (the heartbeat that steps the simulation and refreshes the screens),
// the quit and minimise keys, minimising and restoring, and the opening and closing of every
// service in a fixed order. The services above the framework are reached through
// app_services.h; the screens through the screen manager.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

class AppSimulation;
class AppWorldStep;

inline constexpr const char* kMainWindowClass = "Q71VMWindowClass";
inline constexpr const char* kMainWindowTitle = "Q71(I) Varden-Morrow";
inline constexpr int kMainWindowWidth = 640;
inline constexpr int kMainWindowHeight = 480;
inline constexpr std::uintptr_t kStartupTimerId = 7130;
inline constexpr std::uint32_t kStartupTimerMs = 100;

/// The idle hook: called whenever the message queue is empty.
using IdleHook = int (*)();

/// Runs the whole program on the running window system: start-up, the message loop, shutdown.
/// Returns 0.
int appWinMain(int showCommand);
/// Clears the screen table, loads the cursors and registers the main window class; false on failure.
bool appRegisterWindowClass();
/// Creates the main window and opens the display, sound, music, movie and 3-D services; 1 or 0.
int appCreateMainWindow(int showCommand);
/// Timer procedure of the start-up timer: finishes the start-up once.
void appStartupTimer(WindowHandle window, std::uint32_t message, std::uintptr_t id, std::uint32_t time);

/// Reads and dispatches messages, running the idle hook whenever the queue is empty, until WM_QUIT.
void appMessageLoop();
/// The idle hook while a movie plays: does nothing; returns 1.
int appIdleNone();
/// The normal idle hook: network poll, simulation step, screen updates, 3-D effects; returns 1.
int appIdleRun();
/// Installs an idle hook (appIdleNone or appIdleRun).
void appSetIdleHook(IdleHook hook);
/// The installed idle hook.
IdleHook appIdleHook();
/// Steps the world of a running, unpaused mission by the game time that has passed (after the
/// step's pause of 10 ms).
void appStepSimulation();
/// The step itself, without its pause and without looking whether a mission runs: the clock
/// ticks, every motion model keeps its state, the world advances by at least 0.1 s and at most
/// 10 s of game time, and makes its per-second pass after more than a second.
void appStepWorld(AppSimulation& simulation, AppWorldStep& world);
/// Updates every screen on the update list, in list order.
void appUpdateScreens();

/// The main window's procedure: hot keys, focus, music notifications, restore.
LResult appMainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
/// Stops a playing movie and asks whether to quit: Yes leaves through the credits, No goes on.
/// While the quit is held, the question waits until the hold ends.
void appAskToQuit();
/// Holds (true) or releases (false) the quit question, for an operation that must not be left
/// half done (a mission start); holds nest. A quit asked meanwhile is asked at the last release.
void appHoldQuit(bool hold);
/// 1 minimises the program (music off, simulation paused), 0 restores it.
void appMinimizeRestore(int minimise);
/// True while the program is minimised.
bool appIsMinimized();

/// Switches the desktop's screen saver off, remembering whether it was on.
void appDisableScreenSaver();
/// Switches the screen saver on again when the shell switched it off.
void appRestoreScreenSaver();

/// Closes every service in order.
void appShutdown();
/// appShutdown, then screenQuitProgram: the shutdown hook of the error reporter.
void appExit();
/// Out of memory: frees the emergency reserve and reports the fatal error.
void appNewHandler();

/// Frees the quit and minimise key records.
void appFreeHotKeys();

/// The main window (none before it is created).
WindowHandle appMainWindow();

} // namespace q71
