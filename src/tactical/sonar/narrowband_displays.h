#pragma once
// The three panels of the narrowband page, each in its own window: the frequency-time
// waterfall of the lines heard at the cursor bearing (timer 2004), the strip of the reference
// platform's lines, and the level-against-bearing trace of the whole circle (timer 2003).

#include "framework/widgets/base_widget.h"
#include "tactical/sonar/display_timer.h"
#include "tactical/sonar/level_dib.h"
#include "tactical/sonar/narrowband_geometry.h"

#include <array>
#include <functional>

namespace q71 {

class ReceiverSensor;
struct NarrowbandRow;

/// What the narrowband page and its panels share.
struct NarrowbandState {
    int scale = 0;                 ///< frequency-scale index
    int cursorFrequency = 0;       ///< Hz
    int pickedTracker = -1;        ///< the tracker being handed a line; -1 none
    int offset = 0;                ///< degrees added to every bearing of the trace
    int referenceId = 0;           ///< the reference platform's record id; 0 none
    /// Per column of the newest row: line frequency + 1 (0 no line) and the line's source.
    std::array<int, kNarrowbandColumns> lineFrequency{};
    std::array<int, kNarrowbandColumns> lineSource{};

    int fullScale() const { return narrowbandFullScale(scale); }
};

/// The selected array when it has data to show; re-selects the stored array when none is.
ReceiverSensor* narrowbandArray();

class NarrowbandWaterfall : public BaseWidget {
public:
    static constexpr std::uintptr_t kTimer = 2004;
    static constexpr int kWidth = 268, kHeight = 156;

    /// The waterfall "darea1" of a page; `cursorMoved` is told when the player moved the cursor
    /// frequency, `ticked` after a tick drew new rows.
    NarrowbandWaterfall(WindowHandle page, NarrowbandState& state, std::function<void()> cursorMoved,
                        std::function<void()> ticked);
    ~NarrowbandWaterfall() override;

    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;

    /// Draws the whole picture again and copies it to the window.
    void redraw();
    /// One tick of timer 2004.
    void tick();
    /// Stops timer 2004 (the page closes); the next paint starts it again.
    void stopTimer();

    const LevelDib& picture() const { return picture_; }

private:
    void drawFrame();
    void drawStrip();
    void drawRow(const NarrowbandRow& row, int y, bool remember);
    void moveCursor(int x);

    NarrowbandState& state_;
    LevelDib picture_;
    double lastDrawn_ = 0.0;
    DisplayTimer timer_{kTimer, 200};
    bool dragging_ = false;
    std::function<void()> cursorMoved_;
    std::function<void()> ticked_;
};

class NarrowbandReferencePanel : public BaseWidget {
public:
    static constexpr int kWidth = 268, kHeight = 69;

    NarrowbandReferencePanel(WindowHandle page, NarrowbandState& state);

    void paint(PaintRecord& paint) override;
    /// Draws the axis and the reference platform's lines again and copies them to the window.
    void redraw();

    const LevelDib& picture() const { return picture_; }

private:
    NarrowbandState& state_;
    LevelDib picture_;
};

class NarrowbandBearingTrace : public BaseWidget {
public:
    static constexpr std::uintptr_t kTimer = 2003;
    static constexpr int kWidth = 268, kHeight = 68;

    /// The trace "darea2" of a page; `cursorMoved` is told when the player moved the cursor bearing.
    NarrowbandBearingTrace(WindowHandle page, NarrowbandState& state, std::function<void()> cursorMoved);
    ~NarrowbandBearingTrace() override;

    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;

    void redraw();
    void stopTimer();

    const LevelDib& picture() const { return picture_; }

private:
    void moveCursor(int x);

    NarrowbandState& state_;
    LevelDib picture_;
    double lastDrawn_ = -1.0;
    DisplayTimer timer_{kTimer, 200};
    bool dragging_ = false;
    std::function<void()> cursorMoved_;
};

} // namespace q71
