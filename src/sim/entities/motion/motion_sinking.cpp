// What follows damage: recovery of the hull and of the own boat's flooded compartments, and a
// lost hull sinking, in one piece or two, until it rests on the bottom.
#include "sim/entities/motion/motion_model.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/replay_log.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q71 {

namespace {

constexpr double kSettledPitch = 5.0;     // degrees a wreck keeps on the bottom
constexpr double kWreckSinkRate = -1.524; // m/s
constexpr int kTubeSideStarboard = 1;
constexpr int kTubeSidePort = 2;

// Lifts or lowers the pitch of a piece so that its end at (sign × reach) does not stick out of
// the water or into the bottom.
void keepEndClear(double& pitch, double x, double y, double z, double heading, double reach, double sign) {
    const double along = sign * reach * std::fabs(cosDegrees(pitch));
    const double endZ = z + sign * reach * sinDegrees(pitch);
    const double floor =
        MotionModel::terrainHeight(x + along * sinDegrees(heading), y + along * cosDegrees(heading));
    if (endZ > 0.0 && floor < 0.0)
        pitch = sign * asinDegrees(std::fabs(z) / reach);
    else if (endZ < floor)
        pitch = sign * asinDegrees((floor - z) / reach);
}

void sayAsChief(const char* file) {
    const std::string files[] = {file};
    simAudio().crewQueueSpeech(CrewChannel::chiefOfWatch, files, 0);
}

} // namespace

void MotionModel::checkStatus(double dt) {
    Entity& entity = owner();
    const bool ownShip = entity.isOwnShip();
    if (!(entity.hull > 0.5 || ownShip))
        return;
    const double now = simClock().gameClock;
    if (entity.hull < entity.systems) {
        if (now > entity.repairTime && entity.hull > 0.0)
            entity.hull = std::min(entity.hull + entity.level * dt * 0.0001, entity.systems);
        if (entity.hull < entity.systems)
            return;
    }
    if (!ownShip)
        return;
    const bool flooded =
        entity.floodPortTime != -1.0 || entity.floodStarboardTime != -1.0 || entity.floodAftTime != -1.0;
    const bool allPast =
        entity.floodPortTime < now && entity.floodStarboardTime < now && entity.floodAftTime < now;
    if (!flooded || !allPast)
        return;
    const auto logRepair = [&](std::int32_t extra) {
        replayLogWrite(missionEventAt(worldPoint(*this), kEventRepaired, entity.id, 0, extra), 0);
    };
    const auto reopenSide = [&](double& floodTime, int side) {
        if (floodTime == -1.0)
            return;
        floodTime = -1.0;
        logRepair(10);
        if (simWeapons().fireControlExists())
            simWeapons().setTubeSideState(side, 1);
    };
    reopenSide(entity.floodPortTime, kTubeSidePort);
    reopenSide(entity.floodStarboardTime, kTubeSideStarboard);
    if (entity.floodAftTime <= 0.0 || entity.systems > 0.5) {
        sayAsChief("cow5.wav");
        msgLogPrintfId(286);
    }
    if (entity.floodAftTime != -1.0 && entity.systems > 0.5) {
        entity.floodAftTime = -1.0;
        logRepair(9);
    }
}

void MotionModel::beginSinking() {
    sinking = 1;
    cavitating = 0;
    setOrderedSpeed(0.0);
    orderedPitch = randomScaled(90.0) - 45.0;
    orderedRoll = randomScaled(270.0) - 135.0;
    if (breaksInTwo) {
        HullPiece& piece = secondPiece;
        piece = {};
        piece.x = x;
        piece.y = y;
        piece.z = z;
        piece.heading = heading;
        piece.pitch = pitch;
        piece.roll = roll;
        piece.orderedPitch = -orderedPitch;
        piece.orderedRoll = orderedRoll - 15.0 + randomScaled(30.0);
        piece.driftBearing = randomScaled(360.0);
        piece.driftSpeed = -randomScaled(3.0);
    }
    Entity& entity = owner();
    if (entity.isOwnShip())
        return;
    // A wreck keeps no sensors and no behaviour. Its sensors go at its next sensor pass, so that a
    // hull lost during one of its own scans never has the sensor taken from under that scan.
    for (auto* node = entity.sensors.head(); node; node = node->next)
        node->item->deleteFlag = 1;
    entity.discardController();
}

