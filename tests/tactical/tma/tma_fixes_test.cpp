// Which fixes the TMA plot shows: the most recent type or the operator's, inside the history
// window and after its start, at most 240 of them in the residual strip.
#include "tactical/tma/tma_fixes.h"

#include "sim/entities/sensors/sensor.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

class TmaShownFixes : public ::testing::Test {
protected:
    void fix(int type, double time) {
        ContactFix f;
        f.time = time;
        f.sensorType = type;
        f.bearing = time;
        contact.fixes[static_cast<std::size_t>(type)].push(f, 1000);
    }
    std::vector<int> shown() { return tmaShownTypes(contact, sources, sonar); }
    // The times of the fixes walked, in the order walked.
    std::vector<double> collect(double now, int window) {
        std::vector<double> times;
        tmaCollectFixes(state, contact, shown(), now, window,
                        [&](int, const ContactFix& f) { times.push_back(f.time); });
        return times;
    }

    ContactRecord contact;
    TmaSources sources;
    TmaState state;
    bool sonar = false;
};

TEST_F(TmaShownFixes, MostRecentTakesTheNewestTypeAndTheFirstInItsOrderOnATie) {
    EXPECT_TRUE(shown().empty());
    fix(kSensorRadar, 50);
    fix(kSensorEsm, 60);
    EXPECT_EQ(shown(), std::vector<int>{kSensorEsm});
    EXPECT_TRUE(sources.shown[kSensorEsm]);
    fix(kSensorActive, 60); // a tie: the active sonar comes before ESM in the order
    EXPECT_EQ(shown(), std::vector<int>{kSensorActive});
    fix(kSensorVisual9, 60);
    EXPECT_EQ(shown(), std::vector<int>{kSensorVisual9});
    EXPECT_FALSE(sonar);
}

TEST_F(TmaShownFixes, PassiveSonarComesAsTheFourTypesTogether) {
    fix(kSensorRadar, 50);
    fix(kSensorMirror, 70);
    EXPECT_EQ(shown(), (std::vector<int>{kSensorPassive, kSensorArray0, kSensorMirror, kSensorArray1}));
    EXPECT_TRUE(sonar);
    EXPECT_TRUE(sources.shown[kSensorMirror]);
}

TEST_F(TmaShownFixes, TheOperatorsChoiceStandsWhateverIsNewest) {
    fix(kSensorRadar, 50);
    fix(kSensorEsm, 90);
    sources.explicitSelection = true;
    EXPECT_TRUE(shown().empty());
    sources.shown[kSensorRadar] = sources.shown[kSensorVisual] = true;
    EXPECT_EQ(shown(), (std::vector<int>{kSensorRadar, kSensorVisual}));
    sources.clear();
    EXPECT_EQ(shown(), std::vector<int>{kSensorEsm});
}

TEST_F(TmaShownFixes, KeepToTheWindowAndTheHistoryStart) {
    for (double t : {100.0, 300.0, 399.0, 400.0, 650.0, 1000.0})
        fix(kSensorRadar, t);
    state.historyStart = 0.0;
    // Window 5: 600 s back from 1000: 400 is the oldest shown.
    EXPECT_EQ(collect(1000.0, 5), (std::vector<double>{1000, 650, 400}));
    EXPECT_EQ(state.earliest, 400.0);
    EXPECT_EQ(state.latest, 1000.0);
    EXPECT_EQ(state.residualCount, 3);
    EXPECT_EQ(state.residuals[1].bearing, 650.0);
    // Cleared at 650: only what came after.
    state.historyStart = 650.0;
    EXPECT_EQ(collect(1000.0, 5), (std::vector<double>{1000}));
    state.historyStart = 1000.0;
    EXPECT_TRUE(collect(1000.0, 120).empty());
    EXPECT_EQ(state.earliest, -1.0);
    EXPECT_EQ(state.residualCount, 0);
}

TEST_F(TmaShownFixes, KeepAtMost240ForTheStripButWalkThemAll) {
    for (int t = 1; t <= 300; ++t)
        fix(kSensorRadar, t);
    EXPECT_EQ(collect(300.0, 30).size(), 300u);
    EXPECT_EQ(state.residualCount, 240);
    EXPECT_EQ(state.residuals[0].time, 300.0); // newest first
    EXPECT_EQ(state.residuals[239].time, 61.0);
    EXPECT_EQ(state.earliest, 1.0);
}

} // namespace
} // namespace q71
