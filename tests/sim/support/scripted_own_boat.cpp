#include "sim/support/scripted_own_boat.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/under_way.h"
#include "sim/world/object_database.h"

#include <memory>

namespace q71::test {

namespace {

// Holds its depth, answers the helm as the plain model does and counts the metres it runs, which
// the towed array's chain follows.
class HeldDepthMotion final : public MotionModel {
public:
    explicit HeldDepthMotion(Entity& owner) : MotionModel(owner) {
        submarineConstantA = 22.86;
        submarineConstantB = 45.8;
        maxArrayLength = 792.48;
    }
    void integrate(double dt) override {
        MotionModel::integrate(dt);
        distanceRun += speed * kSpeedUnitMetresPerSecond * dt;
    }
    void stepDepth(double) override {}
    void stepVertical(double) override {}
};

// The own-boat id must be known while the entity is built, so that it gets no sensors of the
// computer-run platforms.
std::int32_t claimOwnBoatId(std::int32_t id) {
    worldSetOwnShipId(id);
    return id;
}

} // namespace

ScriptedOwnBoat::ScriptedOwnBoat(std::string_view typeName, std::int32_t id, WorldPoint at, double heading,
                                 double speed)
    : Entity(1, typeName, 3, kKindSubsurface, claimOwnBoatId(id)) {
    typeCode = kEntityOwnShip;
    maxFixes = 240;
    motion = std::make_unique<HeldDepthMotion>(*this);
    placeUnderWay(*motion, at, heading, speed);
    const ObjectRecord* record = objdbFindById(recordId);
    suite =
        acousticSuiteCreate(*this, record ? record->sonarFigure : 0.0f, record ? record->esmFigure : 0.0f);
    worldSetOwnShip(this);
}

ScriptedOwnBoat::~ScriptedOwnBoat() {
    if (worldOwnShip() == this)
        worldSetOwnShip(nullptr);
}

std::int32_t ScriptedOwnBoat::nextContactNumber(int type, double bearing, bool announce) {
    numbered.push_back({type, bearing, announce});
    counter_ = counter_ % 99 + 1;
    return counter_;
}

PassiveArray0& ScriptedOwnBoat::streamTowedArray(double length) {
    motion->arrayLength1 = length;
    if (!towedArray) {
        towedArray = new PassiveArray0(*this, sensorRange);
        addSensor(towedArray);
    }
    return *towedArray;
}

} // namespace q71::test
