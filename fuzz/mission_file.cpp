// The mission editor's scenarios: any bytes open as a mission or are refused, never a crash nor
// an allocation beyond what the bytes hold; what opens has its origin on the globe and only
// places, boxes and delays that are numbers, keeps its goal section as one goal form, and writes back into a file that opens again.
#include "editor/missioneditor/mission_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::MissionFileContents contents;
    if (!q71::missionReadBytes({data, size}, contents))
        return 0;
    if (!std::isfinite(contents.scenario.header.originLatitude))
        __builtin_trap();
    for (const q71::ScenarioRecord& record : contents.scenario.records) {
        if (!std::isfinite(record.x) || !std::isfinite(record.entryDelay) || record.type < 1 || record.type > 6)
            __builtin_trap();
        if (record.typeName.size() > q71::kScenarioNameLength)
            return 0; // a full name field is read, but a writer keeps room for the NUL
    }
    // The goal section kept for a save is exactly one goal form.
    q71::GoalTree kept;
    q71::MemorySource section(contents.goalSection);
    if (!kept.read(section) || section.remaining() != 0)
        __builtin_trap();
    q71::MemorySink sink;
    if (!q71::scenarioWrite(sink, contents.scenario, contents.goals, contents.thresholds))
        __builtin_trap();
    q71::MissionFileContents again;
    if (!q71::missionReadBytes(sink.bytes(), again) || again.thresholds != contents.thresholds ||
        again.scenario.records.size() != contents.scenario.records.size())
        __builtin_trap();
    return 0;
}
