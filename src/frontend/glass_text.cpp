#include "frontend/glass_text.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"

#include <string>

namespace q71 {

int glassFittingFont(DeviceContext& dc, std::span<const std::string> lines, int width, int font) {
    // The narrow faces from the largest down: running text, labels, the chart's small font.
    constexpr int kSmaller[] = {kTextFont, kLabelFont, 3};
    const FontRef given = appInterfaceFont(font);
    const auto fits = [&](int candidate) {
        dc.selectFont(appInterfaceFont(candidate));
        for (const std::string& line : lines)
            if (dc.getTextExtent(line).cx > width)
                return false;
        return true;
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
    dc.selectFont(appInterfaceFont(glassFittingFont(dc, std::span(&line, 1), area.width(), font)));
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
