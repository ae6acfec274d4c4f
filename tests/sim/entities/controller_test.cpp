#include "entity_fixture.h"

#include "sim/entities/sensors/sensor.h"

namespace q71::test {
namespace {

// Records what the behaviour is asked to do.
class WatchedController final : public EntityController {
public:
    using EntityController::EntityController;
    void actOnTarget(std::int32_t s) override { acted.push_back(s); }
    std::vector<std::int32_t> acted;
};

class Controllers : public EntityWorld {
protected:
    WatchedController& watch(Entity& entity) {
        auto* controller = new WatchedController(entity);
        entity.controller.reset(controller);
        return *controller;
    }
    static ControllerPlan* plan(std::int32_t mode, double start) {
        auto* p = new ControllerPlan;
        p->mode = mode;
        p->startTime = start;
        return p;
    }
    // A hostile contact of the owner at a range (yards), with a reaction.
    static ContactRecord& contactOf(Entity& owner, std::int32_t reaction, double range,
                                    std::int32_t side = 2, std::int32_t entityId = 0) {
        auto* contact = new ContactRecord;
        contact->entityId = entityId;
        contact->reaction = reaction;
        contact->range = range;
        contact->side = side;
        owner.contacts.appendItem(contact);
        return *contact;
    }

    HarnessEntity& ship = platform(1, {1000, 1000, 0}, 0.0, 10.0);
};

TEST_F(Controllers, WithoutPlansNothingHappens) {
    WatchedController& c = watch(ship);
    contactOf(ship, kReactionAttack, 1000);
    c.update(1.0);
    EXPECT_TRUE(c.acted.empty());
    EXPECT_EQ(c.state, kStateIdle);
    EXPECT_EQ(c.target, nullptr);
}

TEST_F(Controllers, APlanStartsAtItsTimeAndTheLastOneStays) {
    WatchedController& c = watch(ship);
    c.addPlan(plan(3, 0.0));
    c.addPlan(plan(9, 50.0));
    c.plans.rewind();
    c.update(1.0);
    EXPECT_EQ(c.planMode, 3);
    setClock(49.0);
    c.update(1.0);
    EXPECT_EQ(c.planMode, 3);
    setClock(50.0);
    c.update(1.0);
    EXPECT_EQ(c.planMode, 9);
    EXPECT_EQ(c.activeOrders, &c.plans.tail()->item->orders);
    setClock(500.0);
    c.update(1.0);
    EXPECT_EQ(c.planMode, 9);
    EXPECT_EQ(c.acted, (std::vector<std::int32_t>{3, 3, 9, 9}));
}

TEST_F(Controllers, ChoosesTheContactWithTheGreatestReactionSquaredOverRange) {
    WatchedController& c = watch(ship);
    c.addPlan(plan(5, 0.0));
    contactOf(ship, kReactionAttack, 1000, 4);                      // neutral: never
    contactOf(ship, 0, 10);                                         // no reaction: never
    ContactRecord& first = contactOf(ship, kReactionClose, 1210);   // 121 / 1210 = 0.1
    contactOf(ship, kReactionClose, 1210);                          // as pressing: the first stays
    ContactRecord& evade = contactOf(ship, kReactionEvade, 1690.1); // 169 / 1690.1, just under 0.1
    c.update(1.0);
    EXPECT_EQ(c.target, &first);
    EXPECT_EQ(c.state, kReactionClose);
    evade.range = 1689.0;
    c.update(1.0);
    EXPECT_EQ(c.target, &evade);
    EXPECT_EQ(c.state, kReactionEvade);
}

TEST_F(Controllers, AnUnarmedCrewCountsAsTheLeastAbleAndRunsOutOfWeapons) {
    HarnessEntity& freighter = platform(4, {}, 0, 0, "Freighter", 3);
    EXPECT_EQ(watch(freighter).level, 1); // no weapons at all
    WatchedController& c = watch(ship);
    EXPECT_EQ(c.level, 2);
    c.addPlan(plan(5, 0.0));
    ship.weaponCount.fill(0); // it has fired everything
    c.update(1.0);
    EXPECT_EQ(c.state, kStateOutOfWeapons);
    EXPECT_EQ(c.level, 2);
}

TEST_F(Controllers, ANewOrderGoesAheadOfTheRest) {
    WatchedController& c = watch(ship);
    setClock(10.0);
    c.queueOrder(kStateBoxPatrol, 0, 0.0, 2000, 2000, 12.0, -30.0); // no plan yet: one is made for it
    ASSERT_NE(c.activeOrders, nullptr);
    c.queueOrder(2, 77, 5.0, 3000, 3000, 0.0, 0.0);
    const ControllerOrder& current = *c.currentOrder();
    EXPECT_EQ(current.type, 2);
    EXPECT_EQ(current.parameter, 77);
    EXPECT_EQ(current.dueTime, 15.0);
    EXPECT_EQ(current.hasSpeedDepth, 0);
    const ControllerOrder& next = *c.activeOrders->tail()->item;
    EXPECT_EQ(next.hasSpeedDepth, 1);
    EXPECT_EQ(next.speed, 12.0);
    EXPECT_EQ(next.depth, -30.0);
}

TEST_F(Controllers, APatrolWaypointLoopsAHoldStaysAndOthersAreUsedUp) {
    WatchedController& c = watch(ship);
    c.queueOrder(kStateBoxPatrol, 0, 0.0, 1000, 1003, 0, 0);
    c.queueOrder(kStateHold, 0, 0.0, 1000, 1004, 0, 0);
    c.queueOrder(2, 0, 0.0, 1000, 1004, 0, 0);
    c.queueOrder(kStateBoxPatrol, 0, 0.0, 1000, 1002, 0, 0);
    setClock(300.0);
    EXPECT_EQ(c.advanceWaypoint(), kStateBoxPatrol); // speed 10: reached within 5.08 m
    EXPECT_EQ(ship.motion->lastPositionReport, 180.0);
    EXPECT_EQ(c.activeOrders->tail()->item->y, 1002.0);
    EXPECT_EQ(c.advanceWaypoint(), 2);
    EXPECT_EQ(c.activeOrders->count(), 3);
    EXPECT_EQ(c.advanceWaypoint(), kStateHold);
    EXPECT_EQ(c.advanceWaypoint(), kStateHold);
    EXPECT_EQ(c.currentOrder()->type, kStateHold);
}

TEST_F(Controllers, TimeCompressionWidensTheReachOfAWaypoint) {
    WatchedController& c = watch(ship);
    c.queueOrder(2, 0, 0.0, 1000, 1040, 0, 0);
    EXPECT_EQ(c.advanceWaypoint(), 0);
    simSetTimeCompression(8.0); // 10 × 0.508 × 8 = 40.64 m
    EXPECT_EQ(c.advanceWaypoint(), 2);
    simSetTimeCompression(1.0);
}

TEST_F(Controllers, SteersToTheCurrentOrderWithItsSpeedAndDepth) {
    WatchedController& c = watch(ship);
    c.queueOrder(2, 0, 0.0, 2000, 1000, 14.0, -40.0);
    c.steerToOrder();
    EXPECT_NEAR(ship.motion->orderedCourse, 90.0, 1e-6);
    EXPECT_EQ(ship.motion->orderedSpeed, 14.0);
    EXPECT_EQ(ship.motion->orderedDepth, -40.0);
}

TEST_F(Controllers, AForgottenContactLeavesTheOrdersAndTheTarget) {
    WatchedController& c = watch(ship);
    c.queueOrder(2, 0, 0.0, 0, 0, 0, 0);
    c.queueOrder(4, 42, 0.0, 0, 0, 0, 0);
    c.queueOrder(4, 42, 0.0, 0, 0, 0, 0);
    ContactRecord& contact = contactOf(ship, kReactionAttack, 100, 2, 42);
    c.target = &contact;
    ship.dropContact(&contact);
    EXPECT_EQ(c.activeOrders->count(), 1);
    EXPECT_EQ(c.target, nullptr);
}

TEST_F(Controllers, AFloatsDetectionIsNoEvent) {
    ObjectRecord buoy = harnessVariant(43, "Buoy", "float");
    RecordTable table(harnessRecordsWith(buoy));
    HarnessEntity& observer = platform(1, {0, 0, 0});
    HarnessEntity& float_ = platform(2, {0, 500, 0}, 0, 0, "Buoy");
    HarnessEntity& sub = platform(2, {0, 700, -60}, 0, 0, "Hunter");
    ContactFix fix;
    observer.processContactRecord(float_, fix);
    observer.processContactRecord(sub, fix);
    EXPECT_EQ(loggedOfKind(kEventMeeting).size(), 1u);
}

TEST_F(Controllers, RelaysAContactToTheNearestFriendsAndASeenWeaponToItsLauncher) {
    HarnessEntity& near = platform(1, {1000, 6000, 0});
    platform(1, {1000, 9000, 0});                        // farther: not told
    HarnessEntity& enemy = platform(2, {1000, 3000, 0}); // hostile: not told
    auto& torpedo = harness.add(new Entity(2, "Fish", 2, kKindWeapon, -1));
    torpedo.parentId = enemy.id;
    ContactFix fix;
    fix.course = 30.0;
    fix.speed = 40.0;
    fix.sensorType = kSensorPassive;
    ship.processContactRecord(torpedo, fix);
    const int armed = ship.controller->relayContact(*ship.contacts.head()->item);
    EXPECT_EQ(armed, 1); // the frigate told has torpedoes left in its second store
    ASSERT_EQ(near.contacts.count(), 1);
    const ContactRecord& told = *near.contacts.head()->item;
    EXPECT_EQ(told.entityId, enemy.id);
    EXPECT_EQ(told.kind, kKindSurface);
    const ContactFix& relayed = told.fixes[0].newest();
    EXPECT_EQ(relayed.sensorType, kSensorRelayed);
    EXPECT_EQ(relayed.course, 210.0);
    EXPECT_EQ(relayed.speed, 0.0);
    EXPECT_TRUE(enemy.contacts.empty());
}

} // namespace
} // namespace q71::test
