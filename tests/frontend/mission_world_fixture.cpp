#include "mission_world_fixture.h"

#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_state.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

namespace q71::test {

MissionWorldFixture::MissionWorldFixture(std::string_view playerName) {
    EXPECT_TRUE(objdbLoad());
    worldOpen();
    EXPECT_EQ(playerDbChoose(playerName, 0), RosterStatus::Ok);
    entityClassesInstall();
    entityControllersInstall();
    explosionInstallMaker();
}

MissionWorldFixture::~MissionWorldFixture() {
    simEndMission();
    missionState() = MissionState{};
    entitySetExplosionMaker(nullptr);
    entityControllersUninstall();
    entityClassesUninstall();
    worldShutdown();
    objdbFree();
}

} // namespace q71::test
