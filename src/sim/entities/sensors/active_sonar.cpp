#include "sim/entities/sensors/active_sonar.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::uint8_t kEventTransmission = 10;
constexpr double kEchoFactor = 3.0; // the signature factor an echo is heard with
constexpr std::array<int, 3> kEchoNoises{20, 10, 0};
constexpr int kReplyNoise = 10;

const ArraySonar::Layout kActiveLayout{.type = kSensorActive,
                                       .arcCentre = 0.0,
                                       .arcHalfWidth = 150.0,
                                       .bandLow = 0,
                                       .bandHigh = 3000,
                                       .threshold = 22,
                                       .broadbandRows = ActiveSonar::kPingRows,
                                       .farBearingError = 5,
                                       .upgrade = std::nullopt};

bool pinged(const Entity& entity) {
    return entity.kind == kKindSurface || entity.kind == kKindSubsurface || entity.kind == kKindWeapon;
}

} // namespace

ActiveSonar::ActiveSonar(Entity& owner, float figure, std::int16_t interval)
    : ArraySonar(owner, figure, kActiveLayout), pingSound_(simAudio().loadSample("pingout.wav")) {
    transmitInterval = interval;
    lastTransmit = 0.0;
}

ReceiverSensor* ActiveSonar::currentArray() const {
    return dynamic_cast<ReceiverSensor*>(owner().findSensorByType(kSensorPassive));
}

ReceiverSensor::Trackers* ActiveSonar::noiseTrackers() {
    ReceiverSensor* array = currentArray();
    return array ? &trackersOf(*array) : nullptr;
}

void ActiveSonar::step(double /*dt*/) {
    const double now = simClock().gameClock;
    if (!transmitDue(now))
        return;
    ping(now);
    lastTransmit = now;
    if (transmitInterval == 0)
        transmitInterval = -1;
}

void ActiveSonar::ping(double now) {
    Entity& ownBoat = owner();
    if (NetworkGame* game = simNetworkGame())
        game->sendEventWithValue(kEventTransmission, kSensorActive, ownBoat.id);
    if (pingSound_)
        simAudio().playSample(pingSound_, false, true, false);
    BroadbandRow& row = broadband_->take();
    row = BroadbandRow{};
    row.time = now;
    sourceTable.fill(0);
    if (const MotionModel* motion = ownBoat.motion.get()) {
        heading = motion->heading;
        x = motion->x;
        y = motion->y;
        z = motion->z;
        row.value = static_cast<std::uint16_t>(angleAdd(motion->heading, 0.0));
    }
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& entity = *node->item;
        if (&entity == &ownBoat || !pinged(entity))
            continue;
        canSense(entity);
        scanList(entity);
    }
    snapshots_[broadband_->writeIndex()] = sourceTable;
}

bool ActiveSonar::canSense(Entity& target) {
    const WorldPoint at = worldPoint(target);
    if (!inWindow(at.z))
        return false;
    const double range = geoRange3d(at.x - x, at.y - y, at.z - z);
    const double ownerZ = worldPoint(owner()).z;
    int echo = 0;
    for (const int noise : kEchoNoises)
        if ((echo = passiveLevel(kEchoFactor, 0.5 * range, ownerZ, at.z, noise)) != 0)
            break;
    if (echo == 0)
        return false;
    // A hull echoes less bow- or stern-on than on the beam.
    const int aspect = sensorAspectPoints(owner(), target);
    if (echo <= 20 - aspect)
        return false;
    echo = std::min(echo - (20 - aspect), 100);
    const double ownSpeed = owner().motion ? owner().motion->speed : 0.0;
    if (!(echo > targetLevel(ownSpeed)))
        return false;
    const double bearing = geoBearing(at.x - x, at.y - y);
    if (!inArc(bearing, false))
        return false;
    double measuredBearing = 0.0, measuredRange = 0.0;
    measure(bearing, range, measuredBearing, measuredRange);
    onEvent(target, measuredBearing, measuredRange, echo);
    return true;
}

void ActiveSonar::onEvent(Entity& entity, double bearing, double range, int level) {
    onNoise(entity.id, static_cast<int>(bearing), range * kMetresToYards, level);
}

void ActiveSonar::scanList(Entity& entity) {
    Entity& ownBoat = owner();
    const double ambient = soundProfile().ambientNoise;
    const double ownZ = worldPoint(ownBoat).z, entityZ = worldPoint(entity).z;
    for (auto* node = entity.sensors.head(); node; node = node->next) {
        Sensor& hearer = *node->item;
        if (hearer.type != kSensorIntercept || hearer.deleteFlag)
            continue;
        const int level =
            passiveLevel(kEchoFactor, 0.5 * entityRange3dYards(ownBoat, entity), ownZ, entityZ, kReplyNoise);
        if (!(level > ambient))
            continue;
        const double back = entityBearing(entity, ownBoat);
        hearer.onPing(ownBoat.id, static_cast<int>(back), level);
        entity.processContactRecord(ownBoat, interceptFix(ownBoat, entity, back, level, kSensorIntercept));
    }
}

void ActiveSonar::trackEvent(int slot, std::int32_t sourceId, double bearing, double range,
                             std::int32_t lineFrequency, int sensorType) {
    ReceiverSensor* array = currentArray();
    if (!array)
        return;
    TrackSlot* tracker = armTracker(trackersOf(*array), slot, bearing, range, lineFrequency, sensorType);
    if (!tracker || sourceId <= 0)
        return;
    tracker->locked = 1;
    tracker->armed = 0;
    tracker->source = static_cast<std::int16_t>(sourceId);
    tracker->stamp1 = simClock().gameClock;
}

} // namespace q71
