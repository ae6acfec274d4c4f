#pragma once
// The wake triangle that trails a surface ship (docs/rwutils.md): a child of the ship's model
// (tag 501) whose render callback draws one textured immediate-mode triangle in its frame.

#include "render3d/clump.h"

#include <string>

namespace q71 {

/// Gives the model a wake when its object record is a surface ship.
void rwDecorateModel(const std::string& objectKey, r3d::Clump& clump);
/// Adds the wake child (the wake material and "wake.bmp" made on first use).
void rwAddWake(r3d::Clump& clump);
/// Releases "wake.bmp" and the wake material (shutdown).
void rwFreeWake();

} // namespace q71
