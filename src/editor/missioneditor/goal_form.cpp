#include "editor/missioneditor/goal_form.h"

#include "editor/missioneditor/form_numbers.h"
#include "editor/missioneditor/mission_document.h"
#include "sim/world/dem_grid.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/map_object.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace q71 {
namespace {

constexpr size_t kLongestMessage = 200;
constexpr long kMostPoints = 100000;
constexpr double kWidestRadius = 300000.0;

const char* kindName(int kind) {
    switch (kind) {
    case kGoalDestroy:
        return "D\xE9truire";
    case kGoalReachArea:
        return "Atteindre";
    case kGoalRecover:
        return "Stopper";
    case kGoalSurvive:
        return "Survivre";
    default:
        return "But";
    }
}

constexpr std::array kEditableKinds{kGoalDestroy, kGoalReachArea, kGoalRecover, kGoalSurvive};

bool under(const GoalNode* node, const GoalNode* ancestor) {
    for (; node; node = node->parent)
        if (node == ancestor)
            return true;
    return false;
}

} // namespace

bool goalKindIsArea(int kind) {
    return kind == kGoalReachArea || kind == kGoalRecover;
}

bool goalKindEditable(int kind) {
    return std::find(kEditableKinds.begin(), kEditableKinds.end(), kind) != kEditableKinds.end();
}

std::vector<std::string> goalKindNames() {
    std::vector<std::string> names;
    for (const int kind : kEditableKinds)
        names.emplace_back(kindName(kind));
    return names;
}

std::optional<int> goalKindOf(std::string_view name) {
    for (const int kind : kEditableKinds)
        if (name == kindName(kind))
            return kind;
    return std::nullopt;
}

std::vector<GoalListLine> goalListLines(const MissionDocument& document) {
    std::vector<GoalListLine> lines;
    goalTreeForEach(document.goals.root(), [&](GoalNode& goal) {
        std::string indent;
        for (const GoalNode* p = goal.parent; p; p = p->parent)
            indent += "    ";
        char head[64];
        std::snprintf(head, sizeof head, "%d  %s", goal.id, kindName(goal.kind));
        lines.push_back({&goal, indent + head + (goal.message ? " : " + *goal.message : std::string())});
    });
    return lines;
}

GoalFormTexts goalFormTexts(const GoalNode& goal) {
    GoalFormTexts t;
    t[kGoalFieldKind] = goalKindEditable(goal.kind) ? kindName(goal.kind) : "";
    t[kGoalFieldPoints] = std::to_string(goal.points);
    t[kGoalFieldRequired] = std::to_string(goal.required ? 1 : 0);
    t[kGoalFieldParent] = std::to_string(goal.parent ? goal.parent->id : 0);
    char radius[32];
    std::snprintf(radius, sizeof radius, "%g", goal.radius);
    t[kGoalFieldRadius] = radius;
    double column = 0, row = 0;
    if (goalKindIsArea(goal.kind) && worldToGrid(goal.centreX, goal.centreY, &column, &row)) {
        const MapObject centre(goal.centreX, goal.centreY, nullptr, nullptr);
        centre.formatLatLong(t[kGoalFieldLatitude], t[kGoalFieldLongitude]);
    }
    t[kGoalFieldMessage] = goal.message.value_or("");
    return t;
}

bool goalFormRead(const GoalFormTexts& t, MissionDocument& document, GoalNode& goal, GoalField& bad) {
    const auto fail = [&](GoalField field) {
        bad = field;
        return false;
    };
    const std::optional<int> kind = goalKindOf(t[kGoalFieldKind]);
    if (!kind)
        return fail(kGoalFieldKind);
    const auto points = formWhole(t[kGoalFieldPoints], -kMostPoints, kMostPoints);
    if (!points)
        return fail(kGoalFieldPoints);
    const auto required = formWhole(t[kGoalFieldRequired], 0, 1);
    if (!required)
        return fail(kGoalFieldRequired);
    const auto parentId = formWhole(t[kGoalFieldParent], 0, INT32_MAX);
    GoalNode* parent = parentId && *parentId > 0 ? goalTreeFindNode(document.goals.root(), static_cast<std::int32_t>(*parentId))
                                                 : nullptr;
    if (!parentId || (*parentId > 0 && (!parent || under(parent, &goal))))
        return fail(kGoalFieldParent);
    double centreX = goal.centreX, centreY = goal.centreY, radius = goal.radius;
    if (goalKindIsArea(*kind)) {
        const auto r = formDecimal(t[kGoalFieldRadius], 1.0, kWidestRadius);
        if (!r)
            return fail(kGoalFieldRadius);
        radius = *r;
        MapObject centre(0.0, 0.0, nullptr, nullptr);
        if (!centre.setLatLong(t[kGoalFieldLatitude], t[kGoalFieldLongitude]) ||
            !centre.worldPosition(&centreX, &centreY))
            return fail(kGoalFieldLatitude);
    }
    if (t[kGoalFieldMessage].size() > kLongestMessage)
        return fail(kGoalFieldMessage);

    goal.kind = *kind;
    goal.points = static_cast<std::int32_t>(*points);
    goal.required = static_cast<std::int32_t>(*required);
    goal.radius = radius;
    goal.centreX = centreX;
    goal.centreY = centreY;
    goal.message = t[kGoalFieldMessage].empty() ? std::nullopt : std::optional<std::string>(t[kGoalFieldMessage]);
    if (goal.parent != parent)
        document.goals.moveNode(&goal, parent);
    document.changed = true;
    return true;
}

} // namespace q71
