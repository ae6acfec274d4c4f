#pragma once
// The end of a mission: everything the mission start built is taken down again, leaving an
// empty world for the next one.

namespace q71 {

/// Ends the running mission: the world stops, the 3-D effects go, the own submarine and every
/// entity of the world and pending lists are deleted, the terrain region, the signature tables,
/// the start positions, the kept texts, the message queue and the launchers are freed, and the
/// entity ids start again from 1.
void simEndMission();

} // namespace q71
