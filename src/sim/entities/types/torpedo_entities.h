#pragma once
// Guided weapons (types 12 to 14): the torpedo; the missile that leaves a torpedo tube in its
// capsule (also what a moored launcher or an aircraft releases); and the capsule that carries a
// cruise missile to the surface from a tube or a vertical-launch cell. Each runs on the torpedo
// motion under weapon guidance, carries no sensor until its seeker arms, and is put into the
// world by its launch, which places it at its launcher's exit and fills its guidance. The own
// boat's launch fails when the boat has too little left to launch with: the weapon falls away.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"
#include "sim/entities/types/launch_geometry.h"
#include "sim/entities/weapon_launches.h"

#include <string_view>

namespace q71 {

class GuidanceController;

class TorpedoEntity : public Entity {
public:
    /// A torpedo of a type launched by a parent.
    TorpedoEntity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t parentId);
    /// A torpedo of a record launched by a parent.
    TorpedoEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t parentId);
    /// A torpedo of a saved mission.
    explicit TorpedoEntity(const EntityBaseValues& values);

    /// A weapon builds no sensors from its record: its seeker comes when it arms.
    void createSensors() override {}

    /// Leaves a launcher's tube on its presets and enters the world.
    void launchFromTube(const Entity& launcher, const TorpedoTubeLaunch& launch);
    /// Leaves from a point on a heading (a torpedo dropped from above) on the presets of a tube
    /// launch (its tube aside), as from a tube.
    void launchAt(const Entity& launcher, const LaunchExit& exit, const TorpedoTubeLaunch& launch);

protected:
    /// The base of the weapon classes: the class's type code, the torpedo motion, the guidance.
    TorpedoEntity(const EntityBaseValues& values, EntityType type);
    TorpedoEntity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t parentId,
                  EntityType type);
    TorpedoEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t parentId,
                  EntityType type);

    /// The weapon's guidance, or null when it has none (any more).
    GuidanceController* guidance() const;
    /// Puts the weapon at its exit with its start state; false when the launch failed (the
    /// weapon then falls away, in the world).
    bool leaveLauncher(const Entity& launcher, const LaunchExit& exit, double speed, bool mayFail);
    /// Enters the world as a missile in flight (kind 0), the launcher's enemies alerted.
    void enterFlight(const Entity& launcher);

private:
    void buildParts(EntityType type);
};

class Torpedo2Entity final : public TorpedoEntity {
public:
    /// A missile in its capsule of a type launched by a parent.
    Torpedo2Entity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t parentId);
    /// A missile of a record launched by a parent.
    Torpedo2Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t parentId);
    /// A missile of a saved mission.
    explicit Torpedo2Entity(const EntityBaseValues& values);

    /// Leaves a launcher's tube (1 to 4) for its course and run and enters the world.
    void launchFromTube(const Entity& launcher, const MissileTubeLaunch& launch);
    /// Leaves from a point on a heading (a weapon released from above), as from a tube.
    void launchAt(const Entity& launcher, const LaunchExit& exit, const MissileTubeLaunch& launch);
};

class MissileCapsuleEntity final : public TorpedoEntity {
public:
    /// A capsule with a missile of a type launched by a parent.
    MissileCapsuleEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                         std::int32_t parentId);
    /// A capsule of a saved mission.
    explicit MissileCapsuleEntity(const EntityBaseValues& values);

    /// Leaves a tube (1 to 4) or cell (5 to 16) for a run (units of 2000 yards) along the orders
    /// its launcher then queues, and enters the world.
    void launchFromLauncher(const Entity& launcher, int launcherNumber, double runDistance);
    /// Reads the capsule; a cruise missile's flight plan is active again at once.
    bool load(ByteSource& source) override;
};

} // namespace q71
