#pragma once
// The tactical layer's answer to what the simulation asks of its displays (TacticalDisplays):
// the radio room's lines for a saved mission and back. The sea texture and the 3-D effects
// belong to the 3-D view; until it is built there is nothing of them to update or empty.

#include "sim/services/tactical_displays.h"

namespace q71 {

TacticalDisplays& tacticalDisplays();

} // namespace q71
