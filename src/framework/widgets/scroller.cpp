#include "framework/widgets/scroller.h"

#include "framework/app/reporter.h"
#include "framework/widgets/bevel.h"
#include "framework/widgets/scroller_parts.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr ColorRef kTrackColour = rgb(0xD6, 0xD6, 0xD6);
constexpr ColorRef kFeedbackColour = rgb(0, 0, 0);

// Halves go up: v + 0.5 truncated toward zero.
int roundHalfUp(double v) {
    return static_cast<int>(v + 0.5);
}

} // namespace

Scroller::Scroller(WindowHandle parentWindow, int x, int y, int width, int height, bool horizontal,
                   int scrollerId, bool hasThumb, std::string_view backgroundName,
                   std::string_view decrementBitmap, std::string_view incrementBitmap,
                   std::string_view thumbBitmap, int arrowWidth, int arrowHeight)
    : BaseWidget(parentWindow, x, y, width, height, true), thumbWidth_(arrowWidth), thumbHeight_(arrowHeight),
      horizontal_(horizontal), scrollerId_(scrollerId), backgroundName_(backgroundName),
      arrowWidth_(arrowWidth), arrowHeight_(arrowHeight), hasThumb_(hasThumb) {
    setName("Scroller");
    focusOnHover_ = true;
    controlId_ = scrollerId;
    decrementArrow_ = new ScrollerArrow(window_, 0, 0, 0, arrowWidth, arrowHeight, decrementBitmap);
    const int incrementX = horizontal ? width - arrowWidth : 0;
    const int incrementY = horizontal ? 0 : height - arrowHeight;
    incrementArrow_ =
        new ScrollerArrow(window_, 1, incrementX, incrementY, arrowWidth, arrowHeight, incrementBitmap);
    if (hasThumb)
        thumb_ = new ScrollerThumb(window_, thumbWidth_, thumbHeight_, thumbBitmap);
    layout();
}

int Scroller::trackStart() const {
    return arrowLength();
}

int Scroller::trackEnd() const {
    return axisLength() - thumbLength() - arrowLength();
}

void Scroller::setRange(int lineStep, int pageStep, int minimum, int maximum, int pageSize) {
    lineStep_ = std::max(lineStep, 1);
    pageStep_ = std::max(pageStep, 1);
    pageSize_ = std::max(pageSize, 1);
    minimum_ = minimum;
    maximum_ = std::max(maximum, minimum);
    setPosition(position_);
}

void Scroller::setRange(int lineStep, int pageStep, int minimum, int maximum) {
    setRange(lineStep, pageStep, minimum, maximum, pageStep);
}

int Scroller::setPosition(int value) {
    position_ = std::clamp(value, minimum_, maximum_);
    // Known before the parent hears: it may close the bar in answer.
    const int inside = position_ == value ? 1 : 0;
    layout();
    report();
    return inside;
}

bool Scroller::onMouseWheel(int delta) {
    setPosition(position_ - wheelLines(delta) * lineStep_);
    return true;
}

void Scroller::lineUp() {
    setPosition(position_ - lineStep_);
}

void Scroller::lineDown() {
    setPosition(position_ + lineStep_);
}

void Scroller::pageUp() {
    setPosition(position_ - pageStep_);
}

void Scroller::pageDown() {
    setPosition(position_ + pageStep_);
}

void Scroller::setProportional(bool proportional) {
    proportional_ = proportional;
    if (thumb_)
        thumb_->setPlain(!proportional);
    layout();
    report();
}

void Scroller::report() {
    messageSend(parentWindow_, WM_VSCROLL, static_cast<WParam>(position_), static_cast<LParam>(scrollerId_));
}

void Scroller::layout() {
    if (!thumb_)
        return;
    if (proportional_) {
        const int track = std::max(axisLength() - 2 * arrowLength(), 1);
        const int length =
            std::min(track, roundHalfUp(static_cast<double>(track) * pageSize_ / (maximum_ - minimum_ + pageSize_)));
        (horizontal_ ? thumbWidth_ : thumbHeight_) = length;
    }
    const int range = maximum_ == minimum_ ? 1 : maximum_ - minimum_;
    const int free = std::max(trackEnd() - trackStart(), 0);
    const int along = trackStart() + roundHalfUp(static_cast<double>(position_ - minimum_) * free / range);
    if (horizontal_) {
        thumbX_ = along;
        thumbY_ = (height_ - thumbHeight_) / 2;
    } else {
        thumbX_ = (width_ - thumbWidth_) / 2;
        thumbY_ = along;
    }
    if (thumb_->getX() == thumbX_ && thumb_->getY() == thumbY_ && thumb_->getWidth() == thumbWidth_ &&
        thumb_->getHeight() == thumbHeight_)
        return;
    thumb_->setRect(thumbX_, thumbY_, thumbWidth_, thumbHeight_);
    windowMove(thumb_->window(), thumbX_, thumbY_, thumbWidth_, thumbHeight_, true);
}

