// Mines going off: by distance and depth of what their sensor feels, floats and weapons that
// never set them off, the blast on the own boat, the tutorials' harmless mines, and the mobile
// mine's run, laying and saved state.
#include "air_sea_world.h"
#include "sim/entities/controllers/mine_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/mine_entities.h"
#include "sim/entities/types/mobile_mine_entity.h"
#include "sim/support/sensed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

using ::testing::Contains;
using ::testing::Not;

// An intercept receiver that keeps the blasts it is told of.
class RecordingIntercept final : public Sensor {
public:
    explicit RecordingIntercept(Entity& owner) : Sensor(owner, 1.0f) { type = kSensorIntercept; }
    void onPing(std::int32_t sourceId, int bearing, int level) override {
        pings.push_back({sourceId, bearing, level});
    }
    struct Ping {
        std::int32_t sourceId;
        int bearing;
        int level;
    };
    std::vector<Ping> pings;
};

class Mines : public AirSeaWorld {
protected:
    /// An entity of the world put at a place.
    Entity& place(Entity* entity, WorldPoint at) {
        harness.add(entity);
        entity->motion->x = at.x;
        entity->motion->y = at.y;
        entity->motion->z = entity->motion->orderedDepth = at.z;
        return *entity;
    }
    /// A type-7 mine, which feels hulls within 91.44 m (certainly within 68.58 m).
    Entity& influenceMine(WorldPoint at) { return place(new MineEntity(2, "InfluenceMine", 2), at); }
    /// A type-15 mine, which feels hulls within 45.72 m (certainly within 27.432 m).
    Entity& contactMine(WorldPoint at) { return place(new Mine2Entity(2, "ContactMine", 2), at); }

    /// One per-second pass of the mine a second later: its sensor scans.
    void scan(Entity& m) {
        now_ += 1.0;
        setClock(now_);
        m.updatePerSecond(1.0);
    }

    /// A submarine that shows the damage it takes (armour 100).
    Entity& submarine(WorldPoint at) {
        Entity& sub = body(1, "Hunter", kKindSubsurface, at);
        sub.armour = 100;
        return sub;
    }

private:
    double now_ = 10.0;
};

TEST_F(Mines, AHullInsideTheMinesRangeSetsItOffOnce) {
    Entity& m = influenceMine({1000, 1000, -60});
    Entity& sub = submarine({1000, 1060, -60});
    Entity& other = submarine({1000, 940, -60});
    scan(m);
    // The first hull found takes the warhead of 12; the mine is gone before it feels the second.
    EXPECT_NEAR(sub.hull, 1.0 - 12 / 100.0, 1e-12);
    EXPECT_EQ(other.hull, 1.0);
    EXPECT_EQ(m.removeFlag, 1u);
    EXPECT_EQ(explosions(), 2); // at the hull and at the mine
}

TEST_F(Mines, AHullOutsideTheRangeOrOutOfTheWaterLeavesTheMineWaiting) {
    Entity& m = influenceMine({1000, 1000, -60});
    Entity& beside = submarine({1050, 1000, -160}); // 50 m off, but 100 m below: 112 m away
    Entity& aircraft = body(1, "Patrol", kKindAir, {1000, 1000, 30});
    for (int i = 0; i < 5; ++i)
        scan(m);
    EXPECT_EQ(m.removeFlag, 0u);
    EXPECT_EQ(beside.hull, 1.0);
    EXPECT_EQ(aircraft.hull, 1.0);
    beside.motion->z = -60.0; // up to the mine's depth: 50 m away
    scan(m);
    EXPECT_LT(beside.hull, 1.0);
    EXPECT_EQ(m.removeFlag, 1u);
}

TEST_F(Mines, FloatsNeverSetOffAMine) {
    Entity& influence = influenceMine({1000, 1000, -10});
    Entity& contact = contactMine({3000, 1000, -10});
    body(4, "Buoy", kKindAir, {1000, 1010, 0});
    body(4, "Buoy", kKindAir, {3000, 1010, 0});
    for (int i = 0; i < 3; ++i) {
        scan(influence);
        scan(contact);
    }
    EXPECT_EQ(influence.removeFlag, 0u);
    EXPECT_EQ(contact.removeFlag, 0u);
    EXPECT_EQ(explosions(), 0);
}

TEST_F(Mines, ATorpedoSetsOffAnInfluenceMineButPassesAContactMine) {
    Entity& contact = contactMine({1000, 1000, -30});
    Entity& passing = body(1, "Fish", kKindWeapon, {1000, 1010, -30});
    Entity& influence = influenceMine({5000, 1000, -30});
    Entity& hitting = body(1, "Fish", kKindWeapon, {5000, 1010, -30});
    scan(contact);
    scan(influence);
    EXPECT_EQ(contact.removeFlag, 0u);
    EXPECT_EQ(passing.removeFlag, 0u);
    EXPECT_EQ(influence.removeFlag, 1u);
    EXPECT_EQ(hitting.removeFlag, 1u); // a hit weapon is gone
}

