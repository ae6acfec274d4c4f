#pragma once
// The score of the running mission, its grade against the five thresholds that travel with
// the scenario, and whether every required goal was reached. One mission at a time.

#include "framework/resources/record_file.h"

#include <array>
#include <cstdint>
#include <string>

namespace q71 {

/// The scores a mission must reach for grades 1 to 5.
using GradeThresholds = std::array<std::int32_t, 5>;
inline constexpr GradeThresholds kDefaultGradeThresholds = {200, 400, 600, 800, 1000};
inline constexpr size_t kGradeThresholdsSize = 20;

struct ScoringState {
    std::int32_t score = 0;
    std::int32_t grade = 0; ///< 0 to 5
    bool won = false;       ///< every required goal achieved (set at the end)
    GradeThresholds thresholds = kDefaultGradeThresholds;
};

/// The scoring state of the running mission.
ScoringState& scoringState();

/// Adds points to the mission score, held within the range of a 32-bit score.
void scoringAddPoints(std::int32_t points);

/// The grade of a score: 5 when it reaches the fifth threshold, down to 1 for the first, else 0.
std::int32_t gradeForScore(std::int32_t score, const GradeThresholds& thresholds);
/// The grade of the current score.
std::int32_t missionGrade();

/// The 20 bytes of a set of thresholds, as the scenario and threshold files hold them.
std::array<std::uint8_t, kGradeThresholdsSize> gradeThresholdsEncode(const GradeThresholds& thresholds);

/// Sets the thresholds to 200, 400, 600, 800 and 1000.
void gradeThresholdsDefault();
/// Sets the defaults, then reads the 20 threshold bytes from an open file; false when they are missing.
bool gradeThresholdsRead(RecordFile& file);
/// Writes the 20 threshold bytes; false when the write fails.
bool gradeThresholdsWrite(RecordFile& file);
/// gradeThresholdsRead on the file `name` + "M" (defaults when it is missing).
bool gradeThresholdsLoadFile(const std::string& name);
/// Writes the thresholds to the file `name` + "M"; false when it cannot be written.
bool gradeThresholdsSaveFile(const std::string& name);

} // namespace q71
