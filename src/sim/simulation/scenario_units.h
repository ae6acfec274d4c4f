#pragma once
// The units of a scenario: the entity a record makes, placed where the record puts it (with its
// random displacements), moving as it says, tasked with its patrol and its route, and then put
// into the mission, at once or when its entry delay has passed, with its goals bound to it.

#include "sim/entities/entity.h"
#include "sim/simulation/scenario_file.h"
#include "sim/world/object_record.h"

#include <memory>

namespace q71 {

/// The entity type a record of types 1 to 5 makes: a submarine, a surface ship, an aircraft;
/// for a stationary object, a mine of the near (type 15) or far reaching kind (type 7, a record
/// whose key holds "nf") when its record is a mine, else a plain object (type 9), also when the
/// object database lacks its record (`object` null).
EntityType scenarioEntityType(const ScenarioRecord& record, const ObjectRecord* object);

/// Makes a record's unit, placed and tasked, not yet in the mission; null when no maker makes
/// its entity type. Draws random numbers in the order one seed must repeat.
std::unique_ptr<Entity> scenarioMakeUnit(const ScenarioRecord& record, const ObjectRecord* object);

/// Puts a unit into the mission: with an entry delay (and a plan to wait on) at the head of the
/// pending list, its first plan starting then; otherwise into the world. Each goal the record
/// names is bound to the unit.
void scenarioEnterUnit(std::unique_ptr<Entity> unit, const ScenarioRecord& record);

} // namespace q71
