#pragma once
// What the front end offers the layers below it: the options record and the entity viewer to
// the shell and to the simulation, and the makers of its screens to the screen manager.

#include "framework/app/app_services.h"
#include "sim/services/front_end.h"

namespace q71 {

/// The front end's services for the shell.
AppFrontEnd& frontEndShellServices();
/// The front end's services for the simulation.
FrontEnd& frontEndSimServices();
/// Registers the makers of the front end's screens with the screen manager.
void frontEndRegisterScreens();
/// Registers the makers of every station of the host in the station table.
void frontEndRegisterStations();
/// Installs the services of the whole program for the shell, the simulation (sound, fire
/// control, the entity classes, the world's facts for scoring, the terrain's progress box) and
/// the widgets' click sounds, with the network game given (null: none), and registers the front
/// end's screens and the stations.
void frontEndInstallProgram(AppNetwork* network);

} // namespace q71
