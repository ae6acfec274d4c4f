#pragma once
// A depth charge (type 17), dropped by a ship or an aircraft: it sinks from where it was
// dropped to a depth set at random by the water under it, then goes off, damaging every hull
// within 250 yards the more the nearer, and leaves an explosion.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

namespace q71 {

class DepthChargeEntity final : public Entity {
public:
    /// A charge of a record dropped by an entity; it puts itself into the world.
    DepthChargeEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t dropperId);
    /// A charge of a saved mission (its dropper is its parent); the loader puts it into the world.
    explicit DepthChargeEntity(const EntityBaseValues& values);

    /// Goes off once below its depth; nothing else.
    void updatePerSecond(double elapsed) override;

private:
    void setUp(std::int32_t dropperId);
    void detonate();
};

} // namespace q71
