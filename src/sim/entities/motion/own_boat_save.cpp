// The own boat's motion in a saved mission: the submarine's 472-byte block, then the own boat's
// block of 34,248 bytes (every field in declaration order with natural alignment, reserved bytes
// as zeros but for the running sequence's), then once more the six sounding arrays, 5,600 bytes each.
#include "sim/entities/field_codec.h"
#include "sim/entities/motion/own_boat_motion.h"

namespace q71 {

namespace {

constexpr std::size_t kOwnBoatBlockSize = 34248;
constexpr std::size_t kRingBytes = 5600;
constexpr std::size_t kRepeatedArraysSize = 6 * kRingBytes;

// The damage timers are kept in this order in the block.
constexpr Mast kTimerOrder[] = {kMastRadar, kMastEsm, kMastPeriscope, kMastSnorkel, kMastRadio};

template <class Ring, class Codec> void ringEntries(Ring& ring, Codec& c) {
    for (auto& entry : ring.entries) {
        c.f64(entry.time);
        c.u32(entry.waterDepth);
        c.u32(entry.ownDepth);
    }
}

template <class Positions, class Codec> void trackPositions(Positions& positions, Codec& c) {
    for (auto& position : positions) {
        c.f64(position.x);
        c.f64(position.y);
    }
}

template <class Ring, class Codec> void ringIndices(Ring& ring, Codec& c) {
    c.i32(ring.newest);
    c.i32(ring.end);
}

template <class Device, class Codec> void device(Device& mast, Codec& c) {
    c.i32(mast.state);
    c.gap(4);
    c.f64(mast.completionTime);
}

// The sounding rings: in the block each ring's entries (and the track's positions) are followed by
// its indices; after the block they come again without them.
template <class Model, class Codec> void soundings(Model& m, Codec& c, bool withIndices) {
    auto& h = m.depthHistory;
    ringEntries(h.ring10s, c);
    if (withIndices)
        ringIndices(h.ring10s, c);
    ringEntries(h.track80s, c);
    trackPositions(h.trackPositions, c);
    if (withIndices)
        ringIndices(h.track80s, c);
    for (auto* ring : {&h.ring120s, &h.ring240s, &h.ring480s}) {
        ringEntries(*ring, c);
        if (withIndices)
            ringIndices(*ring, c);
    }
}

// The running dive or surface sequence, kept in two of the block's reserved places: its timer in
// the 8 bytes after the snorkel, its step plus 1 in the 4 after the wire's order. A step of 0 (as
// older saves hold) is no sequence.
struct SavedSequence {
    double timer = 0.0;
    std::int32_t stepPlusOne = 0;
};

constexpr std::int32_t kLastDiveStep = 7;
constexpr std::int32_t kLastSurfaceStep = 4;

SavedSequence runningSequence(const OwnShipMotion& m) {
    if (m.diving)
        return {m.diveTimer, m.diveStep + 1};
    if (m.surfacing)
        return {m.surfaceTimer, m.surfaceStep + 1};
    return {};
}

// Takes the saved sequence up again; false when its step is not one of the running sequence's.
bool resumeSequence(OwnShipMotion& m, const SavedSequence& saved) {
    const std::int32_t step = saved.stepPlusOne - 1;
    if (step < -1)
        return false;
    if (step == -1) {
        m.diving = m.surfacing = 0;
        return true;
    }
    if (m.diving) {
        m.diveStep = step;
        m.diveTimer = saved.timer;
        return step <= kLastDiveStep;
    }
    if (m.surfacing) {
        m.surfaceStep = step;
        m.surfaceTimer = saved.timer;
        return step <= kLastSurfaceStep;
    }
    return false;
}

template <class Model, class Sequence, class Codec> void ownBoatBlock(Model& m, Sequence& sequence, Codec&& c) {
    soundings(m, c, true);
    for (Mast mast : kTimerOrder)
        c.f64(m.mastDamageTimers[mast]);
    device(m.masts[kMastEsm], c);
    device(m.masts[kMastRadio], c);
    c.f64(m.radioRepairTime);
    device(m.masts[kMastRadar], c);
    for (auto* value : {&m.radarRingsOn, &m.radarRingSpacing, &m.radarRangeScale})
        c.i32(*value);
    c.i32(m.masts[kMastPeriscope].state); // packed after the radar's three values
    c.f64(m.masts[kMastPeriscope].completionTime);
    device(m.masts[kMastSnorkel], c);
    c.f64(sequence.timer);
    c.f64(m.wireLength);
    c.i32(m.wireOrder);
    c.i32(sequence.stepPlusOne);
    c.f64(m.wireRepairTime);
    for (auto* value : {&m.arrayOrder1, &m.arrayOrder2, &m.airBank})
        c.f64(*value);
    c.i32(m.compressorOn);
    c.i32(m.hfSonarOn);
    c.i32(m.blowLeverSet);
    c.i32(m.diving);
    c.i32(m.surfacing);
    for (auto& setting : m.stationSettings)
        c.i32(setting);
    trackPositions(m.waypoints, c);
    c.i32(m.waypointCount);
    c.gap(4);
    c.f64(m.lastLowerMastsCue);
}

bool ringIndicesValid(const DepthRing& ring) {
    const auto inside = [](std::int32_t index) { return index >= 0 && index < DepthRing::kSize; };
    return inside(ring.newest) && inside(ring.end);
}

} // namespace

bool OwnShipMotion::save(ByteSink& sink) const {
    if (!SubmarineMotion::save(sink))
        return false;
    FieldWriter w;
    FieldWriteCodec codec{w};
    SavedSequence sequence = runningSequence(*this);
    ownBoatBlock(*this, sequence, codec);
    soundings(*this, codec, false);
    return w.flush(sink);
}

bool OwnShipMotion::load(ByteSource& source) {
    if (!SubmarineMotion::load(source))
        return false;
    FieldReader block(source, kOwnBoatBlockSize);
    SavedSequence sequence;
    ownBoatBlock(*this, sequence, FieldReadCodec{block});
    FieldReader repeated(source, kRepeatedArraysSize);
    FieldReadCodec again{repeated};
    soundings(*this, again, false);
    // The ship control's two flags: anything but 1 (an older file's reserved zeros too) is off.
    hfSonarOn = hfSonarOn == 1 ? 1 : 0;
    blowLeverSet = blowLeverSet == 1 ? 1 : 0;
    const DepthHistory& h = depthHistory;
    return block.ok() && repeated.ok() && resumeSequence(*this, sequence) && waypointCount >= 0 &&
           waypointCount <= kWaypointCapacity &&
           ringIndicesValid(h.ring10s) && ringIndicesValid(h.track80s) && ringIndicesValid(h.ring120s) &&
           ringIndicesValid(h.ring240s) && ringIndicesValid(h.ring480s);
}

} // namespace q71
