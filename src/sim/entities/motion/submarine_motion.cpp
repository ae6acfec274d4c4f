#include "sim/entities/motion/submarine_motion.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/scoring/replay_log.h"
#include "sim/simulation/random.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kPlanesDeep = -30.48;         // m (100 ft): deeper, the planes work against each other
constexpr double kShallowOrder = -9.144;       // m (30 ft)
constexpr double kSnorkelDepth = -18.288;      // m (60 ft): the deepest the blower may run
constexpr double kOwnBoatPlanesFrom = -2.1336; // m: the own boat's planes bite only below this

} // namespace

SubmarineMotion::SubmarineMotion(Entity& owner) : MotionModel(owner) {
    responseLength = 91.44;
    responseGain = responseLoad = owner.level * 0.04;
    maxPitchAngle = 30.0;
    turnCoefficient = halfLength == 0 ? 0.022 : halfLength * 0.022 / 51.0;
    blowerOn = 0;
    submarineConstantA = 22.86;
    submarineConstantB = 45.8;
    maxArrayLength = 792.48;
    // A green crew is never sure where quiet ends and noise begins.
    if (owner.level < 4) {
        quietSpeed = 6.0 + randomScaled(2.0);
        fastSpeed = 6.0 + randomScaled(2.0);
    } else {
        quietSpeed = 10.0;
        fastSpeed = 12.0 + randomScaled(2.0);
    }
}

void SubmarineMotion::integrate(double dt) {
    checkCollision(dt);
    if (sinking) {
        stepSinking(dt);
    } else if (owner().controller || owner().isOwnShip()) {
        stepSpeed(dt);
        stepCourse(dt);
        stepDepth(dt);
    }
    stepByCategory(dt);
    stepVertical(dt);
    postStep();
    reportPositionWhenDue(*this);
}

void SubmarineMotion::stepDepth(double dt) {
    if (z > 0.0 || manualPlanes || (owner().isOwnShip() && z >= kOwnBoatPlanesFrom))
        return;
    if (z == orderedDepth) {
        levelAtOrderedDepth(*this);
    } else {
        // The deeper the error the steeper the boat, less so the faster it goes; astern the
        // planes work the other way.
        double g = 2.0 - speedFraction(*this);
        if (g == 0.0)
            g = 0.0001;
        if (headway < 0.0)
            g = -g;
        const double wanted = planeWantedPitch(*this, (orderedDepth - z) * g);
        if (z < kPlanesDeep || emergencyBlow) {
            if (wanted != pitch) {
                planeOrder1 = planeDeflection(*this, (wanted - pitch) / 2.0);
                planeOrder2 = -planeOrder1;
            }
        } else if (std::fabs(pitch) <= 1.0) {
            // Near the surface both planes push the same way: the boat rises or sinks level.
            planeOrder1 = planeOrder2 = planeDeflection(*this, (wanted - pitch) / 2.0);
            if (pitch != 0.0)
                planeOrder1 -= pitch;
        } else {
            planeOrder1 = planeDeflection(*this, -pitch / 2.0); // levelling off
            planeOrder2 = -planeOrder1;
        }
    }
    const double slew = maxPitchAngle * dt / 3.0;
    planeAngle1 = slewToward(planeAngle1, planeOrder1, slew);
    planeAngle2 = slewToward(planeAngle2, planeOrder2, slew);
    if (z >= 0.0) {
        const MotionSample& s = smoothedState;
        if (z - terrainHeight(s[kSampleX], s[kSampleY]) > 6.096)
            pitch = pitch < 0.0 ? 0.0 : pitch - pitch * 0.25 * dt; // a surfaced boat rides level
    } else if (planeAngle1 != 0.0 || planeAngle2 != 0.0) {
        planePitchResponse(*this, planeAngle1 - planeAngle2, dt);
    }
}

void SubmarineMotion::orderShallowDepth() {
    orderedDepth = kShallowOrder;
}

int SubmarineMotion::setSnorkel(int on) {
    if (z <= kSnorkelDepth && on != 0)
        return blowerOn;
    blowerOn = on;
    return blowerOn;
}

void SubmarineMotion::setEmergencyBlow(int on) {
    emergencyBlow = on;
    if (on != 1)
        return;
    Entity& boat = owner();
    replayLogWrite(missionEventAt(worldPoint(*this), kEventEmergencyBlow, boat.id, 0), 0);
    if (!boat.isOwnShip()) {
        setOrderedDepth(0.0);
        return;
    }
    // The own boat's ballast drives the ascent; the boat rolls a little and raises its bow.
    orderedRoll = randomScaled(10.0) - 5.0;
    orderedPitch = randomScaled(10.0) + 5.0;
}

} // namespace q71
