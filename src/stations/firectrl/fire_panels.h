#pragma once
// Installs the makers of the fire panel's cell, tube and countermeasure launcher panels.

namespace q71 {

void firePanelsInstall();

} // namespace q71
