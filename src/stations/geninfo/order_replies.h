#pragma once
// What the host asks of the ship control station after its own order readouts commit: the
// station answers the course, speed and depth orders (its dials and readouts, and the crew with
// voice). The station implements it; the host finds it in station slot 0.

namespace q71 {

class OrderReplies {
public:
    virtual ~OrderReplies() = default;
    virtual void courseReply(bool voice) = 0;
    virtual void speedReply(bool voice) = 0;
    virtual void depthReply(bool voice) = 0;
};

} // namespace q71
