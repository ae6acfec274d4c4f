#pragma once
// Dialog units: the template's measure, turned into pixels by the average character width and
// the height of the dialog's font, so a template keeps its proportions in any font.

#include "platform/dialogs/dialog_template.h"
#include "platform/gdi/font.h"
#include "platform/geometry/rect.h"

namespace q71 {

class DialogUnits {
public:
    /// The units of a font: its average width over the letters A-Z and a-z, and its height.
    explicit DialogUnits(const Font& font);
    /// Horizontal units (a quarter of the average width each) in pixels, rounded.
    int toPixelsX(int units) const;
    /// Vertical units (an eighth of the height each) in pixels, rounded.
    int toPixelsY(int units) const;
    /// A rectangle in units, in pixels.
    Rect toPixels(int x, int y, int width, int height) const;

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

/// The font a template names, at its size in points on the 96 dots-per-inch screen.
FontRef dialogFontOf(const DialogTemplate& dialog);

} // namespace q71
