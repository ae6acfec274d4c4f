#pragma once
// A report of the own boat's crew: a recorded phrase on the speaker's channel and, beside it, the
// line of a text in the message log.

#include "sim/services/audio_service.h"

#include <string_view>

namespace q71 {

/// Priorities of the own boat's reports: the progress of a manoeuvre can wait behind other
/// reports, a failure or a warning is always spoken (a lower value goes first).
inline constexpr int kRoutineReportPriority = 0;
inline constexpr int kUrgentReportPriority = -1;

/// The crew member of a channel says a phrase and the text of an id goes into the message log.
void crewReport(CrewChannel channel, std::string_view wave, int textId, int priority);

} // namespace q71
