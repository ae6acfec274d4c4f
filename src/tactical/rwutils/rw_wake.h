#pragma once
// The wake triangle that trails a surface ship and the own boat's towed array streaming behind it
// (docs/rwutils.md): children of the model (tags 501 and 503) whose render callbacks draw
// immediate-mode triangles and lines in its frame.

#include "render3d/clump.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace q71 {

/// Gives the model a wake when its object record is a surface ship, the own boat its trail.
void rwDecorateModel(const std::string& objectKey, r3d::Clump& clump, bool ownBoat);
/// Adds the own boat's trail child.
void rwAddBubbleTrail(r3d::Clump& clump);
/// Adds the wake child (the wake material and "wake.bmp" made on first use).
void rwAddWake(r3d::Clump& clump);
/// The trail's points in the frame of a child placed by `world`: from the array's exit at the
/// stern (starboard, or port with the side flag), along the track (newest first, metres) in world
/// axes; as many points as 0.1 · the array's length in metres and the track hold.
std::vector<r3d::Vec3> rwTrailPoints(const r3d::Matrix& world, const std::deque<std::array<double, 3>>& track,
                                     double arrayLength, bool portSide);
/// Releases "wake.bmp" and the wake material (shutdown).
void rwFreeWake();

} // namespace q71
