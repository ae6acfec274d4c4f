#include "editor/missioneditor/settings_form.h"

#include "editor/missioneditor/form_numbers.h"
#include "editor/missioneditor/mission_document.h"

#include <cstdlib>
#include <optional>

namespace q71 {
namespace {

constexpr long kHighestThreshold = 1000000;

} // namespace

SettingsTexts missionSettingsTexts(const MissionDocument& document) {
    SettingsTexts t;
    for (int i = 0; i < kSettingsTextFields; ++i)
        t[static_cast<size_t>(i)] = document.texts[static_cast<size_t>(i)].value_or("");
    const ScenarioHeader& h = document.header;
    const std::array<std::int32_t, kSettingsEnvironmentFields> environment{h.timeOfDay, h.seaState, h.soundProfile,
                                                                           h.bottomType};
    for (int i = 0; i < kSettingsEnvironmentFields; ++i)
        t[static_cast<size_t>(kSettingsTextFields + i)] = std::to_string(environment[static_cast<size_t>(i)]);
    for (int i = 0; i < kSettingsThresholdFields; ++i)
        t[static_cast<size_t>(kSettingsTextFields + kSettingsEnvironmentFields + i)] =
            std::to_string(document.thresholds[static_cast<size_t>(i)]);
    return t;
}

bool missionSettingsRead(const SettingsTexts& t, MissionDocument& document, int& bad) {
    constexpr std::array<std::pair<long, long>, kSettingsEnvironmentFields> ranges{{{0, 4}, {0, 5}, {0, 2}, {0, 2}}};
    std::array<std::int32_t, kSettingsEnvironmentFields> environment{};
    for (int i = 0; i < kSettingsEnvironmentFields; ++i) {
        const int field = kSettingsTextFields + i;
        const auto value = formWhole(t[static_cast<size_t>(field)], ranges[static_cast<size_t>(i)].first,
                                 ranges[static_cast<size_t>(i)].second);
        if (!value) {
            bad = field;
            return false;
        }
        environment[static_cast<size_t>(i)] = static_cast<std::int32_t>(*value);
    }
    GradeThresholds thresholds{};
    for (int i = 0; i < kSettingsThresholdFields; ++i) {
        const int field = kSettingsTextFields + kSettingsEnvironmentFields + i;
        const auto value = formWhole(t[static_cast<size_t>(field)], 0, kHighestThreshold);
        // Each grade asks for more than the one below it.
        if (!value || (i > 0 && *value <= thresholds[static_cast<size_t>(i - 1)])) {
            bad = field;
            return false;
        }
        thresholds[static_cast<size_t>(i)] = static_cast<std::int32_t>(*value);
    }
    for (int i = 0; i < kSettingsTextFields; ++i) {
        const std::string& text = t[static_cast<size_t>(i)];
        document.texts[static_cast<size_t>(i)] = text.empty() ? std::nullopt : std::optional<std::string>(text);
    }
    document.header.timeOfDay = environment[0];
    document.header.seaState = environment[1];
    document.header.soundProfile = environment[2];
    document.header.bottomType = environment[3];
    document.thresholds = thresholds;
    document.changed = true;
    return true;
}

} // namespace q71
