#pragma once
// An aircraft of the mission (type 4): an aeroplane or a helicopter with the aircraft controller.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class AircraftEntity final : public Entity {
public:
    /// An aircraft of a type on a side, with a new id.
    AircraftEntity(std::int32_t side, std::string_view typeName, std::int32_t level);
    /// An aircraft of a saved mission.
    explicit AircraftEntity(const EntityBaseValues& values);

private:
    void buildParts();
};

} // namespace q71
