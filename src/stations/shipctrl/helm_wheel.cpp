#include "stations/shipctrl/helm_wheel.h"

#include "stations/shipctrl/ship_orders.h"

#include <cmath>

namespace q71 {

HelmWheel::HelmWheel(WindowHandle parent, int id, int x, int y, double maxRudder, double maxPlanes)
    : ShipCtrlRWDial(parent, id, x, y, 282, 124, "wheelbk.bmp", "Wheel5b"),
      k1_(18.0 / (2.0 * maxRudder)), k2_(0.18 / (2.0 * maxPlanes)) {
    actual_.position = {0.0f, static_cast<float>(offset_), -1.0f};
}

void HelmWheel::follow(double rudder, double planes) {
    const int step = wheelStep(rudder, k1_);
    const double offset = wheelOffset(planes, k2_);
    if (step != step_ || offset != offset_)
        markChanged();
    step_ = step;
    offset_ = offset;
    actual_.angle = step * kDegreesPerStep;
    actual_.position.y = static_cast<float>(offset);
    draw();
}

} // namespace q71
