#pragma once
// The scroll bars a control draws inside its own client area (windows here have no frame to
// hold them): two arrows, a track and a thumb sized to the visible share. The bar also follows
// one press of the mouse on it, from button down to button up, and says what each step asks
// for, as the WM_VSCROLL and WM_HSCROLL requests a control handles.

#include "platform/gdi/device_context.h"

#include <optional>

namespace q71 {

struct ScrollRequest {
    int code = 0;     ///< one of the SB_ requests
    int position = 0; ///< for SB_THUMBTRACK and SB_THUMBPOSITION
};

/// Where a WM_VSCROLL or WM_HSCROLL request moves a position from `current`: by a `line` or a
/// `page` back or forward, to the thumb's `position`, to 0 or to `end`; none for a request that
/// moves nothing (SB_ENDSCROLL). The caller holds the result to its range.
std::optional<int> scrollTarget(int code, int position, int current, int line, int page, int end);

class ScrollBar {
public:
    static constexpr int kThickness = 16;
    /// After a press on an arrow or the track, the first repeat comes after this, the next ones
    /// at the shorter interval.
    static constexpr unsigned kFirstRepeatMs = 400;
    static constexpr unsigned kRepeatMs = 50;

    enum class Part { None, LineBack, LineForward, PageBack, PageForward, Thumb };

    explicit ScrollBar(bool vertical) : vertical_(vertical) {}

    bool vertical() const { return vertical_; }
    /// Where the bar stands in the control's client area; an empty rectangle hides it.
    void place(const Rect& area) { area_ = area; }
    const Rect& area() const { return area_; }
    bool shown() const { return !area_.isEmpty(); }
    /// The range of positions minimum..maximum of which `page` are in view at a time; the
    /// position runs from minimum to maximum - page + 1.
    void setRange(int minimum, int maximum, int page);
    void setPosition(int position);
    int position() const { return position_; }
    /// True when there is anything to scroll.
    bool active() const { return maximum_ - minimum_ + 1 > page_; }

    Part partAt(Point at) const;
    Rect thumbRect() const;

    /// Follows a press at a point of the bar: the first request, or none off the bar or on an
    /// inactive one. While the press lasts the bar reports itself pressed.
    std::optional<ScrollRequest> press(Point at);
    /// A move of the pointer while pressed: a thumb drag asks for its new position.
    std::optional<ScrollRequest> move(Point at);
    /// A repeat while the button is held: the arrow or page step again, when the pointer is
    /// still on that part.
    std::optional<ScrollRequest> repeat();
    /// The end of the press: a dragged thumb settles, anything else ends the scroll.
    std::optional<ScrollRequest> release();
    bool pressed() const { return pressed_ != Part::None; }

    /// Draws the bar; the arrows of a bar with nothing to scroll, or of a disabled control, are dimmed.
    void paint(DeviceContext& dc, bool enabled) const;

private:
    int along(Point p) const { return vertical_ ? p.y : p.x; }
    int start() const { return vertical_ ? area_.top : area_.left; }
    int length() const { return vertical_ ? area_.height() : area_.width(); }
    int arrowLength() const;
    int thumbLength() const;
    int lastPosition() const { return maximum_ - page_ + 1; }
    Rect span(int from, int to) const;
    std::optional<ScrollRequest> stepFor(Part part) const;
    void paintArrow(DeviceContext& dc, const Rect& r, bool forward, bool down, bool enabled) const;

    bool vertical_;
    Rect area_;
    int minimum_ = 0;
    int maximum_ = 0;
    int page_ = 1;
    int position_ = 0;
    Part pressed_ = Part::None;
    Point pointer_;
    int grab_ = 0; // where the thumb was taken, from its leading edge
};

} // namespace q71
