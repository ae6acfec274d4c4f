#include "receiver_world.h"

#include "sim/entities/sensors/own_boat_contacts.h"

namespace q71::test {
namespace {

// The receiver world with the bow array's first row taken.
class BowArrayWorld : public ReceiverWorld {
protected:
    BowArrayWorld() {
        setClock(0.5);
        bow().step(0.0);
    }
    PassiveArray2& bow() { return *own->suite.bowArray; }
};

class SonarTrackers : public BowArrayWorld {
protected:
    const TrackSlot& tracker(int i) const {
        return own->suite.bowArray->trackers()[static_cast<std::size_t>(i)];
    }
};

TEST_F(SonarTrackers, TakeTheFirstSourceWithinFiveDegreesAndTheirRange) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100}, 0.0, 12.6);
    bow().trackEvent(-1, 0, 90.0, 0.0, -1, kSensorPassive);
    EXPECT_TRUE(tracker(0).armed);
    EXPECT_EQ(tracker(0).letter, 'A');
    bow().onNoise(akula.id, 96, 5000.0, 60); // six degrees off
    EXPECT_FALSE(tracker(0).locked);
    setClock(2.0);
    bow().onNoise(akula.id, 94, 60000.0, 160); // a range-free tracker takes any range
    ASSERT_TRUE(tracker(0).locked);
    EXPECT_EQ(tracker(0).source, akula.id);
    EXPECT_EQ(tracker(0).bearing, 94.0);
    EXPECT_EQ(tracker(0).range, 60000.0);
    EXPECT_EQ(tracker(0).level, 100);
    EXPECT_EQ(tracker(0).stamp1, 2.0);

    bow().trackEvent(-1, 0, 200.0, 3000.0, -1, kSensorPassive); // the first tracker not locked
    EXPECT_TRUE(tracker(1).armed);
    bow().onNoise(akula.id + 1, 201, 1500.0, 50); // 1500 yards off its range
    EXPECT_FALSE(tracker(1).locked);
    bow().onNoise(akula.id + 1, 201, 2100.5, 50);
    EXPECT_TRUE(tracker(1).locked);
    EXPECT_EQ(tracker(1).range, 2100.0);
}

TEST_F(SonarTrackers, FollowTheirSourceAndKeepItsSpeed) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100}, 0.0, 12.6);
    bow().trackEvent(0, 0, 90.0, 0.0, -1, kSensorPassive);
    bow().onNoise(akula.id, 90, 2000.0, 60);
    setClock(3.0);
    bow().step(0.0);                          // a new row: the history moves on
    bow().onNoise(akula.id, 120, 2500.0, 70); // far from its bearing, but it follows its source
    EXPECT_EQ(tracker(0).bearing, 120.0);
    EXPECT_EQ(tracker(0).stamp1, 0.5);
    EXPECT_EQ(tracker(0).stamp2, 3.0);
    EXPECT_EQ(tracker(0).historyAt(tracker(0).writeIndex), 12);
    EXPECT_TRUE(bow().tracks(akula.id));
    EXPECT_FALSE(bow().tracks(-akula.id));
}

TEST_F(SonarTrackers, ChooseTheLongestLockedWhenAllAreLocked) {
    for (int i = 0; i < 4; ++i) {
        setClock(10.0 - i);
        bow().trackEvent(i, 0, 10.0 * i, 0.0, -1, kSensorPassive);
        bow().onNoise(100 + i, 10 * i, 100.0, 50);
    }
    bow().trackEvent(-1, 0, 300.0, 0.0, -1, kSensorPassive);
    EXPECT_TRUE(tracker(3).armed); // locked at 7.0, the earliest
    EXPECT_TRUE(tracker(0).locked);
    bow().trackEvent(7, 0, 300.0, 0.0, -1, kSensorPassive); // no such tracker: nothing happens
    EXPECT_TRUE(tracker(1).locked);
}

