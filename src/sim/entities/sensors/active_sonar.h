#pragma once
// The own boat's active sonar. The active sonar display sets its transmit interval: a ping is
// then due at once and repeats every interval (0: a single ping; −1: silent). A ping hears the
// echoes of the ships, submarines and weapons it reaches at once, writes them into one of four
// ping rows with the source of each echo per degree, and is itself heard by every intercept
// receiver it reaches, whose platform learns where the own boat is.

#include "sim/entities/sensors/array_sonar.h"
#include "sim/services/audio_service.h"

namespace q71 {

class ActiveSonar : public ArraySonar {
public:
    static constexpr std::size_t kPingRows = 4;
    /// The source of the echo heard per whole degree of true bearing (0: none).
    using Snapshot = std::array<std::uint16_t, 360>;

    /// An active sonar of the owner with its figure and first transmit interval.
    ActiveSonar(Entity& owner, float figure, std::int16_t transmitInterval);

    /// The ping cycle: a ping when one is due.
    void step(double dt) override;
    /// The echo of a target; true when heard.
    bool canSense(Entity& target) override;
    /// The ping heard by the target's intercept receivers.
    void scanList(Entity& entity) override;
    /// An echo goes straight to onNoise.
    void onEvent(Entity& entity, double bearing, double range, int level) override;
    /// Arms a tracker of the own boat's current passive array, locked at once on a known source.
    void trackEvent(int slot, std::int32_t sourceId, double bearing, double range, std::int32_t lineFrequency,
                    int sensorType) override;

    /// The echo sources per degree of a ping row (0 to 3), as they stood at the end of its ping.
    const Snapshot& pingSnapshot(std::size_t row) const { return snapshots_[row % kPingRows]; }
    /// The ping row of the newest ping.
    std::size_t pingSlot() const { return broadband_->writeIndex(); }
    /// The passive array whose trackers the active sonar works with: the bow array, or null.
    ReceiverSensor* currentArray() const;

protected:
    Trackers* noiseTrackers() override;

private:
    void ping(double now);

    std::array<Snapshot, kPingRows> snapshots_{};
    SoundSampleId pingSound_ = 0; // 0 when it could not be loaded
};

} // namespace q71
