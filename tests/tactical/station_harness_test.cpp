// The station harness itself: a station stands where the host puts it, opens and closes as the
// host switches to it and away, and lives through the main loop's passes on a running mission.
#include "tactical/support/station_mission.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/pen_brush.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71::test {
namespace {

// A station that counts what the host asks of it and keeps the clicks and timer ticks it gets.
class ProbeStation : public SubScreen {
public:
    ProbeStation(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
        : SubScreen(key, parent, width, height, x, y) {}
    void open() override {
        ++opened;
        timerSet(window(), 7, 1000);
    }
    void close() override {
        ++closed;
        timerKill(window(), 7);
    }
    void update() override { ++updates; }
    LResult handleMessage(WindowHandle w, std::uint32_t message, WParam wParam, LParam lParam) override {
        if (message == WM_TIMER && wParam == 7)
            ticks.push_back(simClock().gameClock);
        if (message == WM_LBUTTONDOWN)
            clicks.push_back({static_cast<int>(static_cast<std::int16_t>(lParam & 0xFFFF)),
                              static_cast<int>(static_cast<std::int16_t>((lParam >> 16) & 0xFFFF))});
        return SubScreen::handleMessage(w, message, wParam, lParam);
    }

    int opened = 0, closed = 0, updates = 0;
    std::vector<double> ticks;
    std::vector<Point> clicks;
};

class StationHarness : public StationMission {};

TEST_F(StationHarness, BuildsAStationAsTheHostDoesAndOpensItWhenShown) {
    ProbeStation& probe = buildStation<ProbeStation>(4, "probe");
    EXPECT_EQ(windowGetParent(probe.window()), host().window());
    const Rect client = windowGetClientRect(probe.window());
    EXPECT_EQ(client.width(), 540);
    EXPECT_EQ(client.height(), 420);
    EXPECT_EQ(probe.opened, 0);
    showStation(4);
    EXPECT_EQ(probe.opened, 1);
    EXPECT_TRUE(probe.isVisible());
    hideStation();
    EXPECT_EQ(probe.closed, 1);
    EXPECT_FALSE(probe.isVisible());
}

TEST_F(StationHarness, BuildsARegisteredStationWithItsMaker) {
    EXPECT_EQ(buildRegisteredStation(kStationRadio), nullptr);
    stationRegisterMaker(kStationRadio,
                         [](std::string_view key, WindowHandle parent, int width, int height, int x,
                            int y) -> std::unique_ptr<SubScreen> {
                             return std::make_unique<ProbeStation>(key, parent, width, height, x, y);
                         });
    SubScreen* station = buildRegisteredStation(kStationRadio);
    stationRegisterMaker(kStationRadio, nullptr);
    ASSERT_NE(station, nullptr);
    EXPECT_EQ(station->key(), "radioroom");
    showStation(kStationRadio);
    EXPECT_EQ(static_cast<ProbeStation*>(station)->opened, 1);
}

TEST_F(StationHarness, StepsTheMissionAndTheStationPassByPass) {
    startMission("Sa1.scn");
    ASSERT_NE(worldOwnShip(), nullptr);
    ProbeStation& probe = buildStation<ProbeStation>(0, "probe");
    showStation(0);
    run(3000);
    EXPECT_NEAR(simClock().gameClock, 3.0, 0.011);
    EXPECT_EQ(probe.updates, 300);
    // The station's one-second timer ran each second, on the game clock of that moment.
    ASSERT_EQ(probe.ticks.size(), 3u);
    EXPECT_NEAR(probe.ticks[0], 1.0, 0.011);
    EXPECT_NEAR(probe.ticks[2], 3.0, 0.011);
    run(2000, 100); // longer passes for long stretches of game time
    EXPECT_NEAR(simClock().gameClock, 5.0, 0.011);
    EXPECT_EQ(probe.ticks.size(), 5u);
}

TEST_F(StationHarness, ClicksAndPicturesAreInTheStationsOwnCoordinates) {
    ProbeStation& probe = buildStation<ProbeStation>(4, "probe");
    showStation(4);
    clickAt({17, 23});
    ASSERT_EQ(probe.clicks.size(), 1u);
    EXPECT_EQ(probe.clicks[0].x, 17);
    EXPECT_EQ(probe.clicks[0].y, 23);
    {
        auto dc = getWindowDC(probe.window());
        dc->fillRect({500, 400, 540, 420}, createSolidBrush(0x0000F8));
    }
    const BitmapRef picture = stationPicture();
    const PixelSurface s = picture->surface();
    EXPECT_EQ(s.decode(s.read(539, 419)), 0x0000F8u);
    EXPECT_NE(s.decode(s.read(499, 399)), 0x0000F8u);
    keepPicture("corner");
}

} // namespace
} // namespace q71::test
