#pragma once
// A windowed panel that fills its rectangle and draws one text in it, centred on one line unless
// told otherwise (DrawText formats).

#include "framework/widgets/base_widget.h"
#include "platform/gdi/pen_brush.h"

#include <optional>
#include <string>
#include <string_view>

namespace q71 {

class TextPanel : public BaseWidget {
public:
    TextPanel(WindowHandle parentWindow, int x, int y, int width, int height);

    /// Fills the panel, then draws the text inside its margins.
    void paint(PaintRecord& paint) override;

    /// The text; no value: none.
    void setText(std::optional<std::string_view> text);
    /// The font (null: the context's).
    void setFont(std::shared_ptr<const Font> font);
    /// The text colour; repaints without erasing.
    void setTextColour(ColorRef colour);
    /// A solid background of one colour.
    void setBackgroundColour(ColorRef colour);
    /// Any background brush.
    void setBackgroundBrush(const Brush& brush);
    /// DrawText format flags.
    void setTextFormat(unsigned format);

private:
    unsigned format_;
    Brush background_;
    ColorRef textColour_ = 0;
    std::shared_ptr<const Font> font_;
    std::optional<std::string> text_;
    // The font a one-line text was last drawn in and what it was fitted to, so that a paint makes
    // no font unless the text, its font or the room changed.
    struct Fitted {
        std::shared_ptr<const Font> given, font;
        std::string text;
        int width = -1;
    } fitted_;
    int marginX_ = 3;
    int marginY_ = 1;
};

} // namespace q71
