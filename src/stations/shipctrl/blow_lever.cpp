#include "stations/shipctrl/blow_lever.h"

namespace q71 {

BlowLever::BlowLever(WindowHandle parentWindow, int controlId, int x, int y)
    : ButtonToggle(parentWindow, controlId, "x000y322.bmp", 5, x, y, 102, 98, false) {
    setClickSound("lever 3.wav", 1);
    setSoundOnPress(true);
    placeGrip();
}

void BlowLever::onTick() {
    ButtonToggle::onTick();
    placeGrip();
}

void BlowLever::setState(int value) {
    ButtonToggle::setState(value);
    placeGrip();
}

void BlowLever::placeGrip() {
    setHitRect(state_ == 1 ? Rect{4, 0, 79, 25} : Rect{4, 59, 79, 77});
}

} // namespace q71
