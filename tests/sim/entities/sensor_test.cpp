#include "entity_fixture.h"

#include "sim/entities/sensors/sensor.h"
#include "sim/entities/sensors/visual_sensor.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sound_profile.h"
#include "sim/support/terrain_grid.h"

#include <cmath>

namespace q71::test {
namespace {

// Counts the entities its scans test.
class CountingSensor final : public Sensor {
public:
    using Sensor::Sensor;
    bool canSense(Entity&) override {
        ++tested;
        return false;
    }
    int tested = 0;
};

class Sensors : public EntityWorld {
protected:
    // A bare sensor with a detection curve: certain to 1000 m (100 to 80), a chance to 3000 m.
    Sensor& curved(Entity& owner) {
        auto* sensor = new Sensor(owner, 1.0f);
        sensor->setResponse(1000.0, 3000.0, 80, 20, 1000.0, 3000.0, 2, 6, 1000.0, 3000.0, 100, 300);
        owner.addSensor(sensor);
        return *sensor;
    }

    HarnessEntity& ship = platform(1, {0, 0, 0});
};

TEST_F(Sensors, ASensorWithoutCurvesNeverDetects) {
    Sensor sensor(ship, 1.0f);
    for (double range : {0.0, 1.0, 1000.0})
        EXPECT_EQ(sensor.levelAtRange(range), 0) << range;
}

TEST_F(Sensors, TheDetectionCurveIsCertainInsideAndAChanceBeyond) {
    Sensor& sensor = curved(ship);
    EXPECT_EQ(sensor.levelAtRange(0.0), 100);
    EXPECT_EQ(sensor.levelAtRange(500.0), 90);
    EXPECT_EQ(sensor.levelAtRange(3000.0), 0);
    for (int i = 0; i < 50; ++i) { // halfway out: 50, or nothing
        const int level = sensor.levelAtRange(2000.0);
        EXPECT_TRUE(level == 50 || level == 0) << level;
    }
}

TEST_F(Sensors, TheErrorCurvesHoldTheirEndsAndRunStraightBetween) {
    Sensor& sensor = curved(ship);
    EXPECT_EQ(sensor.bearingError(10.0), 2.0);
    EXPECT_EQ(sensor.bearingError(2000.0), 4.0);
    EXPECT_EQ(sensor.bearingError(3000.0), 6.0);
    EXPECT_EQ(sensor.rangeError(2500.0), 250.0);
    EXPECT_EQ(sensor.rangeError(9000.0), 300.0);
}

TEST_F(Sensors, TheTargetLevelGrowsWithTheSquareOfTheExcessOverTheThreshold) {
    Sensor sensor(ship, 1.0f);
    EXPECT_EQ(sensor.targetLevel(50.0), 0); // no threshold
    sensor.threshold = 20;
    EXPECT_EQ(sensor.targetLevel(19.0), 0);
    EXPECT_EQ(sensor.targetLevel(22.0), 16); // 100 × (2 / 5)²
    EXPECT_EQ(sensor.targetLevel(40.0), 100);
}

TEST_F(Sensors, ScansAtMostOnceInFourTenthsOfASecond) {
    platform(2, {0, 500, 0});
    platform(2, {0, 900, 0});
    auto* sensor = new CountingSensor(ship, 1.0f);
    sensor->minHeight = -10;
    sensor->maxHeight = 10;
    ship.addSensor(sensor);
    setClock(1.0);
    sensor->step(0.4);
    sensor->step(0.4);
    setClock(1.3);
    sensor->step(0.4);
    EXPECT_EQ(sensor->tested, 2);
    setClock(1.4);
    sensor->step(0.4);
    EXPECT_EQ(sensor->tested, 4);
    ship.motion->z = -20.0; // below its window: whole scans are skipped
    setClock(2.0);
    sensor->step(0.4);
    EXPECT_EQ(sensor->tested, 4);
}

TEST_F(Sensors, AWreckIsPassedOverExceptByTheOwnBoatsOtherSensors) {
    HarnessEntity& wreck = platform(2, {0, 500, 0});
    wreck.motion->sinking = 1;
    auto* sensor = new CountingSensor(ship, 1.0f);
    sensor->type = kSensorVisual;
    sensor->maxHeight = 10;
    ship.addSensor(sensor);
    setClock(1.0);
    sensor->step(0.4);
    EXPECT_EQ(sensor->tested, 0);
    worldSetOwnShip(&ship);
    setClock(2.0);
    sensor->step(0.4);
    EXPECT_EQ(sensor->tested, 1);
}

TEST_F(Sensors, ReportsAFixWithItsErrorsDrawnIn) {
    HarnessEntity& target = platform(2, {0, 500, 0}, 90.0, 12.0);
    Sensor& sensor = curved(ship);
    sensor.type = kSensorVisual;
    sensor.maxHeight = 10;
    sensor.minHeight = -10;
    ASSERT_TRUE(sensor.canSense(target));
    const ContactFix& fix = ship.contacts.head()->item->fixes[0].newest();
    EXPECT_EQ(fix.quality, 90);
    EXPECT_EQ(fix.sensorType, kSensorVisual);
    EXPECT_EQ(fix.course, 90.0);
    EXPECT_EQ(fix.speed, 12.0);
    EXPECT_EQ(fix.count, 1);
    EXPECT_LE(std::fabs(angleDiff(0.0, fix.bearing)), 2.0 + 1e-9); // 2 degrees at 500 m
    EXPECT_NEAR(geoRange(fix.x, fix.y), 500.0, 100.0 + 1e-9);      // 100 m at 500 m
}

TEST_F(Sensors, OnlyItsArcIsCovered) {
    HarnessEntity& astern = platform(2, {0, -500, 0});
    Sensor& sensor = curved(ship);
    sensor.maxHeight = 10;
    sensor.minHeight = -10;
    sensor.arcHalfWidth = 90.0;
    EXPECT_FALSE(sensor.canSense(astern));
    sensor.arcCentre = 180.0;
    sensor.arcHalfWidth = 10.0;
    EXPECT_TRUE(sensor.canSense(astern));
}

TEST_F(Sensors, TerrainAboveTheLineHidesTheTarget) {
    // A sea 200 m deep with an island between the two ships.
    TerrainGrid grid{41, 41, 400.0, [](int column, int row) {
                         return std::int16_t(column >= 19 && column <= 21 && row >= 18 && row <= 22 ? 40
                                                                                                    : -200);
                     }};
    HarnessEntity& observer = platform(1, {6000, 8000, 0});
    HarnessEntity& hidden = platform(2, {10000, 8000, 0});
    HarnessEntity& open = platform(2, {6000, 12000, 0});
    auto* eyes = new VisualSensor(observer, 1.0f);
    observer.addSensor(eyes);
    eyes->copyOwnerPose();
    EXPECT_FALSE(eyes->canSense(hidden));
    EXPECT_TRUE(eyes->canSense(open));
}

// The propagation rule at hand-worked points: R0 1000, R1 2000, R2 500; A 80, B 30, C 60.
class Propagation : public Sensors {
protected:
    std::uint8_t heard(double range, double sensorZ, double targetZ, std::uint8_t source = 10) {
        PropagationLevels levels{80, 30, 60};
        return sensor.detect({1000, 2000, 500}, levels, range, sensorZ, targetZ, source);
    }
    Sensor& sensor = curved(ship);
};

TEST_F(Propagation, StandardRule) {
    missionState().soundProfileKind = 1;
    soundProfile().ambientNoise = 40.0;
    EXPECT_EQ(heard(500.0, -10, -10), 10 + 100 - 10); // close: 100 − 20 × 0.5
    EXPECT_EQ(heard(1500.0, -10, -10), 45);           // (80 + 10) × 0.5 beats 40 × 500 / 3000 + 10
    EXPECT_EQ(heard(2500.0, -10, -10), 20 + 10);      // beyond R1: the reverberation, 40 × 1500 / 3000 + 10
    EXPECT_EQ(heard(4000.0, -10, -10), 0);            // at 2 R1 nothing
    soundProfile().ambientNoise = 0.0;
}

TEST_F(Propagation, TheLayerDoublesTheRangeAcrossItAndTheDeepHaveAConvergenceZone) {
    missionState().soundProfileKind = 2;
    soundProfile().layerDepth = -50.0;
    EXPECT_EQ(heard(1500.0, -10, -10), 45);
    EXPECT_EQ(heard(1500.0, -10, -100), 10);                       // across the layer: as at 3000 m
    EXPECT_EQ(heard(1500.0, -100, -100), 80 + 10 + (30 - 90) / 2); // below it: toward B
    EXPECT_EQ(heard(36576.0 - 400.0, -100, -100), 60);             // in the convergence zone: C
    EXPECT_EQ(heard(30000.0, -100, -100), 20);
    EXPECT_EQ(heard(36576.0 + 600.0, -100, -100), 0);
    missionState().soundProfileKind = 0;
    soundProfile().layerDepth = 0.0;
}

} // namespace
} // namespace q71::test
