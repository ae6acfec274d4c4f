#pragma once
// The launches of the weapon classes, which the program installs at start-up for the weapon
// stations and the guidance of rockets (WeaponLaunches).

namespace q71 {

/// Installs the weapon classes' launches.
void weaponClassesInstall();

} // namespace q71
