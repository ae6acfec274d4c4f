#include "sim/simulation/world_mission_facts.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/entities/types/own_submarine_campaign.h"
#include "sim/entities/types/support_units.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/world/object_database.h"

namespace q71 {

namespace {

EntityFacts factsOf(const Entity& entity) {
    EntityFacts facts;
    facts.id = entity.id;
    facts.recordId = entity.recordId;
    facts.category = entity.category;
    facts.kind = entity.kind;
    facts.stateWord = entity.controller ? entity.controller->state : 0;
    facts.hull = entity.hull;
    facts.position = worldPoint(entity);
    return facts;
}

} // namespace

WorldMissionFacts& worldMissionFacts() {
    static WorldMissionFacts facts;
    return facts;
}

std::optional<EntityFacts> WorldMissionFacts::findEntity(std::int32_t id) const {
    if (const Entity* entity = worldFindEntity(id))
        return factsOf(*entity);
    return std::nullopt;
}

std::vector<EntityFacts> WorldMissionFacts::entities() const {
    std::vector<EntityFacts> all;
    for (auto* node = worldList().head(); node; node = node->next)
        all.push_back(factsOf(*node->item));
    return all;
}

std::optional<std::int32_t> WorldMissionFacts::ownBoatId() const {
    return worldOwnShipId();
}

double WorldMissionFacts::ownBoatSpeed() const {
    const Entity* own = worldOwnShip();
    return own && own->motion ? own->motion->speed : 0.0;
}

void WorldMissionFacts::markForRemoval(std::int32_t id) {
    if (Entity* entity = worldFindEntity(id))
        entity->markForRemoval();
}

std::optional<std::int32_t> WorldMissionFacts::createSupportUnit(SupportUnit unit, int level,
                                                                 std::optional<double> orderedCourse) {
    const std::string_view typeName = unit == SupportUnit::ShoreTeam ? "Seal-Team" : "Dsrv";
    if (!worldOwnShip() || !objdbFindByName(typeName))
        return std::nullopt; // it is put out from the own boat, as a platform of the object database
    Entity* made = unit == SupportUnit::ShoreTeam
                       ? static_cast<Entity*>(new SurfaceShip2Entity(typeName, level))
                       : new Submarine2Entity(typeName);
    if (orderedCourse)
        made->motion->setOrderedCourse(*orderedCourse);
    worldAddEntity(made);
    return made->id;
}

std::optional<Inventory> WorldMissionFacts::ownBoatInventory() const {
    if (const Entity* own = worldOwnShip())
        return own->inventory;
    return std::nullopt;
}

void WorldMissionFacts::setOwnBoatInventory(const Inventory& counts) {
    if (Entity* own = worldOwnShip())
        own->inventory = counts;
}

std::optional<OwnBoatCarriedState> WorldMissionFacts::ownBoatCarriedState() const {
    if (const auto* own = worldOwnSubmarineWithMotion())
        return ownShipCarriedState(*own->ownMotion);
    return std::nullopt;
}

void WorldMissionFacts::restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>& statusWords) {
    if (auto* own = worldOwnSubmarine())
        ownShipRestoreCampaignState(*own, statusWords);
}

std::optional<LauncherTables> WorldMissionFacts::launchers() const {
    return launcherTables();
}

} // namespace q71
