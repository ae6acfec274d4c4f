#include "framework/widgets/scroller_parts.h"

#include "framework/widgets/bevel.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/dib_format.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr ColorRef kPartGrey = rgb(0xBF, 0xBF, 0xBF);
constexpr int kPartBevel = 2;
constexpr int kArrowFrames = 3;
constexpr int kFirstRepeatMs = 250;
constexpr int kRepeatMs = 50;

// The look of a part without a bitmap: grey, raised (or sunken while held).
void drawGreyBox(DeviceContext& dc, int width, int height, int style) {
    dc.fillRect({0, 0, width, height}, createSolidBrush(kPartGrey));
    drawBevelWithColour(dc, kPartGrey, true, 0, 0, width - 1, height - 1, kPartBevel, style);
}

} // namespace

ScrollerArrow::ScrollerArrow(WindowHandle scrollerWindow, int direction, int x, int y, int width, int height,
                             std::string_view fileName)
    : SimpleButton(scrollerWindow, direction + 1, x, y, width, height, fileName, kArrowFrames, kPush, true) {
    setAutoRepeat(kFirstRepeatMs, kRepeatMs);
}

void ScrollerArrow::paint(PaintRecord& paint) {
    if (currentFrame() && !bits_.empty())
        SimpleButton::paint(paint);
    else
        drawGreyBox(*paint.dc, width_, height_, state_ == 1 ? kBevelSunken : kBevelRaised);
}

void ScrollerArrow::onLeftDown(int x, int y) {
    SimpleButton::onLeftDown(x, y);
    if (bits_.empty())
        invalidate(nullptr, false);
}

void ScrollerArrow::onLeftUp(int x, int y) {
    // The release moves the bar, whose owner may close it.
    auto alive = watch();
    SimpleButton::onLeftUp(x, y);
    if (!alive.expired() && bits_.empty())
        invalidate(nullptr, false);
}

void ScrollerArrow::loadResources() {
    if (!fileName_.empty())
        SimpleButton::loadResources();
}

ScrollerThumb::ScrollerThumb(WindowHandle scrollerWindow, int width, int height, std::string_view fileName)
    : ButtonToggle(scrollerWindow, 2, fileName, 1, 0, 0, width, height, true) {
    name_ = "ScrollerThumb";
}

bool ScrollerThumb::bitmapSize(int& width, int& height) const {
    auto format = dibParseInfo(header_);
    if (!format)
        return false;
    // A one-frame strip: the frame and its separator row.
    width = format->width;
    height = std::max(format->height - 1, 1);
    return true;
}

void ScrollerThumb::loadResources() {
    if (fileName_.empty())
        return;
    ButtonToggle::loadResources();
    if (bitmapSize(frameWidth_, frameHeight_))
        buildFrames();
}

void ScrollerThumb::setPlain(bool plain) {
    plain_ = plain;
    invalidate(nullptr, false);
}

void ScrollerThumb::paint(PaintRecord& paint) {
    if (plain_ && currentFrame() && !bits_.empty())
        ButtonToggle::paint(paint);
    else
        drawGreyBox(*paint.dc, width_, height_, kBevelRaised);
}

void ScrollerThumb::onLeftDown(int x, int y) {
    // The bar gets the moves from here on and places the thumb under the pointer.
    dragging_ = true;
    grabX_ = x;
    grabY_ = y;
    leftPressed_ = true;
    captureSet(parentWindow_);
}

void ScrollerThumb::onLeftUp(int x, int y) {
    dragging_ = false;
    ButtonToggle::onLeftUp(x, y);
}

void ScrollerThumb::onKillFocus(WindowHandle) {
    dragging_ = false;
}

} // namespace q71
