#include "framework/widgets/button_toggle.h"

#include "framework/app/reporter.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/window_dc.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kFrameDelayMs = 60;
constexpr std::uint32_t kFirstStepMs = 5;

} // namespace

ButtonToggle::ButtonToggle() {
    initButton(0, 0);
}

ButtonToggle::ButtonToggle(int controlId, std::string_view fileName, int frameWidth, int frameHeight,
                           int frameCount)
    : frameWidth_(frameWidth), frameHeight_(frameHeight) {
    initButton(controlId, frameCount);
    setFile(fileName);
}

ButtonToggle::ButtonToggle(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                           bool windowed)
    : BaseWidget(parentWindow, x, y, width, height, windowed), frameWidth_(width), frameHeight_(height) {
    initButton(controlId, 0);
}

ButtonToggle::ButtonToggle(WindowHandle parentWindow, int controlId, std::string_view fileName,
                           int frameCount, int x, int y, int width, int height, bool windowed)
    : BaseWidget(parentWindow, x, y, width, height, windowed), frameWidth_(width), frameHeight_(height) {
    initButton(controlId, frameCount);
    setFile(fileName);
}

ButtonToggle::~ButtonToggle() {
    ButtonToggle::freeResources();
}

void ButtonToggle::initButton(int controlId, int frameCount) {
    name_ = "ButtonToggle";
    controlId_ = controlId;
    state_ = 2;
    hitRect_ = {0, 0, width_, height_};
    allocateFrames(frameCount);
}

void ButtonToggle::allocateFrames(int frameCount) {
    frameCount_ = std::max(frameCount, 0);
    frames_.assign(static_cast<std::size_t>(frameCount_), Frame{});
}

void ButtonToggle::setFile(std::string_view fileName) {
    fileName_ = fileName;
    ownsBitmap_ = true;
}

const ButtonToggle::Frame* ButtonToggle::frame(int index) const {
    return index >= 0 && index < static_cast<int>(frames_.size()) ? &frames_[static_cast<std::size_t>(index)]
                                                                  : nullptr;
}

void ButtonToggle::useStrip(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits) {
    header_ = header;
    bits_ = bits;
    buildFrames();
}

void ButtonToggle::loadResources() {
    if (!ownsBitmap_ || strip_.loaded())
        return;
    if (!strip_.load(fileName_)) {
        if (widgetArchiveBitmaps())
            reportFatalCaption(fileName_.c_str(), "dibCLoad failed?", 126, "bbutton", 0);
        reportWarning(fileName_.c_str(), 133, "bbutton", 0);
        reportFatal("Could Not Open Bitmap", 134, "bbutton", 0);
    }
    useStrip(strip_.header(), strip_.bits());
}

void ButtonToggle::freeResources() {
    if (!ownsBitmap_)
        return;
    strip_.free();
    header_ = {};
    bits_ = {};
    clearFrames();
}

void ButtonToggle::buildFrames() {
    auto format = dibParseInfo(header_);
    if (!format || bits_.empty() || frames_.empty())
        return;
    const std::size_t stride = format->stride;
    const std::size_t step = static_cast<std::size_t>(frameHeight_ + 1) * stride;
    const int n = frameCount_;
    for (int i = 0; i < n; ++i) {
        // Bottom-up, the strip's last frame comes first; top-down, frame k follows k separators.
        std::size_t offset = format->topDown ? step * static_cast<std::size_t>(i) + stride : step * i;
        Frame& f = frames_[static_cast<std::size_t>(format->topDown ? i : n - 1 - i)];
        f.bits = offset < bits_.size() ? bits_.subspan(offset) : std::span<const std::uint8_t>{};
        f.delay = kFrameDelayMs;
    }
    for (int k = 0; k < n; ++k) {
        frames_[static_cast<std::size_t>(k)].next = k + 1 < n ? k + 1 : -1;
        frames_[static_cast<std::size_t>(k)].previous = k - 1;
    }
    current_ = state_ == 2 ? 0 : n - 1;
    frameIndex_ = current_;
}

void ButtonToggle::clearFrames() {
    for (Frame& f : frames_)
        f.bits = {};
}

void ButtonToggle::setEnabled(bool enabled) {
    clickable_ = enabled;
}

void ButtonToggle::drawFrame(DeviceContext& dc, std::span<const std::uint8_t> bits) {
    if (bits.empty() || header_.empty())
        return;
    const int x = windowed_ ? 0 : x_;
    const int y = windowed_ ? 0 : y_;
    setDIBitsToDevice(dc, x, y, frameWidth_, frameHeight_, 0, 0, 0, frameHeight_, bits, header_);
}

void ButtonToggle::paint(PaintRecord& paint) {
    if (const Frame* f = currentFrame())
        drawFrame(*paint.dc, f->bits);
}

void ButtonToggle::showFrameNow(int index) {
    current_ = frame(index) ? index : current_;
    const Frame* f = currentFrame();
    if (!f || !visible_)
        return;
    if (auto dc = getWindowDC(window_))
        drawFrame(*dc, f->bits);
}

void ButtonToggle::setFrame(int index) {
    if (!frame(index))
        return;
    current_ = index;
    frameIndex_ = index;
    invalidate(nullptr, false);
}

void ButtonToggle::setState(int value) {
    const int last = frameCount_ - 1;
    if (value == 2 && last >= 0) {
        current_ = 0;
        frameIndex_ = 0;
    } else if (value == 1 && last >= 0) {
        current_ = last;
        frameIndex_ = last;
    }
    const bool changed = value != state_;
    state_ = value;
    if (changed)
        invalidate(nullptr, false);
}

void ButtonToggle::onLeftDown(int x, int y) {
    if (!clickable_) {
        leftPressed_ = false;
        return;
    }
    if (animating_ || !hitTestRect(hitRect_, x, y))
        return;
    if (soundOnPress_)
        playClickSound();
    startTimer(kFirstStepMs);
}

void ButtonToggle::onTick() {
    animating_ = true;
    stopTimer();
    const Frame* drawn = currentFrame();
    showFrameNow(current_);
    const bool forward = state_ == 2;
    const int following = drawn ? (forward ? drawn->next : drawn->previous) : -1;
    if (following >= 0) {
        startTimer(static_cast<std::uint32_t>(drawn->delay));
        current_ = following;
        frameIndex_ += forward ? 1 : -1;
        return;
    }
    state_ = forward ? 1 : 2;
    if (!soundOnPress_)
        playClickSound();
    animating_ = false;
    notifyParent(state_);
}

} // namespace q71