TEST_F(Mines, AContactMinesVictimLeavesNoExplosionOfItsOwn) {
    Entity& m = contactMine({1000, 1000, -30});
    Entity& sub = submarine({1000, 1020, -30});
    scan(m);
    EXPECT_NEAR(sub.hull, 1.0 - 10 / 100.0, 1e-12);
    EXPECT_EQ(explosions(), 1); // the mine's own
}

TEST_F(Mines, AMineOnTheOwnBoatIsReportedLoggedAndMarksItsLoss) {
    Entity& m = influenceMine({1000, 1000, -60});
    Entity& own = body(1, "Hunter", kKindSubsurface, {1000, 1030, -60});
    makeOwnBoat(own);
    scan(m);
    EXPECT_EQ(own.hull, 0.0); // 12 against an armour of 8
    EXPECT_EQ(missionState().ownBoatLossCause, kLossMine);
    // The hit's own cries and line come first, then the sonar's report.
    ASSERT_FALSE(services.audio.spoken.empty());
    EXPECT_EQ(services.audio.spoken.back(), "other channel: SSmine.wav");
    EXPECT_EQ(log.lines.back(), "Mine sur nous");
    const std::vector<ReplayEvent> damage = loggedOfKind(kEventOwnBoatDamage);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].x, -1200.0);
    EXPECT_EQ(damage[0].extra, kLossMine);
    EXPECT_EQ(damage[0].subjectId, own.id);
}

TEST_F(Mines, AHitThatLeavesTheOwnBoatAfloatKeepsItsLossCauseOpen) {
    Entity& m = contactMine({1000, 1000, -60});
    Entity& own = submarine({1000, 1030, -60});
    makeOwnBoat(own);
    scan(m);
    EXPECT_NEAR(own.hull, 0.9, 1e-12);
    EXPECT_EQ(missionState().ownBoatLossCause, kLossNone);
    EXPECT_EQ(services.audio.spoken, std::vector<std::string>{"other channel: SSmine.wav"});
}

TEST_F(Mines, OnlyTheOwnBoatsHitsAreLoggedAsItsDamage) {
    Entity& m = influenceMine({1000, 1000, -60});
    submarine({1000, 1030, -60});
    scan(m);
    EXPECT_TRUE(services.audio.spoken.empty());
    EXPECT_TRUE(loggedOfKind(kEventOwnBoatDamage).empty());
}

TEST_F(Mines, InTheTutorialsAMineScoresItsHitWithoutDamage) {
    missionState().missionMode = kMissionModeTutorial;
    Entity& m = influenceMine({1000, 1000, -60});
    Entity& own = body(1, "Hunter", kKindSubsurface, {1000, 1030, -60});
    makeOwnBoat(own);
    auto* intercept = new RecordingIntercept(own);
    own.addSensor(intercept);
    scan(m);
    EXPECT_EQ(own.hull, 1.0);
    EXPECT_EQ(m.hull, 1.0);
    EXPECT_EQ(m.removeFlag, 1u);
    EXPECT_EQ(explosions(), 0);
    EXPECT_EQ(scoringState().score, -200);
    EXPECT_TRUE(services.audio.spoken.empty());
    // The boat hears the blast from the south and holds the mine as a contact.
    ASSERT_EQ(intercept->pings.size(), 1u);
    EXPECT_EQ(intercept->pings[0].sourceId, m.id);
    EXPECT_EQ(intercept->pings[0].bearing, 180);
    EXPECT_EQ(intercept->pings[0].level, 100);
    const ContactRecord* heard = own.findContact(m.id);
    ASSERT_NE(heard, nullptr);
    EXPECT_EQ(heard->fixes[0].newest().sensorType, kSensorIntercept);
    const std::vector<ReplayEvent> hits = loggedOfKind(kEventMineDetonation);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].subjectId, m.id);
}

TEST_F(Mines, InTheTutorialsTheOwnBoatsLossOfScoreIsLogged) {
    missionState().missionMode = kMissionModeTutorial;
    Entity& m = contactMine({1000, 1000, -60});
    Entity& own = body(1, "Hunter", kKindSubsurface, {1000, 1030, -60});
    makeOwnBoat(own);
    scan(m);
    const std::vector<ReplayEvent> damage = loggedOfKind(kEventOwnBoatDamage);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].x, -200.0);
    EXPECT_EQ(damage[0].extra, kLossMine);
}

class MobileMines : public Mines {
protected:
    /// A mobile mine launched now from tube 1 of a boat south of (1000, 1000), running north at
    /// an ordered speed for `run` metres; the boat then leaves (a laid mine goes off on anyone).
    Entity& launched(double speed, double run) {
        Entity& boat = body(1, "Hunter", kKindSubsurface, {1000, 952, -50});
        MobileMineLaunch course;
        course.speed = speed;
        course.range = run;
        course.depth = -164.0;
        Entity& m = harness.add(new MobileMineEntity(1, "slmm", 2, boat.id, course));
        boat.motion->y = -50000.0;
        return m;
    }
    /// A point north of the mine by a distance.
    static WorldPoint north(const Entity& m, double metres) {
        const WorldPoint at = worldPoint(m);
        return {at.x, at.y + metres, at.z};
    }
    static MobileMineController& layingOf(Entity& m) {
        return static_cast<MobileMineController&>(*m.controller);
    }
};

