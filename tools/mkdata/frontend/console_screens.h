#pragma once
// The front end's console screens share one make: steel over the whole screen with a blank title
// plate (the screen writes its title), and push buttons named by their place with their labels.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"
#include "mkdata/movies/canvas.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <span>

namespace q71::mkdata {

/// Where a button stands and the text on it.
struct ScreenButton {
    int x, y, width, height;
    int labelText;
};

/// Stages the three-frame strips of a screen's buttons in a group, all lettered in one size: the
/// largest of the front end's button face in which every label fits its button.
void stageScreenButtons(const Context& context, const ArtTexts& texts, const char* group,
                        std::span<const ScreenButton> buttons);
/// A console face of 640 by 480 with its blank title plate.
Canvas consoleFace(const ArtTexts& texts, const Rect& title, std::uint32_t seed);

} // namespace q71::mkdata
