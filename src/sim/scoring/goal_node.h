#pragma once
// One goal of a mission: what must happen (a kind of event, about which entity, where, how
// deep, when), what it is worth, the radio message it sends and the action it sets off. The
// 140 fixed bytes are kept field by field, the bytes whose meaning belongs to the mission
// editor carried unchanged; the node's links place it in the goal tree, which owns it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

inline constexpr size_t kGoalNodeFixedSize = 140;

/// Goal kinds. A goal takes events of its own kind (and a few pairings, goal_match.h); the
/// comment says what its own test then asks.
enum GoalKind : std::int32_t {
    kGoalAlways = 0,      ///< nothing more
    kGoalDestroy = 1,     ///< the subject (or target) destroyed
    kGoalReachArea = 2,   ///< the subject in the area at the depth
    kGoalSubject = 3,     ///< the subject
    kGoalRecover = 4,     ///< the subject in the area at the depth, the own boat stopped
    kGoalStopInArea = 5,  ///< as kind 4
    kGoalMeetTarget = 6,  ///< the own boat meets the target
    kGoalTargetMeets = 7, ///< the target meets the own boat
    kGoalInArea = 8,      ///< the subject in the area
    kGoalSurvive = 9,     ///< the subject still in the mission at its end
    kGoalDamage = 20,     ///< the subject (or target) damaged
};

/// Goal actions, run when a goal is met.
enum GoalAction : std::int32_t {
    kActionNone = 0,
    kActionLandTeam = 1,      ///< put the team ashore towards the nearest land
    kActionRecoverTeam = 2,   ///< take the team back aboard
    kActionRecoverPilot = 3,  ///< take a downed pilot aboard
    kActionLaunchRescue = 4,  ///< send out the rescue submarine
    kActionRecoverRescue = 5, ///< take the rescue submarine back
    kActionLandTeamHere = 6,  ///< put the team out without a course
};

struct GoalNode {
    // The 140 fixed bytes, in file order.
    std::int32_t id = 0; ///< unique in the tree; 0 asks the tree for the next id
    std::array<std::uint8_t, 40> carriedA{};
    std::int32_t achieved = 0;
    std::int32_t kind = 0;
    std::int32_t carriedB = 0;
    double centreX = 0.0;
    double centreY = 0.0;
    std::int32_t depthCondition = 0;
    std::int32_t subjectFilter = 0; ///< 0 the own boat, n > 0 the record id n, negative never
    double radius = 0.0;            ///< used when halfWidth is not positive
    double halfWidth = 0.0;         ///< box test when positive
    double halfHeight = 0.0;
    std::int32_t targetId = 0; ///< target entity id, 0 for none
    std::int32_t carriedC = 0;
    double earliestTime = 0.0;
    double latestTime = 0.0; ///< no time window when not positive
    std::int32_t points = 0;
    std::int32_t action = 0;
    std::int32_t required = 0; ///< 1: the mission is won only with this goal

    std::optional<std::string> message; ///< the radio message, or none
    std::vector<std::uint8_t> data;     ///< the editor's data block, carried

    // Links, owned by the tree.
    GoalNode* next = nullptr;
    GoalNode* previous = nullptr;
    GoalNode* firstChild = nullptr;
    GoalNode* parent = nullptr;
};

/// Decodes the 140 fixed bytes into a node (links, message and data untouched).
void goalNodeDecodeFixed(std::span<const std::uint8_t, kGoalNodeFixedSize> bytes, GoalNode& node);
/// Encodes a node's fixed fields into 140 bytes.
void goalNodeEncodeFixed(const GoalNode& node, std::span<std::uint8_t, kGoalNodeFixedSize> bytes);

} // namespace q71
