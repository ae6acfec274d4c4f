#pragma once
// The crew's answers to the ship-handling orders, spoken through the simulation's audio service
// (the sound manager in the program, a recording one in tests), with the message-log line.

#include <string>

namespace q71 {

void stationSayHelm(const std::string& file, int priority = 0);
void stationSayOfficerOfDeck(const std::string& file, int priority = 0);
void stationSayChiefOfWatch(const std::string& file, int priority = 0);
/// The helmsman's course report: form 0 turning to port, 1 to starboard, 2 steady.
void stationReportCourse(int course, int form, int priority = 0);
/// The diving officer's depth report.
void stationReportDepth(int depth, int priority = 0);

} // namespace q71
