// A submarine's vertical motion: depth changes by pitch, planes and buoyancy, settling when it
// broaches, the pull of the sea near the surface, the crush depth, and the bow and keel kept
// off the bottom.
#include "sim/entities/motion/submarine_motion.h"

#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_step.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q71 {

namespace {

constexpr double kKeelClearance = 6.096; // m (20 ft) from the hull's middle to its keel
constexpr double kBottomTouch = 2.4384;  // m (8 ft): this close over the keel line the hull scrapes
constexpr double kCreakDepth = -243.84;  // m (800 ft)
constexpr double kSurfacePull = -3.6576; // m (12 ft): shallower, the sea draws a neutral hull down
constexpr double kCrushReprieve = 30.0;  // s the crew fights a crushed hull
constexpr double kCrushDamage = 20.0;

} // namespace

void SubmarineMotion::stepVertical(double dt) {
    const MotionSample& s = smoothedState;
    const double keelLine = terrainHeight(s[kSampleX], s[kSampleY]) + kKeelClearance;
    double dz = 0.0;
    if (z > 0.0) {
        if (keelLine > 0.0) { // broached over land
            if (verticalSpeed + speed > 1.0)
                checkGrounding();
            stopHull();
        } else {
            dz = -std::max(z, 0.1) * dt / 3.0; // settles back into the sea
            buoyancyRate = 0.0;
        }
    } else {
        const double along = cosDegrees(driftAngle(*this)) * speed * kSpeedUnitMetresPerSecond * dt;
        if (pitch != 0.0)
            dz = along * sinDegrees(pitch);
        if (planeAngle1 != 0.0 || planeAngle2 != 0.0)
            dz += along * sinDegrees(planeAngle1 + planeAngle2);
        if (z < kCreakDepth && pitch < -15.0 && static_cast<int>(randomScaled(60.0)) == 1) {
            static const char* const creaks[] = {"creak1.wav", "creak2.wav", "creak3.wav"};
            simAudio().playByName(creaks[static_cast<int>(randomScaled(2.999))], false, true, false);
        }
        if (z > kSurfacePull && buoyancyRate == 0.0)
            dz -= (std::fabs(z) - kSurfacePull) / 1.8288 * kSpeedUnitMetresPerSecond * dt;
        dz += buoyancyRate * kSpeedUnitMetresPerSecond * dt;
    }
    checkCrushDepth();
    // The hull stops exactly at its ordered depth (taken as it stands: z + (ordered − z) need not
    // come out as the ordered depth to the last bit, and the depth keeping looks for equality).
    if (!manualPlanes && z != orderedDepth && (z + dz - orderedDepth) * (z - orderedDepth) <= 0.0) {
        dz = orderedDepth - z;
        z = orderedDepth;
    } else {
        z += dz;
    }
    if (halfLength != 0)
        keepBowOffBottom(dz, dt);
    keepKeelOffBottom(dz, dt, keelLine);
}

void SubmarineMotion::stopHull() {
    driveSpeed = orderedSpeed = speed = engineOrder = 0.0;
    verticalSpeed = 0.0;
    velocityX = velocityY = 0.0;
    buoyancyRate = 0.0;
}

void SubmarineMotion::checkCrushDepth() {
    // A record that gives no crush depth (a mobile mine's) makes a hull that cannot be crushed:
    // a crush depth of 0 would crush it as soon as it dived.
    if (crushDepth == 0.0)
        return;
    Entity& boat = owner();
    const bool crushed = sinking ? z < crushDepth : z < crushDepth * boat.hull;
    if (!crushed)
        return;
    if (boat.isOwnShip()) {
        if (!simFrontEnd().optionsField(kOptionFastBoat))
            crushOwnBoat();
        return;
    }
    if (boat.removeFlag)
        return; // already gone: it implodes once, not at every step until it is purged
    const EntityCategory c = category();
    if (c != kCategoryCm && c != kCategoryTorp && c != kCategoryMissile)
        simAudio().playByName(randomScaled(1.999) < 1.0 ? "implode1.wav" : "implode2.wav", false, true,
                              false);
    boat.markForRemoval();
}

void SubmarineMotion::crushOwnBoat() {
    Entity& boat = owner();
    missionState().ownBoatLossCause = kLossCrushed;
    const double now = simClock().gameClock;
    if (crushDeadline_ < 0.0) {
        boat.applyDamage(kCrushDamage, nullptr, false, true, true);
        logOwnBoatDamage(boat.id, kCrushDamage, kLossCrushed);
        simAudio().playByName("crshdpth.wav", true, true, false);
        crushDeadline_ = now + kCrushReprieve;
    } else if (now > crushDeadline_ && !simNetworkGame()) {
        worldQueueDeathScreen();
    } else {
        simSetTimeCompression(1.0); // the player sees the end coming in real time
    }
}

void SubmarineMotion::keepBowOffBottom(double dz, double dt) {
    const MotionSample& s = smoothedState;
    const double reach = halfLength * 0.5;
    const double keel = s[kSampleZ] - kKeelClearance;
    const double bowZ = keel + reach * sinDegrees(s[kSamplePitch]);
    const double along = reach * std::fabs(cosDegrees(s[kSamplePitch]));
    const double heading = s[kSampleHeading];
    const double floor =
        terrainHeight(s[kSampleX] + along * sinDegrees(heading), s[kSampleY] + along * cosDegrees(heading));
    if (bowZ > 0.0 && floor < 0.0) {
        pitch = asinDegrees(std::fabs(s[kSampleZ]) / reach);
    } else if (bowZ < floor) {
        pitch = asinDegrees((floor - keel) / reach);
        groundedAt(dz, dt);
    }
}

void SubmarineMotion::keepKeelOffBottom(double dz, double dt, double keelLine) {
    if (z > keelLine) {
        if (z - keelLine <= kBottomTouch && !sinking && owner().kind != kKindWeapon) {
            if (!owner().isOwnShip())
                orderedDepth = std::max(orderedDepth, keelLine + 10.0);
            groundedAt(dz, dt);
        }
        return;
    }
    z = keelLine;
    stopHull();
}

void SubmarineMotion::groundedAt(double dz, double dt) {
    if (dt > 0.0) // a step of no time moves nothing and says nothing of the hull's rate
        verticalSpeed = dz / dt;
    if (speed + verticalSpeed > 1.0)
        checkGrounding();
    if (owner().isOwnShip() && owner().hull < 0.1)
        missionState().ownBoatLossCause = kLossGrounded;
}

} // namespace q71
