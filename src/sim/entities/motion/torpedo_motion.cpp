#include "sim/entities/motion/torpedo_motion.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/vehicle_laws.h"

namespace q71 {

TorpedoMotion::TorpedoMotion(Entity& owner) : MotionModel(owner) {
    responseLength = 30.48;
    responseGain = responseLoad = 5.0 - owner.level;
    maxPitchAngle = 60.0;
    maxRudderAngle = 60.0;
    rudderRate = 30.0;
    turnCoefficient = 0.045;
    if (category() == kCategoryMissile) {
        positionReportInterval = 20.0;
        positionReportMinInterval = 5.0;
    }
}

void TorpedoMotion::integrate(double dt) {
    if (sinking) {
        stepSinking(dt);
    } else {
        // A weapon closing on its target is steered at every sub-step, not once a second.
        if (auto* guidance = dynamic_cast<GuidanceController*>(owner().controller.get());
            guidance && guidance->steersEverySubStep())
            guidance->update(dt);
        stepSpeed(dt);
        stepCourse(dt);
        stepByCategory(dt);
        stepDepth(dt);
        stepVertical(dt);
        checkStatus(dt);
        cavitating = 1;
    }
    postStep();
    reportPositionWhenDue(*this);
}

void TorpedoMotion::stepDepth(double dt) {
    stepSinglePlaneDepth(*this, dt, maxPitchAngle * 0.5);
}

} // namespace q71
