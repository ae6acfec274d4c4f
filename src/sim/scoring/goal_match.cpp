#include "sim/scoring/goal_match.h"

#include "sim/simulation/sound_profile.h"

#include <cmath>

namespace q71 {
namespace {

// Depth bands of the depth conditions, metres of height (negative down).
constexpr double kDeepBand = -152.4;      // 500 ft
constexpr double kShallowBand = -20.7264; // 68 ft
constexpr double kBand150Feet = -45.72;
constexpr double kBand100Feet = -30.48;
constexpr double kBand40Feet = -12.192;

bool isOwnBoat(const MissionWorld& world, std::int32_t id) {
    return world.ownBoatId() == id;
}

// Goals of kinds 1 and 20: the subject filter and the event kinds they take, and a penalty goal
// (not required, negative points) counts only for the own boat.
bool lossTestPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world,
                    std::int32_t eventKind) {
    if (!goalSubjectFilterPasses(node, event, world) ||
        (event.kind != eventKind && event.kind != kEventMineDetonation))
        return false;
    const bool penalty = node.required != 1 && node.points < 0;
    return !penalty || isOwnBoat(world, event.subject);
}

} // namespace

bool goalKindTakesEvent(const GoalNode& node, const MissionEvent& event, const MissionWorld& world) {
    if (node.achieved)
        return false;
    return node.kind == event.kind || (event.kind == kEventMeeting && node.kind == kGoalTargetMeets) ||
           (event.kind == kEventMineDetonation && (node.kind == kGoalDestroy || node.kind == kGoalDamage)) ||
           (event.kind == kEventOwnBoatMoved && node.kind == kGoalRecover && isOwnBoat(world, event.subject));
}

bool goalTimeWindowPasses(const GoalNode& node, const MissionEvent& event) {
    return node.latestTime <= 0.0 || (event.time >= node.earliestTime && event.time <= node.latestTime);
}

bool goalKindTestPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world) {
    switch (node.kind) {
    case kGoalAlways:
        return true;
    case kGoalDestroy:
        return lossTestPasses(node, event, world, kEventDestroyed);
    case kGoalDamage:
        return lossTestPasses(node, event, world, kEventDamaged);
    case kGoalReachArea:
        return goalSubjectFilterPasses(node, event, world) && goalAreaPasses(node, event, world) &&
               goalDepthPasses(node.depthCondition, event.z);
    case kGoalSubject:
        return goalSubjectFilterPasses(node, event, world);
    case kGoalRecover:
    case kGoalStopInArea:
        return goalSubjectFilterPasses(node, event, world) && goalAreaPasses(node, event, world) &&
               goalDepthPasses(node.depthCondition, event.z) && ownBoatStopped(world);
    case kGoalMeetTarget:
        return event.object == node.targetId && isOwnBoat(world, event.subject);
    case kGoalTargetMeets:
        return isOwnBoat(world, event.object) && event.subject == node.targetId;
    case kGoalInArea:
        return goalSubjectFilterPasses(node, event, world) && goalAreaPasses(node, event, world);
    case kGoalSurvive:
        return goalSubjectFilterPasses(node, event, world) && event.kind == kEventSurvived;
    default:
        return false;
    }
}

bool goalSubjectFilterPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world) {
    if (node.targetId != 0)
        return event.object == node.targetId;
    if (node.subjectFilter == 0)
        return isOwnBoat(world, event.subject);
    if (node.subjectFilter < 0)
        return false;
    const std::optional<EntityFacts> subject = world.findEntity(event.subject);
    return subject && subject->recordId == static_cast<std::uint32_t>(node.subjectFilter);
}

bool goalAreaPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world) {
    WorldPoint centre{node.centreX, node.centreY, 0.0};
    if (const std::optional<EntityFacts> target = world.findEntity(node.targetId);
        node.targetId != 0 && target)
        centre = target->position;
    if (node.halfWidth > 0.0)
        return std::fabs(event.x - centre.x) < node.halfWidth &&
               std::fabs(event.y - centre.y) < node.halfHeight;
    return geoRange(event.x - centre.x, event.y - centre.y) <= node.radius;
}

bool goalDepthPasses(std::int32_t condition, double z) {
    switch (condition) {
    case 0:
    case 10:
        return true;
    case 1:
        return z >= kDeepBand;
    case 2:
        return z < kDeepBand;
    case 3:
        return z >= kShallowBand;
    case 4:
        return z < kShallowBand;
    case 5:
        return z >= soundProfile().layerDepth;
    case 6:
        return z < soundProfile().layerDepth;
    case 7:
        return z > kBand150Feet;
    case 8:
        return z > kBand100Feet;
    case 9:
        return z > kBand40Feet;
    default:
        return false;
    }
}

bool ownBoatStopped(const MissionWorld& world) {
    return world.ownBoatId() && std::fabs(world.ownBoatSpeed()) <= kStoppedSpeed;
}

} // namespace q71
