#include "sim/scoring/goal_actions.h"
#include "sim/support/terrain_grid.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// The landing search on the terrain world itself: a 50 km square of sea 100 m deep with a coast
// running north and south 34 km from its western edge, the land rising to the east.
TEST(LandingOnTerrain, TheTeamHeadsForTheCoastAcrossTheWater) {
    EXPECT_EQ(terrainHeightAt(25000.0, 25000.0), std::nullopt); // no grid yet
    test::TerrainGrid grid(101, 101, 500.0, [](int column, int) -> std::int16_t {
        return static_cast<std::int16_t>(column > 68 ? column - 68 : -100);
    });
    EXPECT_EQ(terrainHeightAt(25000.0, 25000.0), -100.0);
    EXPECT_EQ(terrainHeightAt(40000.0, 25000.0), 12.0);
    // Rings 1 to 4 (2 to 8 km out) find only water; ring 5 (10 km, 12 points 30 degrees apart)
    // reaches the coast due east only.
    EXPECT_EQ(landingSearchBearing(25000.0, 25000.0, terrainHeightAt), 90.0);
}

} // namespace
} // namespace q71
