// Golden picture of the ESM dial: mission Sa2 at 30 ft, the ESM mast up a minute, the pointer
// dragged onto the strongest emitter, which is named.
#include "tactical/support/station_mission.h"

#include "support/golden_image.h"
#include "tactical/displays/display_noise.h"
#include "tactical/radio/radio_room.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class EsmGolden : public StationMission {};

TEST_F(EsmGolden, DialOnTheConvoysRadar) {
    startMissionAtDepth("Sa2.scn", -9.14, 5.0);
    displayNoise().seed(1);
    auto& room = buildStation<RadioRoom>(kStationRadio, "radioroom");
    showStation(kStationRadio);
    room.command(5, 2);
    run(60000, 100);
    const auto strongest = std::ranges::max_element(room.esmLevels());
    room.pointEsmAt(kEsmDialCentre.x + 1, kEsmDialCentre.y - 60); // somewhere first, then onto the emitter
    const int bearing = static_cast<int>(strongest - room.esmLevels().begin());
    room.pointEsmAt(kEsmDialCentre.x + static_cast<int>(60 * std::sin(bearing * 3.14159265358979 / 180.0)),
                    kEsmDialCentre.y - static_cast<int>(60 * std::cos(bearing * 3.14159265358979 / 180.0)));
    run(2500, 100);
    ASSERT_NE(room.dial(), nullptr);
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/radio/golden", *room.dial(), "esm-dial"));
}

} // namespace
} // namespace q71::test
