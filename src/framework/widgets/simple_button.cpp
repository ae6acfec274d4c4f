#include "framework/widgets/simple_button.h"

#include "framework/widgets/button_group.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"

namespace q71 {
namespace {

constexpr int kUpFrame = 0;
constexpr int kDownFrame = 1;
constexpr int kDisabledFrame = 2;

} // namespace

SimpleButton::SimpleButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                           std::string_view fileName, int frameCount, int kind, bool windowed)
    : ButtonToggle(parentWindow, controlId, fileName, frameCount, x, y, width, height, windowed) {
    initSimple(kind);
}

SimpleButton::SimpleButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                           int frameCount, int kind, std::span<const std::uint8_t> header,
                           std::span<const std::uint8_t> bits, bool windowed)
    : ButtonToggle(parentWindow, controlId, x, y, width, height, windowed) {
    allocateFrames(frameCount);
    initSimple(kind);
    useStrip(header, bits);
}

SimpleButton::~SimpleButton() {
    if (group_)
        group_->remove(this);
}

void SimpleButton::initSimple(int kind) {
    name_ = "SimpleButton";
    kind_ = kind;
}

void SimpleButton::setAutoRepeat(int firstDelayMs, int intervalMs) {
    firstRepeatDelay_ = firstDelayMs;
    repeatInterval_ = intervalMs;
    autoRepeat_ = true;
}

void SimpleButton::buildFrames() {
    ButtonToggle::buildFrames();
    for (Frame& f : frames_)
        f.next = f.previous = -1;
    if (!clickable_ && frameCount_ == 3)
        current_ = kDisabledFrame;
    else if (state_ == 1 && frame(kDownFrame))
        current_ = kDownFrame;
    else if (frame(kUpFrame))
        current_ = kUpFrame;
}

void SimpleButton::onLeftDown(int x, int y) {
    if (!clickable_ || !hitTestRect(hitRect_, x, y)) {
        leftPressed_ = false;
        return;
    }
    captureSet(window_);
    leftPressed_ = true;
    bool notify = true;
    bool wentUp = false;
    if (state_ == 2) {
        state_ = 1;
    } else if (kind_ == kToggle) {
        state_ = 2;
        wentUp = true;
    } else if (kind_ == kLatch) {
        notify = false; // a latched button pressed again stays down and says nothing
    }
    if (group_)
        group_->memberPressed(this);
    showFrameNow(wentUp ? kUpFrame : kDownFrame);
    if (notify)
        playClickSound();
    if (autoRepeat_)
        startTimer(static_cast<std::uint32_t>(firstRepeatDelay_));
    if (kind_ != kPush && notify)
        notifyParent(state_);
}

void SimpleButton::onLeftUp(int, int) {
    if (autoRepeat_)
        stopTimer();
    if (!clickable_ || !leftPressed_) {
        leftPressed_ = false;
        return;
    }
    leftPressed_ = false;
    if (kind_ == kPush) {
        showFrameNow(kUpFrame);
        state_ = 2;
        notifyParent(0);
    }
    captureRelease();
}

void SimpleButton::onTick() {
    stopTimer();
    auto alive = watch();
    notifyParent(0);
    if (alive.expired())
        return;
    playClickSound();
    startTimer(static_cast<std::uint32_t>(repeatInterval_));
}

void SimpleButton::setState(int value) {
    const bool changed = value != state_;
    state_ = value;
    if (value != 1 && value != 2)
        return;
    const int record = value == 1 ? kDownFrame : kUpFrame;
    if (changed)
        showFrameNow(record);
    else if (frame(record))
        current_ = record;
}

void SimpleButton::setEnabled(bool enabled) {
    const bool changed = enabled != clickable_;
    clickable_ = enabled;
    if (frameCount_ == 3)
        current_ = enabled ? kUpFrame : kDisabledFrame;
    if (changed)
        invalidate(nullptr, false);
}

void SimpleButton::onSetCursor() {
    cursorSet(hoverCursor_ != CursorHandle{} ? hoverCursor_ : sharedCursor());
}

} // namespace q71
