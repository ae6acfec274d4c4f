#pragma once
// A two-way rocker of the station panels that springs back to the middle. Holding one side
// tells the parent window WM_COMMAND (control id, 0 for the first side or 1 for the second) at
// once, again after the first delay and then every interval until the release. Frames: 0 the
// first side pressed, 1 the middle, 2 the second side pressed.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class Rocker : public ButtonToggle {
public:
    enum Orientation : int { kLeftRight = 0, kTopBottom = 1 };

    /// A rocker split into left and right or top and bottom halves, whose strip it loads from a file.
    Rocker(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount, int x, int y,
           int width, int height, int orientation, int firstDelayMs, int intervalMs, bool windowed);

    /// Loads the strip and shows the middle.
    void loadResources() override;
    /// Presses the half under the pointer and reports it.
    void onLeftDown(int x, int y) override;
    /// Springs back to the middle.
    void onLeftUp(int x, int y) override;
    /// Reports the held side again.
    void onTick() override;

    /// The first side is pressed (or still held); the base reports 0.
    virtual void onFirstSide();
    /// The second side is pressed (or still held); the base reports 1.
    virtual void onSecondSide();

    /// The side held: 0 or 1.
    int pressedSide() const { return pressedSide_; }

private:
    void reportSide();

    int firstDelay_;
    int interval_;
    int orientation_;
    int pressedSide_ = 0;
};

} // namespace q71
