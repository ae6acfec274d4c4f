#include "sim/entities/controllers/entity_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/scoring.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <bit>
#include <cmath>
#include <limits>

namespace q71 {

namespace {

bool unarmed(const Entity& entity) {
    return entity.weaponCount[0] == 0 && entity.weaponCount[1] == 0 && entity.weaponCount[2] == 0;
}

} // namespace

double PlanParameters::value(std::size_t offset) const {
    if (offset > bytes.size() - 8)
        return 0.0;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | bytes[offset + static_cast<std::size_t>(i)];
    return std::bit_cast<double>(bits);
}

void PlanParameters::setValue(std::size_t offset, double v) {
    if (offset > bytes.size() - 8)
        return;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < 8; ++i, bits >>= 8)
        bytes[offset + i] = static_cast<std::uint8_t>(bits);
}

EntityController::EntityController(Entity& owner) : owner_(&owner) {
    level = owner.level;
    if (level >= 2 && unarmed(owner))
        level = 1; // an unarmed crew behaves as the least able one
    randomFactor = randomScaled(1.0);
}

EntityController::~EntityController() {
    freePlans();
    for (std::size_t i = 0; i < spareOrderCount_; ++i)
        delete spareOrders_[i];
}

void EntityController::retireOrder(ControllerOrder* order) {
    if (spareOrderCount_ < kSpareOrders)
        spareOrders_[spareOrderCount_++] = order;
    else
        delete order;
}

void EntityController::freePlans() {
    plans.deleteAll();
    activeOrders = nullptr;
    activeParams = nullptr;
}

void EntityController::addPlan(ControllerPlan* plan) {
    plans.appendItem(plan);
}

void EntityController::activatePlanUnderCursor() {
    if (ControllerPlan* plan = plans.current()) {
        planMode = plan->mode;
        activeOrders = &plan->orders;
        activeParams = &plan->params;
    }
}

void EntityController::update(double /*elapsed*/) {
    if (plans.empty())
        return; // no tasking: the controller is inert
    ControllerPlan* plan = plans.current();
    if (plan && &plan->orders != activeOrders && simClock().gameClock >= plan->startTime) {
        activatePlanUnderCursor();
        if (plans.cursor()->next)
            plans.next(); // the last plan stays active for good
    }
    selectTarget();
    actOnTarget(state);
}

void EntityController::selectTarget() {
    state = planMode;
    const Entity& entity = owner();
    const bool weapon = entity.category == kCategoryTorp || entity.category == kCategoryMissile;
    if (level > 1 && !weapon && unarmed(entity)) {
        state = kStateOutOfWeapons;
        return;
    }
    double best = 0.0;
    for (auto* node = entity.contacts.head(); node; node = node->next) {
        ContactRecord& contact = *node->item;
        if (!worldSidesHostile(contact.side, entity.side) || contact.reaction == kReactionNone)
            continue;
        const double weight = double(contact.reaction) * contact.reaction;
        // A contact at no range at all is the most pressing one there can be.
        const double score = contact.range > 0.0 ? weight / contact.range : std::numeric_limits<double>::infinity();
        if (score > best) {
            best = score;
            state = contact.reaction;
            target = &contact;
        }
    }
}

void EntityController::postEncounterEvent(ContactRecord& contact, int /*relayFlag*/) {
    const Entity* entity = worldFindEntity(contact.entityId);
    if (entity && entity->category == kCategoryFloat)
        return;
    scoringPostEvent(missionEventAt(worldPoint(owner()), kEventMeeting, owner().id, contact.entityId), 1);
}

ControllerOrder* EntityController::currentOrder() const {
    return activeOrders && activeOrders->head() ? activeOrders->head()->item : nullptr;
}

void EntityController::queueOrder(std::int32_t type, std::int32_t parameter, double delay, double x, double y,
                                  double speed, double depth) {
    if (!activeOrders) {
        // An order for a controller without tasking starts an empty plan of its own, rather
        // than being lost.
        auto* plan = new ControllerPlan;
        addPlan(plan);
        activatePlanUnderCursor();
    }
    ControllerOrder* order = spareOrderCount_ > 0 ? spareOrders_[--spareOrderCount_] : new ControllerOrder;
    *order = ControllerOrder{};
    order->type = type;
    order->parameter = parameter;
    order->dueTime = simClock().gameClock + delay;
    order->x = x;
    order->y = y;
    if (speed != 0.0 || depth != 0.0) {
        order->hasSpeedDepth = 1;
        order->speed = speed;
        order->depth = depth;
    }
    activeOrders->saveCursor();
    activeOrders->prepend(order);
    activeOrders->restoreCursor();
}

