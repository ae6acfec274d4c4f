#pragma once
// Whether an event fits one goal: the kinds, the time window and the goal kind's own test of
// subject, area, depth and speed. The recovery test and the goal's action come after this
// (goal_actions.h); scoring.h puts them together.

#include "sim/scoring/goal_node.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/mission_world.h"

namespace q71 {

/// Speeds at or below this (absolute, speed units) count as stopped.
inline constexpr double kStoppedSpeed = 2.0;

/// True when the goal is open and its kind takes events of the event's kind.
bool goalKindTakesEvent(const GoalNode& node, const MissionEvent& event, const MissionWorld& world);
/// True when the event lies in the goal's time window (always, without one).
bool goalTimeWindowPasses(const GoalNode& node, const MissionEvent& event);
/// The goal kind's own test.
bool goalKindTestPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world);

/// The subject filter: the target entity as the event's object, the own boat, or a record id.
bool goalSubjectFilterPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world);
/// The area test around the target entity's position, or the stored centre without one.
bool goalAreaPasses(const GoalNode& node, const MissionEvent& event, const MissionWorld& world);
/// The depth condition on the event's height.
bool goalDepthPasses(std::int32_t condition, double z);
/// True when there is an own boat and it makes at most 2.0 either way.
bool ownBoatStopped(const MissionWorld& world);

} // namespace q71
