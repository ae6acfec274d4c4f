#include "sim/entities/motion/remote_motion.h"

#include "sim/simulation/sim_clock.h"

namespace q71 {

void RemoteMotionModel::integrate(double dt) {
    if (sinking) {
        stepSinking(dt);
    } else {
        if (category() == kCategoryTorp && speed > 0.0)
            cavitating = 1;
        stepSpeed(dt);
        stepCourse(dt);
        driveSpeed = speed; // the speed is the peer's, not a lag toward an order
        stepKinematic(dt);
        checkCollision(dt);
        checkStatus(dt);
    }
    if (simClock().gameClock - lastPositionReport > positionReportInterval)
        periodicUpdate(1);
}

} // namespace q71
