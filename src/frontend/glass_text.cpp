#include "frontend/glass_text.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"

#include <string>

namespace q71 {

int glassFontFitting(int font, const std::function<bool(const Font&)>& fits) {
    // The chart's small face is not among the smaller ones: its letters are too small for the glass.
    constexpr int kSmaller[] = {kTextFont, kLabelFont};
    const FontRef given = appInterfaceFont(font);
    if (!given || fits(*given))
        return font;
    int chosen = font;
    for (const int candidate : kSmaller) {
        const FontRef smaller = appInterfaceFont(candidate);
        if (!smaller || smaller->metrics().height >= given->metrics().height)
            continue;
        chosen = candidate;
        if (fits(*smaller))
            break;
    }
    return chosen;
}

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
    dc.selectFont(appInterfaceFont(glassFontFitting(
        font, [&](const Font& candidate) { return candidate.textWidth(line) <= area.width(); })));
    dc.setBkMode(kTransparent);
    dc.setTextColor(colour);
    Rect box = area;
    dc.drawText(line, box, (centred ? kDtCenter : kDtLeft) | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title) {
    glassLine(dc, plate, title, kTitleFont, glass_colours::kLabel, true);
}

} // namespace q71
