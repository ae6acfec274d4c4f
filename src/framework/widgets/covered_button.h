#pragma once
// A push button under a hinged cover. The first click lifts the cover (WM_COMMAND (control id,
// 10) when it is open); a click on the open cover's handle shuts it again (11); a click below
// the handle presses the button, which springs back and lets the cover fall (1), optionally
// blinking before it reports. Frames: the cover opening from 0 (shut) to coverFrames - 1 (open),
// then the button pressed under the open cover; a last frame is the disabled look.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class CoveredButton : public ButtonToggle {
public:
    enum State : int { kClosed = 10, kClosing = 11, kOpen = 12, kBlinking = 13 };

    /// A button that loads its strip from a file; the frames are the widget's size.
    CoveredButton(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount, int x,
                  int y, int width, int height, bool windowed);
    /// A button on a strip already in memory, which it does not own.
    CoveredButton(WindowHandle parentWindow, int controlId, int frameCount, int x, int y, int width,
                  int height, std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits,
                  bool windowed);

    /// Opens, shuts or presses, as the state and the place of the click say.
    void onLeftDown(int x, int y) override;
    /// One step of the run under way.
    void onTick() override;
    /// Cuts the strip into frames of 100 ms and shows the one for the state.
    void buildFrames() override;
    /// Stops any run and shuts the cover: the first frame when enabled, the disabled look when not.
    void setEnabled(bool enabled) override;

    /// The handle of the open cover, inside the widget (default: its top 20 rows).
    void setHandle(const Rect& handle) { handle_ = handle; }
    /// How often the button blinks after a press before it reports (0: not at all).
    void setBlinkCount(int count) { blinkCount_ = count; }

private:
    void initCovered();
    /// Makes `to` current and waits the delay of the frame on show; false when there is no `to`.
    bool stepTo(int to);
    /// Shows a frame as the resting one.
    void rest(int index);
    /// Ends the run in `state` and reports `code`.
    void finish(int state, int code);
    void tickOpening();
    void tickClosing();
    void tickPressing();
    void tickBlinking();

    int coverFrames_ = 3;
    Rect handle_;
    int blinkCount_ = 0;
    int blinkCounter_ = 0;
    int blinkInterval_ = 500;
    // Each button keeps its own: two buttons pressed one after the other must not share a run.
    bool soundPlayed_ = false;
    bool returning_ = false;
};

} // namespace q71
