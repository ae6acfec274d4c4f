#pragma once
// The tactical displays as the shell sees them (AppTactical). The renderer's open and close
// open and close the 3-D library; the chart defaults reach the charts; particles, the sea
// texture and the 3-D effects do nothing until the 3-D view is built, as the null services do.

#include "framework/app/app_services.h"

namespace q71 {

AppTactical& tacticalShellServices();

} // namespace q71
