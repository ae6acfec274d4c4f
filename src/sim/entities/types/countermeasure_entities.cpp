#include "sim/entities/types/countermeasure_entities.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/simple_intercept_sensor.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/launch_event.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {

constexpr double kRiseRate = 1.016; // m/s, up
constexpr float kNoisemakerLoudness = 32.0f;
constexpr float kDecoyLoudness = 0.1f;

// Where the launcher is, heading its way, making for the depth; alive for 5 to 10 minutes.
void fitCountermeasure(Entity& cm, EntityType type, std::int32_t launcherId, double depth) {
    cm.typeCode = type;
    cm.parentId = launcherId;
    cm.motion = std::make_unique<MotionModel>(cm);
    MotionModel& m = *cm.motion;
    if (const Entity* launcher = worldFindEntity(launcherId); launcher && launcher->motion) {
        const MotionModel& from = *launcher->motion;
        m.x = from.x;
        m.y = from.y;
        m.z = from.z;
        m.heading = m.orderedCourse = from.heading;
        m.speed = from.speed;
    }
    m.orderedSpeed = 0.0;
    m.orderedDepth = depth;
    m.verticalSpeed = kRiseRate;
    const double lifetime = (randomScaled(5.0) + 5.0) * 60.0;
    cm.controller = entityMakeController(ControllerClass::countermeasure, cm, lifetime);
    writeLaunchEvent(launcherId, cm.recordId);
}

} // namespace

CountermeasureEntity::CountermeasureEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                                           std::int32_t launcherId, double depth)
    : Entity(side, typeName, level, kKindSubsurface, -1) {
    buildParts(launcherId, depth);
}

CountermeasureEntity::CountermeasureEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts(v.parentId, 0.0);
}

void CountermeasureEntity::buildParts(std::int32_t launcherId, double depth) {
    fitCountermeasure(*this, kEntityCountermeasure, launcherId, depth);
    // The noisemaker itself is what the sonars hear: its launcher stays as quiet as it was.
    noiseFactor = kNoisemakerLoudness;
}

Countermeasure2Entity::Countermeasure2Entity(std::int32_t side, std::string_view typeName, std::int32_t level,
                                             std::int32_t launcherId, double depth)
    : Entity(side, typeName, level, kKindSubsurface, -1) {
    buildParts(launcherId, depth);
}

Countermeasure2Entity::Countermeasure2Entity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts(v.parentId, 0.0);
}

void Countermeasure2Entity::buildParts(std::int32_t launcherId, double depth) {
    fitCountermeasure(*this, kEntityCountermeasure2, launcherId, depth);
    addSensor(new SimpleInterceptSensor(*this, sensorRange));
    noiseFactor = kDecoyLoudness;
}

} // namespace q71
