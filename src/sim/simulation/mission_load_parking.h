#pragma once
// A world set aside while a saved mission is read: the entities of the world and pending lists
// in their order, the own boat, the id counter and the launchers. Meanwhile the simulation has an
// empty world of its own, in which the saved entities are rebuilt; whichever of the two is not
// kept in the end is deleted with its parking.

#include "sim/simulation/launcher_tables.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace q71 {

class Entity;

class ParkedWorld {
public:
    /// Takes the simulation's world out, leaving empty lists, no own boat, the id counter at 0 and
    /// no launchers.
    ParkedWorld();
    /// Deletes what is still parked: the entities (their observers told) and the launchers.
    ~ParkedWorld();
    ParkedWorld(const ParkedWorld&) = delete;
    ParkedWorld& operator=(const ParkedWorld&) = delete;

    /// Puts the world back in place of the simulation's, which must have been parked or ended.
    void putBack();

private:
    std::vector<Entity*> world_;
    std::vector<Entity*> pending_;
    Entity* ownShip_ = nullptr;
    std::optional<std::int32_t> ownShipId_;
    std::int32_t idCounter_ = 0;
    OwnedLaunchers launchers_;
};

} // namespace q71