void EntityController::queueOrderAtOffset(std::int32_t type, std::int32_t parameter, const WorldPoint& origin,
                                          double delay, double bearing, double range) {
    double x = 0.0, y = 0.0;
    geoProject(origin.x, origin.y, bearing, range, x, y);
    queueOrder(type, parameter, delay, x, y, 0.0, 0.0);
}

std::int32_t EntityController::advanceWaypoint() {
    const Entity& entity = owner();
    ControllerOrder* order = currentOrder();
    if (!order || !entity.motion)
        return 0;
    // At high time compression a waypoint counts as reached from farther off, except for a
    // weapon's last leg or its run at an armed target.
    double reach = simGetTimeCompression();
    if (entity.category == kCategoryTorp || entity.category == kCategoryMissile) {
        if ((target && seekerArmed()) || activeOrders->count() == 1)
            reach = 1.0;
    }
    const MotionModel& motion = *entity.motion;
    if (motion.speed * kSpeedUnitMetresPerSecond * reach < geoRange(order->x - motion.x, order->y - motion.y))
        return 0;
    const std::int32_t type = order->type;
    if (type != kStateHold) {
        activeOrders->saveCursor();
        activeOrders->remove(order);
        if (type == kStateWaypointLoop3 || type == kStateBoxPatrol || type == kStateRandomPatrol ||
            type == kStateSpiralPatrol || type == kStateWaypointLoop19)
            activeOrders->appendItem(order); // a patrol loops for ever
        else
            retireOrder(order);
        activeOrders->restoreCursor();
    }
    entity.motion->lastPositionReport = simClock().gameClock - 120.0; // report the new leg at once
    return type;
}

void EntityController::steerToOrder() {
    const ControllerOrder* order = currentOrder();
    MotionModel* motion = owner().motion.get();
    if (!order || !motion)
        return;
    motion->setOrderedCourse(fixBearing(*motion, *order));
    if (order->hasSpeedDepth) {
        motion->setOrderedSpeed(order->speed);
        motion->setOrderedDepth(order->depth);
    }
}

void EntityController::forgetContact(const ContactRecord& contact) {
    if (activeOrders) {
        activeOrders->saveCursor();
        for (ControllerOrder* order = activeOrders->rewind(); order; order = activeOrders->advance())
            if (order->parameter == contact.entityId) {
                activeOrders->remove(order);
                retireOrder(order);
            }
        activeOrders->restoreCursor();
    }
    if (target == &contact)
        target = nullptr;
}

int EntityController::relayContact(const ContactRecord& contact) {
    const FixList& fixes = contact.fixes[0];
    if (fixes.empty())
        return 0;
    ContactFix fix = fixes.newest();
    std::int32_t entityId = contact.entityId, side = contact.side, kind = contact.kind;
    std::uint32_t recordId = contact.recordId;
    if (contact.kind == kKindWeapon) {
        // A weapon is reported as the platform that launched it, on the reciprocal of its course.
        const Entity* weapon = worldFindEntity(contact.entityId);
        if (const Entity* launcher = weapon ? worldFindEntity(weapon->parentId) : nullptr) {
            fix.course = std::fmod(fix.course + 180.0, 360.0);
            fix.speed = 0.0;
            entityId = launcher->id;
            recordId = launcher->recordId;
            side = launcher->side;
            kind = launcher->kind;
        }
    }
    fix.sensorType = kSensorRelayed;
    const Entity& self = owner();
    Entity *surface = nullptr, *air = nullptr;
    double surfaceRange = 36576.0, airRange = 36576.0;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& friendly = *node->item;
        if (&friendly == &self || worldSidesHostile(friendly.side, self.side))
            continue;
        if (self.parentId != 0 && friendly.id != self.parentId)
            continue; // a launched platform reports to its launcher only
        const double range = entityRangeYards(self, friendly);
        if (friendly.kind == kKindSurface && range < surfaceRange) {
            surface = &friendly;
            surfaceRange = range;
        } else if (friendly.kind == kKindAir && friendly.category != kCategoryMissile && range < airRange) {
            air = &friendly;
            airRange = range;
        }
    }
    int armed = 0;
    for (Entity* receiver : {surface, air}) {
        if (!receiver)
            continue;
        receiver->processContact(entityId, recordId, side, kind, fix, 0);
        if (receiver->weaponCount[1] > 0)
            armed = 1;
    }
    return armed;
}

} // namespace q71
