#pragma once
// Moored mines (types 7 and 15): a plain motion that holds them where they were laid, a mine
// controller that sets them off, and a proximity sensor of their own. An influence mine (type
// 7) feels a hull within 91.44 m; a contact mine (type 15) within 45.72 m.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class Sensor;

/// A mine's proximity sensor: all round, from the surface down, certain inside `nearRange` and
/// blind beyond `farRange` (metres), with next to no error.
Sensor* mineProximitySensor(Entity& mine, double nearRange, double farRange);

class MineEntity final : public Entity {
public:
    /// A mine of a type on a side, with a new id.
    MineEntity(std::int32_t side, std::string_view typeName, std::int32_t level);
    /// A mine of a saved mission.
    explicit MineEntity(const EntityBaseValues& values);

private:
    void buildParts();
};

class Mine2Entity final : public Entity {
public:
    /// A mine of a type on a side, with a new id.
    Mine2Entity(std::int32_t side, std::string_view typeName, std::int32_t level);
    /// A mine of a saved mission.
    explicit Mine2Entity(const EntityBaseValues& values);

private:
    void buildParts();
};

} // namespace q71
