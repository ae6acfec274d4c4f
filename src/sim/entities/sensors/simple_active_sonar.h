#pragma once
// The active sonar of a computer-run platform or weapon: every transmit interval it pings, hears
// the echoes of what the ping reaches, and for five seconds after the ping the targets' passive
// sonars (and, in the step of the ping, their intercept receivers) hear it in turn.

#include "sim/entities/sensors/simple_sonar_sensor.h"

namespace q71 {

class SimpleActiveSonar : public SimpleSonarSensor {
public:
    /// An active sonar pinging every `transmitInterval` seconds (−1: silent until told to ping;
    /// 0: one ping). Its arc follows the owner's kind.
    SimpleActiveSonar(Entity& owner, float figure, std::int16_t transmitInterval);

    void step(double dt) override;
    /// The last ping heard by the target's passive sonars and intercept receivers.
    void scanList(Entity& entity) override;
    bool scanMayReach(const Entity& entity) const override;

private:
    bool pinged_ = false; // no ping is heard before the first one
};

} // namespace q71
