#pragma once
// The own boat's two intercept receivers. The intercept sonar hears other platforms' active
// pings, keeps the bearing, frequency and timing of the last one and plays it; the emitter
// receiver (ESM, on its mast) hears radar sweeps. Each keeps five rows of one second that
// the intercept and ESM displays draw.

#include "sim/entities/sensors/receiver_sensor.h"

namespace q71 {

/// The rows of an intercept receiver: one a second, five kept.
inline constexpr std::size_t kInterceptRows = 5;

class InterceptSonar : public ReceiverSensor {
public:
    InterceptSonar(Entity& owner, float figure);

    /// A new row each whole second of game time.
    void step(double dt) override;
    /// A ping heard: its bearing, frequency and timing are kept, it is written into the rows and
    /// played at its level.
    void onPing(std::int32_t sourceId, int bearing, int level) override;

    /// Bearing (degrees) of the last intercept.
    double lastBearing() const { return lastBearing_; }
    /// Frequency (Hz) of the last intercepted sonar.
    std::int32_t lastFrequency() const { return lastFrequency_; }
    /// Game time of the last intercept; 0 before the first.
    double lastInterceptTime() const { return lastTime_; }
    /// Whole seconds between the last two intercepts.
    std::int32_t interceptInterval() const { return interval_; }

private:
    double lastBearing_ = 0.0;
    std::int32_t lastFrequency_ = 0;
    double lastTime_ = 0.0;
    std::int32_t interval_ = 0;
    double lastRowTime_ = 0.0;
};

class EsmSensor : public ReceiverSensor {
public:
    EsmSensor(Entity& owner, float figure);

    /// Takes the own boat's place, then a new row each whole second of game time.
    void step(double dt) override;
    /// A sweep heard: its bearing and time are kept and it is written into the rows.
    void onPing(std::int32_t sourceId, int bearing, int level) override;

    /// Bearing (degrees) and game time of the last intercept.
    double lastBearing() const { return lastBearing_; }
    double lastInterceptTime() const { return lastTime_; }

private:
    double lastBearing_ = 0.0;
    double lastTime_ = 0.0;
    double lastRowTime_ = 0.0;
};

} // namespace q71
