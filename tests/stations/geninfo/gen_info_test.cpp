// The host screen on a running mission of the data set, headless, with recording audio and a
// recording network game: the stations it builds and in what order, what an empty slot does, the
// order readouts' commands, compression, the steady report, the engine voice, the loss of the own
// boat and the keys.
#include "tactical/support/station_mission.h"

#include "framework/app/shell.h"
#include "sim/simulation/geometry.h"
#include "support/golden_image.h"
#include "support/screen_picture.h"
#include "support/text_fixture.h"

#include <cmath>
#include "framework/app/sub_screen.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/text_box.h"
#include "platform/window/focus.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "stations/cntrlrm/control_room_host.h"
#include "stations/geninfo/gen_info.h"
#include "stations/geninfo/host_hooks.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/shipctrl/ship_control.h"
#include "tactical/rwutils/rw_explosions.h"
#include "framework/app/app_services.h"
#include "platform/window/window_layout.h"

#include <algorithm>
#include <cstring>

namespace q71::test {
namespace {

std::vector<std::string> g_built;

class NamedStation : public SubScreen {
public:
    NamedStation(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
        : SubScreen(key, parent, width, height, x, y) {
        g_built.emplace_back(key);
    }
    int onKey(int key, int) override {
        keys.push_back(key);
        return 1;
    }
    std::vector<int> keys;
};

std::unique_ptr<SubScreen> makeNamed(std::string_view key, WindowHandle parent, int width, int height, int x,
                                     int y) {
    return std::make_unique<NamedStation>(key, parent, width, height, x, y);
}

int g_optionsCommits = 0;
int g_safeLocks = 0;

class HostScreenTest : public StationMission {
protected:
    HostScreenTest() {
        g_built.clear();
        g_optionsCommits = g_safeLocks = 0;
        genInfoSetLossHooks({[] { ++g_optionsCommits; }, [] { ++g_safeLocks; }});
        startMission("Sa1.scn");
    }
    ~HostScreenTest() override {
        gen_.reset();
        genInfoSetLossHooks({});
        simSetNetworkGame(nullptr);
        for (int slot = 0; slot < kHostStationCount; ++slot)
            stationRegisterMaker(slot, nullptr);
    }

    void registerAll() {
        for (int slot = 0; slot < kHostStationCount; ++slot)
            stationRegisterMaker(slot, makeNamed);
    }
    GenInfo& openHost() {
        gen_ = std::make_unique<GenInfo>("gen_info", appMainWindow(), 640, 480, 0, 0);
        gen_->activate();
        pump();
        return *gen_;
    }
    /// Frames of the host without the world moving.
    void step(int passes) {
        for (int i = 0; i < passes; ++i) {
            clock.advance(10);
            pump();
            gen_->update();
        }
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }
    NamedStation* station(int slot) { return dynamic_cast<NamedStation*>(gen_->child(slot)); }
    void clickButton(int slot) {
        const SimpleButton& b = gen_->stationButton(slot);
        display.click({b.getX() + 22, b.getY() + 20});
        pump();
    }
    std::string logLine(int fromEnd) const {
        const TextBox& log = gen_->messageLog();
        const char* line = log.getLine(log.lineCount() - 1 - fromEnd);
        return line ? line : "";
    }

    /// The main loop's passes update this host.
    void updateScreens() override {
        if (gen_)
            gen_->update();
    }
    void clickHost(Point at, MouseButton button = MouseButton::Left) {
        display.click(windowClientToScreen(gen_->window(), at), button);
        pump();
    }
    /// Types an order into a readout by clicking its digits up, as a player does.
    void typeOrder(int id, int value, int leftmostLimit = 9) {
        OrderReadOut& r = gen_->readOut(id);
        const int digits = r.digitCount();
        for (int i = 0; i < digits; ++i) {
            int target = value;
            for (int k = digits - 1; k > i; --k)
                target /= 10;
            target %= 10;
            const int cycle = i == 0 ? leftmostLimit + 1 : 10;
            const int shown = r.digit(i) == ReadOut::kBlank ? 0 : r.digit(i);
            int clicks = ((target - shown) % cycle + cycle) % cycle;
            if (r.digit(i) == ReadOut::kBlank && clicks == 0)
                clicks = cycle; // a blank counts on from 0
            for (int c = 0; c < clicks; ++c)
                clickHost({r.getX() + i * 10 + 5, r.getY() + 5});
        }
    }

