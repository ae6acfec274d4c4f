// A scripted patrol of the own boat among other platforms, run twice: the same orders give the
// same boat, the same contacts and the same reports.
#include "own_boat_world.h"

#include "sim/entities/sensors/passive_arrays.h"
#include "sim/simulation/world_lists.h"

namespace q71::test {
namespace {

class OwnShipRun : public OwnBoatWorld {
protected:
    /// Dives from periscope depth, streams an array and the wire, turns and surfaces, among a
    /// frigate and a submarine; returns the world's hash and what the crew said.
    std::pair<std::uint64_t, std::size_t> patrol() {
        setOption(kOptionAssistStation0, 1);
        setOption(kOptionAssistStation0 + kTmaAssistStation, 1);
        placeBoat(-15.0);
        boat->orderMast(kMastPeriscope, true);
        platform("Frigate", 2, {16000.0, 14000.0, 0.0}, 270.0, 12.0);
        platform("Hunter", 2, {5000.0, 12000.0, -80.0}, 90.0, 6.0);
        boat->setEngineOrder(2);
        run(30.0);
        boat->orderMast(kMastPeriscope, false);
        boat->setOrderedDepth(-120.0);
        boat->towedArrayOrder(TowedArray::P) = 1.0;
        boat->wireOrder = 1;
        run(300.0);
        boat->setOrderedCourse(135.0);
        own->array1->trackEvent(-1, worldList().tail()->item->id, 270.0, 0.0, -1, kSensorArray1);
        run(600.0);
        boat->setOrderedDepth(0.0);
        run(600.0);
        return {harness->stateHash() ^ static_cast<std::uint64_t>(boat->z * 1000.0), crew.reports.size()};
    }
};

TEST_F(OwnShipRun, AScriptedPatrolIsTheSameEveryTime) {
    const auto [hash, reports] = patrol();
    EXPECT_GT(reports, 5u);
    EXPECT_GT(boat->arrayLength1, 0.0);
    EXPECT_GT(boat->z, -1.0); // surfaced at the end
    restart();                // a second boat in a second world, from the same seed
    const auto [again, reportsAgain] = patrol();
    EXPECT_EQ(again, hash);
    EXPECT_EQ(reportsAgain, reports);
}

} // namespace
} // namespace q71::test
