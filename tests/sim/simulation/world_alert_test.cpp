#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/world_alert.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class WorldAlert : public ::testing::Test {
protected:
    HarnessEntity& at(std::int32_t side, const char* type, std::int32_t level, std::int32_t kind,
                      WorldPoint p) {
        return harness.add(new HarnessEntity(side, type, level, kind, p, 0.0, 0.0));
    }
    static bool told(const Entity& entity, const Entity& source) { return entity.findContact(source.id); }

    RecordTable records{harnessRecords()};
    RecordingServices services;
    WorldHarness harness{1};
};

TEST_F(WorldAlert, TellsTheNearestHostileOfEachClassWithinRange) {
    HarnessEntity& source = at(2, "Frigate", 2, kKindSurface, {0, 0, 0});
    HarnessEntity& nearShip = at(1, "Frigate", 2, kKindSurface, {0, 5000, 0});
    HarnessEntity& farShip = at(1, "Frigate", 2, kKindSurface, {0, 6000, 0});
    HarnessEntity& rawCrew = at(1, "Frigate", 1, kKindSurface, {0, 1000, 0}); // level 1: not alerted
    HarnessEntity& aircraft = at(1, "Patrol", 2, kKindAir, {3000, 0, 300});
    HarnessEntity& sub = at(1, "Hunter", 2, kKindSubsurface, {-3000, 0, -60});
    HarnessEntity& own = at(1, "Hunter", 2, kKindSubsurface, {-1000, 0, -60});
    HarnessEntity& friendly = at(2, "Frigate", 2, kKindSurface, {0, -500, 0});
    HarnessEntity& outOfRange = at(1, "Hunter", 2, kKindSubsurface, {0, -40000, -60});
    worldSetOwnShip(&own);
    at(1, "Freighter", 2, kKindSurface, {0, 200, 0}).sensors.deleteAll(); // blind: never told
    worldAlertNearestHostiles(source.id, 20000.0);
    EXPECT_TRUE(told(nearShip, source));
    EXPECT_FALSE(told(farShip, source));
    EXPECT_FALSE(told(rawCrew, source));
    EXPECT_TRUE(told(aircraft, source));
    EXPECT_TRUE(told(sub, source));
    EXPECT_FALSE(told(own, source));
    EXPECT_FALSE(told(friendly, source));
    EXPECT_FALSE(told(outOfRange, source));
    const ContactFix& report = nearShip.findContact(source.id)->fixes[0].newest();
    EXPECT_EQ(report.sensorType, 8);
    EXPECT_NEAR(report.bearing, 180.0, 1e-6);
    EXPECT_EQ(report.x, 0.0);
    EXPECT_EQ(report.sensorY, 5000.0);
}

TEST_F(WorldAlert, AnUnknownSourceAlertsNobody) {
    HarnessEntity& ship = at(1, "Frigate", 2, kKindSurface, {0, 5000, 0});
    worldAlertNearestHostiles(12345, 20000.0);
    EXPECT_TRUE(ship.contacts.empty());
}

} // namespace
} // namespace q71::test
