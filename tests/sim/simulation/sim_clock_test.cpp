#include "platform/display/headless_backend.h"
#include "platform/window/clock.h"
#include "platform/window/window_system.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/support/fake_time.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class SimClockTest : public ::testing::Test {
protected:
    SimClockTest() {
        missionState() = MissionState{};
        simResetClock();
    }
    void tickAfter(std::uint32_t ms) {
        time.ticks += ms;
        simClockTick();
    }
    test::FakeTimeSource time;
};

TEST_F(SimClockTest, TickAddsRealTimeTimesCompression) {
    simSetTimeCompression(8.0);
    tickAfter(50);
    EXPECT_DOUBLE_EQ(simClock().gameClock, 0.4);
    EXPECT_DOUBLE_EQ(simClock().timeOfDay, 0.4);
    EXPECT_DOUBLE_EQ(simClock().clockCopy, 0.4);
    EXPECT_DOUBLE_EQ(simClock().lastFrameStep, 0.4);
    EXPECT_EQ(simClock().lastTickLength, 50u);
}

TEST_F(SimClockTest, TickCountWrapIsHarmless) {
    time.ticks = 0xFFFFFFF0u;
    simSetGameTime(0.0);
    tickAfter(0x20);
    EXPECT_DOUBLE_EQ(simClock().gameClock, 0.032);
}

TEST_F(SimClockTest, PausedTimeIsNotCounted) {
    tickAfter(100);
    simPause(true);
    EXPECT_DOUBLE_EQ(simClock().lastFrameStep, 0.0);
    time.ticks += 5000; // the world is frozen: no tick runs while paused
    simPause(false);
    tickAfter(20);
    EXPECT_DOUBLE_EQ(simClock().gameClock, 0.12);
}

TEST_F(SimClockTest, PausesNest) {
    simPause(true);
    simPause(true);
    simPause(false);
    EXPECT_EQ(simClock().pauseCount, 1);
    simPause(false);
    EXPECT_EQ(simClock().pauseCount, 0);
    simPause(false); // a resume too many keeps the count at 0
    EXPECT_EQ(simClock().pauseCount, 0);
    simPause(true);
    EXPECT_EQ(simClock().pauseCount, 1);
}

TEST_F(SimClockTest, ANetworkPlayersPauseHoldsOnceUntilHeResumes) {
    simPause(true); // the player's own pause, beside the others'
    EXPECT_TRUE(simPeerPause(2, true));
    EXPECT_FALSE(simPeerPause(2, true)); // said twice, held once
    EXPECT_TRUE(simPeerPause(3, true));
    EXPECT_EQ(simClock().pauseCount, 3);
    EXPECT_TRUE(simPeerPaused());
    EXPECT_FALSE(simPeerPause(4, false)); // a resume without a pause ends nobody's
    EXPECT_TRUE(simPeerPause(2, false));
    EXPECT_FALSE(simPeerPause(2, false));
    EXPECT_EQ(simClock().pauseCount, 2);
    EXPECT_TRUE(simPeerPause(3, false));
    EXPECT_FALSE(simPeerPaused());
    EXPECT_EQ(simClock().pauseCount, 1);
    // A new mission starts with no pause of anyone's.
    EXPECT_TRUE(simPeerPause(2, true));
    simClearPauses();
    EXPECT_EQ(simClock().pauseCount, 0);
    EXPECT_FALSE(simPeerPaused());
    EXPECT_FALSE(simPeerPause(2, false));
}

TEST_F(SimClockTest, SetGameTimeMovesEverythingTogether) {
    simSetTimeOfDay(kDayPhaseDawn);
    tickAfter(1000);
    simSetGameTime(100.0);
    const SimClock& clock = simClock();
    EXPECT_DOUBLE_EQ(clock.gameClock, 100.0);
    EXPECT_DOUBLE_EQ(clock.clockCopy, 100.0);
    EXPECT_DOUBLE_EQ(clock.lastStepTime, 100.0);
    EXPECT_DOUBLE_EQ(clock.lastSecondPassTime, 100.0);
    EXPECT_DOUBLE_EQ(clock.timeOfDay, 21700.0);
    EXPECT_EQ(clock.lastTickLength, 0u);
    tickAfter(10); // the reference was taken at the set: only the 10 ms count
    EXPECT_DOUBLE_EQ(clock.gameClock, 100.01);
}

