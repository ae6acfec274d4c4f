#include "sim/scoring/replay_log.h"
#include "sim/support/scoped_folders.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

struct RunResult {
    std::uint64_t hash;
    int contacts;
    double travelled;
};

// Thirty platforms over 30 km, ten minutes at one-second passes.
RunResult runWorld(std::uint32_t seed, double passSeconds) {
    RecordTable records(harnessRecords());
    RecordingServices services;
    WorldHarness harness(seed);
    harnessPopulate(harness, 30, 30000.0, seed);
    std::vector<WorldPoint> start;
    for (auto* node = worldList().head(); node; node = node->next)
        start.push_back(worldPoint(*node->item));
    harness.run(600.0, passSeconds);
    RunResult result{harness.stateHash(), 0, 0.0};
    std::size_t i = 0;
    for (auto* node = worldList().head(); node; node = node->next, ++i) {
        result.contacts += node->item->contacts.count();
        if (i < start.size())
            result.travelled += entityRangeYards(start[i], *node->item);
    }
    return result;
}

TEST(WorldDeterminism, OneSeedGivesOneWorld) {
    PlayerFolder folder;
    const RunResult first = runWorld(7, 1.0);
    const RunResult second = runWorld(7, 1.0);
    EXPECT_EQ(first.hash, second.hash);
    EXPECT_GT(first.contacts, 0);        // the platforms see each other
    EXPECT_GT(first.travelled, 10000.0); // and move about
    EXPECT_NE(runWorld(8, 1.0).hash, first.hash);
    EXPECT_NE(runWorld(7, 0.1).hash, first.hash); // passes of another length step the world otherwise
}

} // namespace
} // namespace q71::test
