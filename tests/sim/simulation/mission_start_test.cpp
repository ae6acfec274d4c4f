// A scenario becomes a running world and the mission end takes it down again: hand-built
// scenarios read over the data set's object database and terrain, with the units made by the
// harness's makers.
#include "scenario_bytes.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/replay_log.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_mission_facts.h"
#include "sim/simulation/world_step.h"
#include "sim/support/data_set_world.h"
#include "sim/support/fake_time.h"
#include "sim/support/mission_makers.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace q71 {
namespace {

constexpr double kCentre = 268800.0; // the map origin, in the middle of the grid

std::string goalSection() {
    GoalTree goals;
    GoalNode node;
    node.kind = kGoalDestroy;
    node.points = 100;
    for (std::int32_t id : {2, 1}) {
        node.id = id;
        goals.addNode(node, nullptr);
    }
    MemorySink sink;
    goals.write(sink);
    return {sink.bytes().begin(), sink.bytes().end()};
}

// In the Bassin de Varden: a submarine on a box patrol, a merchant on a route, a submarine that
// enters after ten minutes, a mine, a record of no known type and three start positions.
test::ScenarioBytes basin() {
    test::ScenarioBytes file;
    file.texts[3] = "Renseignement";
    file.goals = goalSection();
    test::RecordBytes akula;
    akula.x = kCentre + 1200;
    akula.y = kCentre + 1200;
    akula.typeName = "Akula";
    akula.level = 3;
    akula.mode = 5;
    akula.depth = -300;
    akula.speed = 6;
    akula.course = 90;
    akula.west = akula.south = -2000;
    akula.east = akula.north = 2000;
    akula.goal1 = 1;
    test::RecordBytes cargo;
    cargo.x = kCentre - 3800;
    cargo.y = kCentre;
    cargo.type = 2;
    cargo.side = 4;
    cargo.typeName = "Merchant";
    cargo.level = 1;
    cargo.mode = 2;
    cargo.speed = 10;
    cargo.waypoints = {{kCentre + 1200, kCentre, 0, 12}, {kCentre + 6200, kCentre, 0, 12}};
    test::RecordBytes kilo = akula;
    kilo.typeName = "Kilo";
    kilo.x = kCentre + 3200;
    kilo.y = kCentre - 2800;
    kilo.delay = 600;
    kilo.goal1 = 2;
    test::RecordBytes mine;
    mine.type = 4;
    mine.typeName = "InfluenceMine";
    mine.mode = 0;
    mine.x = kCentre - 800;
    mine.y = kCentre - 800;
    mine.depth = -40;
    test::RecordBytes unknown = cargo;
    unknown.type = 7;
    file.records = {akula, cargo, kilo, mine, unknown};
    for (auto [x, name] : {std::pair{-8800.0, "Un"}, {-7800.0, "Deux"}, {-6800.0, "Trois"}}) {
        test::RecordBytes start;
        start.type = 6;
        start.side = 1;
        start.typeName = name;
        start.x = kCentre + x;
        start.y = kCentre;
        start.depth = -150;
        start.speed = 5;
        start.course = 30;
        file.records.push_back(start);
    }
    return file;
}

// Scenarios come from a folder of the test's own.
class MissionStart : public test::DataSetWorld {
protected:
    void SetUp() override {
        missionState().missionMode = kMissionModeTutorial;
        missionState().missionIndex = 0;
    }

    ScenarioStatus start(const std::string& bytes, std::int32_t mode = kMissionModeTutorial,
                         const std::string& name = "Ta1.scn") {
        data.write("Scenario/" + name, bytes);
        simSetupOwnShip(-1);
        return simStartMission(name, mode);
    }

    static Entity* unit(const char* key) {
        for (auto* node = worldList().head(); node; node = node->next)
            if (objdbFindById(node->item->recordId) == objdbFindByName(key))
                return node->item;
        return nullptr;
    }

