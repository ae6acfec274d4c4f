// The guidance of a weapon: the wire orders of fire control, the seeker, the rating of contacts,
// the run to the enable point and the end of the run, the search patterns and the saved state.
#include "guidance_fixture.h"

#include "sim/entities/motion/torpedo_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/byte_stream.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

class GuidanceWire : public GuidanceTest {};

TEST_F(GuidanceWire, CourseStepsWrapAroundTheCompassWhileTheWireHolds) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 357.0);
    GuidanceController& guidance = guidanceOf(*torpedo);
    torpedo->notifyController2(5.0);
    EXPECT_DOUBLE_EQ(guidance.presetCourse, 2.0);
    torpedo->notifyController2(-5.0);
    EXPECT_DOUBLE_EQ(guidance.presetCourse, 357.0);
    guidance.wireConnected = 0;
    torpedo->notifyController2(5.0);
    EXPECT_DOUBLE_EQ(guidance.presetCourse, 357.0);
    EXPECT_EQ(guidance.isWireConnected(), 0);
}

TEST_F(GuidanceWire, ArmingBuildsTheSeekerOfTheModeAndDisarmingRestartsTheEnableRun) {
    struct Case {
        std::int32_t mode;
        int sensors;
        std::int32_t type;
    };
    for (const Case& c : {Case{kSensorActive, 1, kSensorActive}, Case{kSensorPassive, 1, kSensorPassive},
                          Case{kSensorRadar, 1, kSensorRadar}, Case{14, 0, 0}}) {
        SCOPED_TRACE(c.mode);
        Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
        GuidanceController& guidance = guidanceOf(*torpedo);
        guidance.seekerMode = c.mode;
        guidance.enableRange = 1000.0;
        torpedo->notifyController(1);
        EXPECT_EQ(guidance.enableRange, 0.0);
        ASSERT_EQ(torpedo->sensors.count(), c.sensors);
        EXPECT_EQ(guidance.hasSeeker(), c.sensors);
        if (c.sensors) {
            const Sensor& seeker = *torpedo->sensors.head()->item;
            EXPECT_EQ(seeker.type, c.type);
            if (c.mode != kSensorRadar) {
                EXPECT_EQ(seeker.threshold, 50);
            }
        }
    }
}

TEST_F(GuidanceWire, ArmingAnActiveSeekerAgainOnlyRestartsItsPings) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    torpedo->notifyController(1);
    torpedo->sensors.head()->item->transmitInterval = 40;
    torpedo->notifyController(1);
    ASSERT_EQ(torpedo->sensors.count(), 1);
    EXPECT_EQ(torpedo->sensors.head()->item->transmitInterval, 5);
    torpedo->notifyController(0);
    EXPECT_EQ(torpedo->sensors.head()->item->deleteFlag, 1u);
    EXPECT_EQ(guidanceOf(*torpedo).enableRange, kDisarmedEnableRange);
}

class GuidanceTargets : public GuidanceTest {};

TEST_F(GuidanceTargets, TheNearestHostileTakenBecomesTheTarget) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    Entity* far = world.spawn("Akula", 2, kKindSubsurface, {0, 3000, -50});
    Entity* nearer = world.spawn("Akula", 2, kKindSubsurface, {0, 1000, -50});
    Entity* farther = world.spawn("Akula", 2, kKindSubsurface, {0, 5000, -50});
    GuidanceController& guidance = guidanceOf(*torpedo);
    ContactRecord* first = sense(*torpedo, *far);
    EXPECT_EQ(first->reaction, kReactionAttack);
    EXPECT_EQ(guidance.target, first);
    ContactRecord* second = sense(*torpedo, *nearer);
    EXPECT_EQ(guidance.target, second);
    ContactRecord* third = sense(*torpedo, *farther);
    EXPECT_EQ(third->reaction, kReactionAttack);
    EXPECT_EQ(guidance.target, second);
}

TEST_F(GuidanceTargets, ARockOnTheBottomTakesOnlyHullsOfAnotherSide) {
    Entity* rock = weapon("Rocket", kKindAir, {0, 0, -100}, 0.0, 0.0, 2, 2);
    // Each case: what it hears, its side and kind, and whether it is taken.
    struct Case {
        const char* type;
        std::int32_t side;
        std::int32_t kind;
        bool taken;
    };
    for (const Case c : {Case{"Explosion", 1, kKindAir, false}, Case{"Burke", 1, kKindAir, false},
                         Case{"Adcap", 1, kKindWeapon, false}, Case{"Akula", 2, kKindSubsurface, false},
                         Case{"Akula", 1, kKindSubsurface, true}, Case{"Burke", 1, kKindSurface, true}}) {
        guidanceOf(*rock).target = nullptr;
        Entity* heard = world.spawn(c.type, c.side, c.kind, {0, 1000, -50});
        const ContactRecord* contact = sense(*rock, *heard);
        EXPECT_EQ(guidanceOf(*rock).target == contact, c.taken) << c.type << " " << c.side << " " << c.kind;
    }
}

