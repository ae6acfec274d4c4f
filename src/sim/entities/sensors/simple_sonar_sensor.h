#pragma once
// The passive sonar of a computer-run platform or weapon. It hears a target by the target's own
// noise through the acoustic propagation rule of the sound-speed profile, when the level beats
// both the ambient noise and the sonar's own flow noise, and one of the target's signature
// lines falls in its band.

#include "sim/entities/sensors/sensor.h"

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
    };
    HearingScan hearingScan() const;
    /// What canSense works out of a target before it knows whether it can hear it at all.
    struct Hearing {
        WorldPoint target;
        double share = 1.0;
        int noise = 0;
        bool special = false;
    };
    /// False where canSense ends before any draw: the target outside the window, or out of
    /// hearing at the longest axis of its offset (its range is at least that).
    bool mayHear(HearingScan& scan, const Entity& entity, Hearing& hearing) const;
    /// The same for a ping heard by the entity's receivers: the pinging sonar's curve at level 0,
    /// out half the way.
    bool pingMayReach(HearingScan& scan, const Entity& entity) const;
    void scanWorld() override;

private:
    // The passive curve (or, `active`, the player's boat's) for a source level and the listener's
    // height, kept for the loudnesses met lately: they are the same few in every scan, and the
    // curve a pure function of the figures.
    Curve curveOf(const SoundLayers& layers, bool active, double source, int level, double sensorZ) const;
    // The longest axis of the target's offset from the sensor, times a share of the way.
    double leastRange(const WorldPoint& target, double share) const;
    // The range points and levels of the two curves, for a listener's height and a source level.
    void passivePropagation(double source, double sensorZ, int level, PropagationPoints& points,
                            PropagationLevels& levels) const;
    void activePropagation(double sensorZ, int level, PropagationPoints& points,
                           PropagationLevels& levels) const;
    // The range the player's boat is heard at: farther with its quieting, and the loud-sonar option.
    double activeRange(double range) const;
};

} // namespace q71
