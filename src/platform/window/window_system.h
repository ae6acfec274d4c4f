#pragma once
// Starting and stopping the window system, and the services it passes through from the display
// backend. One window system runs at a time, on the thread that started it (the main thread).

#include "platform/display/display_backend.h"
#include "platform/window/clock.h"
#include "platform/window/window_types.h"

#include <functional>
#include <string_view>

namespace q71 {

/// Starts the window system on a display backend and a clock; both must outlive it.
void windowSystemStart(DisplayBackend& backend, Clock& clock);
/// Destroys every window left (with their WM_DESTROY) and stops the window system.
void windowSystemStop();
/// True between windowSystemStart and windowSystemStop.
bool windowSystemRunning();

/// Starts the window system for the lifetime of the object.
class WindowSystemSession {
public:
    WindowSystemSession(DisplayBackend& backend, Clock& clock) { windowSystemStart(backend, clock); }
    ~WindowSystemSession() { windowSystemStop(); }
    WindowSystemSession(const WindowSystemSession&) = delete;
    WindowSystemSession& operator=(const WindowSystemSession&) = delete;
};

/// True when the window system runs on a display a person sees (not the headless one of tests).
bool systemInteractive();

/// The screen surface that windows are drawn onto.
ScreenSurface& screenSurface();
/// Gives an area of the screen to another thread (a playing movie) until called again with none:
/// meanwhile the main thread's drawing leaves it out. Main thread only.
void screenClaim(std::optional<Region> area);

/// How the default WM_ERASEBKGND fills a window's background with its class brush, given the
/// device context in wParam; installed by the drawing layer. Returns true when it erased.
using BackgroundEraser = std::function<bool(WindowHandle window, WParam deviceContext, std::uintptr_t brush)>;
/// Installs the background eraser (an empty function: backgrounds are left alone).
void windowSetBackgroundEraser(BackgroundEraser eraser);
/// How the default WM_PAINT paints a window that draws nothing itself: a paint begun and ended by
/// the drawing layer, which erases the background where asked. Without one it only validates.
using DefaultPainter = std::function<void(WindowHandle window)>;
/// Installs the default painter (an empty function: the default WM_PAINT only validates).
void windowSetDefaultPainter(DefaultPainter painter);

/// Makes this process the one running copy under the name; false when another copy runs (it is
/// brought to the front and the fact is written to stderr).
bool systemClaimSingleInstance(std::string_view name);
/// Whether the desktop's screen saver may run.
bool systemScreenSaverEnabled();
/// Allows or stops the desktop's screen saver.
void systemSetScreenSaverEnabled(bool enabled);

} // namespace q71
