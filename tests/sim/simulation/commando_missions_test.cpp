// The data set's commando missions played out on their units' classes: the own boat, stopped at
// periscope depth at the drop point, puts the team out; the team is not taken back before it has
// done its work; and it comes back aboard when the work is done. The missions' other units are
// taken out first, so that only the team's work decides.
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/goal_tree.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_world.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <utility>

namespace q71 {
namespace {

constexpr std::uint32_t kTeamRecord = 44; // "Seal-Team", the team's boat
constexpr double kPeriscopeDepth = -10.0;

// The first goal that passes a test, or null.
template <class Test> GoalNode* findGoal(Test test) {
    GoalNode* found = nullptr;
    goalTreeForEach(goalTreeRoot(), [&](GoalNode& goal) {
        if (!found && test(goal))
            found = &goal;
    });
    return found;
}

GoalNode* dropGoal() {
    return findGoal(
        [](const GoalNode& g) { return g.action == kActionLandTeam || g.action == kActionLandTeamHere; });
}

GoalNode* recoveryGoal() {
    return findGoal([](const GoalNode& g) { return g.action == kActionRecoverTeam; });
}

int teamsOut() {
    int teams = 0;
    for (auto* node = worldList().head(); node; node = node->next)
        teams += node->item->recordId == kTeamRecord;
    return teams;
}

class CommandoMissions : public test::DataSetWorld {
protected:
    CommandoMissions() {
        entityClassesInstall();
        entityControllersInstall();
        explosionInstallMaker();
    }
    ~CommandoMissions() override {
        entitySetExplosionMaker(nullptr);
        entityControllersUninstall();
        entityClassesUninstall();
    }

    // The mission with only the own boat and the goals' targets left, the boat at the drop point.
    void startAtDropPoint(const std::string& name) {
        harness.reset();
        harness.emplace(1);
        startDataSetMission(name);
        std::set<std::int32_t> targets;
        goalTreeForEach(goalTreeRoot(), [&](const GoalNode& g) { targets.insert(g.targetId); });
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != worldOwnShip() && !targets.count(node->item->id))
                node->item->markForRemoval();
        const GoalNode* drop = dropGoal();
        ASSERT_NE(drop, nullptr);
        MotionModel& own = *worldOwnShip()->motion;
        own.x = drop->centreX;
        own.y = drop->centreY;
        own.z = kPeriscopeDepth;
        own.speed = own.driveSpeed = own.headway = own.velocityX = own.velocityY = 0.0;
        holdStopped();
    }

    // The player keeps the boat stopped at periscope depth.
    static void holdStopped() {
        MotionModel& own = *worldOwnShip()->motion;
        own.setOrderedSpeed(0.0);
        own.setOrderedDepth(kPeriscopeDepth);
    }

    // Minutes of the mission with the boat held where it is.
    void wait(double minutes) {
        for (int minute = 0; minute < minutes; ++minute) {
            harness->run(60.0, 1.0);
            holdStopped();
        }
    }

    std::optional<test::WorldHarness> harness;
};

TEST_F(CommandoMissions, TheTeamGoesOutWhereTheBoatStopsAndIsNotTakenBackBeforeItsWork) {
    for (const char* name : {"Sa4.scn", "Ca3.scn"}) {
        SCOPED_TRACE(name);
        startAtDropPoint(name);
        wait(5.0);
        ASSERT_NE(dropGoal(), nullptr);
        EXPECT_EQ(dropGoal()->achieved, 1);
        ASSERT_NE(recoveryGoal(), nullptr);
        EXPECT_EQ(recoveryGoal()->achieved, 0);
        EXPECT_EQ(teamsOut(), 1) << "on its way, not back aboard";
        simEndMission();
    }
}

// In Sa4 the team's boat runs aground in the shallows before the beach, waits out the team's
// work ashore and comes back off the shoal the way it went in; in Ca3 the swimmers damage the
// platform. Both come back to the boat waiting at the drop point.
TEST_F(CommandoMissions, TheTeamDoesItsWorkAndComesBackAboard) {
    const std::pair<const char*, GoalKind> missions[] = {{"Sa4.scn", kGoalReachArea},
                                                         {"Ca3.scn", kGoalDamage}};
    for (const auto& [name, work] : missions) {
        SCOPED_TRACE(name);
        startAtDropPoint(name);
        const GoalNode* done = findGoal([work = work](const GoalNode& g) { return g.kind == work; });
        ASSERT_NE(done, nullptr);
        for (int minute = 0; minute < 180 && !recoveryGoal()->achieved; ++minute)
            wait(1.0);
        EXPECT_EQ(done->achieved, 1);
        EXPECT_EQ(recoveryGoal()->achieved, 1);
        EXPECT_EQ(teamsOut(), 0) << "aboard again";
        EXPECT_EQ(allRequiredGoalsAchieved(), 1);
        simEndMission();
    }
}

} // namespace
} // namespace q71
