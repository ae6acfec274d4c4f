#pragma once
// What a save of the editor's mission checks first. A refusal stops the save and names what
// is wrong; a warning is shown and the save goes on.

#include <string>
#include <vector>

namespace q71 {

class MissionDocument;

struct MissionCheck {
    std::vector<std::string> refusals; ///< Windows-1252 messages, each naming its object
    std::vector<std::string> warnings;
    bool mayBeSaved() const { return refusals.empty(); }
};

/// Refuses a mission without an own-ship start, a name longer than a record holds, and anything
/// off the current grid (objects, route points, goal areas); warns of a unit on land or below
/// the bottom at its place, and of a destroy goal that no unit is bound to.
MissionCheck missionCheck(const MissionDocument& document);

} // namespace q71
