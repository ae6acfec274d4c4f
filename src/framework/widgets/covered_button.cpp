#include "framework/widgets/covered_button.h"

namespace q71 {
namespace {

constexpr int kFrameDelayMs = 100;
constexpr int kHandleHeight = 20;
// What the button reports: the cover is open, the cover is shut, the button was pressed.
constexpr int kReportOpened = 10;
constexpr int kReportShut = 11;
constexpr int kReportPressed = 1;

} // namespace

CoveredButton::CoveredButton(WindowHandle parentWindow, int controlId, std::string_view fileName,
                             int frameCount, int x, int y, int width, int height, bool windowed)
    : ButtonToggle(parentWindow, controlId, fileName, frameCount, x, y, width, height, windowed) {
    initCovered();
}

CoveredButton::CoveredButton(WindowHandle parentWindow, int controlId, int frameCount, int x, int y,
                             int width, int height, std::span<const std::uint8_t> header,
                             std::span<const std::uint8_t> bits, bool windowed)
    : ButtonToggle(parentWindow, controlId, x, y, width, height, windowed) {
    allocateFrames(frameCount);
    initCovered();
    useStrip(header, bits);
}

void CoveredButton::initCovered() {
    name_ = "CoveredButton";
    state_ = kClosed;
    handle_ = {0, 0, width_, kHandleHeight};
}

void CoveredButton::buildFrames() {
    ButtonToggle::buildFrames();
    for (Frame& f : frames_)
        f.delay = kFrameDelayMs;
    if (state_ == kOpen && frame(coverFrames_ - 1))
        current_ = coverFrames_ - 1;
    else
        current_ = clickable_ ? 0 : frameCount_ - 1;
    frameIndex_ = current_;
}

void CoveredButton::setEnabled(bool enabled) {
    const bool changed = enabled != clickable_;
    clickable_ = enabled;
    stopTimer();
    animating_ = soundPlayed_ = returning_ = false;
    blinkCounter_ = 0;
    state_ = kClosed;
    const int shown = enabled ? 0 : frameCount_ - 1;
    if (frame(shown))
        current_ = frameIndex_ = shown;
    if (changed)
        invalidate(nullptr, false);
}

void CoveredButton::onLeftDown(int x, int y) {
    if (!clickable_ || animating_ || !hitTestRect(hitRect_, x, y)) {
        ButtonToggle::onLeftDown(x, y);
        return;
    }
    if (state_ == kOpen && hitTestRect(handle_, x, y))
        state_ = kClosing;
    else if (!(state_ == kClosed && frameIndex_ == 0) &&
             !(state_ == kOpen && frameIndex_ == coverFrames_ - 1))
        return;
    ButtonToggle::onLeftDown(x, y);
}

bool CoveredButton::stepTo(int to) {
    const Frame* shown = currentFrame();
    if (!shown || !frame(to))
        return false;
    startTimer(static_cast<std::uint32_t>(shown->delay));
    current_ = frameIndex_ = to;
    return true;
}

void CoveredButton::rest(int index) {
    if (frame(index))
        frameIndex_ = index;
    showFrameNow(index);
}

void CoveredButton::finish(int state, int code) {
    state_ = state;
    animating_ = false;
    notifyParent(code);
}

void CoveredButton::onTick() {
    animating_ = true;
    stopTimer();
    switch (state_) {
    case kClosed:
        tickOpening();
        break;
    case kClosing:
        tickClosing();
        break;
    case kOpen:
        tickPressing();
        break;
    case kBlinking:
        tickBlinking();
        break;
    default:
        animating_ = false;
    }
}

void CoveredButton::tickOpening() {
    showFrameNow(current_);
    if (frameIndex_ >= coverFrames_ - 1 || !stepTo(frameIndex_ + 1))
        finish(kOpen, kReportOpened);
}

void CoveredButton::tickClosing() {
    showFrameNow(current_);
    if (frameIndex_ <= 0 || !stepTo(frameIndex_ - 1))
        finish(kClosed, kReportShut);
}

void CoveredButton::tickPressing() {
    if (!soundPlayed_) {
        soundPlayed_ = true;
        playClickSound();
    }
    showFrameNow(current_);
    // Down to the pressed button, then back up and through the cover falling shut.
    if (!returning_ && frameIndex_ < coverFrames_ && stepTo(frameIndex_ + 1))
        return;
    returning_ = true;
    if (frameIndex_ > 0 && stepTo(frameIndex_ - 1))
        return;
    soundPlayed_ = returning_ = false;
    if (blinkCount_ <= 0) {
        rest(0);
        finish(kClosed, kReportPressed);
        return;
    }
    state_ = kBlinking;
    startTimer(kFrameDelayMs);
}

void CoveredButton::tickBlinking() {
    if (++blinkCounter_ >= blinkCount_) {
        blinkCounter_ = 0;
        // It rests on the shut cover whichever frame the last blink showed, so it can open again.
        rest(0);
        finish(kClosed, kReportPressed);
        return;
    }
    rest(blinkCounter_ % 2 == 0 ? frameCount_ - 1 : 0);
    startTimer(static_cast<std::uint32_t>(blinkInterval_));
}

} // namespace q71
