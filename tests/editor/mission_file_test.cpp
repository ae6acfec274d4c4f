// The editor's mission saved as a scenario: read back by the game's reader field by field,
// started as a mission, opened again into the same document, and refused whole when damaged.

#include "editor/missioneditor/mission_document.h"
#include "editor/missioneditor/mission_file.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/goal_tree.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/scenario_placement.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_world.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace q71::test {
namespace {

// The Bassin de Varden: its centre is the map origin, at world (268,800, 268,800).
constexpr double kLatitude = 49.0, kLongitude = -172.0;
constexpr double kCentre = 268800.0;

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(fileResolvePath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(fileResolvePath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class EditedMission : public DataSetWorld {
protected:
    EditedMission() {
        entityClassesInstall();
        entityControllersInstall();
        explosionInstallMaker();
        EXPECT_TRUE(worldLoadRegion(kLatitude, kLongitude, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                    kMissionGridSamples, false));
    }
    ~EditedMission() override {
        entitySetExplosionMaker(nullptr);
        entityControllersUninstall();
        entityClassesUninstall();
    }

    static std::string path(const std::string& name) { return scenarioPath(name); }

    /// A start, a hostile merchant on a route of three legs at 6, 9 and 12, a submarine in a
    /// patrol box, a destroy goal on the merchant with a reach goal under it, texts and grades.
    void buildMission() {
        document.header.originLatitude = kLatitude;
        document.header.originLongitude = kLongitude;
        document.header.timeOfDay = 3;
        document.header.seaState = 4;
        document.header.soundProfile = 2;
        document.header.bottomType = 1;
        document.texts = {std::string("Une chasse"), std::string("La chasse"), std::string("Briefing\r\nSuite"),
                          std::string("Renseignement"), std::string("Ordres")};
        document.thresholds = {100, 250, 300, 450, 700};

        ScenarioRecord start;
        start.type = kScenarioOwnShipStart;
        start.typeName = "Nautile";
        start.depth = -128;
        start.speed = 5;
        start.course = 45;
        start.randomPlacement = 1;
        start.randomWidth = start.randomHeight = 2000.0;
        document.addObject(new MissionObject(kCentre - 20000.0, kCentre - 20000.0, start, nullptr));

        GoalNode destroy;
        destroy.kind = kGoalDestroy;
        destroy.points = 500;
        destroy.required = 1;
        destroy.message = std::string("Cargo coulé");
        GoalNode* sink = document.goals.addNode(destroy, nullptr);
        GoalNode reach;
        reach.kind = kGoalReachArea;
        reach.centreX = kCentre + 5000.0;
        reach.centreY = kCentre;
        reach.radius = 3000.0;
        reach.points = 200;
        document.goals.addNode(reach, sink);

        ScenarioRecord ship;
        ship.type = kScenarioSurfaceShip;
        ship.side = 2;
        ship.typeName = "Merchant";
        ship.level = 2;
        ship.patrolMode = 1;
        ship.course = 0;
        ship.goalNode1 = sink->id;
        merchant = new MissionObject(kCentre, kCentre, ship, nullptr);
        merchant->appendWaypoint(kCentre + 10000.0, kCentre, 0, 6);
        merchant->appendWaypoint(kCentre + 10000.0, kCentre + 10000.0, 0, 9);
        merchant->appendWaypoint(kCentre, kCentre + 15000.0, 0, 12);
        document.addObject(merchant);

        ScenarioRecord sub;
        sub.type = kScenarioSubmarine;
        sub.side = 2;
        sub.typeName = "Victor3";
        sub.level = 3;
        sub.patrolMode = 5;
        sub.depth = -400;
        sub.speed = 6;
        sub.course = 270;
        sub.boxWest = sub.boxSouth = -8000.0;
        sub.boxEast = sub.boxNorth = 8000.0;
        sub.entryDelay = 600.0;
        document.addObject(new MissionObject(kCentre + 30000.0, kCentre - 10000.0, sub, nullptr));
    }

    MissionDocument document;
    MissionObject* merchant = nullptr;
};

TEST_F(EditedMission, ASavedMissionReadsBackFieldByFieldWithEachLegAtItsSpeed) {
    buildMission();
    const Scenario placed = missionScenario(document);
    ASSERT_TRUE(missionSave(document, path("chasse.scu")));
    EXPECT_FALSE(document.changed) << "a saved mission is unchanged";

    MissionFileContents read;
    ASSERT_TRUE(missionRead(path("chasse.scu"), read));
    EXPECT_EQ(read.scenario.texts, placed.texts);
    EXPECT_EQ(read.scenario.header.originLongitude, kLongitude);
    EXPECT_EQ(read.scenario.header.seaState, 4);
    EXPECT_EQ(read.scenario.header.bottomType, 1);
    EXPECT_EQ(read.thresholds, (GradeThresholds{100, 250, 300, 450, 700}));
    ASSERT_EQ(read.scenario.records.size(), 3u);
    const ScenarioRecord& start = read.scenario.records[0];
    EXPECT_EQ(start.typeName, "Nautile");
    EXPECT_NEAR(start.x, kCentre - 20000.0, 1e-6);
    EXPECT_EQ(start.depth, -128);
    EXPECT_EQ(start.randomWidth, 2000.0);
    const ScenarioRecord& ship = read.scenario.records[1];
    EXPECT_NEAR(ship.x, kCentre, 1e-6);
    EXPECT_NEAR(ship.y, kCentre, 1e-6);
    EXPECT_EQ(ship.side, 2);
    EXPECT_EQ(ship.goalNode1, document.goals.root()->id);
    ASSERT_EQ(ship.waypoints.size(), 3u);
    EXPECT_NEAR(ship.waypoints[1].y, kCentre + 10000.0, 1e-6);
    const ScenarioRecord& sub = read.scenario.records[2];
    EXPECT_EQ(sub.patrolMode, 5);
    EXPECT_EQ(sub.boxWest, -8000.0);
    EXPECT_EQ(sub.boxNorth, 8000.0);
    EXPECT_EQ(sub.entryDelay, 600.0);

    // The reader turns the route into orders, each heading for its point at its leg's speed.
    const auto orders = scenarioRouteOrders(ship, {ship.x, ship.y, 0.0}, 0.0, ship.speed);
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0].speed, 6.0);
    EXPECT_EQ(orders[1].speed, 9.0);
    EXPECT_EQ(orders[2].speed, 12.0);

    // The goals come back as a tree: the reach goal under the destroy goal.
    const GoalNode* sink = read.goals.root();
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(sink->kind, kGoalDestroy);
    EXPECT_EQ(sink->message, std::optional<std::string>("Cargo coulé"));
    ASSERT_NE(sink->firstChild, nullptr);
    EXPECT_EQ(sink->firstChild->radius, 3000.0);
}

TEST_F(EditedMission, TheGameStartsTheSavedMissionWithItsGoalBoundToTheMerchant) {
    buildMission();
    ASSERT_TRUE(missionSave(document, path("depart.scu")));
    missionState().missionMode = kMissionModeSingle;
    missionState().missionIndex = 5;
    simSetupOwnShip(-1);
    ASSERT_TRUE(simStartMission("depart.scu", kMissionModeSingle).ok());
    EXPECT_EQ(missionTexts().name, std::optional<std::string>("La chasse"));
    ASSERT_NE(worldOwnShip(), nullptr);
    Entity* ship = nullptr;
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item != worldOwnShip() && node->item->side == 2)
            ship = node->item;
    ASSERT_NE(ship, nullptr) << "the merchant is in the world, the delayed submarine waits";
    EXPECT_NEAR(ship->motion->x, kCentre, 1.0);
    EXPECT_EQ(worldPendingList().count(), 1);
    EXPECT_EQ(goalTreeRoot()->targetId, ship->id);
}

