#pragma once
// The plane and rudder dials: a pointer swinging over a scale. The plane dials only show; a click
// below the rudder dial's pivot line orders the rudder in 5-degree steps, answered by the helm.

#include "stations/shipctrl/course_dial.h"

namespace q71 {

/// Where a dial's two pointers stand and how large they are drawn.
struct DialPlacement {
    r3d::Vec3 actualPosition, orderedPosition;
    float actualScale, orderedScale;
};

class PlaneDial : public CourseDial {
public:
    PlaneDial(WindowHandle parent, int id, int x, int y, int width, int height, std::string background,
              std::string actualModel, std::string orderedModel, const DialPlacement& placement);

    void onLeftDown(int x, int y) override;
};

class RudderDial : public PlaneDial {
public:
    using PlaneDial::PlaneDial;

    void onLeftDown(int x, int y) override;
};

} // namespace q71
