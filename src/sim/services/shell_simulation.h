#pragma once
// The simulation as the shell and the screen manager reach it: the clock and its pause, the
// object database, the terrain world, scoring with the replay log, and the world step.

#include "framework/app/app_services.h"

namespace q71 {

/// The simulation's services for the shell.
AppSimulation& simShellSimulation();
/// The world step of the running mission, for the shell's idle hook.
AppWorldStep& simShellWorldStep();

} // namespace q71
