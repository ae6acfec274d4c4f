#include "aircraft_fixture.h"

#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/world_lists.h"

namespace q71::test {

Entity& AircraftWorld::aircraft(const char* type, WorldPoint at, std::int32_t mode, std::int32_t level) {
    Entity& a = body(1, type, kKindAir, at, level);
    a.controller = std::make_unique<AirPlatformController>(a);
    task(a, mode);
    return a;
}

void AircraftWorld::task(Entity& aircraft, std::int32_t mode) {
    auto* plan = new ControllerPlan;
    plan->mode = mode;
    aircraft.controller->addPlan(plan);
    aircraft.controller->plans.rewind();
    aircraft.controller->activatePlanUnderCursor();
}

void AircraftWorld::passAt(Entity& aircraft, double t) {
    setClock(t);
    aircraft.controller->update(1.0);
}

void AircraftWorld::moveTo(Entity& aircraft, const WorldPoint& point) {
    aircraft.motion->x = point.x;
    aircraft.motion->y = point.y;
}

const ControllerOrder& AircraftWorld::currentOrderOf(Entity& aircraft) {
    const ControllerOrder* order = aircraft.controller->currentOrder();
    if (!order)
        throw std::logic_error("the aircraft has no current order");
    return *order;
}

std::vector<ControllerOrder> AircraftWorld::ordersOf(Entity& aircraft) {
    std::vector<ControllerOrder> orders;
    if (const OrderList* list = aircraft.controller->activeOrders)
        for (auto* node = list->head(); node; node = node->next)
            orders.push_back(*node->item);
    return orders;
}

ContactRecord& AircraftWorld::contactOn(Entity& aircraft, Entity& target, int fixes, bool relayed) {
    const WorldPoint at = worldPoint(target);
    ContactFix fix;
    fix.quality = 80;
    fix.sensorType = relayed ? kSensorRelayed : kSensorRadar;
    fix.x = at.x;
    fix.y = at.y;
    fix.z = at.z;
    fix.time = simClock().gameClock - (fixes - 1);
    aircraft.processContact(target.id, target.recordId, target.side, target.kind, fix, relayed ? 0 : 1);
    ContactRecord& contact = *aircraft.findContact(target.id);
    for (int i = 1; i < fixes; ++i) {
        fix.time += 1.0;
        contact.fixes[0].push(fix, 20);
    }
    return contact;
}

std::vector<Sensor*> AircraftWorld::sensorsOf(const Entity& aircraft, int type) {
    std::vector<Sensor*> found;
    for (auto* node = aircraft.sensors.head(); node; node = node->next)
        if (node->item->type == type)
            found.push_back(node->item);
    return found;
}

int AircraftWorld::pingInterval(const Entity& aircraft) {
    const std::vector<Sensor*> sonars = sensorsOf(aircraft, kSensorActive);
    return sonars.size() == 1 ? sonars[0]->transmitInterval : -2;
}

Entity* AircraftWorld::releasedBy(const Entity& launcher, EntityType type) {
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item->typeCode == type && node->item->parentId == launcher.id)
            return node->item;
    return nullptr;
}

} // namespace q71::test
