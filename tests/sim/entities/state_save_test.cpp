#include "entity_fixture.h"

#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/byte_stream.h"

#include <limits>

namespace q71::test {
namespace {

class SavedState : public EntityWorld {
protected:
    template <class T> static std::vector<std::uint8_t> saved(const T& thing) {
        MemorySink sink;
        EXPECT_TRUE(thing.save(sink));
        return sink.bytes();
    }
    template <class T> static bool restore(T& thing, const std::vector<std::uint8_t>& bytes) {
        MemorySource source(bytes);
        return thing.load(source) && source.remaining() == 0;
    }
    static std::vector<std::uint8_t> cut(std::vector<std::uint8_t> bytes, std::size_t less) {
        bytes.resize(bytes.size() - less);
        return bytes;
    }
};

TEST_F(SavedState, AMotionModelIsOneBlockOf472Bytes) {
    MotionModel& m = *platform(1, {100, 200, -30}, 45.0, 12.0).motion;
    m.engineOrderMode = 1;
    m.sinking = 1;
    m.secondPiece.orderedRoll = -7.5;
    const std::vector<std::uint8_t> bytes = saved(m);
    ASSERT_EQ(bytes.size(), kMotionBlockSize);
    MotionModel& copy = *platform(1, {}).motion;
    ASSERT_TRUE(restore(copy, bytes));
    EXPECT_EQ(saved(copy), bytes);
    EXPECT_EQ(copy.y, 200.0);
    EXPECT_EQ(copy.heading, 45.0);
    EXPECT_EQ(copy.engineOrderMode, 1);
    EXPECT_EQ(copy.secondPiece.orderedRoll, -7.5);
    EXPECT_FALSE(restore(copy, cut(bytes, 1)));
}

TEST_F(SavedState, AValueThatIsNoNumberIsRefused) {
    MotionModel& m = *platform(1, {}).motion;
    m.x = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::uint8_t> bytes = saved(m);
    EXPECT_FALSE(restore(*platform(1, {}).motion, bytes));
}

TEST_F(SavedState, AControllerKeepsItsPlansAndOrders) {
    HarnessEntity& ship = platform(1, {}, 0, 10);
    ship.patrolBox(3000.0, 12.0);
    auto* later = new ControllerPlan;
    later->startTime = 900.0;
    later->mode = 9;
    later->params.setValue(32, 5000.0);
    ship.controller->addPlan(later);
    ship.controller->state = 12;
    const std::vector<std::uint8_t> bytes = saved(*ship.controller);
    EXPECT_EQ(bytes.size(), 224u + 4 + (104 + 4 * 104) + 104);
    HarnessEntity& copy = platform(1, {});
    ASSERT_TRUE(restore(*copy.controller, bytes));
    EntityController& c = *copy.controller;
    EXPECT_EQ(c.state, 12);
    EXPECT_EQ(c.planMode, 0); // the plan is activated by the next update
    EXPECT_EQ(c.activeOrders, nullptr);
    ASSERT_EQ(c.plans.count(), 2);
    EXPECT_EQ(c.plans.cursor()->item, c.plans.tail()->item);
    EXPECT_EQ(c.plans.tail()->item->params.areaWidth(), 5000.0);
    const OrderList& orders = c.plans.head()->item->orders;
    ASSERT_EQ(orders.count(), 4);
    EXPECT_EQ(orders.head()->item->speed, 12.0);
    // Loaded, it waits for its next update: saved again it is the same from then on.
    const std::vector<std::uint8_t> again = saved(c);
    ASSERT_TRUE(restore(c, again));
    EXPECT_EQ(saved(c), again);
}

TEST_F(SavedState, AControllerRefusesCountsItsBytesCannotHold) {
    HarnessEntity& ship = platform(1, {});
    std::vector<std::uint8_t> bytes = saved(*ship.controller);
    bytes[224] = 0xFF; // a plan count of 255 with no plan after it
    EXPECT_FALSE(restore(*ship.controller, bytes));
    ship.patrolBox(1000.0, 5.0);
    bytes = saved(*ship.controller);
    bytes[224 + 4 + 100 + 3] = 0x7F; // an order count near 2^31
    EXPECT_FALSE(restore(*ship.controller, bytes));
}

TEST_F(SavedState, ASensorKeepsItsCurvesPoseAndChain) {
    HarnessEntity& ship = platform(1, {});
    Sensor& radar = *ship.findSensorByType(kSensorRadar);
    radar.copyOwnerPose();
    radar.sourceTable[17] = 900;
    const std::vector<std::uint8_t> bytes = saved(radar);
    Sensor copy(ship, 0.0f);
    ASSERT_TRUE(restore(copy, bytes));
    EXPECT_EQ(copy.type, kSensorRadar);
    EXPECT_EQ(copy.rangeFar, radar.rangeFar);
    EXPECT_EQ(copy.transmitInterval, radar.transmitInterval);
    EXPECT_EQ(copy.sourceTable[17], 900);
    EXPECT_EQ(saved(copy), bytes);
    ship.motion->maxArrayLength = 100.0; // a chain of 11 elements
    radar.entityTable.assign(11, {1.0, 2.0, 3.0});
    const std::vector<std::uint8_t> chained = saved(radar);
    EXPECT_EQ(chained.size(), bytes.size() + 11 * 24);
    ASSERT_TRUE(restore(copy, chained));
    EXPECT_EQ(copy.entityTable[10][2], 3.0);
    EXPECT_FALSE(restore(copy, cut(chained, 30)));
}

TEST_F(SavedState, AnEntityWritesItsFieldsMotionAndController) {
    HarnessEntity& ship = platform(1, {500, 600, 0}, 30.0, 8.0);
    ship.patrolBox(2000.0, 8.0);
    ship.hull = 0.75;
    ship.inventory[3] = 2;
    ship.spareWords.secondTimer = 42.0;
    const std::vector<std::uint8_t> bytes = saved(ship);
    EXPECT_EQ(bytes.size(), 336u + kMotionBlockSize + saved(*ship.controller).size() + 4);
    HarnessEntity& copy = platform(1, {});
    ASSERT_TRUE(restore(copy, bytes));
    EXPECT_EQ(copy.id, ship.id);
    EXPECT_EQ(copy.hull, 0.75);
    EXPECT_EQ(copy.inventory[3], 2);
    EXPECT_EQ(copy.spareWords.secondTimer, 42.0);
    EXPECT_EQ(copy.motion->x, 500.0);
    EXPECT_EQ(copy.controller->plans.count(), 1);
    const std::vector<std::uint8_t> again = saved(copy);
    ASSERT_TRUE(restore(copy, again));
    EXPECT_EQ(saved(copy), again);
}

TEST_F(SavedState, AWreckIsSavedAndLoadedWithoutBehaviour) {
    HarnessEntity& ship = platform(1, {});
    ship.applyDamage(100.0, nullptr, false, false, false);
    ASSERT_EQ(ship.controller, nullptr);
    const std::vector<std::uint8_t> bytes = saved(ship);
    HarnessEntity& copy = platform(1, {});
    ASSERT_TRUE(restore(copy, bytes));
    EXPECT_EQ(copy.controller, nullptr);
    EXPECT_EQ(copy.findSensorByType(kSensorRadar), nullptr);
}

TEST_F(SavedState, TheOwnBoatKeepsItsContactsWithTheirFixes) {
    HarnessEntity& own = platform(1, {});
    own.typeCode = kEntityOwnShip;
    own.maxFixes = 240;
    HarnessEntity& target = platform(2, {0, 5000, -60}, 0, 0, "Hunter");
    ContactFix fix;
    for (int i = 0; i < 3; ++i) {
        fix.time = 40.0 * i;
        fix.quality = static_cast<std::uint8_t>(10 + i);
        own.processContactRecord(target, fix);
    }
    ContactRecord& contact = *own.contacts.head()->item;
    contact.designation.letter = 'S';
    contact.designation.numbers[2] = 7;
    contact.fixes[4].push(fix, 240);
    const std::vector<std::uint8_t> bytes = saved(own);
    HarnessEntity& copy = platform(1, {});
    copy.typeCode = kEntityOwnShip;
    copy.maxFixes = 240;
    ASSERT_TRUE(restore(copy, bytes));
    ASSERT_EQ(copy.contacts.count(), 1);
    const ContactRecord& back = *copy.contacts.head()->item;
    EXPECT_EQ(back.entityId, target.id);
    EXPECT_EQ(back.designation.numbers[2], 7);
    ASSERT_EQ(back.fixes[0].size(), 3u);
    EXPECT_EQ(back.fixes[0].newest().quality, 12);
    EXPECT_EQ(back.fixes[4].size(), 1u);
    const std::vector<std::uint8_t> again = saved(copy);
    ASSERT_TRUE(restore(copy, again));
    EXPECT_EQ(saved(copy), again);
    std::vector<std::uint8_t> damaged = bytes;
    damaged[336] = 0xFF; // more contacts than bytes
    EXPECT_FALSE(restore(copy, damaged));
}

} // namespace
} // namespace q71::test
