#include "frontend/debrief/replay_story.h"

#include "sim/entities/entity_events.h"
#include "sim/scoring/mission_event.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace q71 {
namespace {

bool marked(std::int32_t kind) {
    switch (kind) {
    case kEventDamaged:
    case kEventDestroyed:
    case kEventMineReport:
    case kEventGrounding:
    case kEventOwnBoatDamage:
        return true;
    default:
        return false;
    }
}

bool finite(const ReplayEvent& e) {
    return std::isfinite(e.x) && std::isfinite(e.y) && std::isfinite(e.time);
}

} // namespace

std::size_t ReplayStory::trackPointsAt(double time) const {
    return static_cast<std::size_t>(
        std::count_if(track.begin(), track.end(), [time](const TrackPoint& p) { return p.time <= time; }));
}

ReplayStory replayStory(const std::vector<ReplayEvent>& events, std::int32_t ownBoatId) {
    ReplayStory story;
    // Where each vehicle last reported itself: launches and damage aboard keep no place of their own.
    std::unordered_map<std::int32_t, TrackPoint> lastPlace;
    for (const ReplayEvent& e : events) {
        if (!std::isfinite(e.time))
            continue;
        story.endTime = std::max(story.endTime, e.time);
        if (e.kind == kEventOwnBoatMoved) {
            if (!finite(e))
                continue;
            lastPlace[e.subjectId] = {e.time, e.x, e.y};
            if (e.subjectId == ownBoatId)
                story.track.push_back({e.time, e.x, e.y});
        } else if (e.kind == kEventOwnBoatDamage || e.kind == kEventWeaponLaunch) {
            if (const auto at = lastPlace.find(e.subjectId); at != lastPlace.end())
                story.markers.push_back({e.time, at->second.x, at->second.y, e.kind});
        } else if (marked(e.kind) && finite(e)) {
            story.markers.push_back({e.time, e.x, e.y, e.kind});
        }
    }
    return story;
}

} // namespace q71