    std::unique_ptr<GenInfo> gen_;
    FakeNetworkGame network;
};

TEST_F(HostScreenTest, BuildsTheRegisteredStationsInItsOrderAndLeavesTheControlRoomToItsOption) {
    for (bool controlRoom : {false, true}) {
        g_built.clear();
        options.options[23] = controlRoom ? 1 : 0;
        registerAll();
        GenInfo& host = openHost();
        std::vector<std::string> expected = {"shipctrl",      "sonarsuite",   "perisuite",     "TMAScreen",
                                             "FireCtrlScreen", "velmsScreen",  "navScreen",     "shipbksScreen",
                                             "entviewscreen", "cntrlrmscreen", "radarscreen",   "stateroom",
                                             "radioroom",     "ssp"};
        if (!controlRoom)
            expected.erase(std::find(expected.begin(), expected.end(), "cntrlrmscreen"));
        EXPECT_EQ(g_built, expected) << "control room option " << controlRoom;
        EXPECT_EQ(host.child(kStationControlRoom) != nullptr, controlRoom);
        EXPECT_EQ(host.currentChild(), kStationShipControl);

        // 'm' and the button do nothing without the control room.
        host.onKey('m', 3);
        clickButton(kStationControlRoom);
        EXPECT_EQ(host.currentChild(), controlRoom ? kStationControlRoom : kStationShipControl);
        gen_.reset();
    }
}

TEST_F(HostScreenTest, AnEmptySlotKeepsItsButtonButItsKeyButtonAndSelectionDoNothing) {
    stationRegisterMaker(kStationShipControl, makeNamed);
    stationRegisterMaker(kStationTma, makeNamed);
    GenInfo& host = openHost();
    ASSERT_EQ(host.child(kStationSonar), nullptr);
    host.selectStation(kStationTma);
    EXPECT_EQ(host.currentChild(), kStationTma);
    host.onKey('b', 3);
    host.selectStation(kStationSonar);
    clickButton(kStationSonar);
    EXPECT_EQ(host.currentChild(), kStationTma);
    EXPECT_EQ(host.stationButton(kStationTma).getState(), 1) << "the selected station's button stays down";
    clickButton(kStationShipControl);
    EXPECT_EQ(host.currentChild(), kStationShipControl);
}

TEST_F(HostScreenTest, TheExplosionPoolIsOpenExactlyWhileTheHostIsActive) {
    rwFreeExplosions(); // the harness's own pool, so that only the host opens it here
    stationRegisterMaker(kStationShipControl, makeNamed);
    GenInfo& gen = openHost();
    EXPECT_TRUE(rwExplosionsOpen());
    host().activate(); // another screen: the host closes
    pump();
    EXPECT_FALSE(rwExplosionsOpen()) << "closing the host closes the pool";
    gen.activate();
    pump();
    EXPECT_TRUE(rwExplosionsOpen()) << "a host opened again opens it again";
    gen_.reset();
    EXPECT_FALSE(rwExplosionsOpen()) << "the host going closes it";
}

TEST_F(HostScreenTest, StationKeysAreAltLettersAndOtherKeysGoToTheStationUnlessTheyCameFromIt) {
    registerAll();
    GenInfo& host = openHost();
    host.onKey('e', 3);
    EXPECT_EQ(host.currentChild(), kStationTma);
    focusSet(host.window());
    EXPECT_EQ(host.onKey('a', 0), 1);
    EXPECT_EQ(host.currentChild(), kStationTma) << "a plain letter is the station's";
    EXPECT_EQ(station(kStationTma)->keys, std::vector<int>{'a'});
    focusSet(station(kStationTma)->window());
    EXPECT_EQ(host.onKey('y', 0), 0) << "a key that climbed from the station does not go back to it";
    EXPECT_EQ(station(kStationTma)->keys, std::vector<int>{'a'});
    focusSet(host.messageLog().window());
    EXPECT_EQ(host.onKey('z', 0), 1) << "one from the host's own log goes on";
    EXPECT_EQ(station(kStationTma)->keys, (std::vector<int>{'a', 'z'}));
}

TEST_F(HostScreenTest, TheButtonsShowTheirTipsWhateverTheTextSwitchAndTheClockFollowsThePopUpOption) {
    const DataSetTextsWith texts({{486, "0"}}); // the language library's tip switch off
    ASSERT_FALSE(textToolTipsEnabled());
    registerAll();
    GenInfo& host = openHost();
    const auto hoverShowsTip = [&](const SimpleButton& button) {
        display.moveMouse(windowClientToScreen(host.window(), {button.getX() + 5, button.getY() + 5}));
        run(2000, 100);
        const bool shown = button.hotSpot() && button.hotSpot()->isToolTipShown();
        display.moveMouse(windowClientToScreen(host.window(), {300, 200})); // off again
        run(200, 100);
        return shown;
    };
    for (int slot = 0; slot < kHostStationCount; ++slot)
        EXPECT_TRUE(hoverShowsTip(host.stationButton(slot))) << "station button " << slot;
    EXPECT_TRUE(hoverShowsTip(host.pauseButton()));

    // The clock's hot spot is the pop-up texts option's.
    for (int popUps : {0, 1}) {
        gen_.reset();
        options.options[22] = popUps;
        openHost();
        display.moveMouse(windowClientToScreen(gen_->window(), {590, 10}));
        run(2000, 100);
        EXPECT_EQ(HotSpot::current() != nullptr && HotSpot::current()->isToolTipShown(), popUps == 1)
            << "pop-up texts option " << popUps;
    }
}

TEST_F(HostScreenTest, AStationButtonsTipShowsAgainEachTimeThePointerComesBackFromTheStation) {
    registerAll();
    GenInfo& host = openHost();
    const SimpleButton& button = host.stationButton(kStationSonar);
    const HotSpot& tip = *button.hotSpot();
    for (int visit = 1; visit <= 3; ++visit) {
        display.moveMouse(windowClientToScreen(host.window(), {button.getX() + 5, button.getY() + 5}));
        run(2000, 100); // past the pop-up delay, within the display time
        EXPECT_TRUE(tip.isToolTipShown()) << "visit " << visit;
        display.moveMouse(windowClientToScreen(host.window(), {300, 200})); // over the station
        pump();
        EXPECT_FALSE(tip.isToolTipShown()) << "the tip stays once the pointer has left, visit " << visit;
    }
}

TEST_F(HostScreenTest, TheReadOutsOrderTheBoatAndTellThePeers) {
    registerAll();
    simSetNetworkGame(&network);
    GenInfo& host = openHost();
    MotionModel& m = *own().motion;

    host.onCommand(22, 12);
    EXPECT_DOUBLE_EQ(m.orderedSpeed, 12.0);
    host.onCommand(23, 395);
    EXPECT_DOUBLE_EQ(m.orderedCourse, 35.0) << "395 is taken as 35";
    host.onCommand(24, 150);
    EXPECT_NEAR(m.orderedDepth, -122 * 0.3048, 1e-9);

    ASSERT_EQ(network.pairs.size(), 3u);
    const auto value = [](const FakeNetworkGame::SentPair& p) {
        const std::uint64_t bits = (static_cast<std::uint64_t>(p.high) << 32) | p.low;
        double d = 0.0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    };
    EXPECT_EQ(network.pairs[0].code, 0);
    EXPECT_DOUBLE_EQ(value(network.pairs[0]), 12.0);
    EXPECT_EQ(network.pairs[1].code, 2);
    EXPECT_DOUBLE_EQ(value(network.pairs[1]), 35.0);
    EXPECT_EQ(network.pairs[2].code, 1);
    EXPECT_DOUBLE_EQ(value(network.pairs[2]), -150.0);
    EXPECT_EQ(network.pairs[2].subject, 1);

    // The pause goes to the clock and the peers.
    host.onCommand(14, 1);
    EXPECT_GT(simClock().pauseCount, 0);
    host.onCommand(14, 2);
    EXPECT_EQ(simClock().pauseCount, 0);
    EXPECT_EQ(network.controls, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 1}, {0, 0}}));
}

