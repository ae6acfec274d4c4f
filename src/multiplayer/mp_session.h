#pragma once
// The network session as the rest of the program sees it: the local player, the players taking
// part and the remote-player table, the poll of the main loop and the end of a session. A network
// game exists only while players are connected (simNetworkGame() is then not null); without one,
// polling and ending do nothing.

#include "framework/app/app_services.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q71 {

struct RemotePlayer {
    std::int32_t id = 0;
    std::string name;
};

struct MpSession {
    std::int32_t localPlayerId = -1;
    int playerCount = 0;
    int playerSlot = 0;
    std::vector<RemotePlayer> remotePlayers;
};

/// The session state.
MpSession& mpSession();

/// Reads and handles the messages of a connected network game; nothing without one.
void mpPoll();
/// Forgets the local player id (-1), the players, the slot and the remote-player table.
void mpResetState();
/// Ends the network game, if any; safe to call without one.
void mpShutdown();

/// The network services of the shell, over the functions above.
AppNetwork& mpShellNetwork();

} // namespace q71
