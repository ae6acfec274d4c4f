// The data set's anti-submarine mission, its units of the entity classes with their controllers,
// run headless for two hours of game time in passes of one second on a pinned seed, twice: the
// world ends in the same state both times, and every patrolling unit reached points of its patrol.
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_world.h"
#include "sim/support/mission_makers.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace q71::test {
namespace {

constexpr double kRunSeconds = 2.0 * 3600.0;
constexpr double kPassSeconds = 1.0;

struct MissionRun {
    std::uint64_t hash = 0;
    int patrols = 0;    ///< units on a patrol (any plan but a transit)
    int patrolsMet = 0; ///< of those, the ones whose current point changed: they reached one
};

// The point a unit is making for, if any.
std::optional<WorldPoint> currentPoint(const Entity& unit) {
    const ControllerOrder* order = unit.controller ? unit.controller->currentOrder() : nullptr;
    return order ? std::optional<WorldPoint>(worldPoint(*order)) : std::nullopt;
}

class AntiSubmarineMission : public DataSetWorld {
protected:
    AntiSubmarineMission() {
        entityClassesInstall();
        entityControllersInstall();
        explosionInstallMaker();
    }
    ~AntiSubmarineMission() override {
        entitySetExplosionMaker(nullptr);
        entityControllersUninstall();
        entityClassesUninstall();
    }

    // The first single mission as the mission selection starts it (its seed is the fixed one).
    static MissionRun run() {
        WorldHarness harness(1);
        missionState().missionMode = kMissionModeSingle;
        missionState().missionIndex = 0;
        simSetupOwnShip(-1);
        const ScenarioStatus status = simStartMission("Sa1.scn", kMissionModeSingle);
        EXPECT_TRUE(status.ok()) << scenarioErrorMessage(status, "Sa1.scn");
        simStartRunning();
        std::map<std::int32_t, WorldPoint> firstPoints;
        for (auto* node = worldList().head(); node; node = node->next)
            if (const auto point = currentPoint(*node->item); point && node->item->controller->planMode != 2)
                firstPoints[node->item->id] = *point;
        harness.run(kRunSeconds, kPassSeconds);
        EXPECT_NEAR(simClock().gameClock, kRunSeconds, kPassSeconds);
        MissionRun result;
        result.hash = harness.stateHash();
        result.patrols = static_cast<int>(firstPoints.size());
        for (const auto& [id, first] : firstPoints) {
            const Entity* unit = worldFindEntity(id);
            const auto now = unit ? currentPoint(*unit) : std::nullopt;
            result.patrolsMet += now && (now->x != first.x || now->y != first.y);
        }
        simEndMission();
        return result;
    }

    HarnessOwnShip own;
};

TEST_F(AntiSubmarineMission, RunsTwoHoursTheSameWayTwiceWithItsPatrolsUnderWay) {
    const MissionRun first = run();
    const MissionRun second = run();
    EXPECT_EQ(first.hash, second.hash);
    EXPECT_EQ(first.patrols, 3); // the Victor and the two trawlers
    EXPECT_EQ(first.patrolsMet, first.patrols);
}

} // namespace
} // namespace q71::test
