#pragma once
// A world for the tests of the surface-ship and submarine controllers: the harness's platforms
// and a few armed ones more, built by the entity classes with these controllers, placed and under
// way; helpers that task them and give them contacts; and a count of what they launch.

#include "sim/entities/controllers/submarine_controller.h"
#include "sim/entities/controllers/surface_ship_controller.h"
#include "sim/entities/entity_fixture.h"
#include "sim/entities/sensors/sensor.h"

#include <vector>

namespace q71::test {

/// The records the controllers' tests add to the harness's, by id.
enum VesselRecord : std::uint32_t {
    kRecordAshcan = 40,   ///< "Ashcan": a depth charge
    kRecordDart = 41,     ///< "Dart": an anti-ship missile, 450 knots, range 60,000 yards
    kRecordCounter = 42,  ///< "Counter2": the countermeasure of the submarines
    kRecordCorvette = 43, ///< "Corvette": a frigate with ten depth charges in store 2 only
    kRecordCruiser = 44,  ///< "Cruiser": Darts in stores 1 and 3, Longfish in store 2
    kRecordRaider = 45,   ///< "Raider": a submarine with an active sonar, Darts in store 1 and Longfish in store 2
    kRecordSlowDart = 46, ///< "Dud": a missile record without speed
    kRecordGunboat = 47,  ///< "Gunboat": a frigate whose store 1 holds Duds
    kRecordLongfish = 48, ///< "Longfish": a torpedo of range 20,000 yards
};

class VesselWorld : public EntityWorld {
protected:
    /// Installs both controllers' makers for the test (and takes them and the explosion maker a
    /// test installs away after it). The records have no "Explosion": the explosions a test makes
    /// are no floats.
    VesselWorld();
    ~VesselWorld() override;

    /// A surface ship of a type with its controller, placed and under way, in the world.
    SurfaceShipController& ship(std::int32_t side, const char* type, std::int32_t level, WorldPoint at,
                                double heading = 0.0, double speed = 0.0);
    /// A submarine of a type with its controller, placed and under way, in the world.
    SubmarineController& submarine(std::int32_t side, const char* type, std::int32_t level, WorldPoint at,
                                   double heading = 0.0, double speed = 0.0);
    /// A platform of the harness of a record and kind, holding its depth and steering nothing by
    /// itself (a target, an aircraft, a torpedo), placed and under way, in the world.
    Entity& mover(std::int32_t side, const char* type, std::int32_t kind, WorldPoint at, double heading = 0.0,
                  double speed = 0.0);

    /// Gives a controller one plan of a mode with orders of that type at the points (the first
    /// current), at a speed.
    static void task(EntityController& controller, std::int32_t mode, const std::vector<WorldPoint>& points,
                     double speed = 0.0);
    /// The observer's new contact on an entity: one fix of a sensor type where the entity is, now.
    static ContactRecord& sight(Entity& observer, const Entity& seen, int sensorType = kSensorPassive,
                                std::uint8_t quality = 60);
    /// Sets the observer's contact on an entity going: its course, speed and range rate, and a
    /// tracking time.
    static void track(ContactRecord& contact, double course, double speed, double rangeRate, double heldTime);

    /// Entities in the world built from a record.
    static std::vector<Entity*> entitiesOf(std::uint32_t recordId);

    RecordTable vesselRecords{withVesselRecords()};

private:
    static std::vector<ObjectRecord> withVesselRecords();
};

/// A point at a bearing (degrees) and range (yards) from the origin, at a height.
WorldPoint at(double bearing, double yards, double z = 0.0);

/// The active sonar's setting of an entity, or nothing when it has none.
std::optional<std::int16_t> activeSonarSetting(const Entity& entity);

} // namespace q71::test
