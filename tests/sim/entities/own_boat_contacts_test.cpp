// The own boat's contact list: designation numbers, contact records and their fixes, the arrays'
// trackers reported every second, and the crew's solution of a scripted target.
#include "own_boat_world.h"

#include "sim/entities/sensors/acoustic_suite.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"

#include <cmath>

namespace q71::test {
namespace {

class OwnShipContacts : public OwnBoatWorld {
protected:
    OwnShipContacts() { worldAddContactObserver(reinterpret_cast<std::uintptr_t>(this), observe); }
    ~OwnShipContacts() override { worldRemoveContactObserver(reinterpret_cast<std::uintptr_t>(this)); }

    static void observe(std::uintptr_t owner, ContactRecord* contact, int flag) {
        if (flag == kWorldEntityAdded)
            reinterpret_cast<OwnShipContacts*>(owner)->added.push_back(contact);
    }
    ContactRecord* only() const { return own->contacts.count() == 1 ? own->contacts.head()->item : nullptr; }
    /// Lets the sonar crew and the TMA crew assist: automatic (the best crew) or by rank (level 0).
    void assist(bool automatic) {
        setOption(automatic ? kOptionAssistStation0 : kOptionAssistByRank0, 1);
        setOption((automatic ? kOptionAssistStation0 : kOptionAssistByRank0) + kTmaAssistStation, 1);
    }

    std::vector<ContactRecord*> added;
};

TEST_F(OwnShipContacts, SonarTypesShareOneCounterThatRunsFrom1To99) {
    EXPECT_EQ(own->nextContactNumber(kSensorPassive, 0.0, false), 1);
    EXPECT_EQ(own->nextContactNumber(kSensorArray0, 0.0, false), 2);
    EXPECT_EQ(own->nextContactNumber(kSensorActive, 0.0, false), 3);
    EXPECT_EQ(own->nextContactNumber(kSensorRadar, 0.0, false), 1);
    EXPECT_EQ(own->nextContactNumber(kSensorVisual9, 0.0, false), 1);
    EXPECT_EQ(own->nextContactNumber(kSensorEsm, 0.0, false), 1);
    EXPECT_EQ(own->nextContactNumber(kSensorMerged, 0.0, false), 1);
    for (int type : {int{kSensorIntercept}, int{kSensorPlain6}, 10, int{kSensorDropped}, 99, -1})
        EXPECT_EQ(own->nextContactNumber(type, 0.0, false), 0) << type;
    for (int i = 4; i < 99; ++i)
        own->nextContactNumber(kSensorArray1, 0.0, false);
    EXPECT_EQ(own->nextContactNumber(kSensorArray1, 0.0, false), 99);
    EXPECT_EQ(own->nextContactNumber(kSensorArray1, 0.0, false), 1);
    EXPECT_TRUE(crew.reports.empty());
}

TEST_F(OwnShipContacts, ANewSonarNumberIsCalledOutWithItsBearing) {
    EXPECT_EQ(own->nextContactNumber(kSensorPassive, 44.6, true), 1);
    ASSERT_EQ(crew.reports.size(), 1u);
    EXPECT_EQ(crew.reports[0].channel, CrewChannel::sonar);
    EXPECT_EQ(crew.reports[0].wave, "ss1a.wav 045 ss1b.wav 1");
    EXPECT_EQ(logLines(), std::vector<std::string>{"T305 045 1"});
    own->nextContactNumber(kSensorRadar, 10.0, true); // only the sonar calls out its numbers
    EXPECT_EQ(crew.reports.size(), 1u);
}

TEST_F(OwnShipContacts, ARegisteredDetectionMakesOneContactPerDesignation) {
    HarnessEntity& frigate = platform("Frigate", 2, {10000.0, 15000.0, 0.0});
    run(1.0); // the flank array, the radar's receiver, has taken its place
    const double range = 5000.0 * kMetresToYards;
    own->registerContact(kSensorRadar, frigate.id, 0.0, range, -1.0, -1.0, 80);
    EXPECT_EQ(frigate.designation[kSensorRadar], 1);
    ContactRecord* contact = only();
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->designation.letter, 'R');
    EXPECT_EQ(contact->designation.numbers[kSensorRadar], 1);
    EXPECT_EQ(contact->entityId, 5001); // a serial number of its own, not the entity's id
    EXPECT_EQ(contact->recordId, kRecordFrigate);
    EXPECT_EQ(contact->course, 0.0);
    EXPECT_EQ(contact->speed, 0.0);
    EXPECT_EQ(added, std::vector<ContactRecord*>{contact});
    ASSERT_EQ(contact->fixes[kSensorRadar].size(), 1u);
    const ContactFix& fix = contact->fixes[kSensorRadar].newest();
    EXPECT_NEAR(fix.x, 10000.0, 1e-6);
    EXPECT_NEAR(fix.y, 15000.0, 0.1); // through yards and back
    EXPECT_EQ(fix.quality, 80);
    EXPECT_EQ(fix.z, 0.0);
    own->registerContact(kSensorRadar, frigate.id, 1.0, range, 90.0, 12.0, 85);
    EXPECT_EQ(only(), contact);
    ASSERT_EQ(contact->fixes[kSensorRadar].size(), 2u);
    EXPECT_EQ(contact->fixes[kSensorRadar].newest().count, 100);
    EXPECT_EQ(contact->fixes[kSensorRadar].newest().speed, 12.0);
    EXPECT_EQ(contact->lastUpdate, simClock().gameClock);
}

TEST_F(OwnShipContacts, AnotherSensorOfTheSameEntityGetsAContactOfItsOwn) {
    HarnessEntity& frigate = platform("Frigate", 2, {10000.0, 15000.0, 0.0});
    own->registerContact(kSensorRadar, frigate.id, 0.0, 5000.0, -1.0, -1.0, 80);
    own->registerContact(kSensorVisual9, frigate.id, 0.0, 10000.0, -1.0, -1.0, 95);
    ASSERT_EQ(own->contacts.count(), 2);
    EXPECT_EQ(own->contacts.tail()->item->designation.letter, 'V');
    EXPECT_EQ(own->contacts.tail()->item->entityId, 5002);
}

TEST_F(OwnShipContacts, AnUnknownEntityStillTakesANumberButNoFix) {
    own->registerContact(kSensorRadar, 4242, 30.0, 3000.0, -1.0, -1.0, 50);
    ContactRecord* contact = only();
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->recordId, 0u);
    EXPECT_TRUE(contact->fixes[kSensorRadar].empty());
}

