#pragma once
// The worlds of the world benchmarks, built the same way wherever they run: by the benchmarks,
// for an hour of game time, and by the state-hash check, for a short run of each size. The
// sea of islands (100 km square, 101 x 101 samples 1 km apart) carries harness platforms or
// computer-run ships and submarines; the receiver square (40 km, no terrain) carries harness
// platforms around the own boat's receiver suite, or the platforms alone.

#include "sim/support/terrain_grid.h"
#include "sim/support/world_harness.h"

#include <memory>

namespace q71::test {

/// The platforms of a sea-of-islands world.
enum class IslandPlatforms { harness, computerRun };

/// A world of `count` platforms over the 100 km sea of islands, sides mixed, each on its box
/// patrol with its sensors on, its seed pinned.
class SeaOfIslandsWorld {
public:
    SeaOfIslandsWorld(int count, IslandPlatforms platforms);
    WorldHarness& harness() { return harness_; }

private:
    TerrainGrid grid_;
    RecordTable records_;
    WorldHarness harness_;
};

/// A world of `count` harness platforms over a 40 km square, and with `suite` the own boat in
/// its middle at 120 m, its towed array streamed 500 m and its active sonar pinging every 60 s.
class ReceiverSquareWorld {
public:
    ReceiverSquareWorld(int count, bool suite);
    WorldHarness& harness() { return harness_; }

private:
    RecordTable records_;
    WorldHarness harness_;
};

} // namespace q71::test
