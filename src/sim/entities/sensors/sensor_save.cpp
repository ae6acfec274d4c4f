// A sensor in a saved mission: its source table, curves, window and pose, the towed array's
// element chain when it has one, its transmission times and its owner's id.
#include "sim/entities/sensors/sensor.h"

#include "sim/entities/entity.h"
#include "sim/entities/field_codec.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/byte_stream.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::size_t kHeadSize = 720 + 2 + 8 + 2 + 40 + 12 + 1 + 8 + 4 + 32 + 2 + 4;
constexpr std::size_t kTailSize = 2 + 8 + 2 + 4 + 4;
constexpr std::size_t kRowSize = 24;

// Rows of the element chain a sensor of this owner keeps: one per 10 m of the longest towed array.
std::size_t chainRows(const Entity& owner) {
    const double length = owner.motion ? owner.motion->maxArrayLength : 0.0;
    return static_cast<std::size_t>(std::clamp(std::trunc(1.0 + 0.1 * length), 0.0, 100000.0));
}

template <class S, class Codec> void headFields(S& s, Codec&& c) {
    for (auto& entry : s.sourceTable)
        c.u16(entry);
    c.u8(s.levelNear);
    c.u8(s.levelFar);
    c.i32(s.rangeNear);
    c.i32(s.rangeFar);
    c.u8(s.bearingErrNear);
    c.u8(s.bearingErrFar);
    c.i32(s.bearingRangeNear);
    c.i32(s.bearingRangeFar);
    c.u32(s.rangeErrNear);
    c.u32(s.rangeErrFar);
    c.i32(s.rangeErrRangeNear);
    c.i32(s.rangeErrRangeFar);
    c.f64(s.arcHalfWidth);
    c.f64(s.arcCentre);
    c.i32(s.maxHeight);
    c.i32(s.minHeight);
    c.i32(s.type);
    c.gap(1); // the lowest byte of the figure, which the sensor does not need back
    c.f64(s.lastStep);
    c.u16(s.bandLow);
    c.u16(s.bandHigh);
    for (auto* v : {&s.heading, &s.x, &s.y, &s.z})
        c.f64(*v);
    c.gap(2);
}


} // namespace

bool Sensor::save(ByteSink& sink) const {
    FieldWriter w;
    headFields(*this, FieldWriteCodec{w});
    const std::size_t rows = chainRows(owner());
    w.u32(entityTable.empty() ? 0 : 1);
    if (!entityTable.empty())
        for (std::size_t row = 0; row < rows; ++row)
            for (double v : row < entityTable.size() ? entityTable[row] : std::array<double, 3>{})
                w.f64(v);
    w.u16(static_cast<std::uint16_t>(transmitInterval));
    w.f64(lastTransmit);
    w.zeros(2);
    w.i32(owner().id);
    w.u32(deleteFlag);
    return w.flush(sink);
}

bool Sensor::load(ByteSource& source) {
    {
        FieldReader r(source, kHeadSize);
        headFields(*this, FieldReadCodec{r});
        std::uint32_t hasChain = 0;
        r.u32(hasChain);
        if (!r.ok())
            return false;
        entityTable.clear();
        if (hasChain) {
            const std::size_t rows = chainRows(owner());
            if (source.remaining() / kRowSize < rows)
                return false;
            FieldReader chain(source, rows * kRowSize);
            entityTable.resize(rows);
            for (auto& row : entityTable)
                for (double& v : row)
                    chain.f64(v);
            if (!chain.ok())
                return false;
        }
    }
    FieldReader r(source, kTailSize);
    std::uint16_t interval = 0;
    r.u16(interval);
    transmitInterval = static_cast<std::int16_t>(interval);
    r.f64(lastTransmit);
    r.skip(2);
    std::int32_t ownerId = 0;
    r.i32(ownerId); // the sensor stays with the entity that loads it
    r.u32(deleteFlag);
    return r.ok();
}

} // namespace q71
