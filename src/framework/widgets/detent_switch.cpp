#include "framework/widgets/detent_switch.h"

#include "platform/window/focus.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71 {
namespace {

constexpr double kDegreesPerRadian = 57.29577957855229;

} // namespace

DetentSwitch::DetentSwitch(WindowHandle parentWindow, int controlId, std::string_view fileName, int x, int y,
                           int width, int height, int frameCount, int startAngle, int range, int detents,
                           bool windowed)
    : ButtonToggle(parentWindow, controlId, fileName, frameCount, x, y, width, height, windowed),
      startAngle_(startAngle), range_(std::max(range, 1)), detents_(std::max(detents, 1)) {
    // A knob of no range or no detents would divide by zero; it becomes one of a single detent.
    name_ = "DetentSwitch";
    setClickSound("switch.wav", 1);
}

int DetentSwitch::frameForDetent(int detent) const {
    return detents_ > 1 ? (frameCount_ - 1) * detent / (detents_ - 1) : 0;
}

int DetentSwitch::detentForFrame(int frame) const {
    return frameCount_ > 1 ? (detents_ - 1) * frame / (frameCount_ - 1) : 0;
}

void DetentSwitch::setPosition(int position) {
    if (position < 0 || position >= detents_)
        return;
    frameIndex_ = frameForDetent(position);
    current_ = frameIndex_;
    targetFrame_ = frameIndex_;
    invalidate(nullptr, false);
}

int DetentSwitch::getState() {
    return detentForFrame(frameIndex_);
}

void DetentSwitch::buildFrames() {
    const int shown = frameIndex_;
    ButtonToggle::buildFrames();
    if (frame(shown))
        current_ = frameIndex_ = shown;
}

std::optional<int> DetentSwitch::detentAt(int x, int y) const {
    const int dx = (windowed_ ? x : x - x_) - centre_.x;
    const int dy = centre_.y - (windowed_ ? y : y - y_);
    if (std::abs(dx) <= width_ / 4 && std::abs(dy) <= height_ / 4)
        return std::nullopt;
    // Clockwise from straight up; with a radius, from the height alone (kept inside acos's domain).
    const double radians = radius_ > 0 ? std::acos(std::clamp(static_cast<double>(dy) / radius_, -1.0, 1.0))
                                       : std::atan2(dx, dy);
    int angle = static_cast<int>(radians * kDegreesPerRadian);
    if (angle < 0)
        angle += 360;
    // Half a detent's span is added so that each detent owns the angles around it.
    int a = ((range_ / detents_) / 2 - startAngle_ + angle) % 360;
    const int half = static_cast<int>(range_ * 0.5);
    while (a > half + 180)
        a -= 360;
    while (a <= half - 180)
        a += 360;
    return std::clamp(a * (detents_ - 1) / range_, 0, detents_ - 1);
}

void DetentSwitch::onLeftDown(int x, int y) {
    if (!currentFrame() || currentFrame()->bits.empty())
        return;
    leftPressed_ = true;
    if (windowed_)
        captureSet(window_);
    if (auto detent = detentAt(x, y))
        turnTo(*detent);
}

void DetentSwitch::onLeftUp(int x, int y) {
    if (windowed_ && leftPressed_)
        captureRelease();
    ButtonToggle::onLeftUp(x, y);
}

void DetentSwitch::onMouseMove(int x, int y) {
    if (!leftPressed_)
        return;
    auto detent = detentAt(x, y);
    if (detent && frameForDetent(*detent) != targetFrame_)
        turnTo(*detent);
}

void DetentSwitch::turnTo(int detent) {
    targetFrame_ = frameForDetent(detent);
    auto alive = watch();
    onTurnStart(detent);
    if (alive.expired() || !currentFrame())
        return;
    animating_ = true;
    startTimer(static_cast<std::uint32_t>(currentFrame()->delay));
}

void DetentSwitch::onTick() {
    stopTimer();
    const Frame* shown = currentFrame();
    if (!shown)
        return;
    showFrameNow(current_);
    if (frameIndex_ != targetFrame_) {
        const int step = frameIndex_ < targetFrame_ ? shown->next : shown->previous;
        if (step >= 0) {
            startTimer(static_cast<std::uint32_t>(shown->delay));
            current_ = frameIndex_ = step;
            return;
        }
    }
    animating_ = false;
    playClickSound();
    onTurnEnd(detentForFrame(frameIndex_));
}

void DetentSwitch::onTurnStart(int) {}

void DetentSwitch::onTurnEnd(int detent) {
    notifyParent(detent);
}

} // namespace q71
