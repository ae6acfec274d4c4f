#pragma once
// What the network game does to the running mission when the peers' messages arrive. The game
// checks who sent what; these apply it. Tests install their own.

#include "multiplayer/net_messages.h"

#include <cstdint>
#include <string>

namespace q71 {

class PeerWorld {
public:
    virtual ~PeerWorld() = default;
    /// Moves a remote entity; nothing for an unknown or local one.
    virtual void entityState(const MsgEntityState& state) = 0;
    /// Damage done by a peer's weapon, applied without being sent again.
    virtual void damage(const MsgDamage& damage) = 0;
    /// The host's game clock, in game seconds.
    virtual void clock(double gameSeconds) = 0;
    /// An event of a peer's boat (orders 0-2, snorkel 7, blow 8, transmissions 10, replay 11).
    virtual void boatEvent(const MsgEvent& event) = 0;
    /// A player paused (1) or resumed (0); 0 also when his pause is released (he left).
    virtual void pauseLock(std::int32_t player, int lock) = 0;
    /// A chat line, or a notice, for the radio room.
    virtual void chatLine(const std::string& line, std::int32_t player) = 0;
    /// A player left: 0 the host, else the player's number.
    virtual void playerLeft(std::int32_t player) = 0;
    /// The host left: the units it moved stop where they are.
    virtual void hostGone() = 0;
};

/// The running mission's PeerWorld: the simulation's world, the host screen and the radio room.
PeerWorld& simPeerWorld();

} // namespace q71
