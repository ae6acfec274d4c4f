#pragma once
// The scene effects the 3-D views call each frame (rw_effects.h), installed at start-up.

namespace q71 {

/// Installs the scene effects into the views.
void rwInstallSceneEffects();

} // namespace q71
