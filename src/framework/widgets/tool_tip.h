#pragma once
// A small pop-up window that shows a text of one or more lines (separated by line feeds) near a
// point of its owner window and hides by itself after its display time. The window exists only
// while the tip shows or waits to pop up: every hide destroys it.

#include "framework/app/window_object.h"
#include "platform/gdi/pen_brush.h"
#include "platform/geometry/rect.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace q71 {

class Bitmap;
class Font;

/// The background of tips made without one (the program's tip bitmap, handed over at start-up).
void toolTipSetDefaultBackground(std::shared_ptr<Bitmap> bitmap);
/// The default tip background; null until one is given.
std::shared_ptr<Bitmap> toolTipDefaultBackground();
/// Hides the tip on the screen at once when the window or a window inside it owns it (the
/// window is going out of sight).
void toolTipHideWithin(WindowHandle window);

class ToolTip : public WindowObject {
public:
    /// Timer ids on the tip's window: the pop-up delay, and the display time (or short hide delay).
    static constexpr std::uintptr_t kPopUpTimer = 500;
    static constexpr std::uintptr_t kDisplayTimer = 600;

    /// A tip for a window; a null font is the system font, a null background no fill.
    ToolTip(WindowHandle ownerWindow, std::shared_ptr<const Font> font, std::shared_ptr<Bitmap> background,
            const char* text);
    ~ToolTip() override;

    /// Shows the tip with its right edge at a client point of the owner, kept on the screen; the
    /// tip shown before, whoever owns it, hides at once.
    void show(int x, int y);
    /// Pops the tip up after the pop-up delay if the pointer is then still in the screen rectangle
    /// and the owner still shows.
    void startDelayed(const Rect& screenRect);
    /// Forgets a pending pop-up.
    void cancelDelayed();
    /// Hides the tip: delayed, 50 ms later; otherwise at once.
    void hide(bool delayed);
    /// The display time and the pop-up delay in milliseconds.
    void setTimes(int displayTime, int popUpDelay);
    bool isShown() const { return shown_; }

    /// The tip's window (none when it does not exist), its screen position and size.
    WindowHandle window() const { return window_; }
    WindowHandle owner() const { return owner_; }
    Rect screenRect() const { return {x_, y_, x_ + width_, y_ + height_}; }

private:
    /// The tip window's procedure.
    LResult handle(std::uint32_t message, WParam wParam, LParam lParam);
    void measure();
    void paint();
    void destroyWindow();
    /// Creates the window at the tip's position; false when there is nothing to show.
    bool createWindow();

    WindowHandle window_{};
    WindowHandle owner_;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    int lineHeight_ = 0;
    std::string text_;
    std::shared_ptr<const Font> font_;
    Brush background_;
    Rect delayedRect_;
    bool shown_ = false;
    int displayTime_ = 3000;
    int popUpDelay_ = 1500;
};

} // namespace q71
