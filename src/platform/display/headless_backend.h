#pragma once
// The display backend without a window, for tests and tools. Input is injected by the caller,
// shown frames are only counted, and nothing ever waits for a person: waiting returns at once
// unless real-time waiting was asked for (to measure an idle loop).

#include "platform/display/display_backend.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

namespace q71 {

class HeadlessBackend final : public DisplayBackend {
public:
    /// waitsInRealTime: waitForEvents really sleeps (for measurements on the real clock).
    explicit HeadlessBackend(bool waitsInRealTime = false) : waitsInRealTime_(waitsInRealTime) {}

    ScreenSurface& surface() override { return surface_; }
    bool pollEvent(InputEvent& event) override;
    void waitForEvents(std::chrono::milliseconds timeout) override;
    void wake() override;
    void present() override;
    std::chrono::milliseconds frameInterval() const override { return std::chrono::milliseconds(16); }
    bool interactive() const override { return false; }
    void setCursor(const CursorImage* image) override { cursor_ = image; }
    void warpPointer(Point position) override { inject(InputEvent::moveTo(position)); }
    void setMinimized(bool minimized) override { minimized_ = minimized; }
    void raise() override { ++raised_; }
    void setTitle(std::string_view title) override { title_ = title; }
    bool screenSaverEnabled() const override { return screenSaverEnabled_; }
    void setScreenSaverEnabled(bool enabled) override { screenSaverEnabled_ = enabled; }
    bool claimSingleInstance(std::string_view) override { return true; }

    /// Queues a device event; safe from any thread.
    void inject(const InputEvent& event);
    /// Moves the pointer.
    void moveMouse(Point position) { inject(InputEvent::moveTo(position)); }
    /// Presses and releases a button at a position (with the move there first).
    void click(Point position, MouseButton button = MouseButton::Left);
    /// Turns the wheel by a number of notches (positive away from the user) with the pointer at a position.
    void turnWheel(Point position, int notches) { inject(InputEvent::wheelAt(position, notches * 120)); }
    /// Presses (and, unless held, releases) a key giving the layout character (-1 for none).
    void typeKey(std::uint8_t virtualKey, int character = -1, bool held = false);

    /// How many frames were shown.
    int framesShown() const { return framesShown_; }
    /// The cursor picture shown now (null when hidden).
    const CursorImage* cursor() const { return cursor_; }
    /// Whether the window system minimised the (imaginary) window.
    bool minimized() const { return minimized_; }
    /// How often the window was brought to the front.
    int timesRaised() const { return raised_; }
    /// The title the window system gave the window.
    const std::string& title() const { return title_; }

private:
    bool waitsInRealTime_;
    ScreenSurface surface_;
    std::mutex lock_;
    std::condition_variable wakeUp_;
    std::deque<InputEvent> events_;
    bool woken_ = false;
    int framesShown_ = 0;
    const CursorImage* cursor_ = nullptr;
    bool minimized_ = false;
    int raised_ = 0;
    std::string title_;
    bool screenSaverEnabled_ = true;
};

} // namespace q71
