#pragma once
// The controllers that their own modules give the entity classes (ships, submarines, aircraft,
// mines, mobile mines and countermeasures), installed by those modules at start-up. Until a
// maker is installed, the classes it serves are built without a controller, as an entity
// whose controller failed to start is: they move only as they were set going.

#include <cstdint>
#include <memory>

namespace q71 {

class Entity;
class EntityController;

/// The controller classes made through installed makers.
enum class ControllerClass : int {
    surfaceShip,    ///< the surface-ship controller (ships and the shore team's boat)
    submarine,      ///< the submarine controller (computer-run boats and the rescue submarine)
    airPlatform,    ///< the aircraft controller
    mine,           ///< the mine controller of a type-7 mine
    mine2,          ///< the mine controller of a type-15 mine
    mobileMine,     ///< the mobile mine's controller; its value is the run in metres
    countermeasure, ///< the countermeasure controller; its value is the lifetime in seconds
};

/// Makes a controller for an owner; `value` is the mobile mine's run or a countermeasure's life.
using ControllerMaker = EntityController* (*)(Entity& owner, double value);

/// Installs the maker of a controller class; null takes it away.
void entitySetControllerMaker(ControllerClass which, ControllerMaker maker);

/// A new controller of a class for an owner, or null while no maker is installed.
std::unique_ptr<EntityController> entityMakeController(ControllerClass which, Entity& owner,
                                                       double value = 0.0);

} // namespace q71
