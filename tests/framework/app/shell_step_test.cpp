// The simulation step of the idle hook against a world that records what it is asked to do.
#include "framework/app/shell.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::CallLog;

class StepRule : public ::testing::Test {
protected:
    StepRule() {
        appInstallServices({nullptr, nullptr, &simulation, &world, nullptr, nullptr});
        simulation.isRunning = true;
    }
    ~StepRule() override { appInstallServices({}); }

    /// One idle pass with the game clock at t.
    void stepAt(double t) {
        simulation.clock = t;
        appStepSimulation();
    }

    CallLog calls;
    test::RecordingSimulation simulation{calls};
    test::RecordingWorld world{calls};
};

TEST_F(StepRule, NothingHappensUnlessAMissionRunsUnpaused) {
    simulation.isRunning = false;
    stepAt(5.0);
    simulation.isRunning = true;
    simulation.pauses = 1;
    stepAt(5.0);
    EXPECT_TRUE(calls.empty()) << "not even the clock ticks";
    EXPECT_TRUE(world.advances.empty());
    EXPECT_TRUE(world.secondPasses.empty());
}

TEST_F(StepRule, EachPassTicksTheClockAndTakesSnapshotsFirst) {
    stepAt(0.05);
    EXPECT_EQ(calls, (CallLog{"sim.tickClock", "world.updateLayerDepth", "world.snapshot"}));
}

TEST_F(StepRule, LessThanATenthOfASecondAdvancesNothing) {
    stepAt(0.09);
    EXPECT_TRUE(world.advances.empty());
    stepAt(0.1);
    ASSERT_EQ(world.advances.size(), 1u);
    EXPECT_DOUBLE_EQ(world.advances[0], 0.1);
    EXPECT_DOUBLE_EQ(simulation.lastStep, 0.1);
}

TEST_F(StepRule, ALongGapIsWorkedOffTenSecondsAPass) {
    for (int pass = 0; pass < 5; ++pass)
        stepAt(35.0);
    EXPECT_EQ(world.advances, (std::vector<double>{10.0, 10.0, 10.0, 5.0}));
    EXPECT_DOUBLE_EQ(simulation.lastStep, 35.0);
}

TEST_F(StepRule, ThePerSecondPassNeedsMoreThanOneSecond) {
    stepAt(1.0);
    EXPECT_TRUE(world.secondPasses.empty()) << "exactly one second is not enough";
    stepAt(1.25);
    ASSERT_EQ(world.secondPasses.size(), 1u);
    EXPECT_DOUBLE_EQ(world.secondPasses[0], 1.25);
    EXPECT_DOUBLE_EQ(simulation.lastSecondPass, 1.25);
    stepAt(2.0);
    EXPECT_EQ(world.secondPasses.size(), 1u);
    stepAt(2.5);
    ASSERT_EQ(world.secondPasses.size(), 2u);
    EXPECT_DOUBLE_EQ(world.secondPasses[1], 1.25);
}

TEST_F(StepRule, AClockSetBackStartsBothStepTimesAgain) {
    simulation.lastStep = 50.0;
    simulation.lastSecondPass = 50.0;
    stepAt(3.0);
    ASSERT_EQ(world.advances.size(), 1u);
    EXPECT_DOUBLE_EQ(world.advances[0], 3.0) << "the world catches up from 0";
    EXPECT_DOUBLE_EQ(simulation.lastStep, 3.0);
    ASSERT_EQ(world.secondPasses.size(), 1u);
    EXPECT_DOUBLE_EQ(world.secondPasses[0], 3.0);
}

TEST(IdleHook, TheRunningHookPollsStepsUpdatesAndAnimatesInThatOrder) {
    CallLog calls;
    test::RecordingSimulation simulation{calls};
    test::RecordingNetwork network{calls};
    test::RecordingTactical tactical{calls};
    test::RecordingWorld world{calls};
    appInstallServices({nullptr, &tactical, &simulation, &world, nullptr, &network});
    simulation.isRunning = true;
    EXPECT_EQ(appIdleRun(), 1);
    EXPECT_EQ(calls, (CallLog{"network.poll", "sim.tickClock", "world.updateLayerDepth", "world.snapshot",
                              "tactical.effectsAnimate"}));
    calls.clear();
    EXPECT_EQ(appIdleNone(), 1);
    EXPECT_TRUE(calls.empty());
    appInstallServices({});
}

} // namespace
} // namespace q71
