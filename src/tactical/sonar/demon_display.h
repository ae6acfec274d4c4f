#pragma once
// The DEMON waterfall (260 by 250 in its own window): the modulation spectrum of the contact a
// tracker of the selected array follows, a noise speckle with the contact's blade-rate line and
// its harmonics, newest row on top; a cursor strip above and the frequency axis below. Timer 2005
// adds the rows of the fine ring that came in since the last tick.

#include "tactical/sonar/sonar_cursor_display.h"

#include <array>
#include <functional>

namespace q71 {

class ReceiverSensor;
struct TrackSlot;

/// What the DEMON page and its display share.
struct DemonState {
    int scale = 0;
    int divisor = 6;
    double cursorFrequency = 0.0;
    int selectedTracker = -1;               ///< a tracker of the current array; -1 none
    std::array<int, 3> rememberedTracker{}; ///< per array index
};

class DemonDisplay : public SonarCursorDisplay<DemonState> {
public:
    static constexpr std::uintptr_t kTimer = 2005;
    static constexpr int kWidth = 260, kHeight = 250;

    /// The display "darea1" of a page; `opened` is told at the first paint after the page opened,
    /// `cursorMoved` when the player moved the cursor frequency.
    DemonDisplay(WindowHandle page, DemonState& state, std::function<void()> opened,
                 std::function<void()> cursorMoved);

    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// The cursor strip and the axis again (the rows stay), copied to the window.
    void redraw() override;
    /// One tick of timer 2005: the rows that came in since the last.
    void tick() override;

protected:
    void timerStarted() override;

private:
    void drawAxis();
    void drawCursor();
    /// The selected tracker of the current array, or null.
    const TrackSlot* tracker() const;

    std::function<void()> opened_;
};

} // namespace q71
