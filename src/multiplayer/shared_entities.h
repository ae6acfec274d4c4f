#pragma once
// The entities every peer of a network game knows by one id: the players' boats and the units
// the scenario made at the start, numbered 1 to the last id given then (every peer builds the
// same world from the same scenario and seed). What a peer makes later, its weapons, decoys and
// the explosions they leave, is numbered by that peer alone: the same id can be another entity,
// or nothing, at another peer, so the mission's messages name only shared entities.

#include <cstdint>

namespace q71 {

class SharedEntities {
public:
    /// The last id given at the start of this peer's mission (0: no mission stands).
    void setLast(std::int32_t last) { last_ = last; }
    /// True for an id every peer gives the same entity.
    bool shared(std::int64_t id) const { return id >= 1 && id <= last_; }
    /// The shared entity a hit by the entity `attackerId` of this peer's world is booked to: the
    /// attacker itself when shared, else the nearest shared entity that launched it (a weapon's
    /// boat), else 0 (none).
    std::int32_t bookedAttacker(std::int32_t attackerId) const;

private:
    std::int32_t last_ = 0;
};

} // namespace q71
