#pragma once
// A windowless button that steps to its next frame on each click, back to the first after the
// last, and tells its parent window WM_COMMAND (control id, frame index). Its state is the index
// of the frame on show. Without the user flag it only shows what the program sets.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class StateButton : public ButtonToggle {
public:
    /// A button that loads its strip from a file; it cycles on clicks only when `userFlag` is set.
    StateButton(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount, int x,
                int y, int width, int height, bool userFlag);

    /// Steps to the next frame, when the user may.
    void onLeftDown(int x, int y) override;
    /// Cuts the strip into still frames and shows the one of the state.
    void buildFrames() override;
    /// Shows frame `index` (ignored outside the strip), which becomes the state.
    void setFrameIndex(int index);

private:
    bool userFlag_;
};

} // namespace q71
