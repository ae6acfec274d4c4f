#include "frontend/debrief/deck_log_lines.h"

#include "framework/textmngr/text_manager.h"
#include "frontend/game_time_text.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/scoring/mission_event.h"

#include <cmath>

namespace q71 {
namespace {

constexpr int kKindTexts = 2400; // + kind, for the kinds below
constexpr int kOtherKindText = 2399;
constexpr int kTargetText = 2398;
constexpr int kCauseWords = 2440; // + cause 1 to 7; 2440 itself for an unknown one
constexpr int kLastCause = 7;

std::string format(int id, const auto&... args) {
    char line[256];
    textFormat(line, id, args...);
    return line;
}

int roundedRange(const ReplayEvent& e) {
    return std::isfinite(e.range) ? static_cast<int>(std::lround(std::min(std::fabs(e.range), 1.0e9))) : 0;
}

int roundedBearing(const ReplayEvent& e) {
    if (!std::isfinite(e.bearing))
        return 0;
    const int degrees = static_cast<int>(std::lround(std::fmod(e.bearing, 360.0)));
    return (degrees % 360 + 360) % 360;
}

} // namespace

std::optional<std::string> deckLogLine(const ReplayEvent& e) {
    const std::string time = gameTimeText(e.time);
    const std::string subject(replayName(e.subjectName));
    const std::string object(replayName(e.objectName));
    switch (e.kind) {
    case kEventOwnBoatMoved:
        return std::nullopt;
    case kEventDestroyed:
    case kEventRecovered:
    case kEventTeamLaunched:
    case kEventSurvived:
    case kEventDamaged:
    case kEventGrounding:
    case kEventEmergencyBlow:
    case kEventSurfaceOrdered:
    case kEventDiveOrdered:
    case 10: // a transmission of an active sonar or a radar
        return format(kKindTexts + e.kind, time, subject);
    case kEventMeeting:
    case kEventCollision:
        return format(kKindTexts + e.kind, time, subject, object, roundedRange(e), roundedBearing(e));
    case kEventMineReport:
        return format(kKindTexts + e.kind, time, subject, roundedRange(e), roundedBearing(e));
    case kEventMineDetonation:
        return format(kKindTexts + e.kind, time, object);
    case kEventFlooding:
    case kEventRepaired:
    case kEventOptionFlag:
        return format(kKindTexts + e.kind, time, subject, e.extra);
    case kEventWeaponLaunch: {
        std::string line = format(kKindTexts + e.kind, time, subject);
        if (!object.empty())
            line += format(kTargetText, object, roundedRange(e), roundedBearing(e));
        return line;
    }
    case kEventOwnBoatDamage:
        return format(kKindTexts + e.kind, time, subject,
                      textCopy(kCauseWords + (e.extra >= 1 && e.extra <= kLastCause ? e.extra : 0)));
    default:
        return format(kOtherKindText, time, e.kind, subject);
    }
}

std::vector<std::string> deckLogLines(const std::vector<ReplayEvent>& events) {
    std::vector<std::string> lines;
    for (const ReplayEvent& event : events)
        if (auto line = deckLogLine(event))
            lines.push_back(std::move(*line));
    return lines;
}

} // namespace q71
