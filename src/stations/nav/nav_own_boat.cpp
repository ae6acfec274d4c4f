#include "stations/nav/nav_own_boat.h"

#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

OwnShipEntity* navOwnShip() {
    return dynamic_cast<OwnShipEntity*>(worldOwnShip());
}

OwnShipMotion* navOwnMotion() {
    OwnShipEntity* own = navOwnShip();
    return own ? own->ownMotion : nullptr;
}

} // namespace q71
