#pragma once
// The pictures of the radio room (group "radio"): its console with the message box's frame and
// the ESM dial, the masts' switches, the wire's knob, the lamps, the covered end-mission button,
// the chat button and the message box's scroll bar and pattern.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the room and stages it for the archives.
void generateRadioArt(const Context& context);

} // namespace q71::mkdata
