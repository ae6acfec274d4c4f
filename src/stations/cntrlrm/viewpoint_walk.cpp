#include "stations/cntrlrm/viewpoint_walk.h"

namespace q71 {

void ViewpointWalk::start(int direction) {
    if (!moving())
        previous_ = current_;
    current_ = (current_ + (direction < 0 ? kRoomViewpointCount - 1 : 1)) % kRoomViewpointCount;
    steps_ = kSteps;
}

RoomCamera ViewpointWalk::step() {
    if (steps_ > 0)
        --steps_;
    const RoomCamera& to = kRoomViewpoints[static_cast<std::size_t>(current_)].camera;
    const RoomCamera& from = kRoomViewpoints[static_cast<std::size_t>(previous_)].camera;
    const float back = 0.2f * static_cast<float>(steps_);
    const float on = 1.0f - back;
    return {to.x * on + from.x * back, to.y * on + from.y * back, to.z * on + from.z * back,
            to.heading * on + from.heading * back, to.pitch * on + from.pitch * back};
}

} // namespace q71