TEST_F(GuidanceTargets, WeaponsFloatsAndTheLaunchersOtherWeaponsAreRejected) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    torpedo->parentId = 77;
    Entity* otherTorpedo = world.spawn("Adcap", 2, kKindWeapon, {0, 500, -50});
    Entity* buoy = world.spawn("NavBuoy", 2, kKindAir, {0, 600, 0});
    Entity* sibling = world.spawn("Akula", 2, kKindSubsurface, {0, 700, -50});
    sibling->parentId = 77;
    for (Entity* entity : {otherTorpedo, buoy, sibling}) {
        ContactRecord* contact = sense(*torpedo, *entity);
        EXPECT_EQ(contact->reaction, kReactionNone) << entity->recordId;
    }
    EXPECT_EQ(guidanceOf(*torpedo).target, nullptr);
}

TEST_F(GuidanceTargets, AMissileTakesOnlyItsDesignatedKindAndAForeignOneOnlyHostiles) {
    Entity* missile = weapon("Harpoon", kKindAir, {0, 0, 20}, 0.0, 500.0, 2, 2);
    guidanceOf(*missile).designatedKind = kKindSurface;
    Entity* submarine = world.spawn("Akula", 1, kKindSubsurface, {0, 1000, -50});
    Entity* friendShip = world.spawn("Burke", 2, kKindSurface, {0, 2000, 0});
    Entity* enemyShip = world.spawn("Burke", 1, kKindSurface, {0, 3000, 0});
    EXPECT_EQ(sense(*missile, *submarine)->reaction, kReactionNone);
    EXPECT_EQ(sense(*missile, *friendShip)->reaction, kReactionNone);
    EXPECT_EQ(sense(*missile, *enemyShip)->reaction, kReactionAttack);
}

TEST_F(GuidanceTargets, DecoysFoolLowLevelsByChanceAndNeverLevelSevenOrMore) {
    Entity* decoy = world.spawn("Counter1", 2, kKindSubsurface, {0, 800, -50});
    auto takenOutOf = [&](std::int32_t level, int tries) {
        Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0, 40.0, level);
        GuidanceController& guidance = guidanceOf(*torpedo);
        int taken = 0;
        for (int i = 0; i < tries; ++i) {
            ContactRecord contact;
            contact.entityId = decoy->id;
            contact.side = decoy->side;
            contact.kind = decoy->kind;
            guidance.postEncounterEvent(contact, 1);
            taken += contact.reaction == kReactionAttack ? 1 : 0;
            guidance.target = nullptr;
        }
        return taken;
    };
    EXPECT_EQ(takenOutOf(7, 500), 0);
    const int atLevelZero = takenOutOf(0, 2000);
    EXPECT_GT(atLevelZero, 1300);
    EXPECT_LT(atLevelZero, 1500);
}

class GuidanceRun : public GuidanceTest {};

TEST_F(GuidanceRun, ATorpedoInTheAirIsNotGuided) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, 3});
    guidanceOf(*torpedo).enableRange = 500.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 0.0);
}

TEST_F(GuidanceRun, BeforeTheEnableRunItHoldsItsPresetsThenArmsTheSeeker) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0);
    GuidanceController& guidance = guidanceOf(*torpedo);
    guidance.enableRange = 500.0;
    guidance.presetCourse = 90.0;
    torpedo->motion->y = 50.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 30.0);
    EXPECT_EQ(torpedo->motion->orderedCourse, 0.0); // not yet 100 m out
    torpedo->motion->y = 150.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(torpedo->motion->orderedCourse, 90.0);
    torpedo->motion->y = 490.0; // the enable run is metres from the launch point
    torpedo->controller->update(1.0);
    EXPECT_EQ(guidance.enableRange, 500.0);
    EXPECT_TRUE(torpedo->sensors.empty());
    torpedo->motion->y = 510.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(guidance.enableRange, 0.0);
    EXPECT_EQ(torpedo->sensors.count(), 1);
}

