#include "stations/shipctrl/helm_wheel.h"

#include "platform/geometry/region.h"
#include "platform/window/window_layout.h"
#include "stations/shipctrl/ship_orders.h"

#include <array>
#include <cmath>

namespace q71 {

HelmWheel::HelmWheel(WindowHandle parent, int id, int x, int y, double maxRudder, double maxPlanes)
    : ShipCtrlRWDial(parent, id, x, y, 282, 124, "wheelbk.bmp", "Wheel5b"),
      k1_(18.0 / (2.0 * maxRudder)), k2_(0.18 / (2.0 * maxPlanes)) {
    actual_.position = {0.0f, static_cast<float>(offset_), -1.0f};
    // The panel's outline: the label strip above it and the rudder dial's notch stay the station's.
    constexpr std::array<Point, 10> kOutline{{{0, 10}, {98, 10}, {98, 82}, {102, 86}, {180, 86}, {184, 82},
                                               {184, 10}, {281, 10}, {281, 123}, {0, 123}}};
    windowSetShape(window(), Region::polygon(kOutline, PolygonFillMode::Winding), false);
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
