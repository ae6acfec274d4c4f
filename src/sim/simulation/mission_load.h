#pragma once
// Loading a saved mission (mission_save.h writes it) in place of the running one. The whole file
// is read and checked before the running mission changes: its texts and environment first, then
// its entities, rebuilt in a world of their own while the running mission's stands aside, and
// everything after them. Only a file that holds together ends the running mission and hands the
// simulation its world, clock, scoring, replay log, goals, queue and terrain.

#include <cstdint>
#include <span>
#include <string>

namespace q71 {

/// Loads the saved mission at a program path in place of the running one; the loaded-mission flag
/// is then set, so that starting to run keeps the loaded clock. A file that cannot be opened
/// (texts 636 and 664) or does not hold a whole saved mission (636 and 1820) is reported in a box
/// and changes nothing; false then.
bool simLoadMission(const std::string& path);

/// simLoadMission from the file's bytes, without a box.
bool missionRestore(std::span<const std::uint8_t> bytes);

} // namespace q71
