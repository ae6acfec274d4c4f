#include "frontend/glass_text.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"

#include <string>

namespace q71 {

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
    dc.selectFont(appInterfaceFont(font));
    dc.setBkMode(kTransparent);
    dc.setTextColor(colour);
    Rect box = area;
    dc.drawText(std::string(text), box,
                (centred ? kDtCenter : kDtLeft) | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title) {
    glassLine(dc, plate, title, kTitleFont, glass_colours::kLabel, true);
}

} // namespace q71
