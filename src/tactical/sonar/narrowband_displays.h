#pragma once
// The three panels of the narrowband page, each in its own window: the frequency-time
// waterfall of the lines heard at the cursor bearing (timer 2004), the strip of the reference
// platform's lines, and the level-against-bearing trace of the whole circle (timer 2003).

#include "tactical/sonar/narrowband_geometry.h"
#include "tactical/sonar/sonar_cursor_display.h"

#include <array>
#include <functional>

namespace q71 {

class ReceiverSensor;
struct NarrowbandRow;

/// What the narrowband page and its panels share.
struct NarrowbandState {
    int scale = 0;           ///< frequency-scale index
    int cursorFrequency = 0; ///< Hz
    int pickedTracker = -1;  ///< the tracker being handed a line; -1 none
    int offset = 0;          ///< degrees added to every bearing of the trace
    int referenceId = 0;     ///< the reference platform's record id; 0 none
    /// Per column of the newest row: line frequency + 1 (0 no line) and the line's source.
    std::array<int, kNarrowbandColumns> lineFrequency{};
    std::array<int, kNarrowbandColumns> lineSource{};

    int fullScale() const { return narrowbandFullScale(scale); }
};

/// The selected array when it has data to show; re-selects the stored array when none is.
ReceiverSensor* narrowbandArray();

class NarrowbandWaterfall : public SonarCursorDisplay<NarrowbandState> {
public:
    static constexpr std::uintptr_t kTimer = 2004;
    static constexpr int kWidth = 268, kHeight = 156;

    /// The waterfall "darea1" of a page; `cursorMoved` is told when the player moved the cursor
    /// frequency, `ticked` after a tick drew new rows.
    NarrowbandWaterfall(WindowHandle page, NarrowbandState& state, std::function<void()> cursorMoved,
                        std::function<void()> ticked);

    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void redraw() override;
    /// One tick of timer 2004: the rows that came in since the last.
    void tick() override;

protected:
    void timerStarted() override;

private:
    void drawFrame();
    void drawStrip();
    void drawRow(const NarrowbandRow& row, int y, bool remember);
    void moveCursor(int x);

    std::function<void()> ticked_;
};

class NarrowbandReferencePanel : public SonarDisplay {
public:
    static constexpr int kWidth = 268, kHeight = 69;

    NarrowbandReferencePanel(WindowHandle page, NarrowbandState& state);
    /// The axis and the reference platform's lines.
    void redraw() override;

private:
    NarrowbandState& state_;
};

class NarrowbandBearingTrace : public SonarCursorDisplay<NarrowbandState> {
public:
    static constexpr std::uintptr_t kTimer = 2003;
    static constexpr int kWidth = 268, kHeight = 68;

    /// The trace "darea2" of a page; `cursorMoved` is told when the player moved the cursor bearing.
    NarrowbandBearingTrace(WindowHandle page, NarrowbandState& state, std::function<void()> cursorMoved);

    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void redraw() override;
    /// One tick of timer 2003: the trace again when a new row came in.
    void tick() override;

private:
    void moveCursor(int x);
};

} // namespace q71
