#include "framework/widgets/state_button.h"

namespace q71 {

StateButton::StateButton(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount,
                         int x, int y, int width, int height, bool userFlag)
    : ButtonToggle(parentWindow, controlId, fileName, frameCount, x, y, width, height, false),
      userFlag_(userFlag) {
    name_ = "StateButton";
    state_ = 0;
}

void StateButton::buildFrames() {
    ButtonToggle::buildFrames();
    for (Frame& f : frames_)
        f.next = f.previous = -1;
    current_ = frameIndex_ = frame(state_) ? state_ : 0;
}

void StateButton::onLeftDown(int x, int y) {
    if (!userFlag_ || !clickable_ || frameCount_ == 0 || !hitTestRect(hitRect_, x, y)) {
        leftPressed_ = false;
        return;
    }
    frameIndex_ = state_ = (frameIndex_ + 1) % frameCount_;
    showFrameNow(frameIndex_);
    playClickSound();
    notifyParent(state_);
}

void StateButton::setFrameIndex(int index) {
    if (!frame(index))
        return;
    const bool changed = index != frameIndex_;
    current_ = frameIndex_ = state_ = index;
    if (changed)
        invalidate(nullptr, false);
}

} // namespace q71
