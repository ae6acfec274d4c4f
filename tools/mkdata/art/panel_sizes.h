#pragma once
// The labels engraved on a panel's steel and the one size they share: the largest size of a face
// in which every label of the panel fits its place, so that a panel's labels read alike (its push
// buttons share theirs through buttons.h).

#include "mkdata/art/lettering.h"

#include <span>
#include <string>

namespace q71::mkdata {

/// A label engraved on a panel: its Windows-1252 text and where it stands.
struct EngravedLabel {
    std::string text;
    LabelPlace place;
};

/// A label centred in a rectangle of free panel.
EngravedLabel centredLabel(const Rect& face, std::string text);

/// The size the labels of a panel share: the largest, from `font` down, that letters each of them
/// inside its face.
LetterFont sharedLabelFont(const LetterFont& font, std::span<const EngravedLabel> labels);

/// Engraves each label, pale, in its face, in that font.
void engraveLabels(Canvas& canvas, std::span<const EngravedLabel> labels, const LetterFont& font);

} // namespace q71::mkdata
