#pragma once
// What happens in a mission that may count for the player or belongs in the replay log:
// posted by the simulation, the stations and the network game to scoring (scoringPostEvent),
// or written straight to the replay log (replayLogWrite).

#include <cstdint>

namespace q71 {

/// The event kinds scoring tells apart; posters use others for the replay log only.
enum MissionEventKind : std::int32_t {
    kEventDestroyed = 1,      ///< an entity destroyed
    kEventOwnBoatMoved = 2,   ///< the own boat's motion reports where it is
    kEventRecovered = 4,      ///< a team or unit taken back aboard
    kEventTeamLaunched = 5,   ///< a team or unit put out
    kEventMeeting = 6,        ///< the subject meets the object
    kEventMineReport = 8,     ///< a mine reports
    kEventSurvived = 9,       ///< the entity is still in the mission at its end
    kEventOptionFlag = 17,    ///< an option: on at the start (extra its code 1-10), or kOptionTrueDisplay
    kEventDamaged = 20,       ///< an entity damaged
    kEventMineDetonation = 22 ///< a mine went off at the object
};

/// The option event of the navigation chart's true display, switched on at the event's time;
/// negated, switched off.
constexpr std::int32_t kOptionTrueDisplay = 12;

struct MissionEvent {
    double x = 0.0; ///< world position of the event, metres
    double y = 0.0;
    double z = 0.0;    ///< metres, negative below the surface
    double time = 0.0; ///< game time, seconds
    std::int32_t kind = 0;
    std::int32_t subject = 0; ///< id of the entity the event is about
    std::int32_t object = 0;  ///< id of the other entity, or 0
    std::int32_t extra = 0;   ///< kind-specific value
};

} // namespace q71
