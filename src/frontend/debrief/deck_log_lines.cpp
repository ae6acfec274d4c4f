#include "frontend/debrief/deck_log_lines.h"

#include "framework/textmngr/text_manager.h"
#include "frontend/game_time_text.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/scoring/mission_event.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace q71 {
namespace {

constexpr int kKindTexts = 2400; // + kind, for the kinds below
constexpr int kOtherKindText = 2399;
constexpr int kTargetText = 2398;
constexpr int kCauseWords = 2440; // + cause 1 to 7; 2440 itself for an unknown one
constexpr int kLastCause = 7;
constexpr int kDestroyedByText = 2425;
constexpr int kDamagedByText = 2426;
constexpr int kStruckByText = 2427;
constexpr int kDamageAtDepthText = 2428;
constexpr int kExerciseTurnAwayText = 2429;
constexpr int kEquipmentText = 2430;  // kinds 11 and 12, by what failed or was repaired
constexpr int kOptionText = 2432;     // an option on at the start, by its name
constexpr int kTrueDisplayOnText = 2433;
constexpr int kTrueDisplayOffText = 2434;
constexpr int kEquipmentWords = 2480; // + the record's extra, 0 to kLastEquipment
constexpr int kLastEquipment = 10;    // the own boat's equipment 1 to 8, then the floodings 9 and 10
constexpr int kOptionWords = 2500;    // + the option code, 1 to kLastNamedOption
constexpr int kLastNamedOption = 9;

// Whether a name is that of a weapon's record: a weapon that meets a hull strikes it.
bool isWeaponName(std::string_view name) {
    for (int i = 0; i < objdbCount(); ++i)
        if (const ObjectRecord* record = objdbGetByIndex(i); record && record->displayName.view() == name) {
            const EntityCategory category = record->category();
            return category == kCategoryTorp || category == kCategoryMissile || category == kCategoryDepth;
        }
    return false;
}

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
    case kEventDamaged:
        // The subject is what did it, the object what suffered; with no object the subject suffered.
        if (!object.empty() && object != subject)
            return format(e.kind == kEventDestroyed ? kDestroyedByText : kDamagedByText, time, object, subject);
        return format(kKindTexts + e.kind, time, subject);
    case kEventCollision:
        // A weapon meeting a hull is its strike, not a collision of two hulls.
        if (isWeaponName(subject) != isWeaponName(object))
            return isWeaponName(subject) ? format(kStruckByText, time, object, subject)
                                         : format(kStruckByText, time, subject, object);
        return format(kKindTexts + e.kind, time, subject, object, roundedRange(e), roundedBearing(e));
    case kEventRecovered:
    case kEventTeamLaunched:
    case kEventSurvived:
    case kEventGrounding:
    case kEventEmergencyBlow:
    case kEventSurfaceOrdered:
    case kEventDiveOrdered:
    case 10: // a transmission of an active sonar or a radar
        return format(kKindTexts + e.kind, time, subject);
    case kEventMeeting:
        return format(kKindTexts + e.kind, time, subject, object, roundedRange(e), roundedBearing(e));
    case kEventMineReport:
        return format(kKindTexts + e.kind, time, subject, roundedRange(e), roundedBearing(e));
    case kEventMineDetonation:
        // A mine's blast and an exercise torpedo's turn-away both count as a hit; the turn-away's
        // subject is the boat that launched the torpedo.
        if (e.subjectCategory == kCategoryMine)
            return format(kKindTexts + e.kind, time, object);
        return format(kExerciseTurnAwayText, time, subject, object);
    case kEventFlooding:
    case kEventRepaired: {
        // An equipment record of the own boat names the boat as its object.
        const std::string& boat = subject.empty() ? object : subject;
        if (e.extra < 0 || e.extra > kLastEquipment)
            return format(kKindTexts + e.kind, time, boat, e.extra);
        const std::string what = textCopy(kEquipmentWords + e.extra);
        return format(kEquipmentText + (e.kind == kEventRepaired ? 1 : 0), time, boat, what);
    }
    case kEventOptionFlag:
        // The navigation chart's true display, switched during the mission.
        if (e.extra == kOptionTrueDisplay || e.extra == -kOptionTrueDisplay)
            return format(e.extra > 0 ? kTrueDisplayOnText : kTrueDisplayOffText, time, subject);
        if (e.extra < 1 || e.extra > kLastNamedOption)
            return format(kKindTexts + e.kind, time, subject, e.extra);
        return format(kOptionText, time, subject, textCopy(kOptionWords + e.extra));
    case kEventWeaponLaunch: {
        std::string line = format(kKindTexts + e.kind, time, subject);
        if (!object.empty())
            line += format(kTargetText, object, roundedRange(e), roundedBearing(e));
        return line;
    }
    case kEventOwnBoatDamage: {
        const std::string cause = textCopy(kCauseWords + (e.extra >= 1 && e.extra <= kLastCause ? e.extra : 0));
        // The record keeps the depth the hull suffered at; older logs have none.
        const int feet = std::isfinite(e.z) ? static_cast<int>(std::lround(std::clamp(-e.z, 0.0, 1.0e6) / kFeetToMetres)) : 0;
        if (feet > 0)
            return format(kDamageAtDepthText, time, subject, cause, feet);
        return format(kKindTexts + e.kind, time, subject, cause);
    }
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
