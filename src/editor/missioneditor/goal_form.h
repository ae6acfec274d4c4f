#pragma once
// The mission's goals as the goals box shows and edits them: a list with children indented under
// their parents, each goal by its number, kind and message; and a goal's fields (kind, points,
// required, parent, radius and centre of an area, message) read back whole or not at all.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class MissionDocument;
struct GoalNode;

/// The kinds the editor makes: destroy a unit, reach an area, stop in an area, survive.
bool goalKindEditable(int kind);
/// The names (Windows-1252) of those kinds, in the order of their numbers, as the box offers them.
std::vector<std::string> goalKindNames();
/// The kind the editor makes of a name, or none.
std::optional<int> goalKindOf(std::string_view name);
/// The kinds that have an area: reach it, stop in it.
bool goalKindIsArea(int kind);

/// The goals in list order (depth first), each with its line.
struct GoalListLine {
    GoalNode* goal = nullptr;
    std::string text; ///< Windows-1252
};
std::vector<GoalListLine> goalListLines(const MissionDocument& document);

enum GoalField : int {
    kGoalFieldKind, ///< the kind's name
    kGoalFieldPoints,
    kGoalFieldRequired,
    kGoalFieldParent, ///< the parent's number, 0 for none
    kGoalFieldRadius, ///< metres
    kGoalFieldLatitude,
    kGoalFieldLongitude,
    kGoalFieldMessage,
    kGoalFieldCount,
};
using GoalFormTexts = std::array<std::string, kGoalFieldCount>;

/// The fields of a goal (the centre as latitude and longitude through the current grid).
GoalFormTexts goalFormTexts(const GoalNode& goal);

/// Takes the fields into the goal, moving it under its new parent, and marks the document
/// changed. False, nothing changed and `bad` the field, when a field does not read: a kind the
/// editor does not make, a parent that is no goal or lies under this one, an area's centre off
/// the grid. The goal's carried bytes stay as they are.
bool goalFormRead(const GoalFormTexts& texts, MissionDocument& document, GoalNode& goal, GoalField& bad);

} // namespace q71