TEST_F(SonarTrackers, LetGoOfTheirSourceWhenReleased) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100}, 0.0, 12.6);
    for (int i = 0; i < 4; ++i) {
        bow().trackEvent(i, 0, 90.0, 0.0, -1, kSensorPassive);
        bow().onNoise(akula.id, 90, 2000.0, 60);
    }
    for (int slot : {-1, 4}) { // no such tracker: every one still follows
        bow().releaseTracker(slot);
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(tracker(i).locked) << slot << " " << i;
    }
    for (int i = 0; i < 4; ++i)
        bow().releaseTracker(i);
    EXPECT_FALSE(bow().tracks(akula.id));
    bow().onNoise(akula.id, 90, 2000.0, 60); // heard again on the same bearing: no tracker takes it
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(tracker(i).inUse()) << i;
}

TEST_F(SonarTrackers, LockOnALineNearTheirFrequency) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100}, 0.0, 8.0);
    bow().trackEvent(2, 0, 10.0, 0.0, 950, kSensorPassive);
    EXPECT_EQ(bow().onEntitySignal(akula, akula.id, 12, 60), 1);
    ASSERT_TRUE(tracker(2).locked);
    EXPECT_EQ(tracker(2).line, 2); // the 900 Hz line
    EXPECT_EQ(tracker(2).lineFrequency, 900);
    EXPECT_EQ(tracker(2).level, 40);
    EXPECT_EQ(akula.designation[kSensorPassive], 1);
    bow().onEntitySignal(akula, akula.id, 14, 70);
    EXPECT_EQ(tracker(2).bearing, 14.0);
    EXPECT_EQ(tracker(2).level, 50);
    EXPECT_EQ(tracker(2).historyAt(tracker(2).writeIndex), 8);
}

TEST_F(SonarTrackers, NumberTheSourcesTheyTakeAndAnnounceOnlyHostileNewOnes) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100});
    Entity& friendly = spawn("Akula", 1, kKindSubsurface, {-2000, 0, -100});
    bow().trackEvent(0, 0, 90.0, 0.0, -1, kSensorPassive);
    bow().onNoise(akula.id, 90, 2000.0, 60);
    ASSERT_EQ(own->numbered.size(), 1u);
    EXPECT_EQ(akula.designation[kSensorPassive], 1);
    EXPECT_FALSE(own->numbered[0].announced); // no crew assistance

    assist(true);
    bow().trackEvent(1, 0, 270.0, 0.0, -1, kSensorPassive);
    bow().onNoise(friendly.id, 270, 2000.0, 60);
    Entity& hostile = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100});
    bow().trackEvent(2, 0, 0.0, 0.0, -1, kSensorPassive);
    bow().onNoise(hostile.id, 0, 2000.0, 60);
    ASSERT_EQ(own->numbered.size(), 3u);
    EXPECT_FALSE(own->numbered[1].announced); // a friend
    EXPECT_TRUE(own->numbered[2].announced);
    EXPECT_EQ(hostile.designation[kSensorPassive], 3);

    // A source the own boat already holds a contact for, by another sensor's number.
    Entity& held = spawn("Akula", 2, kKindSubsurface, {0, -2000, -100});
    held.designation[kSensorArray1] = 9;
    auto* contact = new ContactRecord;
    contact->designation.numbers[kSensorArray1] = 9;
    own->contacts.appendItem(contact);
    bow().trackEvent(3, 0, 100.0, 0.0, -1, kSensorPassive);
    bow().onNoise(held.id, 100, 2000.0, 60);
    ASSERT_EQ(own->numbered.size(), 4u);
    EXPECT_FALSE(own->numbered[3].announced);
}

class SonarCrew : public BowArrayWorld {
protected:
    bool anyArmed() const {
        for (const TrackSlot& slot : own->suite.bowArray->trackers())
            if (slot.armed)
                return true;
        return false;
    }
};

