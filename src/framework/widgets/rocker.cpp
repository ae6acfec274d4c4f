#include "framework/widgets/rocker.h"

#include "platform/window/focus.h"

namespace q71 {
namespace {

constexpr int kFirstSideFrame = 0;
constexpr int kMiddleFrame = 1;
constexpr int kSecondSideFrame = 2;

} // namespace

Rocker::Rocker(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount, int x,
               int y, int width, int height, int orientation, int firstDelayMs, int intervalMs, bool windowed)
    : ButtonToggle(parentWindow, controlId, fileName, frameCount, x, y, width, height, windowed),
      firstDelay_(firstDelayMs), interval_(intervalMs), orientation_(orientation) {
    name_ = "Rocker";
}

void Rocker::loadResources() {
    ButtonToggle::loadResources();
    if (frame(kMiddleFrame))
        current_ = frameIndex_ = kMiddleFrame;
}

void Rocker::onLeftDown(int x, int y) {
    if (!clickable_) {
        leftPressed_ = false;
        return;
    }
    const int localX = windowed_ ? x : x - x_;
    const int localY = windowed_ ? y : y - y_;
    const bool first = orientation_ == kTopBottom ? localY < height_ / 2 : localX < width_ / 2;
    pressedSide_ = first ? 0 : 1;
    const int pressed = first ? kFirstSideFrame : kSecondSideFrame;
    if (frame(pressed))
        frameIndex_ = pressed;
    showFrameNow(pressed);
    captureSet(window_);
    leftPressed_ = true;
    playClickSound();
    startTimer(static_cast<std::uint32_t>(firstDelay_));
    reportSide();
}

void Rocker::onTick() {
    stopTimer();
    if (!leftPressed_) {
        // Hidden while held, so the release never came: back to the middle, silently.
        if (frame(kMiddleFrame))
            current_ = frameIndex_ = kMiddleFrame;
        return;
    }
    auto alive = watch();
    reportSide();
    if (!alive.expired())
        startTimer(static_cast<std::uint32_t>(interval_));
}

void Rocker::onLeftUp(int, int) {
    if (!leftPressed_)
        return;
    leftPressed_ = false;
    stopTimer();
    if (frame(kMiddleFrame))
        frameIndex_ = kMiddleFrame;
    showFrameNow(kMiddleFrame);
    captureRelease();
}

void Rocker::reportSide() {
    if (pressedSide_ == 0)
        onFirstSide();
    else
        onSecondSide();
}

void Rocker::onFirstSide() {
    notifyParent(0);
}

void Rocker::onSecondSide() {
    notifyParent(1);
}

} // namespace q71
