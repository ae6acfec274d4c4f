#pragma once
// A mission object or missile (type 9): a buoy, a rock, a wreck or a missile in flight, moved
// by the plain motion model. One whose record carries a third weapon (a moored torpedo
// launcher) has the weapon guidance that releases it at a target.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class MissileEntity final : public Entity {
public:
    /// An object of a type on a side, with a new id.
    MissileEntity(std::int32_t side, std::string_view typeName, std::int32_t level);
    /// An object of a saved mission.
    explicit MissileEntity(const EntityBaseValues& values);

private:
    void buildParts();
};

} // namespace q71
