#include "sim/entities/motion/aircraft_motion.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/vehicle_laws.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr double kHelicopterClimbRate = 1.524; // m/s

} // namespace

AircraftMotion::AircraftMotion(Entity& owner) : MotionModel(owner) {
    if (category() == kCategoryPlane) {
        responseLength = 228.6;
        maxPitchAngle = 60.0;
        maxRudderAngle = 45.0;
        positionReportInterval = 20.0;
        positionReportMinInterval = 5.0;
    } else if (category() == kCategoryHelo) {
        responseLength = 30.48;
        maxPitchAngle = 20.0;
        maxRudderAngle = 60.0;
        positionReportInterval = 60.0;
        positionReportMinInterval = 10.0;
    } else {
        return;
    }
    responseGain = responseLoad = owner.level * 0.2;
    rudderRate = 30.0;
    turnCoefficient = 0.035;
}

bool AircraftMotion::isHelicopter() const {
    return category() == kCategoryHelo;
}

void AircraftMotion::integrate(double dt) {
    checkCollision(dt);
    if (sinking) {
        stepSinking(dt);
    } else {
        const bool flown = owner().controller != nullptr;
        if (flown) {
            stepSpeed(dt);
            stepCourse(dt);
            bank();
        }
        if (flown && isHelicopter()) {
            holdHeight(dt);
        } else {
            stepDepth(dt);
            stepVertical(dt);
        }
        checkStatus(dt);
    }
    stepByCategory(dt);
    stepVertical(dt);
    postStep();
    reportPositionWhenDue(*this);
}

void AircraftMotion::stepDepth(double dt) {
    stepSinglePlaneDepth(*this, dt, maxPitchAngle / 3.0);
}

void AircraftMotion::bank() {
    roll = std::clamp(-rudderAngle, -maxPitchAngle, maxPitchAngle) * speedFraction(*this);
}

void AircraftMotion::holdHeight(double dt) {
    buoyancyRate = 0.0;
    // The nose goes down while the helicopter gathers speed and up while it slows.
    pitch = maxSpeed > 0.0 ? (orderedSpeed - speed) * maxPitchAngle * -0.5 / maxSpeed : 0.0;
    const double step = kHelicopterClimbRate * dt;
    z += std::clamp(orderedDepth - z, -step, step);
}

} // namespace q71
