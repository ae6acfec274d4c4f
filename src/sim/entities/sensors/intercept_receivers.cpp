#include "sim/entities/sensors/intercept_receivers.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kSubmarinePingBelow = 4000.0; // Hz: lower pings come from submarines

ReceiverHistories interceptHistories() {
    return {false, kInterceptRows, false};
}

// A new row each whole second. The row carries its time, from which the displays fade it out.
void stepRows(SoundRing<BroadbandRow>& rows, double& lastRowTime) {
    const double now = simClock().gameClock;
    const double second = std::trunc(now);
    if (!(second > lastRowTime))
        return;
    BroadbandRow& row = rows.take();
    row = BroadbandRow{};
    row.time = now;
    lastRowTime = second;
}

} // namespace

InterceptSonar::InterceptSonar(Entity& owner, float figure)
    : ReceiverSensor(owner, figure, interceptHistories(), 0) {
    type = kSensorIntercept;
    maxHeight = 5;
    minHeight = -3000;
}

void InterceptSonar::step(double /*dt*/) {
    stepRows(*broadband_, lastRowTime_);
}

void InterceptSonar::onPing(std::int32_t sourceId, int bearing, int level) {
    const double now = simClock().gameClock;
    lastBearing_ = bearing;
    if (lastTime_ != 0.0)
        interval_ = static_cast<std::int32_t>(std::clamp(now - lastTime_, 0.0, 2.0e9));
    lastTime_ = now;
    Entity* source = worldFindEntity(sourceId);
    if (source)
        lastFrequency_ = static_cast<std::int32_t>(std::clamp(source->activeSonar, -2.0e9, 2.0e9));
    onNoise(sourceId, bearing, 0.0, level);
    if (!source)
        return;
    const char* sample = source->kind == kKindWeapon            ? "torpping.wav"
                         : lastFrequency_ < kSubmarinePingBelow ? "subping.wav"
                                                                : "surfping.wav";
    AudioService& audio = simAudio();
    if (const SoundVoiceId voice = audio.playByName(sample, false, false, true)) {
        audio.setVoiceVolume(voice, level);
        audio.startVoice(voice);
        audio.freeVoice(voice);
    }
}

EsmSensor::EsmSensor(Entity& owner, float figure) : ReceiverSensor(owner, figure, interceptHistories(), 0) {
    type = kSensorEsm;
    maxHeight = 10000;
    minHeight = -11;
}

void EsmSensor::step(double /*dt*/) {
    if (const MotionModel* motion = owner().motion.get()) {
        x = motion->x;
        y = motion->y;
        z = motion->z;
    }
    stepRows(*broadband_, lastRowTime_);
}

void EsmSensor::onPing(std::int32_t sourceId, int bearing, int level) {
    lastBearing_ = bearing;
    lastTime_ = simClock().gameClock;
    onNoise(sourceId, bearing, 0.0, level);
}

} // namespace q71
