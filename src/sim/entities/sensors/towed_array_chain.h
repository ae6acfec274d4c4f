#pragma once
// The towed array's element chain: one element every 10 yards of the streamed length, the
// first at the boat's stern, each following its leader at one link's length as the boat
// runs, sinking when it drags slowly. The last element is where the array listens from, and
// the line from it to the one before gives the array's axis.

#include <array>
#include <cstddef>
#include <vector>

namespace q71 {

class MotionModel;

class TowedArrayChain {
public:
    using Elements = std::vector<std::array<double, 3>>;

    /// Metres the boat runs between two updates of the chain.
    static constexpr double kUpdateDistance = 2.5;
    /// Streamed metres below which the chain stays as it is.
    static constexpr double kShortestArray = 10.0;

    /// Places the first element at the stern of the boat and restarts the distance run.
    void start(Elements& elements, MotionModel& motion);
    /// After a saved chain was read back: the elements of the streamed length keep their places.
    void restore(const Elements& elements, const MotionModel& motion);
    /// Moves the chain when the array is streamed and the boat has run far enough since the last
    /// update; true when it moved. dt is the step's length, now the game time.
    bool update(Elements& elements, MotionModel& motion, double dt, double now);

    /// Elements streamed beyond the first at the last update.
    int elementCount() const { return count_; }
    /// True when the last element lay on the sea floor at the last update.
    bool onBottom() const { return onBottom_; }
    /// The axis (degrees) and the listening place at the last update.
    double axis() const { return axis_; }
    const std::array<double, 3>& receiver() const { return receiver_; }

private:
    static std::size_t lastElement(const Elements& elements, const MotionModel& motion);

    double lastUpdate_ = -1.0; // game time of the last update
    std::size_t placed_ = 1;   // elements that have a place of their own
    int count_ = 0;
    bool onBottom_ = false;
    double axis_ = 0.0;
    std::array<double, 3> receiver_{};
};

} // namespace q71