TEST_F(GuidanceRun, ItsMotionSteersItEverySubStepWhenArmedOnATargetOrWhenTheTargetsWordIsOne) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0);
    Entity* target = world.spawn("Akula", 2, kKindSubsurface, {0, 3000, -50});
    torpedo->motion = std::make_unique<TorpedoMotion>(*torpedo);
    torpedo->motion->z = -50.0;
    GuidanceController& guidance = guidanceOf(*torpedo);
    guidance.target = sense(*torpedo, *target);
    ASSERT_NE(guidance.target, nullptr);
    // Each case: enable run left, the target's reaction word, whether a sub-step steers it.
    struct Case {
        double enableRange;
        std::int32_t reaction;
        bool steered;
    };
    for (const Case c : {Case{500.0, kReactionAttack, false}, Case{500.0, 1, true}, Case{0.0, kReactionAttack, true}}) {
        guidance.enableRange = c.enableRange;
        guidance.target->reaction = c.reaction;
        torpedo->motion->orderedSpeed = 0.0;
        torpedo->motion->integrate(0.4);
        EXPECT_EQ(torpedo->motion->orderedSpeed != 0.0, c.steered) << c.enableRange << " " << c.reaction;
    }
    guidance.target = nullptr; // unarmed and without a target, it waits for the per-second pass
    guidance.enableRange = 500.0;
    torpedo->motion->orderedSpeed = 0.0;
    torpedo->motion->integrate(0.4);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 0.0);
}

TEST_F(GuidanceRun, SearchesBySnakeCircleOrStraightAtTheSearchDepthAboveTheFloor) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 10.0);
    GuidanceController& guidance = guidanceOf(*torpedo);
    guidance.presetCourse = 100.0;
    guidance.searchDepth = -300.0;
    guidance.searchPattern = 0;
    world.setClock(0.0);
    torpedo->controller->update(1.0);
    EXPECT_DOUBLE_EQ(torpedo->motion->orderedCourse, 145.0);
    // No terrain: the bottom is taken at -100 m, and the torpedo keeps 50 m above it.
    EXPECT_EQ(torpedo->motion->orderedDepth, -50.0);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 35.0);
    world.setClock(180.0);
    torpedo->controller->update(1.0);
    EXPECT_NEAR(torpedo->motion->orderedCourse, 55.0, 1e-9);
    world.setClock(360.0); // the swing repeats every 360 s
    torpedo->controller->update(1.0);
    EXPECT_NEAR(torpedo->motion->orderedCourse, 145.0, 1e-9);
    guidance.searchPattern = 1;
    torpedo->controller->update(2.0);
    EXPECT_DOUBLE_EQ(torpedo->motion->orderedCourse, 12.0);
    guidance.searchPattern = 2;
    guidance.ceiling = -80.0;
    guidance.floor = -20.0; // limits that cross: the floor wins
    torpedo->controller->update(1.0);
    EXPECT_DOUBLE_EQ(torpedo->motion->orderedCourse, 100.0);
    EXPECT_EQ(torpedo->motion->orderedDepth, -20.0);
    guidance.floor = -1000.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(torpedo->motion->orderedDepth, -80.0);
}

TEST_F(GuidanceRun, ASeekerlessWeaponArmsAndSearchesBlind) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0);
    GuidanceController& guidance = guidanceOf(*torpedo);
    guidance.seekerMode = 14;
    guidance.enableRange = 100.0;
    guidance.searchPattern = 2;
    guidance.presetCourse = 30.0;
    torpedo->motion->y = 200.0;
    torpedo->controller->update(1.0);
    torpedo->controller->update(1.0);
    EXPECT_EQ(guidance.enableRange, 0.0);
    EXPECT_TRUE(torpedo->sensors.empty());
    EXPECT_TRUE(torpedo->contacts.empty());
    EXPECT_EQ(torpedo->motion->orderedCourse, 30.0);
}

// A tube of the test: it launched whatever the test says.
class TestTube final : public WeaponLauncher {
public:
    explicit TestTube(int number) : number_(number) {}
    int number() const override { return number_; }
    std::int32_t weaponType() const override { return kWeaponAdcap; }
    void setWeaponType(std::int32_t) override {}
    void setTarget(std::int32_t) override {}
    Entity* launchedEntity() override { return launched; }
    bool save(ByteSink&) const override { return true; }
    bool load(ByteSource&) override { return true; }
    Entity* launched = nullptr;

private:
    int number_;
};

