#pragma once
// Scoring of a mission: every posted event is matched against the goal tree; a goal it meets
// adds its points, queues its radio message and runs its action; the event then goes to the
// replay log. At the end the survivors are posted and the mission is graded.

#include "sim/scoring/goal_node.h"
#include "sim/scoring/mission_event.h"

namespace q71 {

/// Scores an event against the mission's goal tree and, when `logFlag` is non-zero, logs it.
/// An event about an entity that is not in the world is dropped.
void scoringPostEvent(const MissionEvent& event, int logFlag);

/// Evaluates an event on the level that starts at `first`: achieved goals pass it to their
/// children, the first open goal it meets is achieved. 1 when a goal was achieved.
int goalTreeEvaluate(const MissionEvent& event, GoalNode* first);

/// The end of the mission for scoring: every entity still in it posts that it survived, then the
/// won flag and the grade are set.
void scoringGradeMission();

} // namespace q71
