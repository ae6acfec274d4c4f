#pragma once
// The network session as the rest of the program sees it: the local player, the players taking
// part and the remote-player table, the one network game object, the poll of the main loop and
// the end of a session. A network game exists from the lobby's host or join until the session
// ends (simNetworkGame() is then not null); without one, polling and ending do nothing.

#include "framework/app/app_services.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

class MultiPlayerGame;

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

/// Makes `game` the network game of the simulation (null ends it without telling anyone).
void mpInstallGame(std::unique_ptr<MultiPlayerGame> game);
/// The network game, or null.
MultiPlayerGame* mpGame();
/// Copies the game's players into the session: the local id, the count, the local player's slot
/// and the remote-player table (the lobby's other players; from the start on, the mission's,
/// whether or not they are still in the game).
void mpSyncSession();

/// Reads and handles the messages of a connected network game; nothing without one.
void mpPoll();
/// Forgets the local player id (-1), the players, the slot, the game and the remote-player table.
void mpResetState();
/// Ends the network game, if any, telling the peers; safe to call without one.
void mpShutdown();
/// The name of the remote player with that id in the remote-player table, or none.
std::optional<std::string> mpRemotePlayerName(std::int32_t id);

/// The network services of the shell, over the functions above.
AppNetwork& mpShellNetwork();

} // namespace q71
