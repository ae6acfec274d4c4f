#pragma once
// The editor's mission as a scenario file: written whole in the scenario layout the game
// reads, and read back all or nothing. An opened file fills the document only once every byte
// of it was read and checked, and only on the grid of its own area.

#include "sim/scoring/goal_tree.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/scenario_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71 {

class ChartView;
class MissionDocument;

/// A scenario file read whole: the parts of a document.
struct MissionFileContents {
    Scenario scenario;
    GoalTree goals;
    std::vector<std::uint8_t> goalSection; ///< the goals' bytes as the file holds them
    GradeThresholds thresholds{};
};

/// The document as a scenario: its texts, header and records (starts and units in document order).
Scenario missionScenario(const MissionDocument& document);

/// Writes the document to a file (a program path), replacing it whole: the bytes go to a file
/// beside it, which then takes its name. Goals as they were read are written as the opened file
/// held them. False, the old file as it was, when it cannot be written or a field does not fit.
/// Marks the document unchanged on success.
bool missionSave(MissionDocument& document, const std::string& path);

/// Reads a scenario file whole and checks it: the origin on the globe, every place, box and
/// delay a number, every record of a known type, the goal section and the thresholds complete.
/// False (contents unspecified) for a file that cannot be read or is damaged.
bool missionRead(const std::string& path, MissionFileContents& contents);
/// missionRead on the bytes of a file.
bool missionReadBytes(std::span<const std::uint8_t> bytes, MissionFileContents& contents);

/// Replaces the document's contents with what was read, its objects on the view (the current
/// grid must be the one of the scenario's origin); the document is unchanged afterwards.
void missionApply(MissionDocument& document, MissionFileContents&& contents, ChartView* view);

} // namespace q71
