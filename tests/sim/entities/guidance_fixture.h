#pragma once
// Weapons with their guidance in the test world: a torpedo or missile entity on plain motion,
// its guidance set as a launch would set it, and contacts handed to it as its seeker would.

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/support/sensed.h"
#include "sim/support/weapon_world.h"

#include <gtest/gtest.h>

namespace q71::test {

class GuidanceTest : public ::testing::Test {
protected:
    /// A weapon of a record at a place, running at a speed, with its guidance: armed (no enable
    /// run), a long run ahead, limits wide open.
    Entity* weapon(const char* typeName, std::int32_t kind, WorldPoint at, double heading = 0.0,
                   double speed = 40.0, std::int32_t level = 2, std::int32_t side = 1) {
        Entity* entity = world.spawn(typeName, side, kind, at, heading, speed, level);
        entity->motion->maxSpeed = 55.0;
        auto guidance = std::make_unique<GuidanceController>(*entity);
        guidance->launchX = at.x;
        guidance->launchY = at.y;
        guidance->runEndTime = 10000.0;
        guidance->presetCourse = heading;
        guidance->presetSpeed = 30.0;
        guidance->searchSpeed = 35.0;
        guidance->searchDepth = at.z;
        guidance->ceiling = 1000.0;
        guidance->floor = -1000.0;
        guidance->seekerMode = kSensorActive;
        entity->controller = std::move(guidance);
        return entity;
    }

    static GuidanceController& guidanceOf(Entity& weapon) {
        return static_cast<GuidanceController&>(*weapon.controller);
    }

    /// The weapon takes a fix on an entity where it is: its contact, rated by the guidance.
    static ContactRecord* sense(Entity& weapon, Entity& target) { return senseWhereItIs(weapon, target); }

    WeaponWorld world;
};

} // namespace q71::test
