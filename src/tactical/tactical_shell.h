#pragma once
// The tactical displays as the shell (AppTactical) and the simulation (TacticalDisplays) see
// them. The renderer's open and close open and close the 3-D library; the sea texture follows
// the sea state; the chart defaults reach the charts; particles and the 3-D effects do nothing
// until the scene effects are built, as the null services do.

#include "framework/app/app_services.h"
#include "sim/services/tactical_displays.h"

namespace q71 {

AppTactical& tacticalShellServices();
TacticalDisplays& tacticalSimDisplays();

} // namespace q71
