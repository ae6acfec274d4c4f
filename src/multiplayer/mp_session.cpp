#include "multiplayer/mp_session.h"

#include "multiplayer/multi_player_game.h"
#include "sim/services/sim_services.h"

namespace q71 {
namespace {

class SessionNetwork final : public AppNetwork {
public:
    void poll() override { mpPoll(); }
    void resetState() override { mpResetState(); }
    void shutdown() override { mpShutdown(); }
    bool gameExists() const override { return simNetworkGame() != nullptr; }
};

std::unique_ptr<MultiPlayerGame>& installedGame() {
    static std::unique_ptr<MultiPlayerGame> game;
    return game;
}

} // namespace

MpSession& mpSession() {
    static MpSession session;
    return session;
}

void mpInstallGame(std::unique_ptr<MultiPlayerGame> game) {
    // The simulation lets go of the old game before it is destroyed.
    simSetNetworkGame(game.get());
    installedGame() = std::move(game);
    mpSyncSession();
}

MultiPlayerGame* mpGame() {
    return installedGame().get();
}

void mpSyncSession() {
    MpSession& session = mpSession();
    const MultiPlayerGame* game = mpGame();
    if (!game) {
        session = MpSession{};
        return;
    }
    session.localPlayerId = game->ownPlayerId() != 0 ? game->ownPlayerId() : -1;
    session.playerCount = static_cast<int>(game->players().size());
    for (std::size_t i = 0; i < game->players().size(); ++i)
        if (game->players()[i].id == game->ownPlayerId())
            session.playerSlot = static_cast<int>(i);
    // Once the mission started, its players' boats keep their names for the replay log, also
    // after a player left: every peer names them alike. Before, the lobby's players.
    session.remotePlayers.clear();
    const auto addRemote = [&](const auto& players) {
        for (const auto& player : players)
            if (player.id != game->ownPlayerId())
                session.remotePlayers.push_back({player.id, player.name});
    };
    if (const std::optional<MsgStart>& start = game->started())
        addRemote(start->players);
    else
        addRemote(game->players());
}

void mpPoll() {
    if (MultiPlayerGame* game = mpGame()) {
        game->poll();
        mpSyncSession();
    }
}

void mpResetState() {
    mpInstallGame(nullptr);
}

void mpShutdown() {
    if (MultiPlayerGame* game = mpGame())
        game->leave();
    mpInstallGame(nullptr);
}

std::optional<std::string> mpRemotePlayerName(std::int32_t id) {
    for (const RemotePlayer& player : mpSession().remotePlayers)
        if (player.id == id && !player.name.empty())
            return player.name;
    return std::nullopt;
}

AppNetwork& mpShellNetwork() {
    static SessionNetwork network;
    return network;
}

} // namespace q71
