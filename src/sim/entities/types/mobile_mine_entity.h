#pragma once
// A mobile mine (type 16), launched from a torpedo tube: it runs out on its ordered course,
// speed and depth like a small submarine, and where its run ends its controller lays it as a
// mine with a proximity sensor of its own.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"
#include "sim/entities/weapon_launches.h"

#include <string_view>

namespace q71 {

class MobileMineEntity final : public Entity {
public:
    /// A mine of a type launched from a launcher's tube on its run; the launcher puts it into the world.
    MobileMineEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                     std::int32_t launcherId, const MobileMineLaunch& run);
    /// A mine of a saved mission.
    explicit MobileMineEntity(const EntityBaseValues& values);

    /// A laid mine keeps its proximity sensor in a saved mission (one still running has none).
    bool savesSensors() const override { return true; }

private:
    void buildMotion();
};

} // namespace q71
