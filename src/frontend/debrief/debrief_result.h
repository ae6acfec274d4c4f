#pragma once
// The debriefing's result: the mission's name, whether it was won, its score and grade, the
// messages of the goals reached and the player's career points, as one text. The debriefing
// shows it and keeps it as the mission flow's text.

#include <string>

namespace q71 {

/// The result of the mission that just ended, line by line.
std::string debriefResultText();
/// Its grade, score and the player's career points, three lines (the victory shows them too).
std::string missionScoreLines();

} // namespace q71
