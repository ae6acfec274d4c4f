#pragma once
// The helm wheel: a yoke over the helmsman's panel that turns with the rudder and moves up and
// down with the bow planes. It takes no orders.

#include "stations/shipctrl/ship_ctrl_dial.h"

namespace q71 {

class HelmWheel : public ShipCtrlRWDial {
public:
    /// Degrees the yoke turns per step of the wheel.
    static constexpr int kDegreesPerStep = 5;

    /// The gains bring the boat's full rudder to nine steps and its full planes across the offset's range.
    HelmWheel(WindowHandle parent, int id, int x, int y, double maxRudder, double maxPlanes);

    /// Follows the boat: the rudder (degrees, clamped) and the bow planes (degrees).
    void follow(double rudder, double planes);
    int step() const { return step_; }
    double offset() const { return offset_; }

private:
    double k1_, k2_;
    int step_ = 0;
    double offset_ = -0.06;
};

} // namespace q71