    static bool emptyWorld() {
        return worldList().empty() && worldPendingList().empty() && !worldOwnShip() && !launcherTables() &&
               ownShipStarts().empty() && !missionTexts().name && !worldGrid() && commsQueueCapacity() == 0;
    }

    test::DataFolder data;
    test::HarnessMakers makers;
    test::FakeTimeSource time;
};

TEST_F(MissionStart, EveryUnitStandsWhereItsRecordPutsItWithItsTasking) {
    ASSERT_TRUE(start(basin().bytes()).ok());
    EXPECT_EQ(worldList().count(), 4) << "the own boat, the Akula, the merchant and the mine";
    EXPECT_EQ(worldPendingList().count(), 1) << "the Kilo waits";

    const Entity* akula = unit("Akula");
    ASSERT_TRUE(akula && akula->motion && akula->controller);
    EXPECT_EQ(akula->typeCode, kEntitySubmarine);
    EXPECT_EQ(akula->side, 2);
    EXPECT_EQ(akula->level, 3);
    EXPECT_DOUBLE_EQ(akula->motion->x, kCentre + 1200);
    EXPECT_DOUBLE_EQ(akula->motion->homeX, akula->motion->x) << "its home is where it was placed";
    EXPECT_DOUBLE_EQ(akula->motion->homeY, akula->motion->y);
    EXPECT_DOUBLE_EQ(akula->motion->z, -300 * kFeetToMetres);
    EXPECT_DOUBLE_EQ(akula->motion->orderedSpeed, 6.0);
    EXPECT_EQ(akula->controller->planMode, 5);
    EXPECT_EQ(akula->controller->activeOrders->count(), 4) << "the four corners of its box";
    const ControllerOrder* corner = akula->controller->currentOrder();
    EXPECT_NEAR(corner->x, kCentre + 1200 + 1828.8, 0.01)
        << "the last corner called, south-east, comes first";
    EXPECT_NEAR(corner->y, kCentre + 1200 - 1828.8, 0.01);
    EXPECT_NEAR(akula->motion->heading, 135.0, 1e-6) << "it starts on its way to it";

    const Entity* cargo = unit("Merchant");
    ASSERT_TRUE(cargo);
    EXPECT_EQ(cargo->typeCode, kEntitySurfaceShip);
    EXPECT_EQ(cargo->controller->planMode, 2);
    EXPECT_EQ(cargo->controller->currentOrder()->x, kCentre + 1200) << "its route runs from the first point";
    EXPECT_EQ(cargo->controller->currentOrder()->speed, 10.0);
    EXPECT_NEAR(cargo->motion->orderedCourse, 90.0, 1e-6);

    const Entity* mine = unit("InfluenceMine");
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->typeCode, kEntityMine) << "its key holds \"nf\": the far-reaching mine";

    const Entity* kilo = worldPendingList().head()->item;
    EXPECT_EQ(kilo->controller->plans.head()->item->startTime, 600.0);
    EXPECT_EQ(goalTreeFindNode(goalTreeRoot(), 1)->targetId, akula->id);
    EXPECT_EQ(goalTreeFindNode(goalTreeRoot(), 2)->targetId, kilo->id);
}

TEST_F(MissionStart, TheOwnBoatTakesOneStartOutOfTheListWithItsName) {
    ASSERT_TRUE(start(basin().bytes()).ok());
    const Entity* own = worldOwnShip();
    ASSERT_TRUE(own && own->motion);
    EXPECT_EQ(ownShipStarts().size(), 2u);
    const double x = own->motion->x - kCentre;
    const std::map<double, std::string> names = {{-8800, "Un"}, {-7800, "Deux"}, {-6800, "Trois"}};
    ASSERT_TRUE(names.count(x)) << x;
    EXPECT_EQ(commsQueueShipName(), names.at(x));
    EXPECT_DOUBLE_EQ(own->motion->z, (-150 + 28) * kFeetToMetres);
    EXPECT_DOUBLE_EQ(own->motion->orderedDepth, own->motion->z);
    EXPECT_EQ(own->motion->heading, 30.0);
    EXPECT_EQ(own->motion->orderedSpeed, 5.0);
    EXPECT_NEAR(own->motion->velocityX, 2.5, 1e-6);
}

