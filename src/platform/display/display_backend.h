#pragma once
// The device under the window system: it shows the screen surface, reports input and window
// changes, and lets the loop sleep until something happens. Two kinds exist: a real window
// (SDL2) and a headless one for tests. The window system talks only to this interface.

#include "platform/display/cursor_image.h"
#include "platform/display/input_event.h"
#include "platform/display/screen_surface.h"

#include <chrono>
#include <string_view>

namespace q71 {

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    /// The one screen surface that the drawing layer draws into.
    virtual ScreenSurface& surface() = 0;
    /// Takes the next pending device event; false when there is none (main thread).
    virtual bool pollEvent(InputEvent& event) = 0;
    /// Sleeps until an event is pending, wake() is called or the timeout passes (main thread).
    virtual void waitForEvents(std::chrono::milliseconds timeout) = 0;
    /// Ends a waitForEvents early; safe from any thread.
    virtual void wake() = 0;
    /// Shows the surface as it is now and clears its changed mark.
    virtual void present() = 0;
    /// The time between two shown frames.
    virtual std::chrono::milliseconds frameInterval() const = 0;
    /// True when a person sits in front of it; false for tests, where nothing must wait for a user.
    virtual bool interactive() const = 0;

    /// Shows this cursor picture over the screen; null hides the cursor.
    virtual void setCursor(const CursorImage* image) = 0;
    /// Moves the pointer to a screen position; the move comes back as a MouseMove event.
    virtual void warpPointer(Point position) = 0;
    /// Minimises or restores the real window, as the program's main window is.
    virtual void setMinimized(bool minimized) = 0;
    /// Brings the real window to the front.
    virtual void raise() = 0;
    /// Names the real window (Windows-1252 text, as the program's strings are).
    virtual void setTitle(std::string_view title) = 0;
    /// Whether the desktop's screen saver may run.
    virtual bool screenSaverEnabled() const = 0;
    /// Lets the screen saver run again, or keeps it off.
    virtual void setScreenSaverEnabled(bool enabled) = 0;
    /// Makes this process the one running copy under the name; false when another copy holds it
    /// (that copy is then asked to come to the front).
    virtual bool claimSingleInstance(std::string_view name) = 0;
};

} // namespace q71
