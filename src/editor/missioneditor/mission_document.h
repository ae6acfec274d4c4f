#pragma once
// The mission editor's document: the map objects of the mission being edited, its texts,
// environment, goals and grade thresholds, and whether it changed since it was last saved or
// opened. Every edit goes through the document, which marks it changed.

#include "framework/lists/linked_list.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/scenario_file.h"
#include "tactical/charts/map_object.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

class MissionObject;

class MissionDocument {
public:
    MissionDocument() = default;
    MissionDocument(const MissionDocument&) = delete;
    MissionDocument& operator=(const MissionDocument&) = delete;
    ~MissionDocument() { objects.deleteAll(); }

    /// Appends an object (owned by the document) and marks the document changed.
    void addObject(MapObject* object) {
        changed = true;
        objects.setCursor(objects.tail());
        objects.appendItem(object);
    }
    /// Takes an object off the document and frees it.
    void deleteObject(MapObject* object);
    /// Frees every object and goal and puts texts, environment and thresholds back to a new
    /// mission's; the document is unchanged afterwards.
    void clear();

    /// The objects that are own-ship starts or units, in document order.
    template <class Visit> void forEachMissionObject(Visit visit) const;

    /// Deletes a goal with its subtree and unbinds every unit from the goals it took along.
    void deleteGoal(GoalNode* goal);
    /// The unit bound to a goal, or null.
    MissionObject* unitOfGoal(std::int32_t goalId) const;

    LinkedList<MapObject> objects;
    bool changed = false;

    std::array<std::optional<std::string>, kScenarioTextCount> texts; ///< Windows-1252, "\r\n" paragraphs
    ScenarioHeader header;
    GoalTree goals;
    /// The goal section of the opened file as it stands there (empty for a new mission): the
    /// tree reads each level in reverse, so a tree left as it was read is written back as these
    /// bytes, not in its own order.
    std::vector<std::uint8_t> goalsAsRead;
    GradeThresholds thresholds = kDefaultGradeThresholds;
};

} // namespace q71

#include "editor/missioneditor/mission_object.h"

namespace q71 {

template <class Visit> void MissionDocument::forEachMissionObject(Visit visit) const {
    for (auto* node = objects.head(); node; node = node->next)
        if (auto* object = dynamic_cast<MissionObject*>(node->item))
            visit(*object);
}

} // namespace q71