TEST_F(HostScreenTest, AReadOutShowsTheStandingOrderUntilTheBoatReachesIt) {
    registerAll();
    GenInfo& host = openHost();
    MotionModel& m = *own().motion;
    m.z = verticalOfDepthFeet(100);
    step(1);
    OrderReadOut& depth = host.readOut(24);
    EXPECT_EQ(depth.getValue(), 100) << "the boat's depth";
    depth.onLeftDown(depth.getX() + 1, 1); // the first digit counts up: an order is being typed
    EXPECT_TRUE(depth.orderMode());
    EXPECT_TRUE(depth.orderPending());
    step(1);
    EXPECT_EQ(depth.getValue(), 1100) << "left as typed";
    depth.onTick(); // the commit
    pump();
    EXPECT_FALSE(depth.orderMode()) << "the order was taken";
    EXPECT_NEAR(m.orderedDepth, verticalOfDepthFeet(1100), 1e-9);
    step(1);
    EXPECT_EQ(depth.getValue(), 100);
}

TEST_F(HostScreenTest, CompressionFollowsTheArrowsExceptAtThePeriscopeAndIsOneInANetworkGame) {
    registerAll();
    GenInfo& host = openHost();
    host.onCommand(31, 0);
    host.onCommand(31, 0);
    EXPECT_EQ(host.compressionLevel(), 3);
    EXPECT_DOUBLE_EQ(simClock().timeCompression, 3.0);
    host.selectStation(kStationPeriscope);
    EXPECT_DOUBLE_EQ(simClock().timeCompression, 1.0);
    host.onCommand(31, 0);
    EXPECT_EQ(host.compressionLevel(), 1);
    host.selectStation(kStationShipControl);
    EXPECT_DOUBLE_EQ(simClock().timeCompression, 3.0);

    simSetNetworkGame(&network);
    host.onCommand(31, 0);
    EXPECT_DOUBLE_EQ(simClock().timeCompression, 1.0) << "real time with peers";
}