TEST_F(MobileMines, AMineRunsOutAndLaysItselfWhereItsRunEnds) {
    setClock(100.0);
    Entity& m = launched(10.0, 1000.0);
    EXPECT_NEAR(layingOf(m).layTime, 100.0 + 1000.0 / 5.08, 1e-9); // 196.85 s of run
    setClock(296.0);
    m.controller->update(1.0);
    EXPECT_TRUE(m.sensors.empty());
    EXPECT_EQ(m.motion->orderedSpeed, 10.0);
    setClock(297.0);
    m.controller->update(1.0);
    EXPECT_EQ(layingOf(m).layTime, 0.0);
    EXPECT_EQ(m.motion->orderedSpeed, 0.0);
    EXPECT_EQ(m.motion->buoyancyRate, -1.0);
    EXPECT_EQ(m.noiseFactor, 0.0f);
    ASSERT_EQ(m.sensors.count(), 1);
    const Sensor& sensor = *m.sensors.head()->item;
    EXPECT_EQ(sensor.type, kSensorVisual);
    EXPECT_EQ(sensor.rangeNear, 173);
    EXPECT_EQ(sensor.rangeFar, 182);
    EXPECT_EQ(sensor.maxHeight, 0);
    EXPECT_EQ(sensor.minHeight, -10000);
    const std::vector<ReplayEvent> laid = loggedOfKind(kEventMineReport);
    ASSERT_EQ(laid.size(), 1u);
    EXPECT_EQ(laid[0].subjectId, m.id);
}

TEST_F(MobileMines, ALaidMineGoesOffOnAHullWithinItsRange) {
    Entity& m = launched(10.0, 10.0);
    setClock(5.0);
    m.controller->update(1.0);
    Entity& sub = submarine(north(m, 170.0));
    scan(m);
    EXPECT_NEAR(sub.hull, 0.88, 1e-12);
    EXPECT_EQ(m.removeFlag, 1u);
}

TEST_F(MobileMines, AFloatMakesALaidMineDisappearWithoutABlast) {
    Entity& m = launched(10.0, 10.0);
    setClock(5.0);
    m.controller->update(1.0);
    const WorldPoint above = north(m, 10.0);
    body(4, "Buoy", kKindAir, {above.x, above.y, 0});
    scan(m);
    EXPECT_EQ(m.removeFlag, 1u);
    EXPECT_EQ(m.hull, 1.0);
    EXPECT_EQ(explosions(), 0);
}

TEST_F(MobileMines, AMineWithoutSpeedLaysItselfAtOnceRatherThanNever) {
    Entity& m = launched(0.0, 1000.0);
    EXPECT_TRUE(std::isfinite(layingOf(m).layTime));
    EXPECT_NE(layingOf(m).layTime, 0.0); // not yet laid, even when launched at the mission's start
    setClock(0.5);
    m.controller->update(1.0);
    EXPECT_EQ(layingOf(m).layTime, 0.0);
    EXPECT_EQ(m.sensors.count(), 1);
}

TEST_F(MobileMines, ARunningMineReportsItsMeetingAndGoesOffWithoutTheCrewsReport) {
    Entity& m = launched(10.0, 5000.0);
    Entity& own = body(1, "Hunter", kKindSubsurface, north(m, 20.0));
    makeOwnBoat(own);
    senseWhereItIs(m, own); // a new contact while it runs
    EXPECT_EQ(m.removeFlag, 1u);
    EXPECT_THAT(services.audio.spoken, Not(Contains("other channel: SSmine.wav")));
    EXPECT_THAT(log.lines, Not(Contains("Mine sur nous")));
    EXPECT_EQ(missionState().ownBoatLossCause, kLossMine);
    int meetings = 0, damage = 0;
    replayLogClose();
    for (const ReplayEvent& event : replayLogRead()) {
        meetings += event.kind == kEventMeeting && event.subjectId == m.id;
        damage += event.kind == kEventOwnBoatDamage;
    }
    EXPECT_EQ(meetings, 1);
    EXPECT_EQ(damage, 1);
}

TEST_F(MobileMines, TheRunsEndIsKeptInASavedMissionAndADamagedOneIsRefused) {
    setClock(50.0);
    Entity& m = launched(10.0, 1000.0);
    const std::vector<std::uint8_t> bytes = saved(*m.controller);
    Entity& copy = body(1, "slmm", kKindWeapon, {0, 0, -50});
    const auto loaded = reloaded<MobileMineController>(bytes, copy, 0.0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->layTime, layingOf(m).layTime);
    EXPECT_EQ(reloaded<MobileMineController>(withNaNAt(bytes, 208), copy, 0.0), nullptr);
}

} // namespace
} // namespace q71::test
