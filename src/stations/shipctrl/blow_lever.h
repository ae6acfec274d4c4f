#pragma once
// The emergency-blow lever of the ship control station: a five-frame switch whose grip is the
// part that takes a click, at the top of the picture while the lever is down (state 1) and at the
// bottom while it is up.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class BlowLever : public ButtonToggle {
public:
    BlowLever(WindowHandle parentWindow, int controlId, int x, int y);

    /// After each step of the animation the grip follows the state.
    void onTick() override;
    void setState(int value) override;

private:
    void placeGrip();
};

} // namespace q71
