// q71: the attack-submarine simulation. The entry opens the display (a real window, or none with
// Q71_DISPLAY=headless), starts the window system on it, installs the services of every part of
// the program and hands over to the shell.
#include "editor/missioneditor/editor_screens.h"
#include "framework/app/shell.h"
#include "frontend/frontend_services.h"
#include "multiplayer/lobby/multi_suite.h"
#include "multiplayer/mp_session.h"
#include "platform/display/display_factory.h"
#include "platform/window/clock.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <cstdio>
#include <string>

int main() {
    using namespace q71;
    std::string error;
    auto display = displayOpen(displayKindFromEnvironment(), error);
    if (!display) {
        std::fprintf(stderr, "q71: %s\n", error.c_str());
        return 1;
    }
    SteadyClock clock;
    WindowSystemSession session(*display, clock);
    frontEndInstallProgram(&mpShellNetwork());
    editorInstallScreens();
    mpInstallScreens();
    return appWinMain(SW_SHOWDEFAULT);
}
