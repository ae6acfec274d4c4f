#include "sim/entities/motion/motion_model.h"

#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/scoring/scoring.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/terrain_geometry.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

// Where the terrain knows nothing the water is taken as bottomless.
constexpr double kNoBottom = -1.0e5;

int halfDimension(std::int16_t feet) {
    return static_cast<int>(feet * kFeetToMetres) / 2;
}

} // namespace

MotionModel::MotionModel(Entity& owner) : owner_(&owner) {
    if (const ObjectRecord* record = objdbFindById(owner.recordId)) {
        halfLength = halfDimension(record->length);
        halfBeam = halfDimension(record->beam);
        halfHeight = halfDimension(record->height);
        maxSpeed = record->maxSpeed;
        quietSpeed = maxSpeed / 3.0;
        fastSpeed = maxSpeed * 0.66;
        testDepth = record->testDepth * kFeetToMetres;
        crushDepth = record->crushDepth * kFeetToMetres;
    }
    boundingRadius = std::max({halfLength, halfBeam, halfHeight});
    turnCoefficient = halfLength == 0 ? 0.022 : halfLength * 0.022 / 91.0;
}

EntityCategory MotionModel::category() const {
    return owner_->category;
}

double MotionModel::terrainHeight(double px, double py) {
    return terrainDepthInterpolated(px, py, true).value_or(kNoBottom);
}

double MotionModel::floorHere() const {
    const void* grid = worldGrid();
    if (!floorMemo_.grid || floorMemo_.grid != grid || floorMemo_.x != x || floorMemo_.y != y)
        floorMemo_ = {grid, x, y, terrainHeight(x, y)};
    return floorMemo_.height;
}

double MotionModel::lagToward(double value, double target, double dt) const {
    if (value == target || responseLength <= 0.0)
        return value;
    const double scale = (responseLength + responseLoad) / responseLength;
    return value + responseGain * scale * (target / scale - value) * dt * 0.25;
}

void MotionModel::integrate(double dt) {
    checkCollision(dt);
    if (sinking) {
        stepSinking(dt);
        stepVertical(dt);
    } else if (category() == kCategoryRock) {
        // A rock only follows the sea floor (and stays put where the terrain knows nothing).
        if (const std::optional<double> floor = terrainDepthInterpolated(x, y, true))
            z = *floor;
    } else {
        stepSpeed(dt);
        stepCourse(dt);
        stepDepth(dt);
        stepByCategory(dt);
        checkStatus(dt);
        stepVertical(dt);
    }
    postStep();
    if (simClock().gameClock - lastPositionReport > positionReportInterval)
        periodicUpdate(1);
}

void MotionModel::periodicUpdate(int force) {
    const double now = simClock().gameClock;
    if (now - lastPositionReport <= positionReportMinInterval)
        return;
    scoringPostEvent(missionEventAt(worldPoint(*this), kEventOwnBoatMoved, owner_->id, -1), force);
    lastPositionReport = now;
}

void MotionModel::postStep() {
    NetworkGame* game = simNetworkGame();
    if (!game)
        return;
    const double now = simClock().gameClock;
    const double interval = maxSpeed > 0.0 ? std::max(2.0, 10.0 - speed * 8.0 / maxSpeed) : 10.0;
    if (now - owner_->lastStateSentTime < interval || (speed <= 0.0 && owner_->lastRemoteUpdate == 0.0))
        return;
    game->sendEntityState({static_cast<std::uint32_t>(owner_->id), static_cast<std::uint32_t>(sinking), x, y,
                           z, speed, heading, pitch, roll});
    owner_->lastRemoteUpdate = speed > 0.0 ? now : 0.0;
    owner_->lastStateSentTime = now;
}

void MotionModel::syncEngineOrder() {
    if (!engineOrderMode) {
        const double s = orderedSpeed;
        if (s == 0.0)
            engineOrder = 0.0;
        else if (s > 0.0)
            engineOrder = std::min(1.0 + (s - 0.1) * 0.2, 5.0);
        else
            engineOrder = std::max((s + 0.1) * 0.2 - 1.0, -5.0);
        return;
    }
    if (engineOrder == 5.0)
        orderedSpeed = maxSpeed;
    else if (engineOrder <= 0.0)
        orderedSpeed = engineOrder * 4.0;
    else
        orderedSpeed = engineOrder * 5.0;
}

void MotionModel::setOrderedSpeed(double s) {
    if (s == orderedSpeed)
        return;
    orderedSpeed = std::min(s, maxSpeed);
    speedAtOrder = headway;
    engineOrderMode = 0;
    syncEngineOrder();
}

void MotionModel::setOrderedCourse(double course) {
    if (std::fabs(angleDiff(orderedCourse, course)) < 1.0)
        return;
    orderedCourse = course;
    manualRudder = 0;
    rudderOrder = angleDiff(heading, course) < 0.0 ? -maxRudderAngle / 3.0 : maxRudderAngle / 3.0;
    periodicUpdate(1);
}

void MotionModel::setOrderedDepth(double depth) {
    orderedDepth = depth;
    manualPlanes = 0;
}

void MotionModel::setRudderOrder(double angle) {
    rudderOrder = angle;
    manualRudder = 1;
}

void MotionModel::setPlaneOrder1(double angle) {
    planeOrder1 = angle;
    manualPlanes = 1;
}

void MotionModel::setPlaneOrder2(double angle) {
    planeOrder2 = angle;
    manualPlanes = 1;
}

void MotionModel::setMode(int word) {
    modeWord = word;
}

void MotionModel::stepSpeed(double dt) {
    syncEngineOrder();
    const double target = owner_->floodAftTime < 0.0 ? orderedSpeed : 0.0; // flooded aft: no way on
    if (driveSpeed == target)
        return;
    driveSpeed = lagToward(driveSpeed, target, dt);
    if (std::fabs(driveSpeed - target) <= 0.25)
        driveSpeed = target;
}

void MotionModel::stepCourse(double dt) {
    if (!manualRudder && angleDiff(heading, orderedCourse) == 0.0) {
        heading = orderedCourse;
        rudderAngle = rudderOrder = 0.0;
    }
    const double slew = rudderRate * dt * 0.5;
    rudderAngle += std::clamp(rudderOrder - rudderAngle, -slew, slew);
    const bool inWater = category() > kCategoryFloat || z < 1.0;
    if (rudderAngle == 0.0 || !inWater)
        return;
    const double before = angleDiff(orderedCourse, heading);
    heading = angleAdd(heading, headway * turnCoefficient * dt * rudderAngle);
    if (manualRudder)
        return;
    // The turn ends on the ordered course when the step passed it (not its reciprocal).
    const double after = angleDiff(orderedCourse, heading);
    const bool passed = (before > 0.0 && after < 0.0) || (before < 0.0 && after > 0.0);
    if (passed && std::fabs(before) + std::fabs(after) <= 180.0) {
        rudderAngle = rudderOrder = 0.0;
        heading = orderedCourse;
    }
}

void MotionModel::snapshotState() {
    MotionSample sample{};
    sample[kSampleX] = x;
    sample[kSampleY] = y;
    sample[kSampleZ] = z;
    sample[kSampleHeading] = heading;
    sample[kSamplePitch] = pitch;
    sample[kSampleRoll] = roll;
    history.push(sample);
    smoothedState = history.mean();
}

} // namespace q71
