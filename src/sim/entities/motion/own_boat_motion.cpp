#include "sim/entities/motion/own_boat_motion.h"

#include "framework/math/fast_math.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/player_upgrades.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/terrain_geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kUpgradedTopSpeed = 40.0;
constexpr double kFastBoatTopSpeed = 50.0;
constexpr double kSurfaceLine = -3.6576;       // m (12 ft): shallower, an order means the surface
constexpr double kMastsWarningLine = -21.9456; // m (72 ft): ordered deeper with a mast up, the crew warns
constexpr double kSnorkelAirLine = -17.6784;   // m (58 ft): the snorkel draws air shallower than this
constexpr double kBlowerLine = -11.2776;       // m (37 ft): the blower fills the tanks shallower than this
constexpr double kKeelBelowDepth = 8.5344;     // m (28 ft) from the depth coordinate down to the keel
constexpr double kUnknownBottom = -1524.0;     // the sounding where the terrain knows no bottom

} // namespace

std::int32_t effectiveDeviceState(std::int32_t state, double completionTime) {
    if (state == kDeviceBroken)
        return kDeviceBroken;
    if (completionTime <= simClock().gameClock)
        return state;
    return state == kDeviceRaised ? kDeviceLowered : kDeviceRaised;
}

OwnShipMotion::OwnShipMotion(OwnShipEntity& owner) : SubmarineMotion(owner), boat_(owner) {
    if (simFrontEnd().optionsField(kOptionFastBoat))
        maxSpeed = kFastBoatTopSpeed;
    else if (playerHasUpgrade(PlayerUpgrade::propulsion))
        maxSpeed = kUpgradedTopSpeed;
}

void OwnShipMotion::placed() {
    history.clear();
    snapshotState();
    ballastLevel = z > kSurfaceLine ? 100.0 : 0.0;
}

void OwnShipMotion::integrate(double dt) {
    stepReceivers(dt);
    checkCollision(dt);
    if (!sinking) {
        stepSpeed(dt);
        stepCourse(dt);
        stepDepth(dt);
        if (diving)
            stepDiveSequence();
        else if (surfacing)
            stepSurfaceSequence();
        stepByCategory(dt);
    } else {
        stepSinking(dt);
    }
    recordSoundings();
    deployArrays(dt);
    if (!simFrontEnd().optionsField(kOptionNoMastDamage)) {
        stepMastDamage();
        stepWireDamage();
        loseArraysAstern();
    }
    stepCompressor(dt);
    stepBallast(dt);
    payOutWire(dt);
    checkStatus(dt);
    postStep();
    reportPosition();
    stepVertical(dt);
    recordTrack();
}

void OwnShipMotion::recordTrack() {
    if (!recentTrack.empty()) {
        const auto& last = recentTrack.front();
        if (distance3D(last[0], last[1], last[2], x, y, z) < kTrackSpacing)
            return;
    }
    recentTrack.push_front({x, y, z});
    if (recentTrack.size() > kTrackPoints)
        recentTrack.pop_back();
}

void OwnShipMotion::recordSoundings() {
    const double now = simClock().gameClock;
    if (depthHistory.due(now))
        depthHistory.record(now, x, y, z, terrainDepthInterpolated(x, y, true).value_or(kUnknownBottom));
}

void OwnShipMotion::stepReceivers(double dt) {
    owner().stepSensors(dt);
}

// The own boat reports where its keel is.
void OwnShipMotion::reportPosition() {
    const double now = simClock().gameClock;
    const double since = now - lastPositionReport;
    if (since <= positionReportInterval || since <= positionReportMinInterval)
        return;
    scoringPostEvent(missionEventAt({x, y, z - kKeelBelowDepth}, kEventOwnBoatMoved, owner().id, -1), 1);
    lastPositionReport = now;
}

void OwnShipMotion::setOrderedDepth(double order) {
    if (order > kSurfaceLine)
        order = 0.0;
    orderedDepth = order;
    diving = surfacing = 0;
    manualPlanes = 0;
    const double now = simClock().gameClock;
    if (z > kSurfaceLine && order <= kSurfaceLine) {
        diving = 1;
        diveTimer = now;
        diveStep = 0;
    } else if (!emergencyBlow && z <= kSurfaceLine && order > kSurfaceLine) {
        orderedDepth = 0.0;
        surfacing = 1;
        surfaceTimer = now;
        surfaceStep = 0;
    }
    if (!diving && z > kMastsWarningLine && order < kMastsWarningLine && anyMastRaised()) {
        diving = 1;
        diveStep = 7; // only the warning: the crew asks for the masts down in five seconds
        diveTimer = now + 5.0;
    }
}