Rect Scroller::trackPart(int from, int to) const {
    return horizontal_ ? Rect{from, 0, to, height_} : Rect{0, from, width_, to};
}

void Scroller::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    if (background_.loaded()) {
        background_.draw(dc, horizontal_ ? arrowWidth_ : 0, horizontal_ ? 0 : arrowHeight_);
        return;
    }
    const Rect track = trackPart(arrowLength(), axisLength() - arrowLength());
    dc.fillRect(track, createSolidBrush(kTrackColour));
    drawBevelWithColour(dc, kTrackColour, true, track.left, track.top, track.right - 1, track.bottom - 1, 1,
                        kBevelSunken);
}

void Scroller::onLeftDown(int x, int y) {
    leftPressed_ = true;
    clickState_ = kNoClick;
    captureSet(window_);
    if (!hasThumb_ || !thumb_)
        return;
    const int along = horizontal_ ? x : y;
    const int trackFar = axisLength() - arrowLength();
    if (along < arrowLength() || along >= trackFar)
        return;
    Rect feedback;
    if (along < thumbOffset()) {
        feedback = trackPart(trackStart(), thumbOffset());
        clickState_ = kPageBack;
    } else if (along >= thumbOffset() + thumbLength()) {
        feedback = trackPart(thumbOffset() + thumbLength(), trackFar);
        clickState_ = kPageForward;
    } else {
        return;
    }
    if (auto dc = getWindowDC(window_))
        dc->fillRect(feedback, createSolidBrush(kFeedbackColour));
}

void Scroller::onLeftUp(int, int) {
    const ClickState click = clickState_;
    clickState_ = kNoClick;
    leftPressed_ = false;
    captureRelease();
    if (click != kNoClick) {
        Rect track = trackPart(arrowLength(), axisLength() - arrowLength());
        invalidate(&track, true);
        if (click == kPageForward)
            pageDown();
        else
            pageUp();
    } else if (thumb_ && thumb_->isDragging()) {
        thumb_->stopDragging();
        layout();
        report();
    }
}

void Scroller::onMouseMove(int x, int y) {
    if (!thumb_ || !thumb_->isDragging())
        return;
    const int wanted = horizontal_ ? x - thumb_->grabX() : y - thumb_->grabY();
    const int along = std::clamp(wanted, trackStart(), std::max(trackEnd(), trackStart()));
    if (along == thumbOffset())
        return;
    (horizontal_ ? thumbX_ : thumbY_) = along;
    thumb_->setRect(thumbX_, thumbY_, thumbWidth_, thumbHeight_);
    windowMove(thumb_->window(), thumbX_, thumbY_, thumbWidth_, thumbHeight_, true);
    const int free = trackEnd() - trackStart();
    const int position =
        free > 0 ? roundHalfUp(static_cast<double>(along - trackStart()) * (maximum_ - minimum_) / free) + minimum_
                 : minimum_;
    if (position == position_)
        return;
    position_ = position;
    if (tracking_)
        report();
}

int Scroller::onCommand(WParam wParam, LParam) {
    switch (wParam & 0xFFFF) {
    case 1:
        lineUp();
        return 1;
    case 2:
        lineDown();
        return 1;
    default:
        return 0;
    }
}

void Scroller::loadResources() {
    if (!backgroundName_.empty() && !background_.load(backgroundName_)) {
        if (widgetArchiveBitmaps())
            reportFatalCaption(backgroundName_.c_str(), "dibCLoad failed?", 184, "Scroll", 0);
        reportFatal("Could Not Load Graphic", 191, "Scroll", 0);
    }
    decrementArrow_->loadResources();
    incrementArrow_->loadResources();
    if (thumb_) {
        thumb_->loadResources();
        int width = 0;
        int height = 0;
        if (thumb_->bitmapSize(width, height)) {
            // The thumb takes its bitmap's size (across the bar, also when proportional).
            thumbWidth_ = width;
            thumbHeight_ = height;
            layout();
        }
    }
}

void Scroller::freeResources() {
    decrementArrow_->freeResources();
    incrementArrow_->freeResources();
    if (thumb_)
        thumb_->freeResources();
    background_.free();
}

ScrollerLook sharedScrollerLook() {
    ScrollerLook look;
    look.background = "track.bmp";
    look.decrement = "arrowu.bmp";
    look.increment = "arrowd.bmp";
    look.thumb = "caret.bmp";
    return look;
}

LineScroller* makeTextBoxScroller(WindowHandle parent, int x, int y, int width, int height,
                                  const ScrollerLook& look) {
    auto* bar = new Scroller(parent, x, y, width, height, false, 0, look.hasThumb, look.background,
                             look.decrement, look.increment, look.thumb, look.arrowWidth, look.arrowHeight);
    if (!windowIsValid(bar->window())) {
        delete bar;
        return nullptr;
    }
    bar->setTracking(true);
    bar->loadResources();
    return &bar->lineScroller();
}

} // namespace q71
