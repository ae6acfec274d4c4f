#include "sim/entities/types/empty_plan.h"

#include "sim/entities/controllers/entity_controller.h"

namespace q71 {

void controllerStartEmptyPlan(EntityController& controller) {
    controller.addPlan(new ControllerPlan);
    controller.activatePlanUnderCursor();
}

} // namespace q71
