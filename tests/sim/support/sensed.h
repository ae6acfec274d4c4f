#pragma once
// A fix handed to an entity as its own sensors would give it: the other entity exactly where it
// is, now, of good quality.

#include "sim/entities/entity.h"
#include "sim/simulation/sim_clock.h"

namespace q71::test {

/// The sensing entity takes a fix on the sensed one where it is; its contact on it, new or refreshed.
inline ContactRecord* senseWhereItIs(Entity& sensing, Entity& sensed) {
    ContactFix fix;
    fix.time = simClock().gameClock;
    fix.quality = 80;
    const WorldPoint at = worldPoint(sensed);
    fix.x = at.x;
    fix.y = at.y;
    fix.z = at.z;
    sensing.processContactRecord(sensed, fix);
    return sensing.findContact(sensed.id);
}

} // namespace q71::test
