// A real window for the system test of the SDL2 display: it opens the window system on the SDL2
// backend with a main window and a child on its right half, writes every input message they
// receive to stdout as one line ("main WM_CHAR 97", "child WM_RBUTTONDOWN 40 100"), and ends
// when the main window is destroyed (Alt+F4 closes it). A second copy finds the first, brings
// it to the front and ends with status 3. The screen is grey on the left and blue on the right;
// the key "r" paints a red square at 100, 200 - 140, 240 of it ("painted red" on stdout).

#include "platform/display/sdl_backend.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <cstdio>
#include <string>

namespace {

using namespace q71;

WindowHandle mainWindow{}, childWindow{};

const char* messageName(std::uint32_t message) {
    switch (message) {
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_SYSKEYDOWN:
        return "WM_SYSKEYDOWN";
    case WM_SYSCHAR:
        return "WM_SYSCHAR";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
        return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN:
        return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
        return "WM_RBUTTONUP";
    case WM_DESTROY:
        return "WM_DESTROY";
    default:
        return nullptr;
    }
}

void paintRedSquare() {
    ScreenSurface& surface = screenSurface();
    for (int y = 200; y < 240; ++y)
        for (int x = 100; x < 140; ++x)
            surface.row(y)[x] = 0xF800;
    surface.markChanged();
    std::printf("painted red\n");
    std::fflush(stdout);
}

LResult logProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    const char* who = window == mainWindow ? "main" : "child";
    if (const char* name = messageName(message)) {
        if (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONUP)
            std::printf("%s %s %d %d\n", who, name, pointXFromLParam(lParam), pointYFromLParam(lParam));
        else
            std::printf("%s %s %lu\n", who, name, static_cast<unsigned long>(wParam));
        std::fflush(stdout);
    }
    if (message == WM_DESTROY && window == mainWindow)
        messagePostQuit(0);
    if (message == WM_CHAR && wParam == 'r')
        paintRedSquare();
    return windowDefaultProc(window, message, wParam, lParam);
}

void paintTheScreen() {
    // Something to show: a grey left half and a blue right half.
    ScreenSurface& surface = screenSurface();
    for (int y = 0; y < ScreenSurface::kHeight; ++y) {
        for (int x = 0; x < ScreenSurface::kWidth; ++x)
            surface.row(y)[x] = x < ScreenSurface::kWidth / 2 ? 0x8410 : 0x001F;
    }
    surface.markChanged();
}

} // namespace

int main() {
    std::string error;
    auto display = SdlBackend::open(error);
    if (!display) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    SteadyClock clock;
    WindowSystemSession session(*display, clock);
    if (!systemClaimSingleInstance("Q71SmokeWindowClass"))
        return 3;
    classRegister({"Q71SmokeWindowClass", CS_DBLCLKS, logProc, cursorArrow()});
    classRegister({"Q71SmokeChild", 0, logProc, cursorArrow()});
    mainWindow = windowCreate(WS_EX_TOPMOST, "Q71SmokeWindowClass", "q71 smoke", WS_POPUP | WS_VISIBLE, 0, 0,
                              ScreenSurface::kWidth, ScreenSurface::kHeight, {});
    childWindow = windowCreate(0, "Q71SmokeChild", "", WS_CHILD | WS_VISIBLE, 320, 0, 320, 480, mainWindow);
    paintTheScreen();
    std::printf("ready\n");
    std::fflush(stdout);

    // The loop of the program, with a deadline so a lost close cannot leave it running.
    std::uint32_t start = timerTickCount();
    Message m;
    while (timerTickCount() - start < 60000) {
        if (!messagePeek(m, PeekMode::Remove))
            continue;
        if (m.message == WM_QUIT)
            return static_cast<int>(m.wParam);
        messageTranslate(m);
        messageDispatch(m);
    }
    std::fprintf(stderr, "the window was never closed\n");
    return 4;
}
