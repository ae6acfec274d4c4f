#pragma once
// The engraved labels of the tactical consoles (sonar, radar, radio): each stands where its hot
// spot is, but a hot spot is lower than a line of the labels' face with its accents and often
// shorter than its words, so the face a label is lettered in is its hot spot grown into the free
// steel round it, clear of the rectangles the panel's art takes (the controls' recesses, the
// displays' bezels, the readouts' wells, the corner screws). The labels of one panel share one
// size.

#include "mkdata/art/art_texts.h"
#include "mkdata/art/panel_sizes.h"

#include <span>
#include <string>
#include <vector>

namespace q71::mkdata {

/// Where the label of the hot spot `spot` stands: a face as many rows high as a line of the
/// station face takes with its accents, descenders and relief, centred on the hot spot's middle
/// unless art above or below moves it, and up to `growth` columns wider on each side, as far as
/// the art beside its capitals lets it on both; art standing in the hot spot's middle row cuts it
/// short on that side. The art the face still reaches at its edges is kept clear of.
LabelPlace engravedLabelPlace(const Rect& spot, std::span<const Rect> taken, const Rect& panel, int growth);

} // namespace q71::mkdata
