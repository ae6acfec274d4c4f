#pragma once
// Saving the running mission: its texts, environment and clock, every entity with its whole state,
// the scoring state, the replay log so far, the goals, the launchers, the weapons stations' and
// radio room's states and the message queue, in the form mission_save_format.h lays out. The file
// is replaced whole: a crash or a full disk while saving never destroys the previous save.

#include <string>

namespace q71 {

class ByteSink;

/// Saves the running mission to a program path, after copying the waypoints plotted on the
/// navigation chart into the own boat's model. When the file cannot be written, a message box
/// (texts 637 and 663) says so, the old file is left as it was, and the result is false.
bool simSaveMission(const std::string& path);

/// Writes the running mission in the saved form; false when no mission is built (it has no
/// launchers) or a write fails. Writing leaves the mission as it was.
bool missionWrite(ByteSink& sink);

} // namespace q71