TEST_F(EditedMission, OpeningGivesTheSameDocument) {
    buildMission();
    ASSERT_TRUE(missionSave(document, path("aller.scu")));
    MissionFileContents read;
    ASSERT_TRUE(missionRead(path("aller.scu"), read));
    MissionDocument opened;
    missionApply(opened, std::move(read), nullptr);
    EXPECT_FALSE(opened.changed);
    EXPECT_EQ(opened.objects.count(), 3);
    // Positions pass through the chart's grid: the same to well under a millimetre.
    const Scenario first = missionScenario(document), again = missionScenario(opened);
    EXPECT_EQ(again.texts, first.texts);
    ASSERT_EQ(again.records.size(), first.records.size());
    for (size_t i = 0; i < first.records.size(); ++i) {
        const ScenarioRecord &a = again.records[i], &b = first.records[i];
        EXPECT_NEAR(a.x, b.x, 1e-6);
        EXPECT_NEAR(a.y, b.y, 1e-6);
        EXPECT_EQ(a.typeName, b.typeName);
        EXPECT_EQ(a.speed, b.speed);
        EXPECT_EQ(a.goalNode1, b.goalNode1);
        ASSERT_EQ(a.waypoints.size(), b.waypoints.size());
        for (size_t w = 0; w < a.waypoints.size(); ++w) {
            EXPECT_NEAR(a.waypoints[w].x, b.waypoints[w].x, 1e-6);
            EXPECT_EQ(a.waypoints[w].speed, b.waypoints[w].speed);
        }
    }
    MemorySink goalsFirst, goalsAgain;
    ASSERT_TRUE(document.goals.write(goalsFirst) && opened.goals.write(goalsAgain));
    EXPECT_EQ(goalsAgain.bytes(), goalsFirst.bytes());
    EXPECT_EQ(opened.thresholds, document.thresholds);
}