void MotionModel::stepSinking(double dt) {
    if (buoyancyRate > ballastLevel)
        buoyancyRate = std::max(buoyancyRate - dt * 0.02, ballastLevel);
    if (buoyancyRate >= 0.0)
        orderedRoll = 0.0;
    const EntityCategory c = category();
    if (z <= floorHere()) {
        if (owner().kind == kKindWeapon || c == kCategoryMissile || c == kCategoryDepth)
            owner().markForRemoval();
        speed = orderedSpeed = driveSpeed = 0.0;
        if (std::fabs(pitch) > kSettledPitch) {
            orderedPitch = std::copysign(kSettledPitch, pitch);
            pitch = lagToward(pitch, orderedPitch, dt);
        }
    } else {
        if (z <= 0.0) {
            driveSpeed = 0.0;
            if (verticalSpeed < kWreckSinkRate)
                verticalSpeed -= dt * verticalSpeed * 2.0 / 3.0; // a plunge slows to the sinking rate
            else
                verticalSpeed = std::max(verticalSpeed - dt * 0.01524, kWreckSinkRate);
        } else if (verticalSpeed > -50.8) {
            verticalSpeed -= dt * 10.66;
        }
        pitch = lagToward(pitch, orderedPitch, dt);
        roll = lagToward(roll, orderedRoll, dt);
        setOrderedSpeed(std::fabs(verticalSpeed / kSpeedUnitMetresPerSecond) *
                        sinDegrees(std::fabs(45.0 - std::fabs(pitch))));
        stepSpeed(dt);
        stepKinematic(dt);
        z += dt * verticalSpeed;
    }
    if (halfLength != 0) {
        const double reach = halfLength * 0.5;
        keepEndClear(pitch, x, y, z, heading, reach, 1.0);
        if (!breaksInTwo)
            keepEndClear(pitch, x, y, z, heading, reach, -1.0);
    }
    if (breaksInTwo)
        stepSecondPiece(dt);
}

void MotionModel::stepSecondPiece(double dt) {
    HullPiece& piece = secondPiece;
    if (piece.z <= terrainHeight(piece.x, piece.y)) {
        if (std::fabs(piece.pitch) > kSettledPitch) { // settles like the hull, at its height offset
            piece.orderedPitch = std::copysign(kSettledPitch, piece.pitch);
            piece.pitch = lagToward(piece.pitch, piece.orderedPitch, dt);
        }
    } else {
        piece.pitch = lagToward(piece.pitch, piece.orderedPitch, dt);
        piece.roll = lagToward(piece.roll, piece.orderedRoll, dt);
        if (speed == 0.0) // the hull rests: the piece goes on sinking, never above the surface
            piece.offsetZ = std::min(piece.offsetZ + dt * verticalSpeed, -z);
        const double drift = (piece.driftSpeed + speed) * kSpeedUnitMetresPerSecond *
                             std::fabs(cosDegrees(piece.pitch)) * std::fabs(cosDegrees(pitch)) * dt;
        piece.offsetX += drift * sinDegrees(heading + piece.driftBearing);
        piece.offsetY += drift * cosDegrees(heading + piece.driftBearing);
    }
    piece.x = x + piece.offsetX;
    piece.y = y + piece.offsetY;
    piece.z = z + piece.offsetZ;
    if (halfLength != 0)
        keepEndClear(piece.pitch, piece.x, piece.y, piece.z, piece.heading, halfLength * 0.5, -1.0);
}

} // namespace q71
