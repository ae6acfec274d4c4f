#include "sim/simulation/scenario_file.h"

#include "sim/scoring/byte_layout.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

using NameField = std::array<char, kScenarioNameLength + 1>;

template <class Io, class Header> void headerLayout(const Io& io, Header& h) {
    io.f64(0, h.originLatitude);
    io.f64(8, h.originLongitude);
    io.i32(16, h.timeOfDay);
    // 20: 20 bytes reserved
    io.i32(40, h.seaState);
    io.i32(44, h.soundProfile);
    io.i32(48, h.bottomType);
    // 52: 4 bytes reserved
}

// The record's fixed bytes; the name field and the waypoint count travel beside the record.
template <class Io, class Record, class Name, class Count>
void recordLayout(const Io& io, Record& r, Name& name, Count& waypointCount) {
    // 0: 8 bytes reserved
    io.f64(8, r.x);
    io.f64(16, r.y);
    io.i32(24, r.type);
    io.i32(28, r.side);
    io.text(32, name);
    io.i32(64, r.level);
    io.i32(68, r.patrolMode);
    io.i32(72, r.course);
    io.i32(76, r.depth);
    io.i32(80, r.speed);
    // 84: 4 bytes reserved
    io.f64(88, r.boxWest);
    io.f64(96, r.boxSouth);
    io.f64(104, r.boxEast);
    io.f64(112, r.boxNorth);
    // 120: 4 bytes reserved
    io.u8(124, r.areaFlag);
    // 125: 3 bytes reserved
    io.i32(128, waypointCount);
    // 132: 4 bytes reserved
    io.f64(136, r.entryDelay);
    io.i32(144, r.goalNode1);
    io.i32(148, r.goalNode2);
    io.i32(152, r.randomPlacement);
    // 156: 4 bytes reserved
    io.f64(160, r.randomWidth);
    io.f64(168, r.randomHeight);
    // 176: 16 bytes reserved
}

template <class Io, class Waypoint> void waypointLayout(const Io& io, Waypoint& w) {
    io.f64(0, w.x);
    io.f64(8, w.y);
    io.i32(16, w.depth);
    io.i32(20, w.speed);
}

// The text up to the first NUL of a field or block, which need not hold one.
std::string textBefore(const char* bytes, size_t size) {
    return std::string(bytes, std::find(bytes, bytes + size, '\0'));
}

bool readRecord(ByteSource& source, ScenarioRecord& record) {
    std::array<std::uint8_t, kScenarioRecordSize> bytes{};
    if (!source.read(bytes))
        return false;
    NameField name{};
    std::int32_t count = 0;
    recordLayout(LayoutReader(bytes), record, name, count);
    record.typeName = textBefore(name.data(), name.size());
    // The count is checked against what is left before a single waypoint is made.
    if (count < 0 || static_cast<std::uint64_t>(count) * kScenarioWaypointSize > source.remaining())
        return false;
    record.waypoints.resize(static_cast<size_t>(count));
    for (ScenarioWaypoint& waypoint : record.waypoints) {
        std::array<std::uint8_t, kScenarioWaypointSize> point{};
        if (!source.read(point))
            return false;
        waypointLayout(LayoutReader(point), waypoint);
    }
    return true;
}

bool writeRecord(ByteSink& sink, const ScenarioRecord& record) {
    if (record.typeName.size() > kScenarioNameLength || record.typeName.find('\0') != std::string::npos ||
        record.waypoints.size() > static_cast<size_t>(INT32_MAX))
        return false;
    NameField name{};
    std::memcpy(name.data(), record.typeName.data(), record.typeName.size());
    const std::int32_t count = static_cast<std::int32_t>(record.waypoints.size());
    std::array<std::uint8_t, kScenarioRecordSize> bytes{};
    recordLayout(LayoutWriter(bytes), record, name, count);
    if (!sink.write(bytes))
        return false;
    for (const ScenarioWaypoint& waypoint : record.waypoints) {
        std::array<std::uint8_t, kScenarioWaypointSize> point{};
        waypointLayout(LayoutWriter(point), waypoint);
        if (!sink.write(point))
            return false;
    }
    return true;
}

} // namespace

bool scenReadBlock(ByteSource& source, std::optional<std::string>& text) {
    text.reset();
    std::int32_t length = 0;
    if (!source.readI32(length))
        return false;
    const std::uint32_t size = static_cast<std::uint32_t>(length);
    if (size > source.remaining())
        return false;
    if (size == 0)
        return true;
    std::vector<std::uint8_t> bytes(size);
    if (!source.read(bytes))
        return false;
    text = textBefore(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
}

bool scenWriteBlock(ByteSink& sink, const std::optional<std::string>& text) {
    if (!text)
        return sink.writeI32(0);
    if (text->find('\0') != std::string::npos || text->size() >= static_cast<size_t>(INT32_MAX))
        return false;
    const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(text->c_str());
    return sink.writeI32(static_cast<std::int32_t>(text->size() + 1)) &&
           sink.write(std::span<const std::uint8_t>(bytes, text->size() + 1));
}

bool scenarioReadBody(ByteSource& source, Scenario& scenario) {
    Scenario read;
    for (std::optional<std::string>& text : read.texts)
        if (!scenReadBlock(source, text))
            return false;
    std::array<std::uint8_t, kScenarioHeaderSize> header{};
    if (!source.read(header))
        return false;
    headerLayout(LayoutReader(header), read.header);
    std::int32_t count = 0;
    if (!source.readI32(count) || count < 0 ||
        static_cast<std::uint64_t>(count) * kScenarioRecordSize > source.remaining())
        return false;
    read.records.resize(static_cast<size_t>(count));
    for (ScenarioRecord& record : read.records)
        if (!readRecord(source, record))
            return false;
    scenario = std::move(read);
    return true;
}

bool scenarioWriteBody(ByteSink& sink, const Scenario& scenario) {
    for (const std::optional<std::string>& text : scenario.texts)
        if (!scenWriteBlock(sink, text))
            return false;
    std::array<std::uint8_t, kScenarioHeaderSize> header{};
    headerLayout(LayoutWriter(header), scenario.header);
    if (!sink.write(header) || scenario.records.size() > static_cast<size_t>(INT32_MAX) ||
        !sink.writeI32(static_cast<std::int32_t>(scenario.records.size())))
        return false;
    return std::all_of(scenario.records.begin(), scenario.records.end(),
                       [&](const ScenarioRecord& record) { return writeRecord(sink, record); });
}

bool scenarioWrite(ByteSink& sink, const Scenario& scenario, const GoalTree& goals,
                   const GradeThresholds& thresholds) {
    return scenarioWriteBody(sink, scenario) && goals.write(sink) &&
           sink.write(gradeThresholdsEncode(thresholds));
}

} // namespace q71
