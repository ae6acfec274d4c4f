#pragma once
// The services of higher subsystems that the simulation calls, installed by the program at
// start-up. Until then, and in tests that install nothing, null versions stand in: silent,
// with no stations built, no launchers loaded and every option off. The network game is
// different: it exists only during a multiplayer session, and null means there is none.

#include "sim/services/audio_service.h"
#include "sim/services/front_end.h"
#include "sim/services/host_screen.h"
#include "sim/services/network_game.h"
#include "sim/services/tactical_displays.h"
#include "sim/services/weapon_stations.h"

namespace q71 {

struct SimServices {
    AudioService* audio = nullptr;
    HostScreen* host = nullptr;
    WeaponStations* weapons = nullptr;
    TacticalDisplays* tactical = nullptr;
    FrontEnd* frontEnd = nullptr;
};

/// Installs the services (not owned); a null member puts back that service's null version.
void simInstallServices(const SimServices& services);

AudioService& simAudio();
HostScreen& simHost();
WeaponStations& simWeapons();
TacticalDisplays& simTactical();
FrontEnd& simFrontEnd();

/// The network game, or null when no network game exists.
NetworkGame* simNetworkGame();
/// Sets (or, with null, ends) the network game.
void simSetNetworkGame(NetworkGame* game);

} // namespace q71
