// The world's steady step allocates nothing: once its contacts, orders and the collision index
// have taken their room, passes of a world at sea take no block from the heap. The program's operator new
// is replaced here by one that counts while a test asks it to (a test program of its own).
#include "sim/support/benchmark_worlds.h"
#include "support/replaced_new_delete.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

} // namespace

void* replacedAllocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void replacedFree(void* p) noexcept {
    std::free(p);
}

namespace q71::test {
namespace {

// Allocations over `seconds` of game time in passes of `pass` seconds.
long allocationsOver(WorldHarness& harness, double seconds, double pass) {
    allocations = 0;
    counting = true;
    harness.run(seconds, pass);
    counting = false;
    return allocations.load();
}

TEST(SteadyStep, AWorldAtSeaAllocatesNothingOnceUnderWay) {
    struct Case {
        const char* name;
        IslandPlatforms platforms;
        double pass; // seconds
    };
    // Harness platforms on their patrols: the step's own work, sub-steps, scans and contacts'
    // clocks. (Computer-run ships allocate on events: an order queued beyond the few a
    // controller keeps, a contact its owner never held before.)
    const Case cases[] = {{"0.1 s passes", IslandPlatforms::harness, 0.1},
                          {"0.4 s passes", IslandPlatforms::harness, 0.4},
                          {"2 s passes", IslandPlatforms::harness, 2.0}};
    for (const Case& c : cases) {
        SeaOfIslandsWorld world(12, c.platforms);
        // The first minutes: contacts are made, orders queued, the index and lists take room.
        const long warming = allocationsOver(world.harness(), 300.0, c.pass);
        EXPECT_GT(warming, 0) << c.name; // the count counts
        EXPECT_EQ(allocationsOver(world.harness(), 120.0, c.pass), 0) << c.name;
    }
}

} // namespace
} // namespace q71::test
