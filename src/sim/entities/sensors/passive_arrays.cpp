#include "sim/entities/sensors/passive_arrays.h"

#include "framework/math/fast_math.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr int kFullTowedArray = 30; // elements from which the towed array hears at its best

const ArraySonar::Layout kBowLayout{.type = kSensorPassive,
                                    .arcCentre = 0.0,
                                    .arcHalfWidth = 150.0,
                                    .bandLow = 750,
                                    .bandHigh = 10000,
                                    .threshold = 22,
                                    .firstLetter = 'A',
                                    .longTerm = true,
                                    .upgrade = PlayerUpgrade::bowArrayGain};
const ArraySonar::Layout kFlankLayout{.type = kSensorArray1,
                                      .arcCentre = 90.0,
                                      .arcHalfWidth = 60.0,
                                      .bandLow = 50,
                                      .bandHigh = 1000,
                                      .threshold = 5,
                                      .firstLetter = 'E',
                                      .upgrade = PlayerUpgrade::flankArrayGain};
const ArraySonar::Layout kTowedLayout{.type = kSensorArray0,
                                      .arcCentre = 180.0,
                                      .arcHalfWidth = 150.0,
                                      .bandLow = 10,
                                      .bandHigh = 1000,
                                      .threshold = 17,
                                      .firstLetter = 'I',
                                      .longTerm = true,
                                      .upgrade = PlayerUpgrade::towedArrayGain};

} // namespace

PassiveArray2::PassiveArray2(Entity& owner, float figure) : ArraySonar(owner, figure, kBowLayout) {}

void PassiveArray2::placeReceiver() {
    const MotionModel* motion = owner().motion.get();
    if (!motion)
        return;
    const double a = motion->submarineConstantA;
    x = motion->x + tableCosDegrees(motion->heading + 270.0) * a;
    y = motion->y + tableCosDegrees(motion->heading) * a;
    z = motion->z;
    heading = motion->heading;
}

PassiveArray1::PassiveArray1(Entity& owner, float figure) : ArraySonar(owner, figure, kFlankLayout) {}

PassiveArray0::PassiveArray0(Entity& owner, float figure) : ArraySonar(owner, figure, kTowedLayout) {
    MotionModel* motion = owner.motion.get();
    if (!motion)
        return;
    entityTable.assign(static_cast<std::size_t>(std::max(entitySampleCount(motion->maxArrayLength), 1)), {});
    chain_.start(entityTable, *motion);
    followChain();
}

void PassiveArray0::step(double dt) {
    if (MotionModel* motion = owner().motion.get();
        motion && chain_.update(entityTable, *motion, dt, simClock().gameClock))
        followChain();
    ArraySonar::step(dt);
}

void PassiveArray0::followChain() {
    const auto& at = chain_.receiver();
    x = at[0];
    y = at[1];
    z = at[2];
    heading = chain_.axis();
}

bool PassiveArray0::load(ByteSource& source) {
    if (!ArraySonar::load(source))
        return false;
    if (const MotionModel* motion = owner().motion.get())
        chain_.restore(entityTable, *motion);
    return true;
}

ArraySonar::NoiseShape PassiveArray0::noiseShape() const {
    const int elements = chain_.elementCount();
    NoiseShape shape;
    shape.gain = elements < kFullTowedArray
                     ? 0.8 * (1.0 + (kFullTowedArray - elements) / double{kFullTowedArray})
                     : 0.8;
    shape.onBottom = chain_.onBottom();
    shape.mirrored = true;
    return shape;
}

void PassiveArray0::onEvent(Entity& entity, double bearing, double range, int level) {
    const double relative = angleDiff(heading, bearing);
    const double yards = range * kMetresToYards;
    hearAt(entity, entity.id, heading + relative, yards, level);
    // The mirror image across the axis: the crew cannot tell it from the source until the
    // array has turned. It is heard as sensor type 3 under the source's negated id.
    type = kSensorMirror;
    hearAt(entity, -entity.id, heading - relative, yards, level);
    type = kSensorArray0;
}

void PassiveArray0::hearAt(Entity& entity, std::int32_t sourceId, double bearing, double rangeYards,
                           int level) {
    const int whole = static_cast<int>(angleAdd(bearing, 0.0));
    if (onEntitySignal(entity, sourceId, whole, level) != 0)
        onNoise(sourceId, whole, rangeYards, level);
}

} // namespace q71
