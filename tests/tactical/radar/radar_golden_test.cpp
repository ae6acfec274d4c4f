// Golden picture of the radar scope, the displays' noise seeded: mission Sa2 at 30 ft, the antenna
// awash, a turn and a half after the mast came up, with the rings of the starting spacing.
#include "tactical/support/station_mission.h"

#include "support/golden_image.h"
#include "tactical/displays/display_noise.h"
#include "tactical/radar/radar_screen.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadarGolden : public StationMission {};

TEST_F(RadarGolden, ScopeAtThirtyFeet) {
    startMissionAtDepth("Sa2.scn", -9.14, 5.0);
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