TEST_F(HostScreenTest, TheHelmReportsTheCourseSteadyOncePerArrivalAndNotAtTheStart) {
    registerAll();
    openHost();
    MotionModel& m = *own().motion;
    m.orderedCourse = m.heading;
    step(2);
    EXPECT_TRUE(audio.spoken.empty()) << "no report at mission start";
    m.orderedCourse = 90.0;
    m.heading = 80.0;
    step(1);
    m.heading = 90.0;
    step(3);
    const std::vector<std::string> steady = {"other channel: Hlm13.wav", "other channel: HlmCrs0.wav",
                                             "other channel: HlmCrs9.wav", "other channel: HlmCrs0.wav",
                                             "other channel: Hlm13b.wav"};
    EXPECT_EQ(audio.spoken, steady);
    EXPECT_NE(logLine(0).find("090"), std::string::npos) << logLine(0);
}

TEST_F(HostScreenTest, TheEngineVoiceFollowsTheCommandedSpeedUnlessSwitchedOff) {
    registerAll();
    GenInfo& host = openHost();
    ASSERT_NE(host.engineVoice(), 0u);
    EXPECT_EQ(audio.played.front(), "engine.wav");
    MotionModel& m = *own().motion;
    m.driveSpeed = 50.0;
    step(1);
    ASSERT_FALSE(audio.pitches.empty());
    EXPECT_DOUBLE_EQ(audio.pitches.back(), 1.5);
    EXPECT_EQ(audio.volumes.back(), 127);
    EXPECT_EQ(audio.started.back(), host.engineVoice());
    const std::size_t starts = audio.started.size();
    host.setEngineSound(false);
    EXPECT_EQ(audio.stopped.back(), host.engineVoice()) << "off stops at once";
    step(2);
    EXPECT_EQ(audio.started.size(), starts) << "and it stays off";
    host.setEngineSound(true);
    m.driveSpeed = 0.5;
    step(1);
    EXPECT_EQ(audio.started.size(), starts) << "silent below one knot";
}

TEST_F(HostScreenTest, TheLossOfTheBoatShowsTheViewerAndLocksTheFightingStationsOnce) {
    registerAll();
    options.options[23] = 1;
    GenInfo& host = openHost();
    host.onOwnShipDestroyed();
    EXPECT_EQ(host.currentChild(), kStationEntityViewer);
    EXPECT_EQ(g_optionsCommits, 0) << "the host shows: no options to commit";
    EXPECT_EQ(g_safeLocks, 1);
    // A locked station refuses its button, its key, the calls that select it and the control room.
    const auto consoles = controlRoomHostOf(host.window());
    for (int slot : {0, 1, 2, 4, 5, 6, 7, 10, 12}) {
        clickButton(slot);
        host.onKey('a' + slot, 3);
        host.selectStation(slot);
        host.onCommand(static_cast<WParam>(slot), 1);
        EXPECT_FALSE(consoles->stationOpen(slot));
        consoles->selectStation(slot);
        EXPECT_EQ(host.currentChild(), kStationEntityViewer) << "station " << slot << " is locked";
        EXPECT_EQ(host.stationButton(kStationEntityViewer).getState(), 1) << "the viewer's button stays down";
    }
    EXPECT_TRUE(consoles->stationOpen(kStationEntityViewer));
    for (int slot : {3, 8, 9, 11}) {
        clickButton(slot);
        EXPECT_EQ(host.currentChild(), slot) << "station " << slot << " stays";
    }
    host.onOwnShipDestroyed();
    EXPECT_EQ(host.currentChild(), kStationStateroom) << "the second loss does not switch again";
    EXPECT_EQ(g_safeLocks, 2);
}

