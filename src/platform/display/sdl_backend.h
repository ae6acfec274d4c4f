#pragma once
// The display backend of a real window, through SDL2: a resizable window showing the 640 by 480
// screen scaled with its aspect kept (nearest pixels, black bars), pointer positions mapped back
// into the screen, and keys as virtual keys. A frame is shown by scaling into the window's own
// pixels only the parts of the screen that changed since the last one, and sending the window
// only those parts: a station whose picture stands still costs the window nothing.

#include "platform/display/display_backend.h"
#include "platform/display/shown_frame.h"
#include "platform/display/single_instance.h"
#include "platform/display/window_scaler.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace q71 {

class SdlBackend final : public DisplayBackend {
public:
    /// Opens the window; returns null and sets `error` when there is no display to open it on.
    static std::unique_ptr<SdlBackend> open(std::string& error);
    ~SdlBackend() override;

    ScreenSurface& surface() override { return surface_; }
    bool pollEvent(InputEvent& event) override;
    void waitForEvents(std::chrono::milliseconds timeout) override;
    void wake() override;
    void present() override;
    std::chrono::milliseconds frameInterval() const override { return frameInterval_; }
    bool interactive() const override { return true; }
    void setCursor(const CursorImage* image) override;
    void warpPointer(Point position) override;
    void setMinimized(bool minimized) override;
    void raise() override;
    void setTitle(std::string_view title) override;
    bool screenSaverEnabled() const override;
    void setScreenSaverEnabled(bool enabled) override;
    bool claimSingleInstance(std::string_view name) override { return instance_.claim(name); }

private:
    struct Handles;
    explicit SdlBackend(std::unique_ptr<Handles> handles);
    bool translate(const void* sdlEvent, InputEvent& event);
    bool translateKey(const void* sdlEvent, InputEvent& event);
    Rect shownInWindow() const;
    void applyCursor();
    /// Takes the window's pixels at the window's size and layout; false (said in pixelsError_)
    /// when there are none or none it can draw in.
    bool attachPixels();

    std::unique_ptr<Handles> sdl_;
    ScreenSurface surface_;
    ShownFrame frame_;
    WindowScaler scaler_;
    bool pixelsStale_ = true;
    bool windowLost_ = true; ///< the whole window is drawn and sent at the next frame
    std::string pixelsError_;
    std::chrono::milliseconds frameInterval_{16};
    std::atomic<bool> wakePending_{false};
    std::optional<CursorImage> cursorImage_;
    int cursorScale_ = 0;
    SingleInstance instance_;
    static constexpr std::uint64_t kKnockLookInterval = 100; ///< ms between looks for another copy's knock
    std::uint64_t nextKnockLook_ = 0;
    // AltGr arrives as one key but acts as Ctrl+Alt; its second half waits here.
    std::optional<InputEvent> pending_;
};

} // namespace q71