TEST_F(OwnShipContacts, TypesWithoutNumbersMakeNoContacts) {
    HarnessEntity& frigate = platform("Frigate", 2, {10000.0, 15000.0, 0.0});
    own->registerContact(kSensorIntercept, frigate.id, 0.0, 5000.0, -1.0, -1.0, 50);
    ContactFix relayed;
    relayed.sensorType = kSensorRelayed;
    own->processContact(frigate.id, frigate.recordId, frigate.side, frigate.kind, relayed, 1);
    EXPECT_EQ(own->contacts.count(), 0);
}

TEST_F(OwnShipContacts, AnArraysFixCountsOnlyWhileATrackerHoldsTheEntity) {
    HarnessEntity& hunter = platform("Hunter", 2, {14000.0, 10000.0, -60.0});
    ContactFix fix;
    fix.time = simClock().gameClock;
    fix.sensorType = kSensorArray1;
    fix.bearing = 90.0;
    own->processContact(hunter.id, hunter.recordId, hunter.side, hunter.kind, fix, 1);
    EXPECT_EQ(own->contacts.count(), 0);
    EXPECT_EQ(hunter.designation[kSensorArray1], 0);
}

TEST_F(OwnShipContacts, RadarAsksForTheFlankArray) {
    EXPECT_EQ(own->ownShipSensorByType(kSensorRadar), own->array1);
    EXPECT_EQ(own->ownShipSensorByType(kSensorArray1), own->array1);
    EXPECT_EQ(own->ownShipSensorByType(kSensorPassive), own->array2);
    EXPECT_EQ(own->ownShipSensorByType(kSensorEsm), own->esmUnit);
    EXPECT_EQ(own->ownShipSensorByType(kSensorMirror), nullptr);
    EXPECT_EQ(ownShipSensorByType(kSensorActive), own->activeUnit);
    EXPECT_NE(own->array2, nullptr);
    EXPECT_NE(own->interceptUnit, nullptr);
    EXPECT_EQ(own->array0, nullptr);
}

