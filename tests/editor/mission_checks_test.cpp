// What a save refuses and what it only warns of, each on its own, over a hand-built sea with
// land in its eastern half.

#include "editor/missioneditor/mission_checks.h"
#include "editor/missioneditor/mission_document.h"
#include "sim/support/terrain_grid.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace q71::test {
namespace {

// 101 x 101 samples a kilometre apart: 200 m of water west of x = 50 km, land (20 m) east of it.
std::int16_t halfLand(int column, int) {
    return static_cast<std::int16_t>(column < 50 ? -200 : 20);
}

ScenarioRecord startRecord(const std::string& name = "Orque") {
    ScenarioRecord r;
    r.type = kScenarioOwnShipStart;
    r.typeName = name;
    r.depth = -128;
    return r;
}

ScenarioRecord shipRecord(std::int32_t depthFeet = 0) {
    ScenarioRecord r;
    r.type = kScenarioSurfaceShip;
    r.typeName = "Merchant";
    r.side = 2;
    r.depth = depthFeet;
    return r;
}

class MissionChecks : public ::testing::Test {
protected:
    TextFixture texts{"2600\tno start\n2601\tlong %s\n2602\toff %s\n2603\tland %s\n2604\tdeep %s %.0f\n"
                      "2605\tunbound %s\n2610\tpoint\n"};
    TerrainGrid terrain{101, 101, 1000.0, halfLand};
};

TEST_F(MissionChecks, EachFaultIsRefusedOrWarnedOfNamingWhatIsWrong) {
    struct Case {
        const char* what;
        std::function<void(MissionDocument&)> build;
        int refusals;
        int warnings;
        const char* named; ///< in the one message
    };
    const std::vector<Case> cases{
        {"a sound mission", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             d.addObject(new MissionObject(30000, 20000, shipRecord(), nullptr));
         }, 0, 0, ""},
        {"no own-ship start", [](MissionDocument& d) {
             d.addObject(new MissionObject(30000, 20000, shipRecord(), nullptr));
         }, 1, 0, ""},
        {"a boat's name of 32 bytes", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(std::string(32, 'x')), nullptr));
         }, 1, 0, "xxxxxxxx"},
        {"a route point off the grid", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             auto* ship = new MissionObject(30000, 20000, shipRecord(), nullptr);
             ship->appendWaypoint(30000, 20000, 0, 5);
             ship->appendWaypoint(30000, 20000, 0, 5)->setWorldPosition(-5000, 20000, nullptr);
             d.addObject(ship);
         }, 1, 0, "Merchant"},
        {"a goal area off the grid", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             GoalNode reach;
             reach.kind = kGoalReachArea;
             reach.centreX = 150000;
             reach.centreY = 20000;
             reach.message = std::string("Au large");
             d.goals.addNode(reach, nullptr);
         }, 1, 0, "Au large"},
        {"a ship on land", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             d.addObject(new MissionObject(80000, 20000, shipRecord(), nullptr));
         }, 0, 1, "Merchant"},
        {"a unit below the bottom", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             d.addObject(new MissionObject(30000, 20000, shipRecord(-1000), nullptr)); // 305 m in 200 m
         }, 0, 1, "Merchant"},
        {"a destroy goal no unit is bound to", [](MissionDocument& d) {
             d.addObject(new MissionObject(20000, 20000, startRecord(), nullptr));
             GoalNode destroy;
             destroy.kind = kGoalDestroy;
             destroy.message = std::string("Couler le cargo");
             d.goals.addNode(destroy, nullptr);
         }, 0, 1, "Couler le cargo"},
    };
    for (const Case& c : cases) {
        MissionDocument document;
        c.build(document);
        const MissionCheck check = missionCheck(document);
        EXPECT_EQ(check.refusals.size(), static_cast<size_t>(c.refusals)) << c.what;
        EXPECT_EQ(check.warnings.size(), static_cast<size_t>(c.warnings)) << c.what;
        EXPECT_EQ(check.mayBeSaved(), c.refusals == 0) << c.what;
        const auto& messages = c.refusals ? check.refusals : check.warnings;
        if (!messages.empty()) {
            EXPECT_NE(messages.front().find(c.named), std::string::npos) << c.what << ": " << messages.front();
        }
    }
}

TEST_F(MissionChecks, ADeletedGoalLeavesNoUnitBoundToIt) {
    MissionDocument document;
    GoalNode destroy;
    destroy.kind = kGoalDestroy;
    GoalNode* parent = document.goals.addNode(destroy, nullptr);
    GoalNode* child = document.goals.addNode(destroy, parent);
    ScenarioRecord ship = shipRecord();
    ship.goalNode1 = parent->id;
    ship.goalNode2 = child->id;
    auto* unit = new MissionObject(30000, 20000, ship, nullptr);
    document.addObject(unit);
    document.changed = false;
    EXPECT_EQ(document.unitOfGoal(child->id), unit);
    document.deleteGoal(parent);
    EXPECT_TRUE(document.changed);
    EXPECT_EQ(unit->fields.goalNode1, 0);
    EXPECT_EQ(unit->fields.goalNode2, 0) << "the child went with its parent";
    EXPECT_EQ(document.goals.root(), nullptr);
}

} // namespace
} // namespace q71::test
