#pragma once
// What the debriefing's track plot and replay map show of a replay log: the own boat's track from
// its position records (kind 2 with the own boat as subject) and markers where the records of
// hits (20), losses (1), mine reports (8) and groundings (23) put them, and of launches (18) and
// damage aboard (24) where the vehicle was. Other entities have no track: they appear only as
// these markers.

#include "sim/scoring/replay_event.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace q71 {

struct TrackPoint {
    double time = 0.0; ///< game seconds
    double x = 0.0;    ///< world metres
    double y = 0.0;
};

struct ReplayMarker {
    double time = 0.0;
    double x = 0.0;
    double y = 0.0;
    std::int32_t kind = 0;
};

struct ReplayStory {
    std::vector<TrackPoint> track; ///< in the log's order
    std::vector<ReplayMarker> markers;
    double endTime = 0.0; ///< the last record's time

    bool empty() const { return track.empty() && markers.empty(); }
    /// How many track points stand at or before a time (the track grows in time order).
    std::size_t trackPointsAt(double time) const;
    /// True when a marker shows at a time.
    static bool markerShows(const ReplayMarker& marker, double time) { return marker.time <= time; }
};

/// The story of a log, the own boat known by its id. Records whose place or time is not a number
/// are passed over. A launch record keeps no place, and a damage record carries the damage in its
/// place: their markers stand where the launcher, or the damaged boat, last reported itself, and
/// are left out before it did.
ReplayStory replayStory(const std::vector<ReplayEvent>& events, std::int32_t ownBoatId);

} // namespace q71
