#include "platform/controls/control_look.h"

namespace q71::look {

FontRef interfaceFont(int height, int weight) {
    LogFont description;
    description.height = height;
    description.weight = weight;
    description.pitchAndFamily = kVariablePitch | kFamilySwiss;
    description.faceName = "Liberation Sans";
    return Font::create(description);
}

void bevel(DeviceContext& dc, const Rect& r, ColorRef topLeft, ColorRef bottomRight) {
    dc.fillRect({r.left, r.top, r.right, r.top + 1}, createSolidBrush(topLeft));
    dc.fillRect({r.left, r.top, r.left + 1, r.bottom}, createSolidBrush(topLeft));
    dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, createSolidBrush(bottomRight));
    dc.fillRect({r.right - 1, r.top, r.right, r.bottom}, createSolidBrush(bottomRight));
}

void raisedEdge(DeviceContext& dc, const Rect& r) {
    bevel(dc, r, kLight, kDark);
}

void sunkenEdge(DeviceContext& dc, const Rect& r) {
    bevel(dc, r, kDark, kLight);
}

void paintBoxFrame(DeviceContext& dc, int width, int height) {
    bevel(dc, {0, 0, width, height}, kLight, kDark);
    bevel(dc, {1, 1, width - 1, height - 1}, kFace, kShade);
}

void paintBoxCaption(DeviceContext& dc, int width, std::string_view caption, const FontRef& font) {
    Rect band{kBorder, kBorder, width - kBorder, kCaptionHeight - 1};
    dc.fillRect(band, createSolidBrush(kGlass));
    dc.setBkMode(kTransparent);
    dc.selectFont(font);
    dc.setTextColor(kLabel);
    Rect text = band.inflatedBy(-5, 0);
    dc.drawText(caption, text, kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void focusFrame(DeviceContext& dc, const Rect& r, ColorRef colour) {
    if (r.isEmpty())
        return;
    // Every other pixel, as the usual focus rectangle, but in a colour that shows on steel and glass.
    for (int x = r.left; x < r.right; x += 2) {
        dc.setPixel({x, r.top}, colour);
        dc.setPixel({x, r.bottom - 1}, colour);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        dc.setPixel({r.left, y}, colour);
        dc.setPixel({r.right - 1, y}, colour);
    }
}

} // namespace q71::look
