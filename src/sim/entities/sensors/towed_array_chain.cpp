#include "sim/entities/sensors/towed_array_chain.h"

#include "framework/math/fast_math.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kLinkYards = 10.0;      // between two elements
constexpr double kDragSpeed = 3.048;     // m/s: an element slower than this sinks
constexpr double kMaxLinkRise = 10.0;    // m an element rises or falls against its leader per update
constexpr double kHighestElement = -1.0; // m: an element never breaks the surface
constexpr double kFeetPerMetre = 0.3280839895013124;

std::array<double, 3> sternPoint(const MotionModel& motion) {
    const double d = motion.submarineConstantB;
    return {motion.x + tableCosDegrees(motion.heading + 450.0) * d,
            motion.y + tableCosDegrees(motion.heading + 180.0) * d,
            motion.z - tableCosDegrees(motion.pitch + 270.0) * d};
}

double planar(const std::array<double, 3>& from, const std::array<double, 3>& to) {
    return geoRange(to[0] - from[0], to[1] - from[1]);
}

// Where a new element comes from: one link beyond its leader (already moved), continuing the line
// from the element before the leader, or astern of the boat behind the first element.
std::array<double, 3> paidOut(const TowedArrayChain::Elements& elements, std::size_t i,
                              const MotionModel& motion) {
    const std::array<double, 3>& leader = elements[i - 1];
    double bearing = angleAdd(motion.heading, 180.0);
    if (i >= 2 && planar(elements[i - 2], leader) > 0.0)
        bearing = geoBearing(leader[0] - elements[i - 2][0], leader[1] - elements[i - 2][1]);
    std::array<double, 3> point{0.0, 0.0, leader[2]};
    geoProject(leader[0], leader[1], bearing, kLinkYards, point[0], point[1]);
    return point;
}

} // namespace

void TowedArrayChain::start(Elements& elements, MotionModel& motion) {
    if (!elements.empty())
        elements.front() = sternPoint(motion);
    receiver_ = sternPoint(motion);
    axis_ = motion.heading;
    placed_ = 1;
    motion.distanceRun = 0.0;
}

std::size_t TowedArrayChain::lastElement(const Elements& elements, const MotionModel& motion) {
    // The streamed length may not reach beyond the chain's table.
    const double streamed = std::max(motion.arrayLength1, motion.arrayLength2) * 0.1;
    return static_cast<std::size_t>(std::clamp(streamed, 0.0, static_cast<double>(elements.size() - 1)));
}

void TowedArrayChain::restore(const Elements& elements, const MotionModel& motion) {
    if (elements.empty())
        return;
    placed_ = lastElement(elements, motion) + 1;
    count_ = static_cast<int>(placed_ - 1);
}

bool TowedArrayChain::update(Elements& elements, MotionModel& motion, double dt, double now) {
    if (elements.empty() || !(motion.arrayLength1 > kShortestArray) ||
        !(motion.distanceRun > kUpdateDistance))
        return false;
    motion.distanceRun = 0.0;
    const std::size_t last = lastElement(elements, motion);
    count_ = static_cast<int>(last);
    const double elapsed = now - lastUpdate_;
    elements.front() = sternPoint(motion);
    for (std::size_t i = 1; i <= last; ++i) {
        const std::array<double, 3>& leader = elements[i - 1];
        std::array<double, 3>& element = elements[i];
        // An element just paid out starts one link beyond its leader, on the line of the chain
        // (astern of the boat for the first), rather than wherever its row of the table stood.
        const std::array<double, 3> before = i < placed_ ? element : paidOut(elements, i, motion);
        const double d0 = planar(leader, before);
        const double bearing = d0 > 0.0 ? geoBearing(before[0] - leader[0], before[1] - leader[1])
                                        : angleAdd(motion.heading, 180.0);
        geoProject(leader[0], leader[1], bearing, kLinkYards, element[0], element[1]);
        const double speed = elapsed > 0.0 ? planar(before, element) / elapsed : kDragSpeed;
        const double d1 = planar(leader, element);
        double sink = 0.0;
        if (speed < kDragSpeed && motion.maxArrayLength > 0.0)
            sink = (kDragSpeed - speed) * kFeetPerMetre *
                   (10.0 * static_cast<double>(i) / motion.maxArrayLength) * 1.524 * dt;
        const double ratio = d0 > 0.0 ? d1 / d0 : 1.0;
        element[2] = std::min(
            leader[2] + std::clamp((before[2] - leader[2]) * ratio - sink, -kMaxLinkRise, kMaxLinkRise),
            kHighestElement);
    }
    placed_ = last + 1;
    axis_ = last >= 1 ? geoBearing(elements[last - 1][0] - elements[last][0],
                                   elements[last - 1][1] - elements[last][1])
                      : motion.heading;
    receiver_ = elements[last];
    const double floor = MotionModel::terrainHeight(receiver_[0], receiver_[1]);
    onBottom_ = receiver_[2] < floor;
    if (onBottom_)
        receiver_[2] = floor;
    lastUpdate_ = now;
    return true;
}

} // namespace q71
