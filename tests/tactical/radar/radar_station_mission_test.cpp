// The radar station on a running mission of the data set, as the host holds it and the main loop
// steps it: the mast raised at 30 ft, the lamp blinking, then the sweep painting the coast, the
// clutter and the convoy, and a tag on a blip.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/radar/radar_screen.h"
#include "tactical/radar/radar_station.h"

#include <set>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadarStationMission : public StationMission {
protected:
    RadarScreen& openRadar() { return openRegisteredStation<RadarScreen>(kStationRadar, radarRegisterStation); }

    OwnShipEntity& own() { return ownBoat(); }

    // Mission Sa2 with the boat at 30 ft (z = -9.14 m), slow enough to raise its masts.
    void startAtThirtyFeet() { startMissionAtDepth("Sa2.scn", -9.14, 5.0); }

    static int litPixels(const RadarPicture& picture, int atLeast) {
        int count = 0;
        for (int y = 0; y < kScopeSize; ++y)
            for (std::uint8_t level : picture.row(y))
                count += level >= atLeast ? 1 : 0;
        return count;
    }
};

TEST_F(RadarStationMission, TheRaisedMastBlinksThenTheSweepPaintsLandAndShips) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    ASSERT_NE(own().findSensorByType(kSensorRadar), nullptr) << "opening makes the radar";
    EXPECT_EQ(own().findSensorByType(kSensorRadar)->transmitInterval, -1);
    radar.command(1, 2);
    EXPECT_EQ(own().findSensorByType(kSensorRadar)->transmitInterval, 15);
    const double ordered = simClock().gameClock;
    std::set<int> lamps;
    while (simClock().gameClock < ordered + 19.5) {
        run(150, 150);
        lamps.insert(radar.lampFrame());
    }
    EXPECT_EQ(lamps.size(), 2u) << "the lamp blinks while the mast rises and settles";
    EXPECT_EQ(litPixels(radar.scope().picture, 1), 0) << "nothing painted before 20 s";
    // A turn of the sweep: the convoy, 51,700 yd and more to the south-east, comes up as blips.
    std::set<std::int32_t> painted;
    while (simClock().gameClock < ordered + 36.0) {
        run(150, 150);
        for (const RadarBlip& blip : radar.scope().blips.list())
            painted.insert(blip.entityId);
        if (painted.size() == 1 && radar.scope().blips.list().size() == 1)
            keepPicture("radar");
    }
    EXPECT_EQ(radar.lampFrame(), kLampLit);
    ASSERT_FALSE(painted.empty());
    for (std::int32_t id : painted) {
        const Entity* entity = worldFindEntity(id);
        ASSERT_NE(entity, nullptr);
        EXPECT_GT(entity->motion->z, -7.9248) << "only what shows above 26 ft is painted";
        EXPECT_LT(entityRangeYards(own(), *entity), 60000.0);
    }
    // The antenna at 30 ft is awash: the sea returns everywhere the sweep passed (a disc of
    // radius 106 is some 35,000 pixels), and what was painted last is still bright.
    EXPECT_GT(litPixels(radar.scope().picture, 1), 30000);
    EXPECT_GT(litPixels(radar.scope().picture, 30), 100);
}

TEST_F(RadarStationMission, TheTagMakesTheBlipUnderTheCursorARadarContact) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    radar.command(0, 1);
    EXPECT_EQ(own().contacts.count(), 0) << "the tag does nothing while the mast is down";
    radar.command(1, 2);
    const RadarBlip* seen = nullptr;
    for (int tick = 0; tick < 300 && !seen; ++tick) {
        run(150, 150);
        if (!radar.scope().blips.list().empty())
            seen = &radar.scope().blips.list().front();
    }
    ASSERT_NE(seen, nullptr);
    const std::int32_t id = seen->entityId;
    radar.scope().cursor = RadarCursor{seen->bearing + 0.5, seen->range + 100.0};
    radar.command(0, 1);
    const Entity* entity = worldFindEntity(id);
    ASSERT_NE(entity, nullptr);
    EXPECT_NE(entity->designation[kSensorRadar], 0) << "the blip's entity got a radar number";
    EXPECT_EQ(own().contacts.count(), 1);
}

} // namespace
} // namespace q71::test
