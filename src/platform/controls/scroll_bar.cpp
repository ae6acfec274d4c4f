#include "platform/controls/scroll_bar.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kMinimumThumb = 8;

} // namespace

std::optional<int> scrollTarget(int code, int position, int current, int line, int page, int end) {
    switch (code) {
    case SB_LINEUP:
        return current - line;
    case SB_LINEDOWN:
        return current + line;
    case SB_PAGEUP:
        return current - page;
    case SB_PAGEDOWN:
        return current + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return position;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return end;
    default:
        return std::nullopt;
    }
}

void ScrollBar::setRange(int minimum, int maximum, int page) {
    minimum_ = minimum;
    maximum_ = std::max(maximum, minimum);
    page_ = std::max(page, 1);
    setPosition(position_);
}

void ScrollBar::setPosition(int position) {
    position_ = active() ? std::clamp(position, minimum_, lastPosition()) : minimum_;
}

int ScrollBar::arrowLength() const {
    return std::min(kThickness, length() / 2);
}

int ScrollBar::thumbLength() const {
    int track = length() - 2 * arrowLength();
    if (!active() || track < kMinimumThumb)
        return 0;
    int share = static_cast<int>(static_cast<long long>(track) * page_ / (maximum_ - minimum_ + 1));
    return std::clamp(share, kMinimumThumb, track);
}

Rect ScrollBar::span(int from, int to) const {
    return vertical_ ? Rect{area_.left, from, area_.right, to} : Rect{from, area_.top, to, area_.bottom};
}

Rect ScrollBar::thumbRect() const {
    int thumb = thumbLength();
    if (thumb == 0)
        return {};
    int trackStart = start() + arrowLength();
    int room = length() - 2 * arrowLength() - thumb;
    int leading = trackStart + static_cast<int>(static_cast<long long>(room) * (position_ - minimum_) /
                                                (lastPosition() - minimum_));
    return span(leading, leading + thumb);
}

ScrollBar::Part ScrollBar::partAt(Point at) const {
    if (!area_.contains(at))
        return Part::None;
    int a = along(at), arrow = arrowLength();
    if (a < start() + arrow)
        return Part::LineBack;
    if (a >= start() + length() - arrow)
        return Part::LineForward;
    Rect thumb = thumbRect();
    if (thumb.isEmpty())
        return Part::None;
    int leading = vertical_ ? thumb.top : thumb.left, trailing = vertical_ ? thumb.bottom : thumb.right;
    return a < leading ? Part::PageBack : a < trailing ? Part::Thumb : Part::PageForward;
}

std::optional<ScrollRequest> ScrollBar::stepFor(Part part) const {
    switch (part) {
    case Part::LineBack:
        return ScrollRequest{SB_LINEUP};
    case Part::LineForward:
        return ScrollRequest{SB_LINEDOWN};
    case Part::PageBack:
        return ScrollRequest{SB_PAGEUP};
    case Part::PageForward:
        return ScrollRequest{SB_PAGEDOWN};
    default:
        return std::nullopt;
    }
}

std::optional<ScrollRequest> ScrollBar::press(Point at) {
    Part part = active() ? partAt(at) : Part::None;
    if (part == Part::None)
        return std::nullopt;
    pressed_ = part;
    pointer_ = at;
    Rect thumb = thumbRect();
    grab_ = along(at) - (vertical_ ? thumb.top : thumb.left);
    return stepFor(part);
}

std::optional<ScrollRequest> ScrollBar::move(Point at) {
    pointer_ = at;
    if (pressed_ != Part::Thumb)
        return std::nullopt;
    int room = length() - 2 * arrowLength() - thumbLength();
    if (room <= 0)
        return std::nullopt;
    int offset = along(at) - grab_ - (start() + arrowLength());
    int span = lastPosition() - minimum_;
    // Rounded to the nearest position, so the thumb lands where it is dropped.
    int wanted = minimum_ + static_cast<int>((2LL * offset * span + room) / (2LL * room));
    wanted = std::clamp(wanted, minimum_, lastPosition());
    if (wanted == position_)
        return std::nullopt;
    return ScrollRequest{SB_THUMBTRACK, wanted};
}

std::optional<ScrollRequest> ScrollBar::repeat() {
    if (pressed_ == Part::Thumb || partAt(pointer_) != pressed_)
        return std::nullopt;
    return stepFor(pressed_);
}

std::optional<ScrollRequest> ScrollBar::release() {
    Part was = pressed_;
    pressed_ = Part::None;
    if (was == Part::None)
        return std::nullopt;
    if (was == Part::Thumb)
        return ScrollRequest{SB_THUMBPOSITION, position_};
    return ScrollRequest{SB_ENDSCROLL};
}

void ScrollBar::paintArrow(DeviceContext& dc, const Rect& r, bool forward, bool down, bool enabled) const {
    dc.fillRect(r, createSolidBrush(look::kButtonFace));
    if (down)
        look::sunkenEdge(dc, r);
    else
        look::raisedEdge(dc, r);
    int cx = (r.left + r.right) / 2 + (down ? 1 : 0), cy = (r.top + r.bottom) / 2 + (down ? 1 : 0);
    int size = std::max(std::min(r.width(), r.height()) / 4, 1);
    // A triangle pointing along the bar, backwards or forwards.
    int tip = forward ? size : -size;
    Point triangle[3];
    if (vertical_)
        triangle[0] = {cx, cy + tip}, triangle[1] = {cx - size, cy - tip},
        triangle[2] = {cx + size, cy - tip};
    else
        triangle[0] = {cx + tip, cy}, triangle[1] = {cx - tip, cy - size},
        triangle[2] = {cx - tip, cy + size};
    ColorRef ink = enabled && active() ? look::kLabel : look::kDimmed;
    dc.selectPen(createPen(PenStyle::Solid, 1, ink));
    dc.selectBrush(createSolidBrush(ink));
    dc.polygon(triangle);
}

void ScrollBar::paint(DeviceContext& dc, bool enabled) const {
    if (!shown())
        return;
    dc.fillRect(area_, createSolidBrush(look::kGlass));
    int arrow = arrowLength(), end = start() + length();
    bool held = pressed_ != Part::None && partAt(pointer_) == pressed_;
    paintArrow(dc, span(start(), start() + arrow), false, held && pressed_ == Part::LineBack, enabled);
    paintArrow(dc, span(end - arrow, end), true, held && pressed_ == Part::LineForward, enabled);
    Rect thumb = thumbRect();
    if (!thumb.isEmpty()) {
        dc.fillRect(thumb, createSolidBrush(look::kButtonFace));
        look::raisedEdge(dc, thumb);
    }
}

} // namespace q71
