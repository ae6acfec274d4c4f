// The network duel as a new player meets it on the sonar, without crew assistance: the data set's
// duel started as the network game starts it for the player of side 2, the other player's boat
// made as the network game makes it and kept reporting as its peer would. Twenty kilometres apart
// and quiet, the boats do not hear each other: the bow array's curve reaches no level above the
// row's background there. Closed to five kilometres, the other boat traces the broadband
// waterfall, and the designate there gives the player a contact.
#include "tactical/support/station_mission.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/player_entities.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

constexpr std::int32_t kOtherSide = 1;
constexpr std::int32_t kThisSide = 2;
constexpr std::int32_t kOtherBoatId = 3; // clear of the own boat's and the scenario's ids

class SonarDuel : public StationMission {
protected:
    // The duel for the player of side 2, as the network game starts it; the other player's boat.
    Entity& startDuel() {
        missionState().missionMode = 0;
        simSetupOwnShip(kThisSide);
        entitySetIdCounter(kOtherBoatId); // the players' boats hold the first ids
        const ScenarioStatus status = simStartMission("Duel.scm", 0);
        EXPECT_TRUE(status.ok());
        simStartRunning();
        // Where the duel's other start lies: 20 km along the own boat's course, as deep, at six
        // knots towards it.
        const MotionModel& motion = *own().motion;
        double x = 0.0, y = 0.0;
        geoProject(motion.x, motion.y, motion.heading, 20000.0 * 1.0936, x, y);
        const std::int32_t id = simCreateEntityByName("Whale", kOtherSide, 4, x, y, motion.z, 6.0,
                                                      std::fmod(motion.heading + 180.0, 360.0), kOtherBoatId);
        Entity* other = worldFindEntity(id);
        EXPECT_NE(other, nullptr);
        EXPECT_NE(other, &own());
        return *other;
    }
    SonarSuiteScreen& openSuite() {
        sonarRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationSonar);
        stationRegisterMaker(kStationSonar, nullptr);
        showStation(kStationSonar);
        return *static_cast<SonarSuiteScreen*>(station);
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }

    // Runs a minute, the other boat held where it is and reporting as its peer does; the share of
    // the bow array's new rows whose level at its bearing stands above the row's background, and
    // the same share over the whole circle.
    std::pair<double, double> traced(Entity& other, double x, double y) {
        int rows = 0, above = 0, cells = 0, cellsAbove = 0;
        for (int pass = 0; pass < 120; ++pass) {
            other.motion->x = x;
            other.motion->y = y;
            other.lastRemoteUpdate = simClock().gameClock;
            run(500, 100);
            const ReceiverSensor& array = *own().array2;
            const BroadbandRow& row = array.broadband()->head();
            const int bin = bearingBin(geoBearing(x - array.x, y - array.y));
            ++rows;
            above += (row.level[static_cast<std::size_t>(bin)] & 0xFF) > row.selfNoise ? 1 : 0;
            for (std::size_t b = 0; b < row.level.size(); ++b) {
                ++cells;
                cellsAbove += (row.level[b] & 0xFF) > row.selfNoise ? 1 : 0;
            }
        }
        return {static_cast<double>(above) / rows, static_cast<double>(cellsAbove) / cells};
    }
};

TEST_F(SonarDuel, TheOtherBoatIsHeardOnceNearAndTheDesignateMakesItAContact) {
    Entity& other = startDuel();
    SonarSuiteScreen& suite = openSuite();
    auto& broadband = *dynamic_cast<BroadbandPage*>(suite.page(3));
    ASSERT_TRUE(broadband.isVisible());
    const double startX = other.motion->x, startY = other.motion->y;
    EXPECT_NEAR(geoRange(startX - own().motion->x, startY - own().motion->y), 20000.0, 500.0)
        << "the duel's two starts";

    // Twenty kilometres apart at six knots: nothing stands out of the background at its bearing.
    const auto [far, background] = traced(other, startX, startY);
    EXPECT_LT(far, background + 0.15)
        << "a trace at " << far << " of the rows, the background " << background;

    // Five kilometres apart: a trace down the waterfall.
    const double bearing = geoBearing(startX - own().motion->x, startY - own().motion->y);
    double nearX = 0.0, nearY = 0.0;
    geoProject(own().motion->x, own().motion->y, bearing, 5000.0 * 1.0936, nearX, nearY);
    const auto [near, background2] = traced(other, nearX, nearY);
    EXPECT_GT(near, 0.7) << "the background " << background2;

    // The designate at the trace: a tracker of the bow array takes the boat, a contact follows.
    sonarState().cursorBearing =
        static_cast<int>(geoBearing(nearX - own().array2->x, nearY - own().array2->y));
    bool locked = false;
    for (int attempt = 0; attempt < 20 && !locked; ++attempt) {
        broadband.pageCommand(9, 1);
        other.lastRemoteUpdate = simClock().gameClock;
        run(2000, 100);
        locked = own().array2->tracks(other.id);
    }
    ASSERT_TRUE(locked) << "the bow array follows the other boat";
    EXPECT_GT(other.designation[kSensorPassive], 0);
    bool contact = false;
    for (auto* node = own().contacts.head(); node; node = node->next)
        contact = contact || worldFindByDesignation(node->item->designation) == &other;
    EXPECT_TRUE(contact) << "the player holds a contact on the other boat";
    sonarShowPage(3);
}

} // namespace
} // namespace q71::test
