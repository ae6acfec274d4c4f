// A model's state in a saved mission: one block of 472 bytes, every field from the position to
// the second hull piece in declaration order. Reserved fields are written as zeros. The fields
// after the block (dimensions, limits, history) come back from the constructor that runs first.
#include "sim/entities/motion/motion_model.h"

#include "sim/entities/field_codec.h"

namespace q71 {

namespace {

// Every field of the block in order, for a writer (a const model) or a reader. `gap` stands
// for reserved bytes.
template <class Model, class Codec> void motionBlock(Model& m, Codec&& c) {
    for (auto* v : {&m.x, &m.y, &m.z, &m.speed, &m.heading, &m.pitch, &m.roll})
        c.f64(*v);
    c.i32(m.arraySelector);
    c.gap(4);
    c.f64(m.arrayLength1);
    c.f64(m.arrayLength2);
    c.f64(m.homeX);
    c.f64(m.homeY);
    for (auto* v : {&m.velocityX, &m.velocityY, &m.verticalSpeed, &m.planeAngle1, &m.planeAngle2, &m.rudderAngle,
                    &m.driveSpeed})
        c.f64(*v);
    c.gap(8);
    for (auto* v : {&m.orderedDepth, &m.orderedCourse, &m.orderedPitch, &m.orderedRoll, &m.engineOrder,
                    &m.orderedSpeed, &m.speedAtOrder, &m.headway, &m.planeOrder1, &m.planeOrder2, &m.rudderOrder})
        c.f64(*v);
    c.u8(m.manualPlanes);
    c.u8(m.manualRudder);
    c.u8(m.engineOrderMode);
    c.gap(5);
    c.f64(m.lastGroundingTime);
    for (auto* v : {&m.blowerOn, &m.emergencyBlow, &m.sinking, &m.modeWord, &m.cavitating})
        c.i32(*v);
    c.gap(4);
    c.f64(m.cavitationReportTime);
    c.f64(m.lastCollisionTime);
    c.gap(16);
    for (auto* v : {&m.buoyancyRate, &m.ballastLevel, &m.responseLength, &m.responseGain, &m.responseLoad})
        c.f64(*v);
    c.i32(m.breaksInTwo);
    c.gap(4);
    auto& p = m.secondPiece;
    for (auto* v : {&p.x, &p.y, &p.z, &p.offsetX, &p.offsetY, &p.offsetZ, &p.driftBearing, &p.driftSpeed, &p.heading,
                    &p.pitch, &p.roll, &p.orderedPitch, &p.orderedRoll})
        c.f64(*v);
}


} // namespace

bool MotionModel::save(ByteSink& sink) const {
    FieldWriter writer;
    FieldWriteCodec codec{writer};
    motionBlock(*this, codec);
    return writer.flush(sink);
}

bool MotionModel::load(ByteSource& source) {
    FieldReader reader(source, kMotionBlockSize);
    FieldReadCodec codec{reader};
    motionBlock(*this, codec);
    return reader.ok();
}

} // namespace q71
