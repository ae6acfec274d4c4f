#pragma once
// The animated sea texture, kept in step with the mission's sea state and the 3-D textures
// option, and advanced one frame every sixth rendered frame.

#include "render3d/texture.h"

#include <string>

namespace q71 {

/// The sea texture's name for a sea state; states outside 0 ... 5 take the nearest entry.
std::string rwSeaTextureName(int seaState);
/// Brings the sea texture in line (start-up, mission reader, each view's scene, every frame).
void rwUpdateSeaTexture();
/// The loaded sea texture, or null (textures off, or not yet brought in line).
r3d::Texture* rwSeaTexture();
/// At program shutdown: releases the sea texture and the wake texture.
void rwShutdown();

} // namespace q71
