#include "mkdata/art/panel_sizes.h"

#include "mkdata/art/look.h"

#include <algorithm>

namespace q71::mkdata {

EngravedLabel centredLabel(const Rect& face, std::string text) {
    return {std::move(text), {face, Align::Centre, {}}};
}

LetterFont sharedLabelFont(const LetterFont& font, std::span<const EngravedLabel> labels) {
    return font.largestWhere([&](const LetterFont& size) {
        return std::all_of(labels.begin(), labels.end(),
                           [&](const EngravedLabel& label) { return size.fitsIn(label.text, label.place); });
    });
}

void engraveLabels(Canvas& canvas, std::span<const EngravedLabel> labels, const LetterFont& font) {
    for (const EngravedLabel& label : labels)
        letterLabel(canvas, label.place, label.text, font, palette::kLabel);
}

} // namespace q71::mkdata
