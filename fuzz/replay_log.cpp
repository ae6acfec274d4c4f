// Replay logs as the debriefing reads them: any bytes give whole records with terminated names.
#include "sim/scoring/replay_event.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<q71::ReplayEvent> events = q71::replayLogDecode({data, size});
    if (events.size() != size / q71::kReplayEventSize)
        __builtin_trap();
    for (const q71::ReplayEvent& event : events)
        if (event.subjectName.back() != '\0' || event.objectName.back() != '\0')
            __builtin_trap();
    return 0;
}
