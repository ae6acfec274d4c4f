#pragma once
// A switch of the fire-control panel that runs its frames to the top, flickers between its last
// two there and reports; run again, it flickers at the top, runs down to its first frame and
// reports. A click tells the parent window WM_COMMAND (control id, 3) and starts the run; the run
// up ends with (control id, 1), the run down with (control id, 0). A strip may carry one extra
// frame after the run, the disabled look.

#include "framework/widgets/button_toggle.h"

namespace q71 {

/// How long frame `index` of an animated switch or weapon selector stays before the next (ms).
int switchFrameDelay(int index);

class AnimatedSwitch : public ButtonToggle {
public:
    /// The state while it flickers at the top.
    static constexpr int kFlickering = 3;

    /// A switch on a strip already in memory, which it does not own. With `notifyOnPress` every
    /// click runs it; without, clicks only run it up.
    AnimatedSwitch(WindowHandle parentWindow, std::string_view fileName, int controlId, int x, int y,
                   int width, int height, int frameCount, std::span<const std::uint8_t> header,
                   std::span<const std::uint8_t> bits, bool hasExtraFrame, bool notifyOnPress, bool windowed);

    /// 2 shows the first frame, 1 the top of the run; the state takes any value.
    void setPosition(int value);
    /// The same as setPosition.
    void setState(int value) override;
    /// Stops any run; enabled shows the first frame, disabled the strip's last; state 2, ready to run up.
    void setEnabled(bool enabled) override;
    /// Clicks and starts the run, without reporting the press.
    void startAnimation();
    /// The next run goes down (from the top).
    void setReverse() { phase_ = 0; }
    /// The next run goes up again.
    void resetDirection() { phase_ = 1; }
    /// Shows the top of the run (the frame before the strip's last).
    void showOnFrame() { setFrame(frameCount_ - 2); }

    /// Reports the press and starts the run, when it may run.
    void onLeftDown(int x, int y) override;
    /// One step of the run.
    void onTick() override;
    /// Cuts the strip into the run's frames, the top two linked to flicker.
    void buildFrames() override;

    /// 1 while the next run goes up, 0 while it goes down.
    int phase() const { return phase_; }

private:
    /// The top frame of the run.
    int topFrame() const;
    void finishUp();
    void finishDown();

    int flickerCount_ = 0;
    bool hasExtraFrame_;
    bool notifyOnPress_;
    int phase_ = 1;
};

} // namespace q71
