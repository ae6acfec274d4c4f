#include "mkdata/art/panel_sizes.h"

#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"

#include <algorithm>

namespace q71::mkdata {

LetterFont engravingFont(const LetterFont& largest, std::span<const Engraving> engravings) {
    return largest.largestWhere([&](const LetterFont& font) {
        return std::all_of(engravings.begin(), engravings.end(), [&](const Engraving& engraving) {
            return font.fitsIn(engraving.text, {engraving.face, Align::Centre, {}});
        });
    });
}

void engrave(Canvas& canvas, const LetterFont& largest, std::span<const Engraving> engravings) {
    const LetterFont font = engravingFont(largest, engravings);
    for (const Engraving& engraving : engravings)
        engravedText(canvas, engraving.face, engraving.text, font, palette::kLabel, true);
}

LetterFont pushButtonFont(const LetterFont& largest, std::span<const LabelledButton> buttons) {
    return largest.largestWhere([&](const LetterFont& font) {
        return std::all_of(buttons.begin(), buttons.end(), [&](const LabelledButton& button) {
            return pushButtonFits(button.width, button.height, button.label, font);
        });
    });
}

} // namespace q71::mkdata
