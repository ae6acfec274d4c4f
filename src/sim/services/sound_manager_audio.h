#pragma once
// The audio service of the simulation over the sound manager and the crew's speech channels:
// what the program installs at start-up (simInstallServices).

#include "sim/services/audio_service.h"

namespace q71 {

/// The one audio service on the sound manager.
AudioService& simSoundManagerAudio();

} // namespace q71
