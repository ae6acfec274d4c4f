#include "sim/simulation/mission_load_parking.h"

#include "sim/entities/entity.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {

// Unlinks every entity of a list, in order, without telling anyone: they only stand aside.
std::vector<Entity*> takeAll(LinkedList<Entity>& list) {
    std::vector<Entity*> taken;
    while (Entity* entity = list.head() ? list.head()->item : nullptr) {
        list.remove(entity);
        taken.push_back(entity);
    }
    return taken;
}

} // namespace

ParkedWorld::ParkedWorld()
    : world_(takeAll(worldList())), pending_(takeAll(worldPendingList())), ownShip_(worldOwnShip()),
      ownShipId_(worldOwnShipId()), idCounter_(entityIdCounter()), launchers_(launcherTablesTake()) {
    worldSetOwnShip(nullptr);
    worldSetOwnShipId(std::nullopt);
    entitySetIdCounter(0);
}

ParkedWorld::~ParkedWorld() {
    for (Entity* entity : world_)
        delete entity;
    for (Entity* entity : pending_)
        delete entity;
}

void ParkedWorld::putBack() {
    for (Entity* entity : world_)
        worldList().appendItem(entity);
    for (Entity* entity : pending_)
        worldPendingList().appendItem(entity);
    world_.clear();
    pending_.clear();
    worldSetOwnShip(ownShip_);
    worldSetOwnShipId(ownShipId_);
    entitySetIdCounter(idCounter_);
    launcherTablesPut(std::move(launchers_));
    launchers_ = OwnedLaunchers{};
}

} // namespace q71
