#pragma once
// The network game: the simulation's NetworkGame over a star of TCP links (net_link.h), with the
// lobby's players, sides, scenario and lobby flag, the host's adverts, the start of the mission
// at every peer and the messages of the running mission (docs/multiplayer.md).

#include "multiplayer/host_advert.h"
#include "multiplayer/net_link.h"
#include "multiplayer/peer_world.h"
#include "multiplayer/scenario_facts.h"
#include "multiplayer/shared_entities.h"
#include "sim/services/network_game.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

/// What this peer knows of a player's copy of the host's scenario.
enum class ScenarioCheck { Unknown, Has, Lacks };

struct LobbyPlayer {
    std::int32_t id = 0;
    std::int32_t side = 1;
    std::string name;
    /// The host knows every player's answer; a client its own and the host's (who has it).
    ScenarioCheck scenario = ScenarioCheck::Unknown;
    bool inMission = false; ///< its mission stands (control sub-type 1)
};

/// What the lobby screen hears from the game.
class LobbyListener {
public:
    virtual ~LobbyListener() = default;
    /// A line for the lobby's message list: chat, arrivals, departures, refusals.
    virtual void lobbyLine(const std::string& line) = 0;
    /// The players, their sides or the scenario changed.
    virtual void lobbyChanged() = 0;
    /// The host started: every peer starts its mission now.
    virtual void missionStart(const MsgStart& start) = 0;
};

/// Where a peer finds a scenario the host chose: its facts when the file is there.
using ScenarioLookup = std::function<std::optional<ScenarioFacts>(const std::string& name)>;

class MultiPlayerGame final : public NetworkGame {
public:
    enum class Role { Host, Client };
    /// How a client stands with its host: joining, welcomed, or the link gone before the
    /// connection was made (Unreachable), before the welcome (Refused) or after it (Left).
    enum class HostState { Joining, Welcomed, Unreachable, Refused, Left };

    /// Hosts a game on `port` (0: any free port), advertising it to `broadcast` when given.
    static std::unique_ptr<MultiPlayerGame> host(const std::string& name, std::uint16_t port,
                                                 std::optional<NetAddress> broadcast, const Clock& clock,
                                                 NetError& error);
    /// Joins the host at `address`.
    static std::unique_ptr<MultiPlayerGame> join(const std::string& name, const NetAddress& address,
                                                 NetError& error);
    MultiPlayerGame(Role role, std::string name, std::unique_ptr<NetLink> link);

    void setListener(LobbyListener* listener) { listener_ = listener; }
    void setPeerWorld(PeerWorld* world) { world_ = world; }
    void setScenarioLookup(ScenarioLookup lookup) { scenarioLookup_ = std::move(lookup); }
    void setAdvertBeacon(std::unique_ptr<AdvertBeacon> beacon) { beacon_ = std::move(beacon); }

    /// Reads and handles what the peers sent (at most 256 messages a peer), adverts the host.
    void poll();
    /// Tells the peers this player leaves and closes the links.
    void leave();

    Role role() const { return role_; }
    /// The host's TCP port (0 for a client).
    std::uint16_t port() const;
    const std::vector<LobbyPlayer>& players() const { return players_; }
    const std::optional<MsgScenario>& scenario() const { return scenario_; }
    /// True once the host welcomed this client and while its link stands, or always (the host).
    bool connected() const;
    /// How a client stands with its host (Welcomed for the host).
    HostState hostState() const { return hostState_; }

    // The lobby.
    /// This player's side, 1 or 2; the others are told.
    void setSide(std::int32_t side);
    /// The host's scenario; the clients check they have it.
    void chooseScenario(const MsgScenario& scenario);
    /// The lobby flag (commands 503 set, 504 clear); the host's is the game's.
    void setLobbyFlag(bool on) { lobbyFlag_ = on; }
    /// Why the host cannot start now, or none.
    std::optional<std::string> startRefusal(std::int32_t ownShipStarts) const;
    /// The host starts: every peer gets the start, this one too. False (and `why`) when refused.
    bool start(std::uint32_t seed, std::int32_t ownShipStarts, std::string& why);
    /// The start this peer runs under (its seed is the mission's).
    const std::optional<MsgStart>& started() const { return started_; }
    /// Sets the game active once the mission of this peer stands.
    void setGameActive(bool active) { gameActive_ = active; }
    /// The last entity id of the world as this peer's mission started: what the mission's
    /// messages may name.
    void setLastSharedEntity(std::int32_t last) { shared_.setLast(last); }

    // NetworkGame.
    bool gameActive() const override { return gameActive_; }
    bool lobbyFlag() const override { return lobbyFlag_; }
    std::int32_t ownPlayerId() const override { return ownId_; }
    std::optional<std::uint32_t> missionSeed() const override;
    void sendControl(std::int32_t subType, std::int32_t flag) override;
    void sendDamage(double amount, std::int32_t attackerId, std::int32_t targetId, bool explode) override;
    void sendEntityState(const EntityStateMessage& state) override;
    void sendEventWithPair(std::uint8_t code, std::uint32_t low, std::uint32_t high,
                           std::int32_t subject) override;
    void sendEventWithValue(std::uint8_t code, std::int32_t value, std::int32_t subject) override;
    void sendEventWithValues(std::uint8_t code, std::int32_t value1, std::int32_t value2, std::int32_t value3,
                             std::int32_t subject) override;
    void sendChat(std::string_view text) override;
    std::optional<std::string> remotePlayerName(std::int32_t id) const override;

private:
    void handle(const LinkEvent& event);
    void hostHandles(std::int32_t peer, const NetMessage& message);
    void clientHandles(const NetMessage& message);
    void playFromPeer(std::int32_t peer, const NetMessage& message);
    /// A player left (`lost`: his link failed or he was dropped): the others and the mission hear it.
    void peerGone(std::int32_t peer, bool lost);
    /// The link to the host failed or closed.
    void hostGone();
    void send(const NetMessage& message);
    void line(const std::string& text);
    /// A chat line in the mission's chat once it stands, else in the lobby.
    void showChat(std::int32_t id, const std::string& name, const std::string& text);
    void changed();
    LobbyPlayer* player(std::int32_t id);
    std::string nameOf(std::int32_t id) const;
    void checkScenario(const MsgScenario& scenario);

    Role role_;
    std::string name_;
    std::unique_ptr<NetLink> link_;
    std::unique_ptr<AdvertBeacon> beacon_;
    LobbyListener* listener_ = nullptr;
    PeerWorld* world_ = nullptr;
    ScenarioLookup scenarioLookup_;
    std::vector<LobbyPlayer> players_;
    std::optional<MsgScenario> scenario_;
    std::optional<MsgStart> started_;
    SharedEntities shared_;
    std::int32_t ownId_ = 0;
    HostState hostState_ = HostState::Joining;
    bool lobbyFlag_ = false;
    bool gameActive_ = false;
    bool linked_ = false;      ///< the link stands (a client: the connection to the host is made)
    bool rosterHeard_ = false; ///< a client heard the players who were there before it
    bool polling_ = false;
};

} // namespace q71
