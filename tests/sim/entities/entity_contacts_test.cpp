#include "entity_fixture.h"

#include "sim/entities/sensors/sensor.h"

namespace q71::test {
namespace {

ContactFix fixAt(double x, double y, double time, std::uint8_t quality, int sensorType = kSensorVisual) {
    ContactFix fix;
    fix.x = x;
    fix.y = y;
    fix.time = time;
    fix.quality = quality;
    fix.sensorType = sensorType;
    fix.course = 90.0;
    fix.speed = 12.0;
    return fix;
}

class EntityContacts : public EntityWorld {
protected:
    HarnessEntity& observer = platform(1, {0, 0, 0});
    HarnessEntity& seen = platform(2, {0, 9144, 0});
};

using EntityEncounters = EntityWorld;

TEST_F(EntityEncounters, AFirstFixMakesAContactAndTellsTheController) {
    HarnessEntity& observer = platform(1, {0, 0, 0});
    HarnessEntity& seen = platform(2, {0, 9144, -60}, 0, 0, "Hunter");
    setClock(5.0);
    observer.processContactRecord(seen, fixAt(0, 9144, 5.0, 60));
    observer.processContactRecord(observer, fixAt(0, 0, 5.0, 60)); // itself: ignored
    ASSERT_EQ(observer.contacts.count(), 1);
    const ContactRecord& contact = *observer.contacts.head()->item;
    EXPECT_EQ(contact.entityId, seen.id);
    EXPECT_EQ(contact.recordId, kRecordSubmarine);
    EXPECT_EQ(contact.side, 2);
    EXPECT_EQ(contact.kind, kKindSubsurface);
    EXPECT_NEAR(contact.bearing, 0.0, 1e-6);
    EXPECT_NEAR(contact.range, 9144 * 1.0936, 1e-6);
    EXPECT_EQ(contact.course, 90.0);
    EXPECT_EQ(contact.speed, 12.0);
    EXPECT_EQ(contact.lastUpdate, 5.0);
    const std::vector<ReplayEvent> met = loggedOfKind(kEventMeeting);
    ASSERT_EQ(met.size(), 1u);
    EXPECT_EQ(met[0].subjectId, observer.id);
}

TEST_F(EntityContacts, KeepsAFixOnlyWhenBetterOrNewer) {
    observer.processContactRecord(seen, fixAt(0, 9000, 0.0, 60));
    const ContactRecord& contact = *observer.contacts.head()->item;
    observer.processContactRecord(seen, fixAt(0, 9000, 20.0, 50)); // worse and within 30 s
    EXPECT_EQ(contact.fixes[0].size(), 1u);
    observer.processContactRecord(seen, fixAt(0, 9000, 20.0, 70)); // better
    observer.processContactRecord(seen, fixAt(0, 9000, 51.0, 10)); // over 30 s newer
    EXPECT_EQ(contact.fixes[0].size(), 3u);
    for (int i = 0; i < 30; ++i)
        observer.processContactRecord(seen, fixAt(0, 9000, 100.0 + 31 * i, 1));
    EXPECT_EQ(contact.fixes[0].size(), 20u); // at most 20 per list
}

TEST_F(EntityContacts, DrawsTheTrackFromTheFarthestFixToTheNewest) {
    setClock(100.0);
    observer.processContactRecord(seen, fixAt(0, 12000, 0.0, 40));
    observer.processContactRecord(seen, fixAt(0, 11000, 100.0, 80));
    ContactRecord& contact = *observer.contacts.head()->item;
    contact.lastUpdate = 100.0;
    contact.speed = 0.0;
    observer.updateContacts();
    EXPECT_NEAR(contact.course, 180.0, 1e-6);
    EXPECT_NEAR(contact.speed, 0.6 * 1000 * 1.0936 / 100.0, 1e-9);
    // The one fix besides the reference (the newest), recent: (80 + 5) × min(1 + 1 + 5, 10) / 10.
    EXPECT_EQ(contact.quality, 85 * 7 / 10);
    EXPECT_NEAR(contact.bearing, 0.0, 1e-6);
    // A later second without a fix: the newest fix moves on along the track.
    contact.lastUpdate = 200.0;
    observer.updateContacts();
    WorldPoint reckoned;
    geoProject(0, 11000, contact.course, contact.speed * 0.508 * 1.0936 * 100.0, reckoned.x, reckoned.y);
    EXPECT_NEAR(contact.bearing, entityBearing(observer, reckoned), 1e-9);
    EXPECT_NEAR(contact.range, entityRangeYards(observer, reckoned), 1e-9);
}

TEST_F(EntityContacts, AKeptSpeedChangesAtMostByHalfOrDoubleAtOnce) {
    setClock(10.0);
    observer.processContactRecord(seen, fixAt(5000, 20000, 0.0, 40));
    observer.processContactRecord(seen, fixAt(0, 20000, 10.0, 80));
    ContactRecord& contact = *observer.contacts.head()->item;
    contact.lastUpdate = 10.0;
    contact.speed = 10.0;
    observer.updateContacts();
    EXPECT_EQ(contact.speed, 20.0);
}

TEST_F(EntityContacts, DropsStaleContactsByKindAndLevel) {
    auto& torpedo = harness.add(new Entity(2, "Fish", 3, kKindWeapon, -1));
    HarnessEntity& relayed = platform(2, {5000, 0, 0});
    observer.processContactRecord(seen, fixAt(0, 9000, 0.0, 60));
    observer.processContactRecord(torpedo, fixAt(0, 100, 0.0, 60));
    observer.processContactRecord(relayed, fixAt(5000, 0, 0.0, 60, kSensorRelayed));
    observer.updatePerSecond(301.0); // a weapon goes after 300 s
    EXPECT_EQ(observer.contacts.count(), 2);
    observer.updatePerSecond(660.0); // 961 s: the level-2 time-out of 960 s
    ASSERT_EQ(observer.contacts.count(), 1);
    EXPECT_EQ(observer.contacts.head()->item->entityId, relayed.id); // a friend's report lasts an hour
    observer.updatePerSecond(2640.0);
    EXPECT_EQ(observer.contacts.count(), 0);
}

TEST_F(EntityContacts, TheOwnBoatKeepsItsContacts) {
    worldSetOwnShip(&observer);
    observer.processContactRecord(seen, fixAt(0, 9000, 0.0, 60));
    observer.updatePerSecond(4000.0);
    EXPECT_EQ(observer.contacts.count(), 1);
}

TEST_F(EntityContacts, WorksOutTheRangeRateFromBothCourses) {
    observer.motion->speed = 10.0; // heading north, the contact dead ahead, coming south
    observer.processContactRecord(seen, fixAt(0, 9000, 0.0, 60));
    ContactRecord& contact = *observer.contacts.head()->item;
    contact.course = 180.0;
    contact.speed = 5.0;
    observer.updatePerSecond(1.0);
    EXPECT_NEAR(contact.rangeRate, -(10.0 + 5.0) * 0.508, 1e-9); // head on: both ways close the range
    contact.course = 0.0;
    contact.speed = 10.0;
    observer.updatePerSecond(1.0);
    EXPECT_NEAR(contact.rangeRate, 0.0, 1e-9); // running ahead at the same speed: the range holds
}

TEST_F(EntityContacts, APurgedEntityLeavesEveryControllersContactsAndTarget) {
    observer.processContactRecord(seen, fixAt(0, 9000, 0.0, 60));
    observer.controller->target = observer.contacts.head()->item;
    worldPurgeEntityId(seen.id);
    EXPECT_EQ(observer.contacts.count(), 0);
    EXPECT_EQ(observer.controller->target, nullptr);
    EXPECT_EQ(seen.removeFlag, 1u);
}

} // namespace
} // namespace q71::test