TEST_F(SimClockTest, ResetKeepsTheRunningFlag) {
    simClock().running = true;
    simSetTimeCompression(4.0);
    simPause(true);
    simResetClock();
    EXPECT_TRUE(simClock().running);
    EXPECT_DOUBLE_EQ(simGetTimeCompression(), 1.0);
    EXPECT_EQ(simClock().pauseCount, 0);
    EXPECT_EQ(simClock().dayPhase, kDayPhaseNight);
    EXPECT_EQ(simClock().seaState, 2u);
}

TEST(DayPhase, FollowsTheHour) {
    EXPECT_EQ(simDayPhaseAt(4 * 3600 + 3599, 40.0), kDayPhaseNight);
    EXPECT_EQ(simDayPhaseAt(5 * 3600, 40.0), kDayPhaseDawn);
    EXPECT_EQ(simDayPhaseAt(6 * 3600 + 3599, 40.0), kDayPhaseDawn);
    EXPECT_EQ(simDayPhaseAt(7 * 3600, 40.0), kDayPhaseDay);
    EXPECT_EQ(simDayPhaseAt(16 * 3600 + 3599, 40.0), kDayPhaseDay);
    EXPECT_EQ(simDayPhaseAt(68399, 40.0), kDayPhaseDusk);
    EXPECT_EQ(simDayPhaseAt(68400, 40.0), kDayPhaseNight);
    EXPECT_EQ(simDayPhaseAt(86400 + 25200, 40.0), kDayPhaseDay); // 07:00 the next day
}

TEST(DayPhase, PolarMissionsStayInDusk) {
    for (double hour : {0.0, 6.0, 12.0, 20.0}) {
        EXPECT_EQ(simDayPhaseAt(hour * 3600, 75.0), kDayPhaseDusk);
        EXPECT_EQ(simDayPhaseAt(hour * 3600, -80.0), kDayPhaseDusk);
    }
    EXPECT_EQ(simDayPhaseAt(12 * 3600, 72.0), kDayPhaseDay); // the limit itself is not polar
}

TEST_F(SimClockTest, TimeOfDayCodesStartAtTheMiddleOfTheirPhase) {
    const struct {
        std::uint32_t code;
        double start;
        std::uint32_t phase;
    } cases[] = {{1, 43200, kDayPhaseDay}, {3, 64800, kDayPhaseDusk}, {4, 21600, kDayPhaseDawn},
                 {2, 0, kDayPhaseNight},   {0, 0, kDayPhaseNight},    {99, 0, kDayPhaseNight}};
    for (const auto& c : cases) {
        simSetTimeOfDay(c.code);
        tickAfter(10);
        EXPECT_DOUBLE_EQ(simClock().timeOfDayBase, c.start) << c.code;
        EXPECT_EQ(simClock().dayPhase, c.phase) << c.code;
    }
}

TEST_F(SimClockTest, SkyVariantIsDrawnFromTheSequence) {
    randomSeed(7);
    const int expected = randomNext() % 3;
    randomSeed(7);
    simSetTimeOfDay(1);
    EXPECT_EQ(simClock().skyVariant, static_cast<std::uint32_t>(expected));
}

TEST_F(SimClockTest, StartRunningStartsANewMissionAtZero) {
    tickAfter(5000);
    simStartRunning();
    EXPECT_TRUE(simClock().running);
    EXPECT_DOUBLE_EQ(simClock().gameClock, 0.0);
    simStopRunning();
    EXPECT_FALSE(simClock().running);
}

TEST_F(SimClockTest, StartRunningKeepsTheClockOfALoadedMission) {
    simSetGameTime(1234.5);
    missionState().loadedFromSave = true;
    simStartRunning();
    EXPECT_DOUBLE_EQ(simClock().gameClock, 1234.5);
}

TEST_F(SimClockTest, FirstSingleMissionRestartsItsSequence) {
    missionState().missionMode = kMissionModeSingle;
    missionState().missionIndex = 0;
    randomSeed(1000);
    const int first = randomNext();
    randomSeed(5);
    simStartRunning();
    EXPECT_EQ(randomNext(), first);

    missionState().missionIndex = 1;
    randomSeed(5);
    const int unseeded = randomNext();
    randomSeed(5);
    simStartRunning();
    EXPECT_EQ(randomNext(), unseeded);
}

TEST(SimClockSource, FollowsTheWindowSystemsClockWhileItRuns) {
    HeadlessBackend backend;
    FakeClock windowClock(5000);
    windowSystemStart(backend, windowClock);
    simSetTimeCompression(2.0);
    simSetGameTime(0.0);
    windowClock.advance(250);
    simClockTick();
    EXPECT_DOUBLE_EQ(simClock().gameClock, 0.5);
    windowSystemStop();
    simSetTimeCompression(1.0);
}

} // namespace
} // namespace q71
