#pragma once
// The active sonar's echo display "darea1" (268 by 328 in its own window): the echo picture
// painted behind the ping front (timer 2001, every 200 ms), composed with the bearing scale and
// the cursor and copied to the window (timer 2007, every 100 ms when something changed). The
// cursor follows the left button: it sets the cursor bearing and range.

#include "framework/widgets/base_widget.h"
#include "tactical/sonar/active_echoes.h"
#include "tactical/sonar/level_dib.h"

#include <functional>

namespace q71 {

class ActiveDisplay : public BaseWidget {
public:
    static constexpr std::uintptr_t kEchoTimer = 2001;
    static constexpr std::uintptr_t kOverlayTimer = 2007;

    /// The display in a page window at 32, 45; `cursorMoved` is told when the player moved the
    /// cursor, `echoesPainted` after rows were painted (and true when the cursor range was pulled in).
    ActiveDisplay(WindowHandle page, ActiveSonarState& state, DisplayNoise& noise,
                  std::function<void()> cursorMoved, std::function<void(bool)> echoesPainted);
    ~ActiveDisplay() override;

    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onMouseMove(int x, int y) override;

    /// A transmit: measures the water and starts the echo timer unless it runs.
    void transmit();
    /// Swaps the picture's halves (the orientation changed by 180 degrees).
    void swapHalves();
    /// Clears the picture (a new scale).
    void clearPicture() { picture_.fill(0); }
    /// Stops the overlay timer (the page closes).
    void stopOverlay();
    /// Composes the picture with the scale and the cursor and copies it to the window.
    void overlay();
    /// One tick of the echo timer, as the timer runs it.
    void echoTick();

    ActiveEchoes& echoes() { return echoes_; }
    const LevelDib& picture() const { return picture_; }
    /// The composed picture (null before the first paint).
    const Bitmap* composed() const { return composed_.get(); }
    void setReturnSound(SoundSample* sample) { echoes_.setReturnSound(sample); }

private:
    bool ensurePictures();
    void drawScale(DeviceContext& dc) const;
    void drawCursor(DeviceContext& dc) const;
    void moveCursor(int x, int y);

    ActiveSonarState& state_;
    LevelDib picture_;
    ActiveEchoes echoes_;
    BitmapRef composed_;
    std::unique_ptr<DeviceContext> composedDc_;
    bool echoTimerRunning_ = false;
    bool overlayTimerRunning_ = false;
    bool dragging_ = false;
    double lastDragTime_ = -1.0;
    std::function<void()> cursorMoved_;
    std::function<void(bool)> echoesPainted_;
};

} // namespace q71
