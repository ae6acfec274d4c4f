#pragma once
// The replay log of the mission: "replay.log" in the player's folder, one 152-byte record per
// logged event in the order of posting. Scoring opens it when a mission begins or resumes and
// closes it at the end; while closed, records are dropped unless their poster asks to append
// to the log of the finished mission. The debriefing reads it back.

#include "framework/resources/record_file.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/replay_event.h"

#include <string>
#include <vector>

namespace q71 {

/// The network event code that carries an option flag to the peers.
inline constexpr std::uint8_t kNetEventOptionFlag = 11;

/// The path of the replay log in the player's folder.
std::string replayLogPath();
/// Closes any open log and opens a new, empty one; a log that cannot be made stays closed.
void replayLogOpen();
/// Appends the record of an event to the open log; with the log closed and `openFlag` non-zero,
/// appends it to the existing log file and closes it again; otherwise writes nothing.
void replayLogWrite(const MissionEvent& event, int openFlag);
/// Closes the log if it is open.
void replayLogClose();
/// True while the log is open.
bool replayLogIsOpen();
/// The open log file, or null (the mission save copies it whole).
RecordFile* replayLogFile();

/// The record of an event, with the names, range and bearing of the world as it stands.
ReplayEvent replayBuildRecord(const MissionEvent& event);
/// Every whole record of the replay log file, in order (none when it cannot be read).
std::vector<ReplayEvent> replayLogRead();

} // namespace q71
