// Golden picture of the radar scope, the displays' noise seeded: mission Sa2 at 30 ft, the antenna
// awash, a turn and a half after the mast came up, with the rings of the starting spacing.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "support/golden_image.h"
#include "tactical/displays/display_noise.h"
#include "tactical/radar/radar_screen.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadarGolden : public StationMission {};

TEST_F(RadarGolden, ScopeAtThirtyFeet) {
    startMission("Sa2.scn");
    auto& own = *dynamic_cast<OwnShipEntity*>(worldOwnShip());
    own.ownMotion->z = -9.14;
    own.ownMotion->setOrderedDepth(-9.14);
    displayNoise().seed(1);
    auto& radar = buildStation<RadarScreen>(kStationRadar, "radarscreen");
    showStation(kStationRadar);
    radar.command(1, 2);
    run(42000, 150);
    ASSERT_NE(radar.composed(), nullptr);
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/radar/golden", *radar.composed(), "scope"));
}

} // namespace
} // namespace q71::test