int OwnShipMotion::setSnorkel(int on) {
    if (masts[kMastSnorkel].state == kDeviceBroken)
        return blowerOn;
    blowerOn = on;
    masts[kMastSnorkel].state = on ? kDeviceRaised : kDeviceLowered;
    return blowerOn;
}

void OwnShipMotion::setMode(int vent) {
    if (vent && !modeWord)
        simAudio().playByName("bllst.wav", false, true, false);
    modeWord = vent;
}

void OwnShipMotion::setEngineOrder(int step) {
    speedAtOrder = headway;
    engineOrder = std::clamp(step, -5, 5);
    engineOrderMode = 1;
    syncEngineOrder();
}

int OwnShipMotion::setCompressor(int on) {
    compressorOn = on;
    return compressorOn;
}

void OwnShipMotion::orderMast(Mast mast, bool raise) {
    TwoPositionDevice& device = masts[mast];
    const std::int32_t wanted = raise ? kDeviceRaised : kDeviceLowered;
    if (device.state == kDeviceBroken || device.state == wanted)
        return;
    device.state = wanted;
    device.completionTime = simClock().gameClock + kMastTravelTime;
}

void OwnShipMotion::storePlottedWaypoints(std::span<const WorldPoint> plotted) {
    waypointCount = static_cast<std::int32_t>(std::min(plotted.size(), waypoints.size()));
    for (std::size_t i = 0; i < static_cast<std::size_t>(waypointCount); ++i)
        waypoints[i] = {plotted[i].x, plotted[i].y};
}

bool OwnShipMotion::anyMastRaised() const {
    return std::any_of(masts.begin(), masts.end(),
                       [](const TwoPositionDevice& mast) { return mast.state == kDeviceRaised; });
}

double& OwnShipMotion::towedArrayLength(TowedArray which) {
    return (which == TowedArray::P) == (arraySelector != 0) ? arrayLength1 : arrayLength2;
}

double& OwnShipMotion::towedArrayOrder(TowedArray which) {
    return which == selectedArray() ? arrayOrder1 : arrayOrder2;
}

void OwnShipMotion::logEquipmentEvent(std::int32_t kind, std::int32_t equipment) const {
    const std::int32_t id = owner().id;
    replayLogWrite(
        missionEventAt({x, y, z}, kind, equipment != 0 ? 0 : id, equipment != 0 ? id : 0, equipment), 0);
}

void OwnShipMotion::stepBallast(double dt) {
    if (emergencyBlow && airBank > 0.0) {
        const double blown = dt * 100.0 / (101.0 - airBank);
        ballastLevel = std::min(ballastLevel + blown, 100.0);
        airBank = std::max(airBank - blown, 0.0);
    }
    if (modeWord)
        ballastLevel = std::max(ballastLevel - dt * 300.0 / (101.0 - ballastLevel), 0.0);
    if (blowerOn && z > kBlowerLine && surfacing && surfaceStep > 2)
        ballastLevel = std::min(ballastLevel + dt * 50.0 / (101.0 - airBank), 100.0);
    // A damaged hull carries water the tanks must make up for.
    const double lift = ballastLevel * 0.01 - (1.0 - owner().hull) / 3.0;
    buoyancyRate = lift > 0.0 ? lift * 6.0 : lift * 2.66;
    if (emergencyBlow)
        setOrderedDepth(buoyancyRate > 0.0 ? 0.0 : z + 1.0);
}

void OwnShipMotion::stepCompressor(double dt) {
    if (!compressorOn)
        return;
    airBank += 0.5 * dt / (airBank + 1.0);
    if (z > kSnorkelAirLine && blowerOn) {
        // Air drawn through the snorkel: the bank may fill, and the compressor can later make up to
        // ten more than it held now.
        airBank = std::min(airBank, 100.0);
        airCeiling = std::min(static_cast<int>(airBank) + 10, 100);
    } else {
        airBank = std::min(airBank, static_cast<double>(airCeiling));
    }
}

} // namespace q71
