#include "frontend/glass_text.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"

#include <algorithm>
#include <string>
#include <vector>

namespace q71 {
namespace {

// Weights from this one up are bold.
constexpr int kLeastBoldWeight = 600;

bool isBold(const Font& font) {
    return font.metrics().weight >= kLeastBoldWeight;
}

// The faces a glass text steps down to, largest first, of the weight of `given`. The chart's small
// face is not among them: its letters are too small for the glass.
std::vector<FontRef> smallerFaces(const Font& given) {
    constexpr int kNarrowBold13 = 8;
    std::vector<FontRef> faces;
    if (isBold(given))
        faces = {appInterfaceFont(kNarrowBold13), appInterfaceFont(kLabelFont)};
    else
        faces = {appInterfaceFont(kTextFont), stockFont(StockObject::DefaultGuiFont)};
    std::erase_if(faces, [&](const FontRef& face) {
        return !face || face->metrics().height >= given.metrics().height || isBold(*face) != isBold(given);
    });
    return faces;
}

// The height a text takes wrapped at a width in a font, and whether its widest line fits the width
// (a word longer than the line stands alone on its line).
struct Wrapped {
    int height = 0;
    bool fits = false;
};
Wrapped wrappedIn(DeviceContext& dc, const FontRef& font, std::string_view text, int width) {
    dc.selectFont(font);
    Rect box{0, 0, width, 0};
    const int height = dc.drawText(text, box, kDtWordBreak | kDtNoPrefix | kDtCalcRect);
    return {height, box.width() <= width};
}

} // namespace

FontRef glassFontFitting(int font, const std::function<bool(const Font&)>& fits) {
    FontRef chosen = appInterfaceFont(font);
    if (!chosen || fits(*chosen))
        return chosen;
    for (FontRef& smaller : smallerFaces(*chosen)) {
        chosen = std::move(smaller);
        if (fits(*chosen))
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
    const FontRef chosen = glassFontFitting(
        font, [&](const Font& candidate) { return candidate.textWidth(text) <= area.width(); });
    glassLineInFont(dc, area, text, chosen, colour, centred);
}

void glassLineInFont(DeviceContext& dc, const Rect& area, std::string_view text, const FontRef& font,
                     ColorRef colour, bool centred) {
    dc.selectFont(font);
    dc.setBkMode(kTransparent);
    dc.setTextColor(colour);
    Rect box = area;
    dc.drawText(text, box, (centred ? kDtCenter : kDtLeft) | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void glassLines(DeviceContext& dc, std::span<const GlassRow> rows, int font, bool centred) {
    const FontRef given = appInterfaceFont(font);
    const auto eachFits = [&](const Font& candidate) {
        return std::all_of(rows.begin(), rows.end(), [&](const GlassRow& row) {
            return candidate.textWidth(row.text) <= row.area.width();
        });
    };
    if (given && !eachFits(*given)) {
        // Lines too long for their places wrap in the group's own font where every place has room.
        std::vector<Wrapped> wrapped;
        bool roomForAll = true;
        for (const GlassRow& row : rows) {
            wrapped.push_back(wrappedIn(dc, given, row.text, row.area.width()));
            roomForAll = roomForAll && wrapped.back().fits && wrapped.back().height <= row.area.height();
        }
        if (roomForAll) {
            dc.selectFont(given);
            dc.setBkMode(kTransparent);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const GlassRow& row = rows[i];
                Rect box = row.area;
                box.top += (row.area.height() - wrapped[i].height) / 2;
                dc.setTextColor(row.colour);
                dc.drawText(row.text, box, (centred ? kDtCenter : kDtLeft) | kDtWordBreak | kDtNoPrefix);
            }
            return;
        }
    }
    const FontRef chosen = glassFontFitting(font, eachFits);
    for (const GlassRow& row : rows)
        glassLineInFont(dc, row.area, row.text, chosen, row.colour, centred);
}

void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title) {
    glassLine(dc, plate, title, kTitleFont, glass_colours::kLabel, true);
}

} // namespace q71
