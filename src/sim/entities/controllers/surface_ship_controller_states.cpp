#include "sim/entities/controllers/surface_ship_controller_states.h"

#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"

namespace q71 {

void VesselController::actOnTarget(std::int32_t stateCode) {
    if (!owner().motion)
        return;
    switch (stateCode) {
    case kStateStop:
        owner().motion->setOrderedSpeed(0.0);
        break;
    case kStateTransit:
    case kStateSearchTransit:
        transit(stateCode);
        break;
    case kStateWaypointLoop3:
    case kStateRandomArea:
    case kStateBoxPatrol:
    case kStateRandomPatrol:
    case kStateSpiralPatrol:
    case kStateWaypointLoop19:
        followWaypoints(stateCode);
        break;
    default:
        if (!target)
            break;
        switch (stateCode) {
        case kReactionLost:
            contactLost(*target);
            break;
        case kReactionClose:
            closeOn(*target);
            break;
        case kReactionAttack:
            attack(*target);
            break;
        case kReactionEvade:
            keepClear(*target);
            break;
        case kReactionWithdraw:
            withdraw(*target);
            break;
        case kReactionEvadeWeapon:
            evadeWeapon(*target);
            break;
        default:
            break; // out of weapons, idle: nothing to do
        }
    }
    afterState();
}

} // namespace q71