TEST_F(MissionStart, TheMissionTakesTheScenariosTextsAndEnvironment) {
    ASSERT_TRUE(start(basin().bytes()).ok());
    EXPECT_EQ(missionTexts().name, "Mission 1");
    EXPECT_EQ(missionTexts().briefing, "Le briefing");
    EXPECT_EQ(missionTexts().intelligence, "Renseignement");
    EXPECT_EQ(missionTexts().tasking, "Les ordres");
    EXPECT_EQ(missionState().mapOriginLatitude, 49.0);
    EXPECT_EQ(missionState().mapOriginLongitude, -172.0);
    EXPECT_EQ(missionState().soundProfileKind, 2u);
    EXPECT_EQ(missionState().bottomType, 1u);
    EXPECT_EQ(simClock().seaState, 4u);
    EXPECT_EQ(simClock().timeOfDay, 64800.0) << "dusk";
    EXPECT_EQ(simClock().pauseCount, 0);
    ASSERT_NE(worldGrid(), nullptr) << "the terrain around the map origin";
    double bottom = 0.0;
    EXPECT_TRUE(worldDepthAt(kCentre, kCentre, &bottom, false));
    EXPECT_LT(bottom, -2000.0);
    EXPECT_NE(soundProfile().layerDepthBase, -1.0) << "the layer is drawn";
    EXPECT_EQ(commsQueueCapacity(), 3);
    EXPECT_EQ(scoringState().thresholds[4], 50);
}

TEST_F(MissionStart, ADelayedUnitEntersWhenItsTimeHasCome) {
    ASSERT_TRUE(start(basin().bytes()).ok());
    simStartRunning();
    simSetGameTime(599.0);
    worldSecondPass(1.0);
    EXPECT_EQ(worldPendingList().count(), 1);
    simSetGameTime(600.0);
    worldSecondPass(1.0);
    EXPECT_TRUE(worldPendingList().empty());
    EXPECT_NE(unit("Kilo"), nullptr);
}

TEST_F(MissionStart, AScenarioThatCannotBeReadLeavesAnEmptyWorldAndSaysWhy) {
    simSetupOwnShip(-1);
    ScenarioStatus status = simStartMission("Missing.scn", kMissionModeTutorial);
    EXPECT_EQ(status.error, ScenarioError::CannotOpen);
    EXPECT_TRUE(emptyWorld());
    EXPECT_NE(scenarioErrorMessage(status, "Missing.scn").find("Missing.scn"), std::string::npos);

    const std::string whole = basin().bytes();
    EXPECT_EQ(start(whole.substr(0, 400)).error, ScenarioError::Damaged);
    EXPECT_TRUE(emptyWorld());

    test::ScenarioBytes stranger = basin();
    stranger.records[1].typeName = "Nautilus";
    status = start(stranger.bytes());
    EXPECT_EQ(status.error, ScenarioError::UnknownObject);
    EXPECT_EQ(status.detail, "Nautilus");
    EXPECT_EQ(status.record, 2);
    EXPECT_NE(scenarioErrorMessage(status, "Ta1.scn").find("Nautilus, fiche 2"), std::string::npos);
    EXPECT_TRUE(emptyWorld());

    test::ScenarioBytes lost = basin();
    lost.records[0].x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(start(lost.bytes()).error, ScenarioError::Damaged);
    test::ScenarioBytes offGlobe = basin();
    offGlobe.latitude = 123.0;
    EXPECT_EQ(start(offGlobe.bytes()).error, ScenarioError::Damaged);
    EXPECT_TRUE(emptyWorld());

    // Speeds from 0 to 2000 units, places on the 537.6 km grid, boxes no wider than it.
    const auto refused = [&](auto change) {
        test::ScenarioBytes file = basin();
        change(file);
        return start(file.bytes()).error == ScenarioError::Damaged && emptyWorld();
    };
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[1].speed = 2001; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[5].speed = -1; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[1].waypoints[1].speed = 5000; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[0].x = 537601.0; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[0].y = -1.0; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[1].waypoints[0].x = 2.0e7; }));
    EXPECT_TRUE(refused([](test::ScenarioBytes& f) { f.records[0].east = 600000.0; }));
    EXPECT_FALSE(refused([](test::ScenarioBytes& f) { f.records[1].speed = 2000; }));
    simEndMission();
}

