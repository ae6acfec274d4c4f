// Replay logs as the debriefing reads them: any bytes give whole records with terminated names,
// and the debriefing tells them (deck log, track and markers) without trouble: every track
// point is a number, and the whole track stands at the story's end.
#include "frontend/debrief/deck_log_lines.h"
#include "frontend/debrief/replay_story.h"
#include "sim/scoring/replay_event.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<q71::ReplayEvent> events = q71::replayLogDecode({data, size});
    if (events.size() != size / q71::kReplayEventSize)
        __builtin_trap();
    for (const q71::ReplayEvent& event : events)
        if (event.subjectName.back() != '\0' || event.objectName.back() != '\0')
            __builtin_trap();
    q71::deckLogLines(events);
    const q71::ReplayStory story = q71::replayStory(events, events.empty() ? 0 : events.front().subjectId);
    for (const q71::TrackPoint& p : story.track)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.time))
            __builtin_trap();
    if (story.trackPointsAt(story.endTime) != story.track.size())
        __builtin_trap();
    return 0;
}