TEST_F(HostScreenTest, APeerLeavingIsLoggedInItsColourAndAPeerPauseLocksTheButton) {
    registerAll();
    simSetNetworkGame(&network);
    GenInfo& host = openHost();
    host.onCommand(1106, 0);
    EXPECT_EQ(logLine(0), "L'h\xF4te a quitt\xE9 le jeu.");
    host.onCommand(1106, 3);
    EXPECT_EQ(logLine(0), "Le joueur num\xE9ro 3 a quitt\xE9 le jeu.");

    genInfoLockPause(1);
    EXPECT_EQ(host.pauseButton().getState(), 1);
    const SimpleButton& pause = host.pauseButton();
    display.click({pause.getX() + 50, pause.getY() + 15});
    pump();
    EXPECT_EQ(host.pauseButton().getState(), 1) << "locked";
    genInfoLockPause(0);
    EXPECT_EQ(host.pauseButton().getState(), 2);

    // The player's own pause outlasts a peer's: released, the button still shows it.
    display.click({pause.getX() + 50, pause.getY() + 15});
    pump();
    ASSERT_EQ(host.pauseButton().getState(), 1);
    const auto* pausedLook = host.pauseButton().currentFrame();
    genInfoLockPause(1);
    genInfoLockPause(0);
    EXPECT_EQ(host.pauseButton().getState(), 1) << "the own pause still holds";
    EXPECT_EQ(host.pauseButton().currentFrame(), pausedLook) << "and the button shows it";
    display.click({pause.getX() + 50, pause.getY() + 15});
    pump();
    EXPECT_EQ(host.pauseButton().getState(), 2);
    EXPECT_EQ(simClock().pauseCount, 0) << "the own pause ended";
}

TEST_F(HostScreenTest, TheHostWithShipControlAtTheMissionsStart) {
    shipControlRegister();
    GenInfo& host = openHost();
    step(1);
    pump();
    EXPECT_TRUE(matchesGoldenIn("tests/stations/geninfo/golden",
                                *screenArea(windowClientToScreen(host.window(), {0, 0}), 640, 480),
                                "host-shipctrl"));
}

TEST_F(HostScreenTest, OrdersClickedOnTheReadOutsBringTheBoatToCourseSpeedAndDepthAtCompressionEight) {
    shipControlRegister();
    GenInfo& host = openHost();
    ASSERT_NE(dynamic_cast<ShipControl*>(host.child(kStationShipControl)), nullptr);
    MotionModel& m = *own().motion;
    audio.spoken.clear();

    typeOrder(23, 90, 3);
    typeOrder(22, 12);
    typeOrder(24, 150);
    run(2500, 100); // the readouts commit two seconds after the last click
    EXPECT_DOUBLE_EQ(m.orderedCourse, 90.0);
    EXPECT_DOUBLE_EQ(m.orderedSpeed, 12.0);
    EXPECT_NEAR(m.orderedDepth, verticalOfDepthFeet(150), 1e-9);
    for (int i = 0; i < 7; ++i)
        clickHost({620, 451});
    EXPECT_EQ(host.compressionLevel(), 8);
    EXPECT_DOUBLE_EQ(simClock().timeCompression, 8.0);

    // Within twenty game minutes the boat holds all three.
    const double start = simClock().gameClock;
    bool holding = false;
    while (!holding && simClock().gameClock - start < 1200.0) {
        run(1000, 100);
        holding = std::fabs(angleDiff(m.heading, 90.0)) < 0.5 && std::fabs(m.speed - 12.0) < 0.3 &&
                  std::fabs(depthFeetOf(m.z) - 150) <= 3;
    }
    EXPECT_TRUE(holding) << "heading " << m.heading << ", speed " << m.speed << ", depth " << depthFeetOf(m.z);
    run(5000, 100);
    EXPECT_EQ(timesSaid("Hlm11a.wav") + timesSaid("Hlm12a.wav"), 1) << "the course order answered once";
    EXPECT_EQ(timesSaid("Hlm13.wav"), 1) << "steady reported once";
    EXPECT_EQ(timesSaid("OOD12kts.wav"), 1);
    EXPECT_EQ(timesSaid("DO1a.wav"), 1);
    bool steadyLine = false;
    for (int i = 0; i < host.messageLog().lineCount(); ++i)
        steadyLine = steadyLine || std::string(host.messageLog().getLine(i)).find("090, stable") != std::string::npos;
    EXPECT_TRUE(steadyLine);
    test::saveScreenPicture("host-shipctrl");
}

} // namespace
} // namespace q71::test
