// The mobile mine's run and its laying: where the run ends it stops, reports, gets its proximity
// sensor and settles, silent, as a mine.
#include "sim/entities/controllers/mine_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/mine_entities.h"
#include "sim/scoring/byte_layout.h"
#include "sim/scoring/scoring.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace q71 {

namespace {

constexpr std::size_t kLayTimeOffset = 208;  // in the controller's saved state block
constexpr double kSensorNearRange = 173.736; // metres: certain inside
constexpr double kSensorFarRange = 182.88;   // metres: blind beyond
constexpr double kSinkRate = -1.0;           // speed units, once laid

// Game time at which a run of `distance` metres at `speed` ends. A mine that cannot run (no
// speed, or no sensible distance) lays itself at its next update, where it is, rather than never.
double runEnd(double now, double distance, double speed) {
    const double runTime = speed > 0.0 ? distance / (speed * kSpeedUnitMetresPerSecond) : 0.0;
    const double end = std::isfinite(runTime) ? now + runTime : now;
    // 0 means "laid": the earliest time a run can end is just after the start of the mission.
    return std::max(end, std::numeric_limits<double>::min());
}

} // namespace

MobileMineController::MobileMineController(Entity& owner, double runDistance) : MineController(owner) {
    const double speed = owner.motion ? owner.motion->orderedSpeed : 0.0;
    layTime = runEnd(simClock().gameClock, runDistance, speed);
}

void MobileMineController::postEncounterEvent(ContactRecord& contact, int relayFlag) {
    EntityController::postEncounterEvent(contact, relayFlag);
    Entity* victim = worldFindEntity(contact.entityId);
    if (!victim)
        return;
    if (victim->kind == kKindAir && victim->category == kCategoryFloat) {
        owner().markForRemoval(); // a float fouls it: it is lost without a blast
        return;
    }
    detonate(*victim, {.explodesOnVictim = true, .crewReports = false});
}

void MobileMineController::update(double /*elapsed*/) {
    if (layTime != 0.0 && simClock().gameClock > layTime)
        lay();
}

void MobileMineController::lay() {
    Entity& mine = owner();
    layTime = 0.0;
    if (mine.motion)
        mine.motion->setOrderedSpeed(0.0);
    scoringPostEvent(missionEventAt(worldPoint(mine), kEventMineReport, mine.id, 0), 1);
    mine.addSensor(mineProximitySensor(mine, kSensorNearRange, kSensorFarRange));
    mine.noiseFactor = 0.0f;
    if (mine.motion)
        mine.motion->buoyancyRate = kSinkRate;
}

void MobileMineController::saveSubclassState(
    std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    LayoutWriter(block).f64(kLayTimeOffset, layTime);
}

bool MobileMineController::loadSubclassState(
    const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    double loaded = 0.0;
    LayoutReader(block).f64(kLayTimeOffset, loaded);
    if (!std::isfinite(loaded) || loaded < 0.0)
        return false;
    layTime = loaded;
    return true;
}

} // namespace q71