TEST_F(SonarCrew, ArmsATrackerAfter200LevelUnitsAtTheTopAssistLevel) {
    assist(true); // automatic: level 5, counting what is above 1 × ambient
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100});
    bow().onNoise(akula.id, 90, 2000.0, 30); // not above the ambient noise
    EXPECT_EQ(akula.signatureLevel[kSensorPassive], 0);
    for (int i = 0; i < 3; ++i)
        bow().onNoise(akula.id, 90, 2000.0, 50);
    EXPECT_FALSE(anyArmed());
    EXPECT_EQ(akula.signatureLevel[kSensorPassive], 150);
    bow().onNoise(akula.id, 90, 2000.0, 50);
    ASSERT_TRUE(anyArmed());
    EXPECT_EQ(bow().trackers()[0].bearing, 90.0);
    EXPECT_EQ(bow().trackers()[0].sensorType, kSensorPassive);
    EXPECT_EQ(akula.signatureLevel[kSensorPassive], 0);
    bow().onNoise(akula.id, 91, 2000.0, 50); // the armed tracker takes it
    EXPECT_TRUE(bow().tracks(akula.id));
}

TEST_F(SonarCrew, ArmsATrackerAfter5000LevelUnitsAtTheLowestAssistLevel) {
    assist(false); // by rank, without a player: level 0, counting what is above 2 × ambient
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100});
    bow().onNoise(akula.id, 90, 2000.0, 60);
    EXPECT_EQ(akula.signatureLevel[kSensorPassive], 0);
    for (int i = 0; i < 49; ++i)
        bow().onNoise(akula.id, 90, 2000.0, 100);
    EXPECT_FALSE(anyArmed());
    bow().onNoise(akula.id, 90, 2000.0, 100);
    EXPECT_TRUE(anyArmed());
}

TEST_F(SonarCrew, LeavesPlatformsAloneWithoutAssistance) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {2000, 0, -100});
    for (int i = 0; i < 100; ++i)
        bow().onNoise(akula.id, 90, 2000.0, 100);
    EXPECT_FALSE(anyArmed());
    EXPECT_EQ(akula.signatureLevel[kSensorPassive], 0);
}

TEST_F(SonarCrew, CallsOutAHostileTorpedoOnceWhicheverArrayHearsIt) {
    Entity& torpedo = spawn("Adcap", 2, kKindWeapon, {0, 3000, -100});
    PassiveArray1& flank = *own->suite.flankArray;
    flank.step(0.0);
    for (int i = 0; i < 49; ++i)
        bow().onNoise(torpedo.id, 45, 3000.0, 100);
    EXPECT_TRUE(audio.said.empty());
    bow().onNoise(torpedo.id, 45, 3000.0, 100);
    for (int i = 0; i < 60; ++i)
        flank.onNoise(torpedo.id, 45, 3000.0, 100);
    ASSERT_EQ(audio.said.size(), 1u);
    EXPECT_EQ(audio.said[0], "sonar: ss6.wav 45/3");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "Torpille dans l'eau au 045.");
    EXPECT_FALSE(anyArmed()); // a torpedo gets no tracker
}

TEST_F(SonarCrew, TellsOfTheBoatsOwnTorpedoRunning) {
    assist(true);
    Entity& torpedo = spawn("Adcap", 1, kKindWeapon, {0, 3000, -100});
    torpedo.parentId = own->id;
    for (int i = 0; i < 4; ++i)
        bow().onNoise(torpedo.id, 10, 3000.0, 60);
    ASSERT_EQ(audio.said.size(), 1u);
    EXPECT_EQ(audio.said[0], "sonar: ss2.wav");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "Notre torpille est en route.");
}

TEST_F(SonarCrew, CountsExplosionsWithoutAssistance) {
    Entity& blast = spawn("Explosion", 0, kKindAir, {0, 3000, -100});
    bow().onNoise(blast.id, 10, 3000.0, 100);
    EXPECT_EQ(blast.signatureLevel[kSensorPassive], 100);
}

class TowedArrayCrew : public ReceiverWorld {
protected:
    TowedArrayCrew() : towed(own->streamTowedArray(5.0)) {
        setClock(0.5);
        towed.step(0.0);
    }
    PassiveArray0& towed;
};

