#pragma once
// What the simulation asks of the network game. A game exists only in a multiplayer session;
// the simulation sends to the peers only through it, and only while it exists.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q71 {

/// The moving state of one entity, as the peers receive it.
struct EntityStateMessage {
    std::uint32_t entityId = 0;
    std::uint32_t sinking = 0;
    double x = 0.0, y = 0.0, z = 0.0;
    double speed = 0.0, heading = 0.0, pitch = 0.0, roll = 0.0;
};

class NetworkGame {
public:
    virtual ~NetworkGame() = default;
    /// True while a networked game is running.
    virtual bool gameActive() const = 0;
    /// Set in the lobby: entities not launched by the own boat then get their full sensor set.
    virtual bool lobbyFlag() const = 0;
    /// The local player's id, which is also the own boat's entity id.
    virtual std::int32_t ownPlayerId() const = 0;
    /// The seed every peer's mission starts its random sequence from (the host's), once the
    /// game has started; until then none, and the mission seeds itself as a single one does.
    virtual std::optional<std::uint32_t> missionSeed() const { return std::nullopt; }
    /// Sends a control message (sub-type 1 with flag 1 starts the mission at the peers).
    virtual void sendControl(std::int32_t subType, std::int32_t flag) = 0;
    /// Sends damage done to an entity; the peers apply it.
    virtual void sendDamage(double amount, std::int32_t attackerId, std::int32_t targetId, bool explode) = 0;
    /// Sends the moving state of an entity.
    virtual void sendEntityState(const EntityStateMessage& state) = 0;
    /// Sends an event with two 32-bit values (the game clock's halves for event 9).
    virtual void sendEventWithPair(std::uint8_t code, std::uint32_t low, std::uint32_t high,
                                   std::int32_t subject) = 0;
    /// Sends an event with one value (event 10: a radar sweep, 7, or an active ping, 4).
    virtual void sendEventWithValue(std::uint8_t code, std::int32_t value, std::int32_t subject) = 0;
    /// Sends an event with three values.
    virtual void sendEventWithValues(std::uint8_t code, std::int32_t value1, std::int32_t value2,
                                     std::int32_t value3, std::int32_t subject) = 0;
    /// Sends a line of the radio room's chat (at most 80 characters) to the other players.
    virtual void sendChat(std::string_view text) = 0;
    /// The name of the remote player with that id, when the table holds one.
    virtual std::optional<std::string> remotePlayerName(std::int32_t id) const = 0;
};

} // namespace q71