TEST_F(EditedMission, WhatWasOpenedAndNotChangedIsSavedAsTheFileHeldItAndAnEditIsKept) {
    buildMission();
    GoalNode survive;
    survive.kind = kGoalSurvive;
    survive.points = 50;
    document.goals.addNode(survive, nullptr); // two goals on the root level
    ASSERT_TRUE(missionSave(document, path("source.scu")));
    const std::vector<std::uint8_t> source = fileBytes(path("source.scu"));

    const auto openAndSave = [&](const std::string& from, const std::string& to, auto edit) {
        MissionFileContents read;
        EXPECT_TRUE(missionRead(path(from), read));
        MissionDocument opened;
        missionApply(opened, std::move(read), nullptr);
        edit(opened);
        EXPECT_TRUE(missionSave(opened, path(to)));
        MissionFileContents again;
        EXPECT_TRUE(missionRead(path(to), again));
        return again;
    };
    openAndSave("source.scu", "same.scu", [](MissionDocument&) {});
    EXPECT_EQ(fileBytes(path("same.scu")), source) << "the goals' order and every position as the file had them";

    // A goal added is saved, and so is a goal deleted; the rest of the file stays as it was.
    const MissionFileContents added = openAndSave("source.scu", "added.scu", [](MissionDocument& opened) {
        GoalNode reach;
        reach.kind = kGoalReachArea;
        reach.radius = 1000.0;
        opened.goals.addNode(reach, nullptr);
    });
    int goals = 0;
    goalTreeForEach(added.goals.root(), [&](const GoalNode&) { ++goals; });
    EXPECT_EQ(goals, 4);
    const MissionFileContents deleted = openAndSave("source.scu", "deleted.scu", [](MissionDocument& opened) {
        opened.deleteGoal(opened.goals.root());
    });
    goals = 0;
    goalTreeForEach(deleted.goals.root(), [&](const GoalNode&) { ++goals; });
    EXPECT_LT(goals, 3);

    // A unit moved keeps its new place; the others keep theirs bit for bit.
    openAndSave("source.scu", "moved.scu", [](MissionDocument& opened) {
        opened.forEachMissionObject([](MissionObject& o) {
            if (o.isStart())
                o.moveTo(kCentre - 25000.0, kCentre - 25000.0, nullptr);
        });
    });
    MissionFileContents before, moved;
    ASSERT_TRUE(missionRead(path("source.scu"), before));
    ASSERT_TRUE(missionRead(path("moved.scu"), moved));
    ASSERT_EQ(moved.scenario.records.size(), before.scenario.records.size());
    EXPECT_EQ(moved.scenario.records[0].x, kCentre - 25000.0);
    for (std::size_t i = 1; i < before.scenario.records.size(); ++i) {
        EXPECT_EQ(moved.scenario.records[i].x, before.scenario.records[i].x);
        EXPECT_EQ(moved.scenario.records[i].y, before.scenario.records[i].y);
    }
}

TEST_F(EditedMission, ADamagedFileIsRefusedWhole) {
    buildMission();
    ASSERT_TRUE(missionSave(document, path("entier.scu")));
    const std::vector<std::uint8_t> whole = fileBytes(path("entier.scu"));
    struct Damage {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Damage> damages;
    for (size_t cut : {size_t{3}, size_t{60}, whole.size() / 2, whole.size() - 1})
        damages.push_back({"cut short", {whole.begin(), whole.begin() + static_cast<long>(cut)}});
    auto wrongType = whole;
    // The first record's type, after the five texts, the header and the count.
    size_t at = 0;
    for (int block = 0; block < 5; ++block)
        at += 4 + (whole[at] | whole[at + 1] << 8);
    at += 56 + 4 + 24;
    wrongType[at] = 9;
    damages.push_back({"a record of no type", wrongType});
    auto notANumber = whole;
    const size_t latitude = at - 24 - 4 - 56;
    for (size_t i = 0; i < 8; ++i)
        notANumber[latitude + i] = 0xFF;
    damages.push_back({"an origin that is not a number", notANumber});
    for (const Damage& damage : damages) {
        writeBytes(path("abime.scu"), damage.bytes);
        MissionFileContents read;
        EXPECT_FALSE(missionRead(path("abime.scu"), read)) << damage.what;
    }
    MissionFileContents missing;
    EXPECT_FALSE(missionRead(path("absent.scu"), missing));
}

TEST_F(EditedMission, TheReaderFindsThePlayersScenariosInHisFolder) {
    EXPECT_TRUE(scenarioIsPlayers("Mine.SCU"));
    EXPECT_TRUE(scenarioIsPlayers("reseau.scm"));
    EXPECT_FALSE(scenarioIsPlayers("Sa1.scn"));
    EXPECT_FALSE(scenarioIsPlayers(".scu"));
    buildMission();
    ASSERT_TRUE(missionSave(document, path("liste.scu")));
    EXPECT_EQ(scenReadBlock1("liste.scu"), std::optional<std::string>("Une chasse"));
    EXPECT_EQ(fileResolvePath(path("liste.scu")).rfind(fileResolvePath(locationUserRoot()), 0), 0u);
}

} // namespace
} // namespace q71::test
