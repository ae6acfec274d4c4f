#pragma once
// The start of a mission after the own-ship set-up: the random generator seeded, the scenario
// read into the world, the own submarine placed at one of its start positions and named, the
// terrain region around the map origin loaded, the sound-speed profile built and the message
// queue opened. The in-mission screens are built next; simStartRunning then lets the world run.

#include "sim/simulation/scenario_reader.h"

#include <cstdint>
#include <string>

namespace q71 {

/// The own boat's name when its start position gives none.
inline constexpr const char* kDefaultBoatName = "Q71";

/// Starts the mission of a scenario (its file name in the "Scenario" folder), `mode` being its
/// mission mode for scoring. A scenario that cannot be read, or a mission without an own boat,
/// ends the mission again (simEndMission), leaving an empty world, and says why.
ScenarioStatus simStartMission(const std::string& name, std::int32_t mode);

} // namespace q71