class TestStations final : public WeaponStations {
public:
    std::unique_ptr<WeaponLauncher> createTorpedoTube(int number) override {
        auto tube = std::make_unique<TestTube>(number);
        tubes.push_back(tube.get());
        return tube;
    }
    std::unique_ptr<WeaponLauncher> createVlsCell(int number) override {
        return std::make_unique<TestTube>(number);
    }
    bool unlimitedWeapons() const override { return false; }
    void setUnlimitedWeapons(bool) override {}
    bool fireControlExists() const override { return false; }
    void setTubeSideState(int, int) override {}
    bool fireGuidanceSwitch() const override { return true; }
    std::array<std::uint32_t, 2> stationStates() const override { return {}; }
    void restoreStationStates(std::array<std::uint32_t, 2>) override {}
    std::vector<WorldPoint> plottedWaypoints() const override { return {}; }
    std::vector<TestTube*> tubes;
};

TEST_F(GuidanceRun, AtTheEndOfItsRunTheOwnTorpedoIsAnnouncedAndSinksAsAWreck) {
    TestStations stations;
    simInstallServices(
        {.audio = &world.audio, .host = &world.host, .weapons = &stations, .frontEnd = &world.frontEnd});
    launcherTablesBuild();
    world.spawnOwnBoat({0, -500, -50});
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    torpedo->parentId = WeaponWorld::kOwnBoatId;
    stations.tubes[3]->launched = torpedo; // tube number 3
    guidanceOf(*torpedo).runEndTime = 100.0;
    world.setClock(101.0);
    torpedo->controller->update(1.0);
    EXPECT_EQ(torpedo->controller, nullptr); // a wreck is guided no more
    EXPECT_EQ(world.audio.said, std::vector<std::string>{"sonar: SSUnit3.wav"});
    EXPECT_EQ(world.log.lines, std::vector<std::string>{"Tube 3, fin de course"});
    EXPECT_EQ(torpedo->motion->sinking, 1);
    EXPECT_EQ(torpedo->removeFlag, 0u);
    launcherTablesFree();
}

TEST_F(GuidanceRun, AMissileAtTheEndOfItsRunIsRemovedSilentlyWhenNotTheOwnBoats) {
    Entity* missile = weapon("Harpoon", kKindAir, {0, 0, 20});
    guidanceOf(*missile).runEndTime = 5.0;
    world.setClock(6.0);
    missile->controller->update(1.0);
    missile->controller->update(1.0);
    EXPECT_EQ(missile->removeFlag, 1u);
    EXPECT_TRUE(world.audio.said.empty());
}

class GuidanceSave : public GuidanceTest {};

TEST_F(GuidanceSave, TheGuidanceComesBackFromItsSavedBlockAndADamagedBlockIsRefused) {
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50}, 123.0);
    GuidanceController& saved = guidanceOf(*torpedo);
    saved.lastWarningTime = 12.5;
    saved.enableRange = 777.0;
    saved.searchPattern = 1;
    saved.designatedKind = 3;
    saved.seekerMode = kSensorPassive;
    saved.wireConnected = 0;
    MemorySink sink;
    ASSERT_TRUE(saved.save(sink));

    Entity* copy = weapon("Adcap", kKindWeapon, {0, 0, -50});
    GuidanceController& loaded = guidanceOf(*copy);
    MemorySource source(sink.bytes());
    ASSERT_TRUE(loaded.load(source));
    EXPECT_EQ(loaded.lastWarningTime, 12.5);
    EXPECT_EQ(loaded.presetCourse, 123.0);
    EXPECT_EQ(loaded.enableRange, 777.0);
    EXPECT_EQ(loaded.searchPattern, 1);
    EXPECT_EQ(loaded.designatedKind, 3);
    EXPECT_EQ(loaded.seekerMode, kSensorPassive);
    EXPECT_EQ(loaded.wireConnected, 0);
    EXPECT_EQ(loaded.runEndTime, saved.runEndTime);
    EXPECT_EQ(loaded.floor, saved.floor);

    std::vector<std::uint8_t> damaged = sink.bytes();
    damaged[56 + 7] = 0x7F; // the enable range becomes NaN
    damaged[56 + 6] = 0xF8;
    MemorySource bad(damaged);
    EXPECT_FALSE(loaded.load(bad));
    std::vector<std::uint8_t> reconnected = sink.bytes();
    reconnected[128] = 7; // a wire neither cut nor connected
    MemorySource badWire(reconnected);
    EXPECT_FALSE(loaded.load(badWire));
}

} // namespace
} // namespace q71::test
