#pragma once
// The values an entity is rebuilt from by its loading constructor: what a saved mission keeps
// of each entity before its state, and what a network peer sends of a new one.

#include <cstdint>

namespace q71 {

struct EntityBaseValues {
    std::int32_t side = 0;
    std::uint32_t recordId = 0;
    std::int32_t level = 0;
    std::int32_t kind = 0;
    std::int32_t id = -1;      ///< −1: the mission's next id
    std::int32_t parentId = 0; ///< the launcher, dropper or source; 0 when none
};

} // namespace q71
