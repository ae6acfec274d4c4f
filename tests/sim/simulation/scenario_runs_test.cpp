// Every scenario of the data set becomes a world that runs: started as the mission selection
// starts it, the own submarine and its units of the entity classes with their controllers, then
// stepped headless for ten minutes of game time on a pinned seed, twice, with the same state at
// the end, and with water under the own boat all the way.
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_world.h"
#include "sim/support/world_harness.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <set>

namespace q71 {
namespace {

constexpr double kRunSeconds = 600.0;
constexpr double kPassSeconds = 1.0;

struct RunResult {
    std::uint64_t hash = 0;
    int passesOverLand = 0;
};

class DataSetMissions : public test::DataSetWorld {
protected:
    DataSetMissions() {
        entityClassesInstall();
        entityControllersInstall();
        explosionInstallMaker();
    }
    ~DataSetMissions() override {
        entitySetExplosionMaker(nullptr);
        entityControllersUninstall();
        entityClassesUninstall();
    }

    static RunResult runMission(const std::string& name) {
        test::WorldHarness harness(1);
        startDataSetMission(name);
        EXPECT_EQ(worldOwnShip() ? worldOwnShip()->typeCode : 0, kEntityOwnShip);
        RunResult result;
        for (double t = 0.0; t < kRunSeconds && worldOwnShip(); t += kPassSeconds) {
            harness.pass(kPassSeconds);
            const MotionModel& own = *worldOwnShip()->motion;
            double bottom = 0.0;
            if (!worldDepthAt(own.x, own.y, &bottom, true) || bottom >= own.z)
                ++result.passesOverLand;
        }
        EXPECT_NEAR(simClock().gameClock, kRunSeconds, kPassSeconds);
        result.hash = harness.stateHash();
        simEndMission();
        return result;
    }
};

TEST_F(DataSetMissions, EveryScenarioRunsTenMinutesTheSameWayTwiceWithTheOwnBoatAtSea) {
    const std::set<std::string> names = dataSetScenarios();
    ASSERT_GE(names.size(), 14u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const RunResult first = runMission(name);
        const RunResult second = runMission(name);
        EXPECT_EQ(first.hash, second.hash);
        EXPECT_EQ(first.passesOverLand, 0);
    }
}

} // namespace
} // namespace q71
