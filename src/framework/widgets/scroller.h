#pragma once
// The toolkit's bitmap scroll bar: two arrow buttons, an optional thumb dragged along a track
// and an optional background bitmap. It keeps a position between a minimum and a maximum and
// tells its parent window each change with WM_VSCROLL (position, scroller id), horizontal or not.

#include "framework/widgets/base_widget.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/widget_bitmap.h"

#include <string>
#include <string_view>

namespace q71 {

class ScrollerArrow;
class ScrollerThumb;

class Scroller : public BaseWidget {
public:
    /// A windowed bar in `parentWindow`; "" bitmap names draw grey parts (no background: a grey
    /// track); without a thumb, clicks on the track do nothing.
    Scroller(WindowHandle parentWindow, int x, int y, int width, int height, bool horizontal, int scrollerId,
             bool hasThumb, std::string_view backgroundName, std::string_view decrementBitmap,
             std::string_view incrementBitmap, std::string_view thumbBitmap, int arrowWidth, int arrowHeight);

    /// Steps below 1 become 1 and a maximum below the minimum becomes the minimum; the position is
    /// then set again (and reported).
    void setRange(int lineStep, int pageStep, int minimum, int maximum, int pageSize);
    /// setRange with a page size of one page step.
    void setRange(int lineStep, int pageStep, int minimum, int maximum);
    /// Keeps the value in the range, stores and reports it; 1 when it was in the range, else 0.
    int setPosition(int value);
    int getPosition() const { return position_; }
    void lineUp();
    void lineDown();
    void pageUp();
    void pageDown();
    /// A proportional thumb is as long as the visible share of the range (and drawn as a box).
    void setProportional(bool proportional);
    /// On: the position is reported while the thumb is dragged; off: only at its release.
    void setTracking(bool tracking) { tracking_ = tracking; }

    /// The track, or the background bitmap.
    void paint(PaintRecord& paint) override;
    /// A press on the track before or beyond the thumb pages at the release.
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// Drags the thumb while it is held.
    void onMouseMove(int x, int y) override;
    /// Three lines back (away from the user) or forward a notch.
    bool onMouseWheel(int delta) override;
    /// The arrows' commands: a line back (1) or forward (2).
    int onCommand(WParam wParam, LParam lParam) override;
    void loadResources() override;
    void freeResources() override;

    /// The bar as a text box uses it.
    LineScroller& lineScroller() { return adapter_; }
    ScrollerThumb* thumb() const { return thumb_; }
    ScrollerArrow* decrementArrow() const { return decrementArrow_; }
    ScrollerArrow* incrementArrow() const { return incrementArrow_; }
    /// The thumb's place along the bar.
    int thumbOffset() const { return horizontal_ ? thumbX_ : thumbY_; }
    int thumbLength() const { return horizontal_ ? thumbWidth_ : thumbHeight_; }
    /// Where the thumb's leading edge may go: from trackStart to trackEnd.
    int trackStart() const;
    int trackEnd() const;

private:
    // The bar seen by a text box.
    class Adapter final : public LineScroller {
    public:
        explicit Adapter(Scroller& bar) : bar_(bar) {}
        BaseWidget& widget() override { return bar_; }
        void setRange(int lineStep, int pageStep, int minimum, int maximum) override {
            bar_.setRange(lineStep, pageStep, minimum, maximum);
        }
        void setPosition(int position) override { bar_.setPosition(position); }
        int getPosition() override { return bar_.getPosition(); }
        void lineUp() override { bar_.lineUp(); }
        void lineDown() override { bar_.lineDown(); }
        void pageUp() override { bar_.pageUp(); }
        void pageDown() override { bar_.pageDown(); }

    private:
        Scroller& bar_;
    };

    enum ClickState { kPageForward = 1, kPageBack = 2, kNoClick = 3 };

    int axisLength() const { return horizontal_ ? width_ : height_; }
    int arrowLength() const { return horizontal_ ? arrowWidth_ : arrowHeight_; }
    /// The rectangle between the arrows from `from` to `to` along the bar.
    Rect trackPart(int from, int to) const;
    /// Places the thumb for the position (and the range, when proportional).
    void layout();
    void report();

    Adapter adapter_{*this};
    ScrollerThumb* thumb_ = nullptr;
    ScrollerArrow* decrementArrow_ = nullptr;
    ScrollerArrow* incrementArrow_ = nullptr;
    int thumbX_ = 0;
    int thumbY_ = 0;
    int thumbWidth_;
    int thumbHeight_;
    int position_ = 0;
    bool proportional_ = false;
    ClickState clickState_ = kNoClick;
    int maximum_ = 100;
    int minimum_ = 0;
    int lineStep_ = 1;
    int pageStep_ = 10;
    int pageSize_ = 10;
    bool horizontal_;
    bool tracking_ = false;
    int scrollerId_;
    std::string backgroundName_;
    WidgetBitmap background_;
    int arrowWidth_;
    int arrowHeight_;
    bool hasThumb_;
};

/// The text boxes' factory: a vertical bar with tracking on and its bitmaps loaded.
LineScroller* makeTextBoxScroller(WindowHandle parent, int x, int y, int width, int height,
                                  const ScrollerLook& look);

} // namespace q71
