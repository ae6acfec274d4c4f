#pragma once
// A surface ship of the mission (type 11): its own motion and the surface-ship controller.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class SurfaceShipEntity final : public Entity {
public:
    /// A ship of a type on a side, with a new id.
    SurfaceShipEntity(std::int32_t side, std::string_view typeName, std::int32_t level);
    /// A ship of a saved mission.
    explicit SurfaceShipEntity(const EntityBaseValues& values);

private:
    void buildParts();
};

} // namespace q71
