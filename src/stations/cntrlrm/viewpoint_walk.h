#pragma once
// The walk between the room's nine viewpoints: an arrow press turns the index back or on (with
// wrap-around) and starts five steps that blend the camera from the previous viewpoint's row to the
// new one's. The marked viewpoint (the lit marker and the button held down) changes only when the
// steps are over; a press during a move keeps the viewpoint the move came from.

#include "stations/cntrlrm/cntrlrm_layout.h"

namespace q71 {

class ViewpointWalk {
public:
    static constexpr int kSteps = 5;

    /// Starts a move to the previous (direction < 0) or next viewpoint.
    void start(int direction);
    /// One step of a running move: the camera it reaches. Call only while moving().
    RoomCamera step();

    bool moving() const { return steps_ > 0; }
    int stepsLeft() const { return steps_; }
    int current() const { return current_; }
    int previous() const { return previous_; }
    /// The viewpoint the plan marks and whose button is down.
    int marked() const { return marked_; }
    /// The marked one moves to the current one (at the end of a move).
    void markCurrent() { marked_ = current_; }

private:
    int current_ = 0;
    int previous_ = 0;
    int marked_ = 0;
    int steps_ = 0;
};

} // namespace q71
