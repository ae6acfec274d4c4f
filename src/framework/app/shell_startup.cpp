// The start-up of the program: one copy only, the main window, the services in their order, the
// first screens, and the start-up timer that finishes what the window's first moments need not wait for.
#include "framework/app/app_services.h"
#include "framework/app/main_cursor.h"
#include "framework/app/reporter.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/shell_state.h"
#include "framework/app/startup_failure.h"
#include "framework/resources/aggregate_store.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/base_widget.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/controls/standard_controls.h"
#include "platform/files/path.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <new>
#include <unistd.h>

namespace q71 {
namespace {

constexpr std::size_t kEmergencyReserveBytes = 16384;
constexpr std::uint32_t kMainWindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
constexpr std::uint32_t kMainWindowStyle = WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN;

constexpr int kQuitKeyText = 491;
constexpr int kMinimiseKeyText = 492;
constexpr int kFontFileText = 527;
constexpr int kGenericErrorText = 606;
constexpr int kRendererFailedText = 822;
constexpr int kDisplayModeFailedText = 825;

std::unique_ptr<KeyBinding> keyBindingOf(int textId) {
    auto record = std::make_unique<KeyBinding>();
    textGetKeyBinding(textId, *record);
    return record;
}

// The intro: the logo, then the movies, then (once made by the start-up timer) the login.
void createFirstScreens() {
    screenCreate(kSlotLogo);
    screenCreateMovie("Velms.wve", "Openfade.wve", kSlotLogin);
    screenSetSuccessor(kSlotLogo, kSlotMovie);
    screenSetCurrentIndex(kSlotLogo);
    screenSwitch(kSlotLogo);
}

} // namespace

int appWinMain(int showCommand) {
    if (!systemClaimSingleInstance(kMainWindowClass))
        return 0;
    // What the window system needs of drawing and of the standard controls, once.
    installWindowDrawing();
    controlsRegisterClasses();
    AppShellState& shell = appShellState();
    shell.emergencyReserve = std::make_unique<char[]>(kEmergencyReserveBytes);
    std::set_new_handler(appNewHandler);

    // A start-up that cannot go on says why (startup_failure.h) and ends with a failure status.
    if (!appRegisterWindowClass() || !textOpen())
        return 1;
    appReadInstallPaths();
    widgetSetArchiveBitmaps(true);
    textBoxSetScrollerFactory(&makeTextBoxScroller);
    // Every relative name of the program is relative to the install folder from here on.
    if (chdir(fileResolvePath(rootInstallPath).c_str()) != 0)
        reportWarning(rootInstallPath, __LINE__, "skeleton", 1);
    if (!appCheckDataSet())
        return 1;

    const bool created = appCreateMainWindow(showCommand) != 0;
    if (created) {
        setFatalHook(appExit);
        appCreateFonts();
        grpReset();
        createFirstScreens();
        windowShow(shell.mainWindow, showCommand);
        windowUpdate(shell.mainWindow);
        if (!shell.startupTimer)
            shell.startupTimer =
                timerSet(shell.mainWindow, kStartupTimerId, kStartupTimerMs, appStartupTimer);
    }
    appCursorMode(shell.mainWindow, 3);
    cursorSet(shell.mainCursor);
    if (created)
        appMessageLoop();
    appShutdown();
    return created ? 0 : 1;
}

bool appRegisterWindowClass() {
    screenTableReset();
    appDeleteFonts();
    AppShellState& shell = appShellState();
    shell.mainCursor = resourceLoadCursor(104);
    shell.cursor156 = resourceLoadCursor(156);
    shell.cursor159 = resourceLoadCursor(159);
    WindowClass mainClass;
    mainClass.name = kMainWindowClass;
    mainClass.style = kMainWindowClassStyle;
    mainClass.procedure = appMainWindowProc;
    mainClass.cursor = shell.mainCursor;
    mainClass.background = classBackgroundBrush(StockObject::BlackBrush);
    return classRegister(mainClass) != 0;
}

int appCreateMainWindow(int /*showCommand*/) {
    AppShellState& shell = appShellState();
    shell.mainWindow = windowCreate(WS_EX_TOPMOST, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, 0, 0,
                                    kMainWindowWidth, kMainWindowHeight, WindowHandle{});
    if (shell.mainWindow == WindowHandle{})
        return 0;
    appSetIdleHook(appIdleNone);
    appSetMainCursor(shell.mainCursor);
    BaseWidget::setSharedCursor(shell.mainCursor);
    setGenericErrorText(textCopy(kGenericErrorText).c_str());
    addFontResource(textCopy(kFontFileText));
    shell.quitKey = keyBindingOf(kQuitKeyText);
    shell.minimiseKey = keyBindingOf(kMinimiseKeyText);

    // Start-up runs under the busy cursor.
    appCursorMode(shell.mainWindow, 0);
    cursorSet(shell.mainCursor);
    appCursorMode(shell.mainWindow, 2);

    AppMedia& media = appMedia();
    media.musicInit(shell.mainWindow);
    media.soundInit(shell.mainWindow);
    if (media.initMoviePlayer(shell.mainWindow) != 0)
        return 0;
    if (media.setDisplayMode(kMainWindowWidth, kMainWindowHeight, 16) == 0) {
        reportWarning(textCopy(kDisplayModeFailedText).c_str(), __LINE__, "skeleton", 0);
        return 0;
    }
    if (media.initDisplay() != 0)
        return 0;
    if (!appTactical().openRenderer()) {
        reportWarning(textCopy(kRendererFailedText).c_str(), __LINE__, "skeleton", 0);
        return 0;
    }
    appDisableScreenSaver();
    return 1;
}

void appStartupTimer(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t) {
    AppShellState& shell = appShellState();
    if (!shell.startupTimer || !windowIsValid(shell.mainWindow))
        return;
    timerKill(shell.mainWindow, shell.startupTimer);
    shell.startupTimer = 0;
    appCursorMode(shell.mainWindow, 2);

    aggInstall();
    appSimulation().resetClock();
    appSimulation().loadObjectDatabase();
    appFrontEnd().resetEntityViewerCamera();
    appTactical().initParticles();
    appFrontEnd().loadOptions();
    appTactical().updateSeaTexture();
    appTactical().effectsBegin();
    appSimulation().openTerrain();
    appNetwork().resetState();

    // The login waits in its slot: the intro movie's screen moves on to it when its movies end.
    screenCreate(kSlotLogin);
    screenSetSuccessor(kSlotMovie, kSlotLogin);
    screenSetSuccessor(kSlotLogin, -1);

    appCursorMode(shell.mainWindow, 3);
    cursorSet(shell.mainCursor);
    appCursorMode(shell.mainWindow, 1);
}

WindowHandle appMainWindow() {
    return appShellState().mainWindow;
}

AppShellState& appShellState() {
    static AppShellState state;
    return state;
}

} // namespace q71
