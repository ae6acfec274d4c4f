#pragma once
// The mission's texts, environment and grade thresholds as the settings box shows them, read
// back whole or not at all: the first field that does not read is named by its index.

#include <array>
#include <string>

namespace q71 {

class MissionDocument;

/// The box's fields in edit order: the five texts, time of day, sea state, sound profile,
/// bottom, then the five thresholds.
inline constexpr int kSettingsTextFields = 5;
inline constexpr int kSettingsEnvironmentFields = 4;
inline constexpr int kSettingsThresholdFields = 5;
inline constexpr int kSettingsFieldCount = kSettingsTextFields + kSettingsEnvironmentFields + kSettingsThresholdFields;
using SettingsTexts = std::array<std::string, kSettingsFieldCount>;

SettingsTexts missionSettingsTexts(const MissionDocument& document);

/// Takes the fields into the document and marks it changed. False, nothing changed and `bad` the
/// field, when a number does not read or is out of its range (time 0-4, sea 0-5, profile 0-2,
/// bottom 0-2) or the thresholds do not rise. An empty text is a block without text.
bool missionSettingsRead(const SettingsTexts& texts, MissionDocument& document, int& bad);

} // namespace q71
