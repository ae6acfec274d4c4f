#pragma once
// A submarine of the mission (type 10): the submarine motion and the submarine controller. The
// player's boat is built on it: made with the own submarine's id it has neither, and the own
// boat's class supplies its own.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class SubmarineEntity : public Entity {
public:
    /// A submarine of a type on a side with an id (−1: a new one).
    SubmarineEntity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t id);
    /// A submarine of a saved mission.
    explicit SubmarineEntity(const EntityBaseValues& values);

private:
    void buildParts();
};

} // namespace q71
