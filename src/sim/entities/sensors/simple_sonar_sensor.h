#pragma once
// The passive sonar of a computer-run platform or weapon. It hears a target by the target's own
// noise through the acoustic propagation rule of the sound-speed profile, when the level beats
// both the ambient noise and the sonar's own flow noise, and one of the target's signature
// lines falls in its band.

#include "sim/entities/sensors/sensor.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace q71 {

class SimpleSonarSensor : public Sensor {
public:
    /// A passive sonar; the figure (below 4) sets its arc, errors, threshold and band.
    SimpleSonarSensor(Entity& owner, float figure);

    bool canSense(Entity& entity) override;
    int passiveLevel(double source, double range, double sensorZ, double targetZ, int level) override;
    int activeLevel(double range, double sensorZ, double targetZ, int level) override;
    bool scanMayReach(const Entity& entity) const override;

    /// The range points and levels of a curve the propagation rule works with.
    struct Curve {
        PropagationPoints points;
        PropagationLevels levels;
    };

protected:
    /// What the tests of hearing read of the world, once for a scan until an entity's tests (which
    /// may change anything) have run.
    struct HearingScan {
        SoundLayers layers;
        double ownerZ = 0.0;
        /// The passive curve's farthest range points over every noise an entity makes, for the
        /// noise factors met in the scan (by the factor's bits), while the curve's switches stay.
        struct Loudest {
            std::uint32_t source = 0;
            bool known = false;
            PropagationPoints points;
        };
        std::array<Loudest, 8> loudest{};
        std::uint64_t bounded = 0; ///< the figure's bits and the curves' switches the bounds hold for
    };
    HearingScan hearingScan() const;
    /// Reads the layers and the owner's height again after an entity's tests, keeping the bounds
    /// while the curves they bound stay the same.
    void refreshHearing(HearingScan& scan) const;
    /// What canSense works out of a target before it knows whether it can hear it at all.
    struct Hearing {
        WorldPoint target;
        double share = 1.0;
        int noise = 0;
        bool special = false;
    };
    /// False where canSense ends before any draw: the target outside the window, or out of
    /// hearing at the longest axis of its offset (its range is at least that).
    bool mayHear(const HearingScan& scan, const Entity& entity, Hearing& hearing) const;
    /// mayHear in a scan: an entity out of hearing at the loudest noise any entity makes, on its
    /// noise factor's curve, is out of hearing at its own, whose noise need not be asked.
    bool mayHearInScan(HearingScan& scan, const Entity& entity, Hearing& hearing) const;
    /// Asks for what the test of an entity heard near enough reads: its record and class (the
    /// noise), the motion's noisy states and top speed.
    static void askForNoise(const Entity& entity);
    /// The same for a ping heard by the entity's receivers: the pinging sonar's curve at level 0,
    /// out half the way.
    bool pingMayReach(const HearingScan& scan, const Entity& entity) const;
    void scanWorld() override;

private:
    // The passive curve (or, `active`, the player's boat's) for a source level and the listener's
    // height, kept for the loudnesses met lately: they are the same few in every scan, and the
    // curve a pure function of the figures.
    Curve curveOf(const SoundLayers& layers, bool active, double source, int level, double sensorZ) const;
    // The switches of the curves for the layers and the listener's height.
    static std::uint32_t curveSwitches(const SoundLayers& layers, bool active, double sensorZ);
    // The passive curve's farthest range points over the noises 0 to the loudest, for a source
    // factor (a range point moves one way with the noise: the farthest lie at one end).
    const PropagationPoints& loudestPoints(HearingScan& scan, float source) const {
        const auto bits = std::bit_cast<std::uint32_t>(source);
        HearingScan::Loudest& slot = scan.loudest[(bits * 0x9E3779B9u) >> 29];
        return slot.known && slot.source == bits ? slot.points : boundLoudest(scan, slot, source);
    }
    // Works out the bound of loudestPoints into a slot.
    const PropagationPoints& boundLoudest(HearingScan& scan, HearingScan::Loudest& slot, float source) const;
    // The longest axis of the target's offset from the sensor, times a share of the way.
    double leastRange(const WorldPoint& target, double share) const {
        return share * std::max({std::fabs(target.x - x), std::fabs(target.y - y), std::fabs(target.z - z)});
    }
    // The range points and levels of the two curves, for a listener's height and a source level.
    void passivePropagation(double source, double sensorZ, int level, PropagationPoints& points,
                            PropagationLevels& levels) const;
    void activePropagation(double sensorZ, int level, PropagationPoints& points,
                           PropagationLevels& levels) const;
    // The range the player's boat is heard at: farther with its quieting, and the loud-sonar option.
    double activeRange(double range) const;
};

} // namespace q71
