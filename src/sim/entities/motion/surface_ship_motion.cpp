#include "sim/entities/motion/surface_ship_motion.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/vehicle_laws.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr double kGravity = 10.66; // m/s²

} // namespace

SurfaceShipMotion::SurfaceShipMotion(Entity& owner) : MotionModel(owner) {
    responseLength = 91.44;
    responseGain = responseLoad = owner.level / 15.0;
    maxPitchAngle = 0.0;
}

void SurfaceShipMotion::integrate(double dt) {
    if (sinking) {
        stepSinking(dt);
    } else {
        // A ship stands on the sea, or on the land it ran onto. Once it stands there its fall is
        // over: a hull aground but afloat keeps no falling speed for the next scrape to charge.
        const double footing = std::max(terrainHeight(x, y), 0.0);
        if (z > footing)
            verticalSpeed -= dt * kGravity;
        else
            verticalSpeed = 0.0;
        stepSpeed(dt);
        stepCourse(dt);
        checkStatus(dt);
    }
    stepByCategory(dt);
    stepVertical(dt);
    checkCollision(dt);
    postStep();
    reportPositionWhenDue(*this);
}

} // namespace q71
