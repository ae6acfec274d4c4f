#pragma once
// The radar station's place in the host screen: its maker registered for station slot 2.

namespace q71 {

/// Registers the radar station's maker with the station table.
void radarRegisterStation();

} // namespace q71
