#pragma once
// Reading a scenario of the data set's "Scenario" folder: the first two text blocks for the
// mission lists, and the whole file when a mission starts.

#include <optional>
#include <string>

namespace q71 {

/// The program path of a scenario: the data set's "Scenario" folder and the name.
std::string scenarioPath(const std::string& name);

/// The description block of a scenario, for the mission lists; none when it is empty or the
/// file cannot be read.
std::optional<std::string> scenReadBlock1(const std::string& name);
/// The mission-name block of a scenario (the description skipped); none when it is empty or the
/// file cannot be read.
std::optional<std::string> scenReadBlock2(const std::string& name);

} // namespace q71
