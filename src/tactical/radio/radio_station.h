#pragma once
// The radio room's place in the program: its maker registered for station slot 3, and the lines
// of its log that a saved mission keeps and hands back.

#include <string>
#include <vector>

namespace q71 {

/// Registers the radio room's maker with the station table.
void radioRegisterStation();

/// The lines a saved mission keeps: the live room's log, else the lines a load handed back.
std::vector<std::string> radioSavedLines();
/// Keeps the lines of a loaded mission for the room built next.
void radioRestoreLines(std::vector<std::string> lines);
/// Takes the lines a load handed back (the room shows them once).
std::vector<std::string> radioTakeRestoredLines();

} // namespace q71