TEST_F(TowedArrayCrew, HearsEverySourceTwiceAcrossItsAxis) {
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {-2000, -2000, -100});
    towed.trackEvent(0, 0, 225.0, 0.0, -1, kSensorArray0);
    towed.trackEvent(1, 0, 135.0, 0.0, -1, kSensorMirror);
    towed.onEvent(akula, 225.0, 2828.0, 100); // the axis is north: the mirror lies at 135
    EXPECT_EQ(towed.type, kSensorArray0);
    ASSERT_TRUE(towed.trackers()[0].locked);
    EXPECT_EQ(towed.trackers()[0].source, akula.id);
    ASSERT_TRUE(towed.trackers()[1].locked);
    EXPECT_EQ(towed.trackers()[1].source, -akula.id);
    EXPECT_EQ(towed.trackers()[0].letter, 'I');
    EXPECT_EQ(akula.designation[kSensorArray0], 1);
    EXPECT_EQ(akula.designation[kSensorMirror], 2);
    EXPECT_EQ(towed.sourceTable[225], akula.id);
    EXPECT_EQ(towed.sourceTable[135], static_cast<std::uint16_t>(-akula.id));
}

TEST_F(TowedArrayCrew, ResolvesTheMirrorOnceTheArrayHasTurned) {
    assist(true);
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {-2000, -2000, -100});
    towed.trackEvent(0, 0, 225.0, 0.0, -1, kSensorArray0);
    towed.onNoise(akula.id, 225, 3000.0, 60);
    EXPECT_FALSE(akula.resolved); // the axis is the one the crew last resolved on
    towed.heading = 10.0;
    towed.trackEvent(1, 0, 225.0, 0.0, -1, kSensorArray0);
    towed.onNoise(akula.id, 225, 3000.0, 60);
    EXPECT_TRUE(akula.resolved);
    EXPECT_EQ(towed.rememberedAxis(), 10.0);

    // The mirror's contact goes and its tracker with it.
    akula.designation[kSensorMirror] = 4;
    auto* mirror = new ContactRecord;
    mirror->designation.numbers[kSensorMirror] = 4;
    own->contacts.appendItem(mirror);
    towed.trackEvent(2, 0, 135.0, 0.0, -1, kSensorMirror);
    towed.type = kSensorMirror;
    towed.onNoise(-akula.id, 135, 3000.0, 60);
    towed.type = kSensorArray0;
    EXPECT_FALSE(towed.trackers()[2].inUse());
    EXPECT_TRUE(own->contacts.empty());
}

TEST(OwnBoatContacts, MergeAnEntitysContactsOfSeveralSensors) {
    Entity ownBoat(1, 9999u, 2, kKindSubsurface, 50);
    Entity akula(2, 9999u, 2, kKindSubsurface, 51);
    akula.designation[kSensorPassive] = 5;
    akula.designation[kSensorArray1] = 7;
    akula.designation[kSensorMirror] = 8;
    auto* first = new ContactRecord;
    first->designation.letter = 'S';
    first->designation.numbers[kSensorPassive] = 5;
    auto* second = new ContactRecord;
    second->designation.numbers[kSensorArray1] = 7;
    second->fixes[kSensorArray1].push(ContactFix{.time = 3.0}, 10);
    auto* mirror = new ContactRecord;
    mirror->designation.numbers[kSensorMirror] = 8;
    for (ContactRecord* contact : {first, second, mirror})
        ownBoat.contacts.appendItem(contact);
    ownBoatMergeContacts(ownBoat, akula);
    ASSERT_EQ(ownBoat.contacts.count(), 2); // the mirror is not merged
    EXPECT_EQ(first->designation.letter, 'M');
    EXPECT_EQ(first->designation.numbers[kSensorArray1], 7);
    EXPECT_EQ(first->fixes[kSensorArray1].size(), 1u);
    EXPECT_EQ(first->side, 2);
    EXPECT_EQ(mirror->side, 2);
    EXPECT_TRUE(ownBoatHasContactOn(ownBoat, akula));
    ownBoatDropMirrorContacts(ownBoat, akula);
    EXPECT_EQ(ownBoat.contacts.count(), 1);
    ownBoat.contacts.deleteAll();
}

TEST(SonarCrewTexts, ComeWithTheDataSet) {
    textClose();
    ASSERT_EQ(textOpen(), 1);
    char line[256];
    textFormat(line, 309, 45);
    EXPECT_NE(std::string(line).find("045"), std::string::npos) << line;
    EXPECT_STRNE(textGetString(306), "");
    textClose();
}

} // namespace
} // namespace q71::test
