// Scenario files: any bytes give a scenario or a refusal, never a crash nor an allocation
// beyond what the bytes can hold; a scenario that was read writes back into a file that reads
// again the same, goal section and grade thresholds included.
#include "sim/simulation/scenario_file.h"

#include <cstddef>
#include <cstdint>

namespace {

bool sameRecords(const q71::Scenario& a, const q71::Scenario& b) {
    if (a.texts != b.texts || a.records.size() != b.records.size())
        return false;
    for (size_t i = 0; i < a.records.size(); ++i) {
        const q71::ScenarioRecord &p = a.records[i], &q = b.records[i];
        if (p.typeName != q.typeName || p.type != q.type || p.waypoints.size() != q.waypoints.size() ||
            p.goalNode1 != q.goalNode1 || p.goalNode2 != q.goalNode2 || p.depth != q.depth)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::MemorySource source({data, size});
    q71::Scenario scenario;
    if (!q71::scenarioReadBody(source, scenario)) {
        if (!scenario.records.empty() || scenario.texts[0])
            __builtin_trap(); // a refused file leaves nothing behind
        return 0;
    }
    q71::GoalTree goals;
    if (!goals.read(source))
        return 0;
    for (size_t record = 0; record < scenario.records.size(); ++record)
        if (scenario.records[record].typeName.size() > q71::kScenarioNameLength)
            return 0; // a name filling its whole field is read, but a writer keeps room for the NUL
    q71::MemorySink sink;
    if (!q71::scenarioWrite(sink, scenario, goals, q71::kDefaultGradeThresholds))
        __builtin_trap();
    q71::MemorySource again(sink.bytes());
    q71::Scenario reread;
    q71::GoalTree goalsAgain;
    if (!q71::scenarioReadBody(again, reread) || !goalsAgain.read(again) || again.remaining() != 20 ||
        !sameRecords(scenario, reread))
        __builtin_trap();
    return 0;
}