TEST_F(MissionStart, AStationaryObjectOfAnUnknownRecordIsPlacedAsAPlainObject) {
    test::ScenarioBytes wreck = basin();
    wreck.records[3].typeName = "Epave";
    wreck.records[3].type = 5;
    ASSERT_TRUE(start(wreck.bytes()).ok());
    EXPECT_EQ(worldList().count(), 4) << "the own boat, the Akula, the merchant and the object";
    const Entity* object = nullptr;
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item->typeCode == kEntityMissile)
            object = node->item;
    ASSERT_NE(object, nullptr);
    EXPECT_DOUBLE_EQ(object->motion->x, kCentre - 800);
}

TEST_F(MissionStart, AUnitOfACrewLevelOutsideOneToFourIsRefusedByRecordAndValue) {
    for (const auto& [level, starts] : {std::pair{0, false}, {-2, false}, {5, false}, {1000, false}, {1, true}, {4, true}}) {
        SCOPED_TRACE(level);
        test::ScenarioBytes file = basin();
        file.records[2].level = level;
        const ScenarioStatus status = start(file.bytes());
        EXPECT_EQ(status.ok(), starts);
        if (starts) {
            simEndMission();
            continue;
        }
        EXPECT_EQ(status.error, ScenarioError::BadLevel);
        EXPECT_EQ(status.record, 3);
        const std::string message = scenarioErrorMessage(status, "Ta1.scn");
        EXPECT_NE(message.find("Ta1.scn"), std::string::npos);
        EXPECT_NE(message.find("fiche 3"), std::string::npos);
        EXPECT_NE(message.find(std::to_string(level)), std::string::npos);
        EXPECT_TRUE(emptyWorld());
    }
}

TEST_F(MissionStart, WithoutTheEntityClassesNoMissionIsHalfBuilt) {
    simSetEntityMaker(nullptr);
    missionState().mapOriginLatitude = 12.5;
    missionState().mapOriginLongitude = -7.25;
    simClock().seaState = 5;
    simClock().timeOfDay = simClock().timeOfDayBase = 1234.0;
    EXPECT_EQ(start(basin().bytes()).error, ScenarioError::CannotMake);
    EXPECT_TRUE(emptyWorld());
    // The origin, the sea and the day stay as they were.
    EXPECT_EQ(missionState().mapOriginLatitude, 12.5);
    EXPECT_EQ(missionState().mapOriginLongitude, -7.25);
    EXPECT_EQ(simClock().seaState, 5u);
    EXPECT_EQ(simClock().timeOfDay, 1234.0);
    EXPECT_EQ(simClock().timeOfDayBase, 1234.0);
    simSetOwnShipMaker(nullptr);
    goalTreeClear();
    replayLogClose();
    test::ScenarioBytes startsOnly = basin();
    startsOnly.records.erase(startsOnly.records.begin(), startsOnly.records.begin() + 5);
    EXPECT_EQ(start(startsOnly.bytes()).error, ScenarioError::CannotMake) << "no own boat";
    EXPECT_TRUE(emptyWorld());
    // Scoring never began: no goals, no new log, nothing booked for a mission that did not start.
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_FALSE(replayLogIsOpen());
}

