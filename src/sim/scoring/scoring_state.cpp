#include "sim/scoring/scoring_state.h"

#include "sim/scoring/byte_layout.h"
#include "sim/scoring/player_files.h"

#include <algorithm>
#include <limits>

namespace q71 {
namespace {

std::array<std::uint8_t, kGradeThresholdsSize> encodedThresholds() {
    return gradeThresholdsEncode(scoringState().thresholds);
}

} // namespace

std::array<std::uint8_t, kGradeThresholdsSize> gradeThresholdsEncode(const GradeThresholds& thresholds) {
    std::array<std::uint8_t, kGradeThresholdsSize> bytes{};
    LayoutWriter(bytes).words(0, thresholds);
    return bytes;
}

ScoringState& scoringState() {
    static ScoringState state;
    return state;
}

void scoringAddPoints(std::int32_t points) {
    const std::int64_t sum = std::int64_t{scoringState().score} + points;
    scoringState().score = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t gradeForScore(std::int32_t score, const GradeThresholds& thresholds) {
    for (std::int32_t grade = 5; grade >= 1; --grade)
        if (score >= thresholds[static_cast<size_t>(grade - 1)])
            return grade;
    return 0;
}

std::int32_t missionGrade() {
    return gradeForScore(scoringState().score, scoringState().thresholds);
}

void gradeThresholdsDefault() {
    scoringState().thresholds = kDefaultGradeThresholds;
}

bool gradeThresholdsRead(RecordFile& file) {
    gradeThresholdsDefault();
    std::array<std::uint8_t, kGradeThresholdsSize> bytes{};
    if (!file.read(bytes.data(), bytes.size()))
        return false;
    LayoutReader(bytes).words(0, scoringState().thresholds);
    return true;
}

bool gradeThresholdsWrite(RecordFile& file) {
    const auto bytes = encodedThresholds();
    return file.write(bytes.data(), bytes.size()) == 1;
}

bool gradeThresholdsLoadFile(const std::string& name) {
    RecordFile file(name + "M", false, true, false);
    if (!file.isOpen()) {
        gradeThresholdsDefault();
        return false;
    }
    return gradeThresholdsRead(file);
}

bool gradeThresholdsSaveFile(const std::string& name) {
    return fileReplaceContents(name + "M", encodedThresholds());
}

} // namespace q71
