#pragma once
// The one size the labels of a panel share: the largest size of a face in which every label of
// the panel fits its place, so that a panel's buttons read alike and its engraved labels too.

#include "mkdata/art/lettering.h"

#include <span>
#include <string>

namespace q71::mkdata {

/// A label engraved on a panel's steel: the rectangle of free panel it stands in.
struct Engraving {
    Rect face;
    std::string text; ///< Windows-1252
};

/// A push button of a panel and its label (Windows-1252).
struct LabelledButton {
    int width, height;
    std::string label;
};

/// The largest of `largest` and its smaller sizes in which each engraving fits its face, centred.
LetterFont engravingFont(const LetterFont& largest, std::span<const Engraving> engravings);
/// Engraves each label centred in its face, pale, in the size they share.
void engrave(Canvas& canvas, const LetterFont& largest, std::span<const Engraving> engravings);

/// The largest of `largest` and its smaller sizes in which each push button's label fits beside or
/// under its lamp.
LetterFont pushButtonFont(const LetterFont& largest, std::span<const LabelledButton> buttons);

} // namespace q71::mkdata
