#include "editor/missioneditor/mission_checks.h"

#include "editor/missioneditor/mission_document.h"
#include "framework/textmngr/text_manager.h"
#include "sim/simulation/geometry.h"
#include "sim/world/terrain_world.h"

#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr int kTextNoStart = 2600;
constexpr int kTextNameTooLong = 2601;
constexpr int kTextOffGrid = 2602;
constexpr int kTextOnLand = 2603;
constexpr int kTextTooDeep = 2604;
constexpr int kTextGoalUnbound = 2605;
constexpr int kTextRoutePoint = 2610;

bool onGrid(double x, double y) {
    double width = 0, height = 0;
    return worldExtent(&width, &height) && x >= 0.0 && y >= 0.0 && x <= width && y <= height;
}

std::string goalLabel(const GoalNode& goal) {
    return goal.message && !goal.message->empty() ? *goal.message : std::to_string(goal.id);
}

void checkObject(const MissionObject& object, MissionCheck& check) {
    const ScenarioRecord record = object.record();
    const char* name = object.label().c_str();
    if (object.label().size() > kScenarioNameLength)
        check.refusals.push_back(textFormatted(kTextNameTooLong, name));
    if (!onGrid(record.x, record.y)) {
        check.refusals.push_back(textFormatted(kTextOffGrid, name));
        return;
    }
    for (const ScenarioWaypoint& point : record.waypoints)
        if (!onGrid(point.x, point.y)) {
            check.refusals.push_back(textFormatted(kTextOffGrid, (textCopy(kTextRoutePoint) + " (" + object.label() + ")").c_str()));
            break;
        }
    // Aircraft fly; everything else stands in the water.
    double bottom = 0.0;
    if (record.type == kScenarioAircraft || !worldDepthAt(record.x, record.y, &bottom, true))
        return;
    const double depth = (object.isStart() ? record.depth + 28 : record.depth) * kFeetToMetres;
    if (bottom >= 0.0)
        check.warnings.push_back(textFormatted(kTextOnLand, name));
    else if (depth < bottom)
        check.warnings.push_back(textFormatted(kTextTooDeep, name, bottom));
}

} // namespace

MissionCheck missionCheck(const MissionDocument& document) {
    MissionCheck check;
    bool hasStart = false;
    document.forEachMissionObject([&](const MissionObject& object) {
        hasStart = hasStart || object.isStart();
        checkObject(object, check);
    });
    if (!hasStart)
        check.refusals.insert(check.refusals.begin(), textFormatted(kTextNoStart));
    goalTreeForEach(document.goals.root(), [&](const GoalNode& goal) {
        if (goal.kind == kGoalReachArea || goal.kind == kGoalRecover || goal.kind == kGoalStopInArea)
            if (!onGrid(goal.centreX, goal.centreY))
                check.refusals.push_back(textFormatted(kTextOffGrid, goalLabel(goal).c_str()));
        if (goal.kind == kGoalDestroy && !document.unitOfGoal(goal.id))
            check.warnings.push_back(textFormatted(kTextGoalUnbound, goalLabel(goal).c_str()));
    });
    return check;
}

} // namespace q71
