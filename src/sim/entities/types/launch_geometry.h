#pragma once
// Where a weapon leaves its launcher and how it starts. A tube (1 to 4) lies 48 m ahead of the
// launcher's middle, 3.3 m to starboard (odd numbers) or port (even), 2 m (tubes 1 and 2) or
// 3 m (3 and 4) below its axis, and turns its weapon 8 degrees outward; a vertical-launch cell
// (5 to 16) lies 1.5 m to starboard or port, 2 m above the axis, 45 m ahead for cell 5 and half
// a metre nearer the middle for each cell after it, and launches along the launcher's heading.

#include "sim/simulation/geometry.h"

namespace q71 {

class Entity;
class MotionModel;

/// Where a weapon starts, and its heading.
struct LaunchExit {
    WorldPoint position;
    double heading = 0.0;
};

/// The exit of a launcher's tube (1 to 4) or cell (5 to 16).
LaunchExit launchExit(const MotionModel& launcher, int launcherNumber);

/// True for a launcher number of a vertical-launch cell.
bool isLaunchCell(int launcherNumber);

/// The way a weapon leaves its launcher with: 5 more than the launcher's speed.
double launchWay(const MotionModel& launcher);

/// Puts a weapon at its exit: heading and ordered course, drive and headway `way` with the
/// velocity along the heading, the smoothed state there; `speed` is its speed through the water.
void startAtExit(MotionModel& weapon, const LaunchExit& exit, double way, double speed);

/// True when the launcher is the own boat and it has too little left to launch with.
bool launchFails(const Entity& launcher);

/// A weapon that leaves without power falls away: it sinks at a vertical speed (m/s), its nose
/// going to a pitch, at a response, without guidance.
void fallAway(Entity& weapon, double verticalSpeed, double orderedPitch, double response);

/// The weapon of a failed launch falls away from the tube, nose down, slowed as its launcher's
/// crew level gives.
void failLaunch(Entity& weapon, const Entity& launcher);

} // namespace q71
