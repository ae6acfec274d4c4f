#include "frontend/glass_text.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"

#include <string>

namespace q71 {

namespace {

// The font a line is written in to fit a width: the given one when it fits, else the first of the
// smaller narrow faces in which it does (the smallest when none does). The chart's small face is
// not among them: its letters lose strokes on the glass.
int fittingFont(DeviceContext& dc, const std::string& line, int width, int font) {
    constexpr int kSmaller[] = {kTextFont, kLabelFont};
    const FontRef given = appInterfaceFont(font);
    const auto fits = [&](int candidate) {
        dc.selectFont(appInterfaceFont(candidate));
        return dc.getTextExtent(line).cx <= width;
    };
    if (!given || fits(font))
        return font;
    int chosen = font;
    for (const int candidate : kSmaller) {
        const FontRef smaller = appInterfaceFont(candidate);
        if (!smaller || smaller->metrics().height >= given->metrics().height)
            continue;
        chosen = candidate;
        if (fits(candidate))
            break;
    }
    return chosen;
}

} // namespace

void glassParagraph(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour) {
    std::string lines;
    lines.reserve(text.size());
    for (char c : text)
        if (c != '\r')
            lines.push_back(c);
    dc.selectFont(appInterfaceFont(font));
    dc.setBkMode(kTransparent);
    dc.setTextColor(colour);
    Rect box = area;
    dc.drawText(lines, box, kDtLeft | kDtTop | kDtWordBreak | kDtNoPrefix);
}

void glassLine(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour,
               bool centred) {
    const std::string line(text);
    dc.selectFont(appInterfaceFont(fittingFont(dc, line, area.width(), font)));
    dc.setBkMode(kTransparent);
    dc.setTextColor(colour);
    Rect box = area;
    dc.drawText(line, box,
                (centred ? kDtCenter : kDtLeft) | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title) {
    glassLine(dc, plate, title, kTitleFont, glass_colours::kLabel, true);
}

} // namespace q71
