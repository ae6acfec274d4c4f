#pragma once
// The support units the own submarine puts out when a mission's goals call for them, placed
// at the own submarine and run by their own once-a-second step alone: their sensors never scan
// and their controller only holds their orders.
//
// The shore team's boat (type 3): at level 1 it runs for the land, waits there ten minutes and
// comes back for as long as it took to get there; at level 2 it runs to the nearest float (or
// else rock), waits ten minutes, blows it up with a charge and comes back.
// The rescue submarine (type 18) runs to the nearest friendly submarine, creeps alongside,
// and comes back to creep in beside the own submarine.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class SurfaceShip2Entity final : public Entity {
public:
    /// A shore team's boat of a type and level at the own submarine.
    SurfaceShip2Entity(std::string_view typeName, std::int32_t level);
    /// A boat of a saved mission.
    explicit SurfaceShip2Entity(const EntityBaseValues& values);

    /// The boat's own step once a second (no sensors, contacts or controller step).
    void updatePerSecond(double elapsed) override;
    /// Reads the boat; a level-2 boat's plan is active again at once.
    bool load(ByteSource& source) override;

private:
    void setUp();
    void chooseTarget();
    void runToLand(double elapsed);
    void runToTarget();
    void blowUpTarget();
};

class Submarine2Entity final : public Entity {
public:
    /// A rescue submarine of a type beside the own submarine, with its orders.
    explicit Submarine2Entity(std::string_view typeName);
    /// A rescue submarine of a saved mission (its orders come with its state).
    explicit Submarine2Entity(const EntityBaseValues& values);

    /// The boat's own step once a second: it follows its orders, then stops.
    void updatePerSecond(double elapsed) override;
    /// Reads the boat; the rescue submarine's plan is active again at once.
    bool load(ByteSource& source) override;

private:
    void buildParts();
    void setUp();
};

} // namespace q71
