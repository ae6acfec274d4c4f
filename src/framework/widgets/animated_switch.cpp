#include "framework/widgets/animated_switch.h"

namespace q71 {
namespace {

constexpr int kFirstDelays[] = {0, 250, 250, 500};
constexpr int kOtherDelayMs = 60;
constexpr int kTopDelayMs = 500;
constexpr int kFlickerSteps = 7;
constexpr std::uint32_t kStartMs = 5;
constexpr int kReportPressed = 3;
constexpr int kReportUp = 1;

} // namespace

int switchFrameDelay(int index) {
    return index >= 0 && index < 4 ? kFirstDelays[index] : kOtherDelayMs;
}

AnimatedSwitch::AnimatedSwitch(WindowHandle parentWindow, std::string_view fileName, int controlId, int x,
                               int y, int width, int height, int frameCount,
                               std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits,
                               bool hasExtraFrame, bool notifyOnPress, bool windowed)
    : ButtonToggle(parentWindow, controlId, x, y, width, height, windowed), hasExtraFrame_(hasExtraFrame),
      notifyOnPress_(notifyOnPress) {
    name_ = "AnimatedSwitch";
    fileName_ = fileName;
    allocateFrames(frameCount);
    useStrip(header, bits);
}

int AnimatedSwitch::topFrame() const {
    return frameCount_ - (hasExtraFrame_ ? 2 : 1);
}

void AnimatedSwitch::buildFrames() {
    ButtonToggle::buildFrames();
    const int top = topFrame();
    for (int i = 0; i < frameCount_; ++i) {
        Frame& f = frames_[static_cast<std::size_t>(i)];
        f.delay = switchFrameDelay(i);
        if (i > top)
            f.next = f.previous = -1; // the extra frame is no part of the run
    }
    if (top >= 1) {
        // The top frame leads back to the one below it either way, so the run flickers there.
        frames_[static_cast<std::size_t>(top)].next = frames_[static_cast<std::size_t>(top)].previous =
            top - 1;
        for (int i : {top - 1, top})
            if (i >= 4)
                frames_[static_cast<std::size_t>(i)].delay = kTopDelayMs;
    }
    if (!clickable_)
        current_ = frameCount_ - 1;
    else
        current_ = state_ == 1 && frame(top) ? top : 0;
    frameIndex_ = current_;
}

void AnimatedSwitch::setPosition(int value) {
    const int shown = value == 2 ? 0 : value == 1 ? topFrame() : -1;
    if (frame(shown))
        current_ = frameIndex_ = shown;
    const bool changed = value != state_;
    state_ = value;
    if (changed)
        invalidate(nullptr, false);
}

void AnimatedSwitch::setState(int value) {
    setPosition(value);
}

void AnimatedSwitch::setEnabled(bool enabled) {
    const bool changed = enabled != clickable_;
    clickable_ = enabled;
    stopTimer();
    animating_ = false;
    flickerCount_ = 0;
    const int shown = enabled ? 0 : frameCount_ - 1;
    if (frame(shown))
        current_ = frameIndex_ = shown;
    state_ = 2;
    phase_ = 1;
    if (changed)
        invalidate(nullptr, false);
}

void AnimatedSwitch::startAnimation() {
    playClickSound();
    animating_ = true;
    startTimer(kStartMs);
}

void AnimatedSwitch::onLeftDown(int x, int y) {
    if (!clickable_) {
        leftPressed_ = false;
        return;
    }
    if (animating_ || !hitTestRect(hitRect_, x, y) || (!notifyOnPress_ && phase_ != 1))
        return;
    auto alive = watch();
    notifyParent(kReportPressed);
    if (!alive.expired())
        startAnimation();
}

void AnimatedSwitch::onTick() {
    stopTimer();
    const Frame* shown = currentFrame();
    if (!shown) {
        animating_ = false;
        return;
    }
    showFrameNow(current_);
    const bool up = phase_ == 1 || state_ == kFlickering;
    const int to = up ? shown->next : shown->previous;
    if (to < 0) {
        if (up)
            finishUp();
        else
            finishDown();
        return;
    }
    current_ = frameIndex_ = to;
    const int top = topFrame();
    if (state_ == kFlickering) {
        if (++flickerCount_ >= kFlickerSteps) {
            flickerCount_ = 0;
            state_ = 1;
            if (phase_ == 1) {
                finishUp();
                return;
            }
        }
    } else if (to == top || (to == top - 1 && phase_ == 0)) {
        // The step onto the flicker is its first.
        state_ = kFlickering;
        flickerCount_ = 1;
    }
    startTimer(static_cast<std::uint32_t>(shown->delay));
}

void AnimatedSwitch::finishUp() {
    // It rests on the frame the flicker stopped at (the top), drawn now.
    showFrameNow(current_);
    state_ = 1;
    phase_ = 0;
    animating_ = false;
    notifyParent(kReportUp);
}

void AnimatedSwitch::finishDown() {
    state_ = state_ == 2 ? 1 : 2;
    const int before = phase_;
    phase_ = phase_ == 0 ? 1 : 0;
    animating_ = false;
    notifyParent(before);
}

} // namespace q71