TEST_F(OwnShipContacts, ATrackedTargetBecomesAContactWhoseFixesCloseEveryTwoMinutes) {
    HarnessEntity& hunter = platform("Hunter", 2, {14000.0, 10000.0, -60.0}, 0.0, 6.0);
    own->array1->trackEvent(-1, hunter.id, 90.0, 0.0, -1, kSensorArray1);
    ASSERT_TRUE(runUntil([&] { return own->contacts.count() == 1; }, 60.0));
    ContactRecord& contact = *own->contacts.head()->item;
    EXPECT_EQ(contact.designation.letter, 'S');
    EXPECT_EQ(contact.designation.numbers[kSensorArray1], hunter.designation[kSensorArray1]);
    EXPECT_NE(hunter.designation[kSensorArray1], 0);
    run(100.0);
    // The flank array's fixes gather into one running mean until the sweep closes it.
    const FixList& fixes = contact.fixes[kSensorArray1];
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_GT(fixes.newest().count, 50);
    EXPECT_NEAR(fixes.newest().bearing, 90.0, 5.0);
    run(30.0); // past two minutes: closed, and a new one begun
    ASSERT_GE(fixes.size(), 2u);
    EXPECT_LT(fixes.newest().count, 15);
    EXPECT_GT(fixes[1].count, 100);
    EXPECT_NEAR(fixes[1].time, 120.0, 1.0);
}

TEST_F(OwnShipContacts, TheBestCrewSolvesAScriptedTargetExactly) {
    assist(true);
    HarnessEntity& hunter = platform("Hunter", 2, {14000.0, 10000.0, -60.0}, 0.0, 6.0);
    own->array1->trackEvent(-1, hunter.id, 90.0, 0.0, -1, kSensorArray1);
    ASSERT_TRUE(runUntil([&] { return own->contacts.count() == 1; }, 60.0));
    ContactRecord& contact = *own->contacts.head()->item;
    run(400.0); // three sweeps: enough fixes for a solution
    ASSERT_GE(contact.fixes[kSensorArray1].size(), 3u);
    EXPECT_NEAR(contact.course, hunter.motion->heading, 1e-6);
    EXPECT_NEAR(contact.speed, hunter.motion->speed, 1e-6);
    EXPECT_NEAR(contact.range, entityRangeYards(*own, hunter), 50.0);
    EXPECT_NEAR(angleDiff(contact.bearing, entityBearing(*own, hunter)), 0.0, 3.0);
    EXPECT_EQ(contact.belowLayer, 0); // an isothermal sea has no layer to hide under
}

TEST_F(OwnShipContacts, TheCrewTellsATargetBelowTheLayer) {
    assist(true);
    soundProfile().layerDepth = -50.0;
    HarnessEntity& deep = platform("Hunter", 2, {14000.0, 10000.0, -60.0}, 0.0, 6.0);
    HarnessEntity& shallow = platform("Hunter", 2, {6000.0, 10000.0, -40.0}, 0.0, 6.0);
    own->array1->trackEvent(-1, deep.id, 90.0, 0.0, -1, kSensorArray1);
    own->array1->trackEvent(-1, shallow.id, 270.0, 0.0, -1, kSensorArray1);
    run(400.0);
    ASSERT_EQ(own->contacts.count(), 2);
    for (auto* node = own->contacts.head(); node; node = node->next) {
        const bool isDeep = worldFindByDesignation(node->item->designation) == &deep;
        EXPECT_EQ(node->item->belowLayer, isDeep ? 1 : 0);
    }
}

TEST_F(OwnShipContacts, ALesserCrewGuessesButStaysInTheRightQuarter) {
    assist(false); // by rank: a crew of level 0
    HarnessEntity& hunter = platform("Hunter", 2, {14000.0, 10000.0, -60.0}, 0.0, 6.0);
    own->array1->trackEvent(-1, hunter.id, 90.0, 0.0, -1, kSensorArray1);
    ASSERT_TRUE(runUntil([&] { return own->contacts.count() == 1; }, 60.0));
    ContactRecord& contact = *own->contacts.head()->item;
    run(400.0);
    EXPECT_GE(contact.speed, 0.0);
    EXPECT_LE(contact.speed, 32.0 + 3.0);
    EXPECT_NE(contact.range, entityRangeYards(*own, hunter));
    EXPECT_NEAR(angleDiff(contact.bearing, entityBearing(*own, hunter)), 0.0, 45.0);
}

TEST_F(OwnShipContacts, WithoutTheCrewContactsAreDeadReckoned) {
    HarnessEntity& frigate = platform("Frigate", 2, {10000.0, 15000.0, 0.0});
    own->registerContact(kSensorRadar, frigate.id, 0.0, 5000.0 * kMetresToYards, -1.0, -1.0, 80);
    ContactRecord& contact = *own->contacts.head()->item;
    run(2.0);
    contact.course = 90.0;
    contact.speed = 10.0;
    run(60.0);
    const double moved = 10.0 * kSpeedUnitMetresPerSecond * 60.0;
    EXPECT_NEAR(contact.bearing, geoBearing(moved, 5000.0), 0.2);
    EXPECT_NEAR(contact.range, std::hypot(moved, 5000.0) * kMetresToYards, 15.0);
}

} // namespace
} // namespace q71::test
