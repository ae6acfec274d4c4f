#include "framework/widgets/text_panel.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text_format.h"

namespace q71 {

TextPanel::TextPanel(WindowHandle parentWindow, int x, int y, int width, int height)
    : BaseWidget(parentWindow, x, y, width, height, true), format_(kDtCenter | kDtVCenter | kDtSingleLine),
      background_(stockBrush(StockObject::NullBrush)) {
    setName("TextPanel");
}

void TextPanel::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.fillRect({0, 0, width_, height_}, background_);
    if (!text_)
        return;
    Rect area = Rect{0, 0, width_, height_}.inflatedBy(-marginX_, -marginY_);
    if (area.isEmpty())
        return;
    // A one-line text too wide for the panel is written in a smaller size of its face, never cut.
    FontRef font = font_ ? font_ : dc.font();
    if (font && (format_ & kDtSingleLine)) {
        if (fitted_.given != font || fitted_.text != *text_ || fitted_.width != area.width())
            fitted_ = {font, fontFitting(font, *text_, area.width()), *text_, area.width()};
        font = fitted_.font;
    }
    if (font)
        dc.selectFont(font);
    dc.setTextColor(textColour_);
    dc.setBkMode(kTransparent);
    dc.drawText(*text_, area, format_);
}

void TextPanel::setText(std::optional<std::string_view> text) {
    text_ = text ? std::optional<std::string>(*text) : std::nullopt;
    invalidate(nullptr, true);
}

void TextPanel::setFont(std::shared_ptr<const Font> font) {
    font_ = std::move(font);
    invalidate(nullptr, true);
}

void TextPanel::setTextColour(ColorRef colour) {
    textColour_ = colour;
    invalidate(nullptr, false);
}

void TextPanel::setBackgroundColour(ColorRef colour) {
    background_ = createSolidBrush(colour);
    invalidate(nullptr, true);
}

void TextPanel::setBackgroundBrush(const Brush& brush) {
    background_ = brush;
    invalidate(nullptr, true);
}

void TextPanel::setTextFormat(unsigned format) {
    format_ = format;
    invalidate(nullptr, true);
}

} // namespace q71
