#include "sim/entities/motion/vehicle_laws.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kDepthErrorLimit = 91.44;     // m: a larger error asks for no steeper a pitch
constexpr double kDepthErrorPerDegree = 1.016; // m of depth error per degree of the sine's argument
constexpr double kLeastAngle = 0.01;           // degrees; below it a pitch or a drift is none

} // namespace

double sinDegrees(double degrees) {
    return std::sin(degrees * kDegreesToRadians);
}

double cosDegrees(double degrees) {
    return std::cos(degrees * kDegreesToRadians);
}

double asinDegrees(double ratio) {
    return std::asin(std::clamp(ratio, -1.0, 1.0)) * kRadiansToDegrees;
}

double driftAngle(const MotionModel& m) {
    const double a = std::fabs(angleDiff(m.heading, geoBearing(m.velocityX, m.velocityY)));
    return a < kLeastAngle ? 0.0 : a;
}

double speedFraction(const MotionModel& m) {
    return m.maxSpeed > 0.0 ? m.speed / m.maxSpeed : 0.0;
}

void reportPositionWhenDue(MotionModel& m) {
    if (simClock().gameClock - m.lastPositionReport > m.positionReportInterval)
        m.periodicUpdate(1);
}

double planeWantedPitch(const MotionModel& m, double depthError) {
    const double e = std::clamp(depthError, -kDepthErrorLimit, kDepthErrorLimit);
    return sinDegrees(e / kDepthErrorPerDegree) * m.maxPitchAngle;
}

double planeDeflection(const MotionModel& m, double pitchChange) {
    if (m.maxPitchAngle <= 0.0)
        return 0.0;
    const double held = std::clamp(pitchChange, -m.maxPitchAngle, m.maxPitchAngle);
    return held / m.maxPitchAngle * m.maxRudderAngle;
}

double slewToward(double angle, double order, double step) {
    return angle + std::clamp(order - angle, -step, step);
}

void planePitchResponse(MotionModel& m, double planeDifference, double dt) {
    if (m.maxRudderAngle == 0.0)
        return;
    m.pitch -= planeDifference * (-10.0 * speedFraction(m)) / m.maxRudderAngle * dt;
    m.pitch = std::clamp(m.pitch, -m.maxPitchAngle, m.maxPitchAngle);
    if (std::fabs(m.pitch) < kLeastAngle)
        m.pitch = 0.0;
}

void levelAtOrderedDepth(MotionModel& m) {
    m.pitch = 0.0;
    m.planeOrder1 = m.planeOrder2 = 0.0;
    m.planeAngle1 = m.planeAngle2 = 0.0;
    m.z = m.orderedDepth;
}

void stepSinglePlaneDepth(MotionModel& m, double dt, double slewPerSecond) {
    if (m.z == m.orderedDepth) {
        levelAtOrderedDepth(m);
        return;
    }
    const double wanted = planeWantedPitch(m, m.orderedDepth - m.z);
    if (wanted != m.pitch)
        m.planeOrder1 = planeDeflection(m, (wanted - m.pitch) / 2.0);
    m.planeAngle1 = slewToward(m.planeAngle1, m.planeOrder1, slewPerSecond * dt);
    if (m.planeAngle1 != 0.0)
        planePitchResponse(m, 2.0 * m.planeAngle1, dt);
}

} // namespace q71
