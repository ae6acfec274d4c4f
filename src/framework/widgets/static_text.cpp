#include "framework/widgets/static_text.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {

StaticText::StaticText(WindowHandle parentWindow, int x, int y, std::string_view text,
                       std::shared_ptr<const Font> font, std::optional<ColorRef> frameColour, bool shadow,
                       int alignment)
    : text_(text), font_(std::move(font)), shadow_(shadow), alignment_(alignment), givenX_(x), givenY_(y) {
    name_ = "StaticText";
    window_ = parentWindow;
    parentWindow_ = parentWindow;
    deleteOnDestroy_ = false;
    if (frameColour)
        frameBrush_ = createSolidBrush(*frameColour);
    measure();
}

void StaticText::measure() {
    x_ = givenX_;
    y_ = givenY_;
    Size extent;
    if (auto dc = createDisplayDC()) {
        dc->selectFont(font_);
        extent = dc->getTextExtent(text_);
    }
    width_ = std::max(extent.cx, 0);
    height_ = extent.cy + 1;
    if (alignment_ == kAlignRight)
        x_ -= width_;
    else if (alignment_ == kAlignCentre)
        x_ -= width_ / 2;
}

void StaticText::setText(std::string_view text) {
    if (!windowed_)
        invalidate(nullptr, true);
    text_ = text;
    measure();
    if (windowed_)
        windowMove(window_, x_, y_, width_, height_, true);
    invalidate(nullptr, true);
}

void StaticText::makeWindowed() {
    registerClass();
    createWindow(parentWindow_, SW_SHOW);
}

void StaticText::paint(PaintRecord& paint) {
    if (!textVisible_)
        return;
    DeviceContext& dc = *paint.dc;
    const int ox = windowed_ ? 0 : x_;
    const int oy = windowed_ ? 0 : y_;
    if (frameBrush_) {
        Pen pen = dc.selectPen(stockPen(StockObject::NullPen));
        Brush brush = dc.selectBrush(*frameBrush_);
        dc.rectangle({ox, oy, ox + width_ + 1, oy + height_ + 1});
        dc.selectPen(pen);
        dc.selectBrush(brush);
    }
    dc.setBkMode(kTransparent);
    dc.selectFont(font_);
    // The text is written in the label's own place (its shadow a pixel further right), so that
    // what it is measured to is where it stands.
    const Rect place{ox, oy, ox + width_ + (shadow_ ? 1 : 0), oy + height_};
    if (shadow_) {
        dc.setTextColor(rgb(255, 255, 255));
        dc.extTextOut({ox + 1, oy + 1}, kEtoClipped, &place, text_);
    }
    dc.setTextColor(textColour_);
    dc.extTextOut({ox, oy + 1}, kEtoClipped, &place, text_);
}

void StaticText::show() {
    if (windowed_) {
        BaseWidget::show();
        return;
    }
    textVisible_ = true;
    invalidate(nullptr, true);
}

void StaticText::hide() {
    if (windowed_) {
        BaseWidget::hide();
        return;
    }
    textVisible_ = false;
    invalidate(nullptr, true);
}

} // namespace q71
