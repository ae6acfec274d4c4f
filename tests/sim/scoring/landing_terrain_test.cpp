#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"
#include "sim/scoring/goal_actions.h"
#include "sim/world/dem_test_file.h"
#include "sim/world/terrain_world.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q71 {
namespace {

// The landing search on the terrain world itself: a mission grid cut from the linear test
// field (100 lat − 40 lon metres, all land, rising to the north and the west).
class LandingOnTerrain : public testing::Test {
protected:
    LandingOnTerrain() {
        std::string error;
        EXPECT_TRUE(settingsLoadText("[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\"
                                     "Q71I Varden-Morrow\\1.0]\nDemDirectory = \"terrain\"\n",
                                     error))
            << error;
        regSetFamilyKey("Velm's Combat Simulations");
        regSetProductKey("Q71I Varden-Morrow");
        regSetVersionKey("1.0");
        dir.write("terrain/WCDEM.dem", test::demLinearField(50, 40, 4, 17).bytes());
        std::filesystem::current_path(dir.path());
    }
    ~LandingOnTerrain() override {
        worldShutdown();
        std::filesystem::current_path(previous);
    }

    test::TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
};

TEST_F(LandingOnTerrain, TheTeamHeadsUpTheSlopeOfTheNearestLand) {
    EXPECT_EQ(terrainHeightAt(268800.0, 268800.0), std::nullopt); // no grid yet
    worldOpen();
    ASSERT_TRUE(worldLoadRegion(45.5, 10.5, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                kMissionGridSamples, false));
    const std::optional<double> centre = terrainHeightAt(268800.0, 268800.0);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(*centre, test::demLinearElevation(45.5, 10.5), 5.0);
    // The first ring (8 points, 2 km out) is all land; of its points the north-west one is the
    // highest, the field rising 0.9 m per km to the north and 0.5 m per km to the west.
    EXPECT_EQ(landingSearchBearing(268800.0, 268800.0, terrainHeightAt), 315.0);
}

} // namespace
} // namespace q71
