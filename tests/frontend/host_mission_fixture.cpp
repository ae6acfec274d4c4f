#include "host_mission_fixture.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "frontend/frontend_services.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/shell_simulation.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_mission.h"

#include <gtest/gtest.h>

namespace q71::test {

HostMissionFixture::HostMissionFixture() : MissionWorldFixture("Narval") {
    appInstallServices(
        {nullptr, nullptr, &simShellSimulation(), &simShellWorldStep(), &frontEndShellServices(), nullptr});
    screenEnterMainMenu();
    pump();
}

HostMissionFixture::~HostMissionFixture() {
    screenDestroy(kSlotGenInfo); // its stations go before the world they show
}

void HostMissionFixture::startOnHost(const std::string& scenario) {
    const ScenarioStatus status = startDataSetScenario(scenario);
    ASSERT_TRUE(status.ok()) << scenarioErrorMessage(status, scenario);
    screenCreateGenInfo();
    screenSwitch(kSlotGenInfo);
    pump();
}

void HostMissionFixture::play(std::uint64_t ms) {
    constexpr std::uint64_t kPassMs = 50;
    for (std::uint64_t t = 0; t < ms; t += kPassMs) {
        clock.advance(kPassMs);
        gameTime.ticks += static_cast<std::uint32_t>(kPassMs);
        pump();
        AppSimulation& simulation = simShellSimulation();
        if (simulation.running() && simulation.pauseCount() <= 0)
            appStepWorld(simulation, simShellWorldStep());
        screenUpdateAll();
    }
    pump();
}

std::vector<double> HostMissionFixture::worldState() {
    std::vector<double> state;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& e = *node->item;
        state.push_back(e.id);
        state.push_back(e.hull);
        if (e.motion)
            for (double v : {e.motion->x, e.motion->y, e.motion->z, e.motion->heading, e.motion->speed})
                state.push_back(v);
    }
    return state;
}

} // namespace q71::test
