// The message loop and its idle hook: the heartbeat that polls the network game, steps the world
// of a running mission and refreshes the screens.
#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_state.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"

#include <chrono>
#include <thread>

namespace q71 {
namespace {

constexpr double kMinimumStep = 0.1;
constexpr double kMaximumStep = 10.0;
constexpr double kSecondPassInterval = 1.0;
constexpr auto kStepSleep = std::chrono::milliseconds(10);

} // namespace

void appMessageLoop() {
    Message message;
    for (;;) {
        if (messagePeek(message, PeekMode::Remove)) {
            if (message.message == WM_QUIT)
                return;
            // The keyboard of a modeless dialog (a progress box) is the dialog's.
            if (dialogRouteMessage(message))
                continue;
            messageTranslate(message);
            messageDispatch(message);
        } else {
            appShellState().idleHook();
        }
    }
}

int appIdleNone() {
    return 1;
}

int appIdleRun() {
    appNetwork().poll();
    appStepSimulation();
    appUpdateScreens();
    appTactical().effectsAnimate();
    return 1;
}

void appSetIdleHook(IdleHook hook) {
    appShellState().idleHook = hook ? hook : appIdleNone;
}

IdleHook appIdleHook() {
    return appShellState().idleHook;
}

void appStepSimulation() {
    AppSimulation& simulation = appSimulation();
    if (!simulation.running() || simulation.pauseCount() > 0)
        return;
    std::this_thread::sleep_for(kStepSleep);
    appStepWorld(simulation, appWorldStep());
}

void appStepWorld(AppSimulation& simulation, AppWorldStep& world) {
    simulation.tickClock();
    world.updateLayerDepth();
    world.snapshotMotionStates();

    const double clock = simulation.gameClock();
    // A clock that was set back starts the step times again.
    if (clock < simulation.lastStepTime()) {
        simulation.setLastStepTime(0.0);
        simulation.setLastSecondPassTime(0.0);
    }
    // A long gap is worked off over several passes, at most 10 s of it in each.
    const double sinceStep = clock - simulation.lastStepTime();
    if (sinceStep >= kMinimumStep) {
        const double step = sinceStep > kMaximumStep ? kMaximumStep : sinceStep;
        world.advance(step);
        simulation.setLastStepTime(simulation.lastStepTime() + step);
    }
    const double sinceSecondPass = clock - simulation.lastSecondPassTime();
    if (sinceSecondPass > kSecondPassInterval) {
        world.secondPass(sinceSecondPass);
        simulation.setLastSecondPassTime(clock);
    }
}

void appUpdateScreens() {
    screenUpdateAll();
}

} // namespace q71
