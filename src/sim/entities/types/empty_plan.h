#pragma once
// The plan of a unit that is given its orders as it is made (the support units, a capsule's
// flight): one empty plan of mode 0, active at once.

namespace q71 {

class EntityController;

/// Appends an empty plan (start time 0, mode 0, no orders) and makes it the active one.
void controllerStartEmptyPlan(EntityController& controller);

} // namespace q71
