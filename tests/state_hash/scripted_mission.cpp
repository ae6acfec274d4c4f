// One mission, one result: the data set's "Sa6" (a minefield with its mines, a rock and a
// submarine), its seed fixed by the harness's clock, with the own boat under scripted orders for
// ten game minutes, stepped as the main loop steps it at passes of a tenth of a second. The world's state hash at the end must be the one kept here, in the
// optimised, sanitizer and fuzz builds alike (scripts/test runs it in each): a difference means
// the builds no longer compute the same world. A change that moves the hash says why in its
// commit, and the kept value follows.
//
// Usage: q71_state_hash <data set folder>. Prints the hash; exit status 0 when it is the kept one.
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_mission.h"
#include "sim/support/world_harness.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "support/temp_dir.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using namespace q71;

constexpr const char* kMission = "Sa6.scn";
constexpr std::uint64_t kKeptHash = 0x4cdd2e1bc207e40bULL;
constexpr double kMissionSeconds = 600.0;
constexpr double kPassSeconds = 0.1;

// An order of the script: the game second it is given at and what it does to the own boat.
struct ScriptedOrder {
    double at;
    std::function<void(OwnShipMotion&)> give;
};

// Under way, then deeper, the towed array out, turns, a sprint and back up towards periscope
// depth with the periscope raised: the telegraph, the helm, the depth orders, the array and a
// mast all take part, among the minefield's mines, its rock and the hostile submarine.
std::vector<ScriptedOrder> script() {
    return {
        {0.0, [](OwnShipMotion& m) { m.setEngineOrder(3); m.setOrderedCourse(45.0); }},
        {60.0, [](OwnShipMotion& m) { m.setOrderedDepth(-60.0); }},
        {120.0, [](OwnShipMotion& m) { m.arrayOrder1 = 1.0; }},
        {200.0, [](OwnShipMotion& m) { m.setOrderedCourse(300.0); }},
        {300.0, [](OwnShipMotion& m) { m.setEngineOrder(5); }},
        {420.0, [](OwnShipMotion& m) { m.setEngineOrder(2); m.setOrderedDepth(-18.0); }},
        {480.0, [](OwnShipMotion& m) { m.orderMast(kMastPeriscope, true); m.setOrderedCourse(180.0); }},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data set folder>\n", argv[0]);
        return 2;
    }
    const test::TempDir player;
    if (!test::openDataSetForMissions(argv[1], player.path())) {
        std::fprintf(stderr, "state hash: cannot open the data set in %s\n", argv[1]);
        return 2;
    }
    test::WorldHarness harness(1);
    if (!test::startDataSetScenario(kMission).ok()) {
        std::fprintf(stderr, "state hash: %s does not start\n", kMission);
        return 2;
    }
    simStartRunning();
    auto* own = dynamic_cast<OwnShipEntity*>(worldOwnShip());
    if (!own || !own->ownMotion) {
        std::fprintf(stderr, "state hash: the mission has no own boat\n");
        return 2;
    }
    double now = 0.0;
    for (const ScriptedOrder& order : script()) {
        harness.run(order.at - now, kPassSeconds);
        now = order.at;
        order.give(*own->ownMotion);
    }
    harness.run(kMissionSeconds - now, kPassSeconds);
    const std::uint64_t hash = harness.stateHash();
    const double clock = simClock().gameClock;
    const int entities = worldList().count();
    const WorldPoint ownAt = worldPoint(*own);
    simEndMission();
    worldShutdown();
    objdbFree();
    std::printf("state hash %016" PRIx64 " (kept %016" PRIx64 ") after %.1f s, %d entities, own boat at %.1f %.1f %.1f\n",
                hash, kKeptHash, clock, entities, ownAt.x, ownAt.y, ownAt.z);
    return hash == kKeptHash ? 0 : 1;
}
