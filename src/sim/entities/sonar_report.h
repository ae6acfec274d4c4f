#pragma once
// What the sonar operator says about a weapon or an explosion: a lead-in, the bearing spoken as
// three digits and a tail, queued on the sonar channel.

#include <string_view>

namespace q71 {

/// Priorities of the sonar's weapon reports: a danger to the boat always goes through.
inline constexpr int kSonarReportPriority = 0;
inline constexpr int kSonarWarningPriority = -1;

/// A bearing as the crew speaks and logs it: rounded to whole degrees, 0 to 359.
int spokenBearing(double bearing);

/// The sonar operator reports a bearing (digits of the urgent voice when asked); no tail when empty.
void sonarReportBearing(std::string_view leadIn, double bearing, std::string_view tail, bool urgent,
                        int priority);

} // namespace q71
