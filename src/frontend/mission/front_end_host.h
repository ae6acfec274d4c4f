#pragma once
// What the simulation asks of the in-mission host while the plain screen stands in for it: the
// loss of the own boat leads to the death screen. There are no stations to lock and no engine
// loop yet; the host screen takes this service over when it is built.

#include "sim/services/host_screen.h"

namespace q71 {

/// The front end's host service for the simulation.
HostScreen& frontEndHostScreen();

} // namespace q71
