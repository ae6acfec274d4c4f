#include "sim/simulation/world_step.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/collision_index.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

namespace q71 {

namespace {

constexpr double kNetworkClockInterval = 60.0;
constexpr std::uint8_t kEventGameClock = 9;

// The collision index's arrays, the world step's own: kept from sub-step to sub-step (and from
// mission to mission) so that their capacity is not allocated again each time.
CollisionIndex::Storage& collisionIndexStorage() {
    static CollisionIndex::Storage storage;
    return storage;
}

// Steps every live entity once; false when a step ended the mission.
bool stepEntities(double dt) {
    const CollisionIndex hulls(collisionIndexStorage()); // the pairs of hulls that may touch in this sub-step
    LinkedList<Entity>& world = worldList();
    for (Entity* entity = world.rewind(); entity; entity = world.advance()) {
        if (entity->removeFlag)
            continue;
        entity->step(dt);
        if (!simClock().running)
            return false;
    }
    return true;
}

void sendClockToPeers() {
    SimClock& clock = simClock();
    NetworkGame* game = simNetworkGame();
    if (!game || !game->gameActive())
        return;
    if (clock.gameClock - clock.lastNetworkClockTime <= kNetworkClockInterval &&
        clock.gameClock >= clock.lastNetworkClockTime)
        return;
    const auto bits = std::bit_cast<std::uint64_t>(clock.gameClock);
    game->sendEventWithPair(kEventGameClock, static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32),
                            -1);
    clock.lastNetworkClockTime = clock.gameClock;
}

// The entry time of a pending entity: the start of its first plan. One without a plan (which
// the scenario reader never makes) enters at once rather than wait for ever.
double entryTime(const Entity& entity) {
    if (!entity.controller || entity.controller->plans.empty())
        return 0.0;
    return entity.controller->plans.head()->item->startTime;
}

void advanceEntities(double dt) {
    SimClock& clock = simClock();
    if (!clock.running)
        return;
    const int subSteps = dt >= kWorldSubStep ? static_cast<int>(dt * 2.5) : 0;
    const double remainder = std::max(dt - subSteps * kWorldSubStep, 0.0);
    if (subSteps >= 1) {
        // Entities see the clock advance sub-step by sub-step; it ends exactly where it was.
        const double end = clock.gameClock;
        clock.gameClock = end - dt;
        for (int i = 0; i < subSteps; ++i) {
            clock.gameClock += kWorldSubStep;
            if (!stepEntities(kWorldSubStep)) {
                clock.gameClock = end;
                return;
            }
        }
        clock.gameClock = end;
    }
    stepEntities(remainder);
    sendClockToPeers();
}

void purgeAndUpdate(double elapsed) {
    LinkedList<Entity>& world = worldList();
    for (Entity* entity = world.rewind(); entity; entity = world.advance()) {
        if (!entity->removeFlag) {
            entity->updatePerSecond(elapsed);
            continue;
        }
        // Every reference to it goes first; the walk goes on with the entity that followed it.
        worldPurgeEntityId(entity->id);
        world.remove(entity);
        delete entity;
    }
    LinkedList<Entity>& pending = worldPendingList();
    const double now = simClock().gameClock;
    for (Entity* entity = pending.rewind(); entity; entity = pending.advance()) {
        if (now < entryTime(*entity))
            continue;
        pending.remove(entity);
        worldAddEntity(entity);
    }
}

} // namespace

std::optional<double> worldBottomUnderOwnShip() {
    const Entity* own = worldOwnShip();
    if (!own || !own->motion)
        return std::nullopt;
    double bottom = 0.0;
    if (!worldDepthAt(own->motion->x, own->motion->y, &bottom, true))
        return std::nullopt;
    return bottom;
}

void worldSnapshotMotionStates() {
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item->motion)
            node->item->motion->snapshotState();
}

void worldQueueDeathScreen() {
    missionState().deathScreenQueued = true;
}

void worldShowQueuedDeathScreen() {
    if (!std::exchange(missionState().deathScreenQueued, false))
        return;
    simHost().showDeathScreen();
}

void worldAdvance(double dt) {
    advanceEntities(dt);
    worldShowQueuedDeathScreen();
}

void worldSecondPass(double elapsed) {
    purgeAndUpdate(elapsed);
    worldShowQueuedDeathScreen();
}

} // namespace q71