TEST_F(MissionStart, TheMissionEndLeavesAnEmptyWorldAndIdsFromOne) {
    ASSERT_TRUE(start(basin().bytes()).ok());
    simStartRunning();
    commsQueueAdd("Message en attente", 0);
    simEndMission();
    EXPECT_TRUE(emptyWorld());
    EXPECT_FALSE(simClock().running);
    EXPECT_TRUE(worldSignatureTables(objdbFindByName("Akula")->id).empty());
    Entity next(1, "Akula", 1, kKindSubsurface, -1);
    EXPECT_EQ(next.id, 1);
}

TEST_F(MissionStart, TheOwnShipSetUpBuildsTheOwnSubmarineAndItsLaunchers) {
    simSetupOwnShip(-1);
    const Entity* own = worldOwnShip();
    ASSERT_TRUE(own && own->motion);
    EXPECT_EQ(own->typeCode, kEntityOwnShip);
    EXPECT_EQ(worldFindEntity(own->id), own) << "in the world";
    EXPECT_DOUBLE_EQ(own->motion->z, -33.4) << "waiting for its start";
    EXPECT_DOUBLE_EQ(own->motion->orderedDepth, -33.4);
    const std::optional<LauncherTables> tables = worldMissionFacts().launchers();
    ASSERT_TRUE(tables) << "scoring finds the launchers the set-up built";
    EXPECT_EQ(tables->tubes[0]->number(), 2);
    EXPECT_EQ(tables->cells[0]->number(), 8);
    EXPECT_EQ(tables->cells[11]->weaponType(), kWeaponTomahawk);
    simEndMission();
    EXPECT_FALSE(worldMissionFacts().launchers());
}

TEST_F(MissionStart, TheFirstSingleMissionDrawsFromOneSeedWhateverTheTime) {
    test::ScenarioBytes file = basin();
    file.records[0].randomFlag = 1; // the Akula anywhere in a large rectangle
    file.records[0].randomWidth = 5000;
    file.records[0].randomHeight = 5000;
    // Where the Akula and the own boat land shows the sequence the mission drew from.
    auto places = [&](const std::string& name, std::int32_t index, std::int64_t timeOfDay) {
        missionState().missionMode = kMissionModeSingle;
        missionState().missionIndex = index;
        time.seconds = timeOfDay;
        EXPECT_TRUE(start(file.bytes(), kMissionModeSingle, name).ok());
        const std::pair<double, double> drawn{unit("Akula")->motion->x, worldOwnShip()->motion->x};
        simEndMission();
        return drawn;
    };
    EXPECT_EQ(places("Sa1.scn", 0, 100), places("Sa1.scn", 0, 86000));
    EXPECT_NE(places("Sa2.scn", 1, 100), places("Sa2.scn", 1, 86000)) << "any other mission draws anew";
    EXPECT_EQ(places("Sa2.scn", 1, 100), places("Sa2.scn", 1, 100));
}

// A mission after another, however long that one ran, times its units' cycles from its own
// clock: the same scenario on the same seed gives the same timers as the first mission.
TEST_F(MissionStart, AMissionAfterALongOneTimesItsUnitsFromItsOwnClock) {
    auto timers = [&](double endOfMissionBefore) {
        simSetGameTime(endOfMissionBefore);
        EXPECT_TRUE(start(basin().bytes()).ok());
        std::map<int, double> byId;
        for (auto* node = worldList().head(); node; node = node->next)
            byId[node->item->id] = node->item->activityTimer;
        simEndMission();
        return byId;
    };
    const std::map<int, double> first = timers(0.0);
    EXPECT_EQ(first.size(), 4u);
    EXPECT_EQ(timers(5000.0), first);
}

} // namespace
} // namespace q71
