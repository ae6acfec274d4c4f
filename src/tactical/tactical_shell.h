#pragma once
// The tactical displays as the shell sees them (AppTactical). The chart defaults reach the
// charts; the 3-D library's members do nothing until the 3-D view is built, as the null
// services do.

#include "framework/app/app_services.h"

namespace q71 {

AppTactical& tacticalShellServices();

} // namespace q71
