#pragma once
// Fonts drawn from a strike the program added: glyphs made pixel by pixel for their size, kept
// with their own shapes and advances. Only the font code includes this.

#include "platform/gdi/font_making.h"

#include <optional>

namespace q71 {

/// The font of the strike that draws the description; nullopt when no added strike does.
std::optional<FontMaking> makeStrikeFont(const LogFont& description);

} // namespace q71
