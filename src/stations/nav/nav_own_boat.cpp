#include "stations/nav/nav_own_boat.h"

#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

OwnShipMotion* navOwnMotion() {
    OwnShipEntity* own = worldOwnSubmarine();
    return own ? own->ownMotion : nullptr;
}

} // namespace q71
