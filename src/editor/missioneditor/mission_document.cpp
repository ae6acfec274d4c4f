#include "editor/missioneditor/mission_document.h"

#include <algorithm>
#include <vector>

namespace q71 {

void MissionDocument::deleteObject(MapObject* object) {
    const int before = objects.count();
    if (objects.remove(object) < before) {
        delete object;
        changed = true;
    }
}

void MissionDocument::clear() {
    objects.deleteAll();
    goals.clear();
    goalsAsRead.clear();
    texts = {};
    header = ScenarioHeader{};
    thresholds = kDefaultGradeThresholds;
    changed = false;
}

void MissionDocument::deleteGoal(GoalNode* goal) {
    std::vector<std::int32_t> gone;
    goalTreeForEach(goal->firstChild, [&](const GoalNode& n) { gone.push_back(n.id); });
    gone.push_back(goal->id);
    forEachMissionObject([&](MissionObject& unit) {
        for (std::int32_t* bound : {&unit.fields.goalNode1, &unit.fields.goalNode2})
            if (std::find(gone.begin(), gone.end(), *bound) != gone.end())
                *bound = 0;
    });
    goals.deleteNode(goal);
    changed = true;
}

MissionObject* MissionDocument::unitOfGoal(std::int32_t goalId) const {
    MissionObject* found = nullptr;
    if (goalId > 0)
        forEachMissionObject([&](MissionObject& unit) {
            if (!found && !unit.isStart() && (unit.fields.goalNode1 == goalId || unit.fields.goalNode2 == goalId))
                found = &unit;
        });
    return found;
}

} // namespace q71
