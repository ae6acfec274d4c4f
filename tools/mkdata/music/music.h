#pragma once
// The music of the data set: the main menu's theme and the in-mission rotation, composed by code
// as short naval themes that loop, written as MIDI files into the "midi" folder.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Writes every track the program plays.
void generateMusic(const Context& context);

} // namespace q71::mkdata
