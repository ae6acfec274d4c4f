#pragma once
// The TMA station's place in the host screen: its maker registered for station slot 4.

namespace q71 {

/// Registers the TMA station's maker with the station table.
void tmaRegisterStation();

} // namespace q71
