#pragma once
// A one-line label measured to its text. It is windowless but in no container: its owner calls
// its paint, show and hide. The x given at construction is the label's left edge, its right edge
// (alignment 2) or its centre (alignment 6), and stays so when the text changes.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/pen_brush.h"

#include <optional>
#include <string>
#include <string_view>

namespace q71 {

class StaticText : public BaseWidget {
public:
    static constexpr int kAlignRight = 2;
    static constexpr int kAlignCentre = 6;

    /// A label in `parentWindow`; a null font is the system font; with a frame colour the label
    /// stands on a block of it; with a shadow the text has a white copy one pixel down and right.
    StaticText(WindowHandle parentWindow, int x, int y, std::string_view text,
               std::shared_ptr<const Font> font, std::optional<ColorRef> frameColour, bool shadow,
               int alignment);

    /// Draws the label (nothing while its text is hidden).
    void paint(PaintRecord& paint) override;
    /// Shows the text again.
    void show() override;
    /// Hides the text.
    void hide() override;

    /// Changes the text; the label is measured again and placed by its alignment.
    void setText(std::string_view text);
    /// Gives the label a window of its own, shown.
    void makeWindowed();
    void setTextColour(ColorRef colour) { textColour_ = colour; }
    const std::string& text() const { return text_; }

private:
    void measure();

    std::string text_;
    std::shared_ptr<const Font> font_;
    std::optional<Brush> frameBrush_;
    ColorRef textColour_ = 0;
    bool shadow_;
    int alignment_;
    bool textVisible_ = true;
    int givenX_;
    int givenY_;
};

} // namespace q71
