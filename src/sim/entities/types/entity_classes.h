#pragma once
// What the entity classes give the rest of the simulation, installed by the program at
// start-up: the maker of a scenario's units and network players' boats (the mission start's
// entity maker), the maker of the own submarine and the launches of the weapon classes
// (WeaponLaunches).

namespace q71 {

/// Installs the entity maker, the own submarine's maker and the weapon classes' launches.
void entityClassesInstall();

/// Takes them away again (tests).
void entityClassesUninstall();

/// Installs the controllers the classes make for themselves: of ships, submarines, aircraft, mines
/// and countermeasures. Until then those classes are built without behaviour.
void entityControllersInstall();

/// Takes the controllers away again (tests).
void entityControllersUninstall();

} // namespace q71
