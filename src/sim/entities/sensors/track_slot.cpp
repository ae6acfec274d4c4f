#include "sim/entities/sensors/track_slot.h"

#include "sim/entities/field_codec.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

std::uint8_t previousIndex(std::uint8_t index) {
    return index <= 1 ? TrackSlot::kHistory : static_cast<std::uint8_t>(index - 1);
}

bool validIndex(std::uint8_t index) {
    return index >= 1 && index <= TrackSlot::kHistory;
}

} // namespace

std::size_t TrackSlot::historyOffset(int index) {
    return static_cast<std::size_t>(((index - 1) % kHistory + kHistory) % kHistory);
}

void TrackSlot::advanceHistory() {
    writeIndex = previousIndex(writeIndex);
    if (writeIndex == readIndex)
        readIndex = previousIndex(readIndex);
    history[historyOffset(writeIndex)] = 0;
}

void TrackSlot::recordSpeed(double speed) {
    const double whole = std::isfinite(speed) ? std::trunc(speed) : 0.0;
    history[historyOffset(writeIndex)] = static_cast<std::uint8_t>(std::clamp(whole, 0.0, 255.0));
}

void TrackSlot::lock(std::int16_t sourceId, double now) {
    locked = 1;
    armed = 0;
    source = sourceId;
    stamp1 = stamp2 = now;
}

void TrackSlot::arm(double bearingArg, double rangeArg, std::int32_t frequency, std::int32_t type) {
    locked = 0;
    armed = 1;
    stamp1 = stamp2 = 0.0;
    source = 0;
    level = 0;
    line = kNoLine;
    bearing = bearingArg;
    range = rangeArg;
    lineFrequency = frequency;
    sensorType = type;
}

void TrackSlot::release() {
    locked = 0;
    armed = 0;
}

// The layout of the running program: fields at their natural alignment, 320 bytes in all.
void TrackSlot::write(FieldWriter& w) const {
    w.i32(locked);
    w.i32(armed);
    w.f64(stamp1);
    w.f64(stamp2);
    w.u16(static_cast<std::uint16_t>(source));
    w.u16(static_cast<std::uint16_t>(line));
    w.zeros(4);
    w.f64(bearing);
    w.f64(range);
    w.u16(level);
    w.zeros(2);
    w.i32(lineFrequency);
    w.i32(sensorType);
    w.u8(static_cast<std::uint8_t>(letter));
    w.bytes(history);
    w.u8(writeIndex);
    w.u8(readIndex);
    w.zeros(3);
}

bool TrackSlot::read(FieldReader& r) {
    std::uint16_t sourceBits = 0, lineBits = 0;
    std::uint8_t letterBits = 0;
    r.i32(locked);
    r.i32(armed);
    r.f64(stamp1);
    r.f64(stamp2);
    r.u16(sourceBits);
    r.u16(lineBits);
    r.skip(4);
    r.f64(bearing);
    r.f64(range);
    r.u16(level);
    r.skip(2);
    r.i32(lineFrequency);
    r.i32(sensorType);
    r.u8(letterBits);
    r.bytes(history);
    r.u8(writeIndex);
    r.u8(readIndex);
    r.skip(3);
    source = static_cast<std::int16_t>(sourceBits);
    line = static_cast<std::int16_t>(lineBits);
    letter = static_cast<char>(letterBits);
    return validIndex(writeIndex) && validIndex(readIndex) && level <= 100;
}

} // namespace q71
