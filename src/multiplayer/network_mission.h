#pragma once
// The start of a network mission at one peer, once the host said start: every peer builds the
// same world from the host's seed and the scenario, each its own boat at its own start, the
// others' boats as remote "Whale"s; on a client the scenario's units are the host's to move.

#include "multiplayer/net_messages.h"

#include <string>

namespace q71 {

class MultiPlayerGame;

/// Starts the mission of `scenario` for `game` under `start`, up to the world standing (the host
/// screen is the caller's). False and `why` when the scenario cannot be read or this player is
/// not in the start; the world is then empty again.
bool mpStartMission(MultiPlayerGame& game, const MsgStart& start, const std::string& scenario,
                    std::string& why);

} // namespace q71
