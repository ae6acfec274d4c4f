#pragma once
// Bitmap buttons of the consoles: a steel key cap with an amber lamp and its label engraved, in
// the frames of a push button (up, down, disabled). Pressed, the face moves one pixel down and
// right and sinks, and its lamp lights; disabled, it is dimmed.

#include "mkdata/art/lettering.h"

#include <span>
#include <string>
#include <vector>

namespace q71::mkdata {

/// A push button's size and label.
struct ButtonLabel {
    int width = 0;
    int height = 0;
    std::string label; ///< Windows-1252
};

/// The largest size of a font in which every label fits its push button: the size the buttons of
/// one panel share.
LetterFont pushButtonFont(const LetterFont& font, std::span<const ButtonLabel> buttons);
/// Whether a label fits a push button of that size in this very size of its font.
bool pushButtonFits(int width, int height, const std::string& label, const LetterFont& font);
/// The up, down and disabled frames of a push button labelled with a Windows-1252 text.
std::vector<Canvas> pushButtonFrames(int width, int height, const std::string& label, const LetterFont& font);

} // namespace q71::mkdata
