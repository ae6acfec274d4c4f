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

private:
    // The range points and levels of the two curves, for a listener's height and a source level.
    void passivePropagation(double source, double sensorZ, int level, PropagationPoints& points,
                            PropagationLevels& levels) const;
    void activePropagation(double sensorZ, int level, PropagationPoints& points,
                           PropagationLevels& levels) const;
    // The range the player's boat is heard at: farther with its quieting, and the loud-sonar option.
    double activeRange(double range) const;
};

} // namespace q71
