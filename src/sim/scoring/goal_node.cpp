#include "sim/scoring/goal_node.h"

#include "sim/scoring/byte_layout.h"

namespace q71 {
namespace {

template <class Io, class Node> void goalNodeLayout(const Io& io, Node& node) {
    io.i32(0, node.id);
    io.bytes(4, node.carriedA);
    io.i32(44, node.achieved);
    io.i32(48, node.kind);
    io.i32(52, node.carriedB);
    io.f64(56, node.centreX);
    io.f64(64, node.centreY);
    io.i32(72, node.depthCondition);
    io.i32(76, node.subjectFilter);
    io.f64(80, node.radius);
    io.f64(88, node.halfWidth);
    io.f64(96, node.halfHeight);
    io.i32(104, node.targetId);
    io.i32(108, node.carriedC);
    io.f64(112, node.earliestTime);
    io.f64(120, node.latestTime);
    io.i32(128, node.points);
    io.i32(132, node.action);
    io.i32(136, node.required);
}

} // namespace

void goalNodeDecodeFixed(std::span<const std::uint8_t, kGoalNodeFixedSize> bytes, GoalNode& node) {
    goalNodeLayout(LayoutReader(bytes), node);
}

void goalNodeEncodeFixed(const GoalNode& node, std::span<std::uint8_t, kGoalNodeFixedSize> bytes) {
    goalNodeLayout(LayoutWriter(bytes), node);
}

} // namespace q71
