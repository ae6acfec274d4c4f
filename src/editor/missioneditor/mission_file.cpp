#include "editor/missioneditor/mission_file.h"

#include "editor/missioneditor/mission_document.h"
#include "platform/files/path.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace q71 {
namespace {

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool recordHolds(const ScenarioRecord& r) {
    if (r.type < kScenarioSubmarine || r.type > kScenarioOwnShipStart)
        return false;
    if (!finite({r.x, r.y, r.boxWest, r.boxSouth, r.boxEast, r.boxNorth, r.entryDelay, r.randomWidth, r.randomHeight}))
        return false;
    for (const ScenarioWaypoint& w : r.waypoints)
        if (!finite({w.x, w.y}))
            return false;
    return true;
}

/// The goal section of a save: the opened file's own bytes while the tree is still the one read
/// from them (reading turns each level round, so the tree's own form would differ), else the tree.
bool writeGoals(ByteSink& sink, const MissionDocument& document) {
    MemorySink now;
    if (!document.goals.write(now))
        return false;
    if (!document.goalsAsRead.empty()) {
        GoalTree read;
        MemorySource source(document.goalsAsRead);
        MemorySink asRead;
        if (read.read(source) && read.write(asRead) && asRead.bytes() == now.bytes())
            return sink.write(document.goalsAsRead);
    }
    return sink.write(now.bytes());
}

} // namespace

Scenario missionScenario(const MissionDocument& document) {
    Scenario scenario;
    scenario.texts = document.texts;
    scenario.header = document.header;
    document.forEachMissionObject([&](const MissionObject& object) { scenario.records.push_back(object.record()); });
    return scenario;
}

bool missionSave(MissionDocument& document, const std::string& path) {
    MemorySink sink;
    if (!scenarioWriteBody(sink, missionScenario(document)) || !writeGoals(sink, document) ||
        !sink.write(gradeThresholdsEncode(document.thresholds)))
        return false;
    const std::filesystem::path target = fileResolvePath(path);
    std::filesystem::path temporary = target;
    temporary += ".new";
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const auto& bytes = sink.bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    document.changed = false;
    return true;
}

bool missionRead(const std::string& path, MissionFileContents& contents) {
    std::ifstream in(fileResolvePath(path), std::ios::binary);
    if (!in)
        return false;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return missionReadBytes(bytes, contents);
}

bool missionReadBytes(std::span<const std::uint8_t> bytes, MissionFileContents& contents) {
    MemorySource source(bytes);
    if (!scenarioReadBody(source, contents.scenario))
        return false;
    const std::size_t goalsStart = bytes.size() - source.remaining();
    if (!contents.goals.read(source))
        return false;
    const auto goals = bytes.subspan(goalsStart, bytes.size() - source.remaining() - goalsStart);
    contents.goalSection.assign(goals.begin(), goals.end());
    for (std::int32_t& threshold : contents.thresholds)
        if (!source.readI32(threshold))
            return false;
    const ScenarioHeader& h = contents.scenario.header;
    if (!(std::fabs(h.originLatitude) <= 90.0 && std::fabs(h.originLongitude) <= 360.0))
        return false;
    for (const ScenarioRecord& record : contents.scenario.records)
        if (!recordHolds(record))
            return false;
    return true;
}

void missionApply(MissionDocument& document, MissionFileContents&& contents, ChartView* view) {
    document.clear();
    document.texts = contents.scenario.texts;
    document.header = contents.scenario.header;
    document.thresholds = contents.thresholds;
    document.goals = std::move(contents.goals);
    document.goalsAsRead = std::move(contents.goalSection);
    for (const ScenarioRecord& record : contents.scenario.records) {
        auto* object = new MissionObject(record.x, record.y, record, view);
        // Each leg runs at the speed held after the point before it (the unit's own for the first).
        std::int32_t legSpeed = record.speed;
        for (const ScenarioWaypoint& point : record.waypoints) {
            object->appendWaypoint(point.x, point.y, point.depth, legSpeed);
            legSpeed = point.speed;
        }
        document.addObject(object);
    }
    document.changed = false;
}

} // namespace q71
