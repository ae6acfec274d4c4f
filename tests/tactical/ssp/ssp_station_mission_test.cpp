// The sound-speed profile station on a running mission of the data set, as the host holds it:
// a probe launched from the boat draws the profile while it falls and the layer once it is down,
// and the station's timer stops when the probe has reached its last depth.
#include "tactical/support/station_mission.h"

#include "platform/gdi/device_context.h"
#include "sim/simulation/sim_clock.h"
#include "support/golden_image.h"
#include "tactical/ssp/ssp_screen.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class SspStationMission : public StationMission {
protected:
    SspScreen& openStation() {
        sspRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationSoundProfile);
        stationRegisterMaker(kStationSoundProfile, nullptr);
        EXPECT_NE(station, nullptr);
        showStation(kStationSoundProfile);
        return *static_cast<SspScreen*>(station);
    }

    // Pixels of the trace's green in a part of the station's picture.
    int tracePixels(const Rect& area) {
        BitmapRef picture = stationPicture();
        auto dc = DeviceContext::createMemory();
        dc->selectBitmap(picture);
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const ColorRef c = dc->getPixel({x, y});
                count += colorGreen(c) > 200 && colorRed(c) < 80 ? 1 : 0;
            }
        return count;
    }
};

TEST_F(SspStationMission, ALaunchedProbeDrawsTheProfileAsItFalls) {
    startMission("Sa1.scn");
    SspScreen& ssp = openStation();
    EXPECT_EQ(sspScreen(), &ssp);
    run(500, 100);
    // Only the scale before a launch: nothing right of the axis's labels in the graph.
    const Rect curveArea{120, 57, 250, 376};
    EXPECT_EQ(tracePixels(curveArea), 0);
    ssp.onCommand(kSspLaunchId, 0);
    const SspDrop drop = ssp.drop();
    ASSERT_TRUE(drop.launched);
    EXPECT_GE(drop.start, simClock().gameClock);
    run(static_cast<std::uint64_t>((drop.start - simClock().gameClock + (drop.end - drop.start) / 2) *
                                   1000.0),
        250);
    keepPicture("ssp");
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/ssp/golden", *stationPicture(), "ssp-mid-fall"));
    EXPECT_TRUE(ssp.timerRunning()) << "mid-fall the curve still grows";
    EXPECT_GT(tracePixels(curveArea), 20) << "the curve and the probe's line";
    run(static_cast<std::uint64_t>((drop.end - simClock().gameClock) * 1000.0) + 1000, 250);
    EXPECT_FALSE(ssp.timerRunning()) << "the timer stops once the probe is down";
    hideStation();
}

TEST_F(SspStationMission, TheStationGoesWithoutLeavingItsTimer) {
    startMission("Sa1.scn");
    SspScreen& ssp = openStation();
    ssp.onCommand(kSspLaunchId, 0);
    run(40000, 250);
    host().setChild(kStationSoundProfile, nullptr); // the host lets the station go mid-fall
    EXPECT_EQ(sspScreen(), nullptr);
    run(2000, 250); // a timer left behind would call into the freed station
}

} // namespace
} // namespace q71::test
