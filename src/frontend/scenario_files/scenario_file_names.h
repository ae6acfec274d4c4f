#pragma once
// The player's own scenarios in the "Scenario" folder of his files: the two endings a scenario
// file box switches between (".scu" single play, ".scm" network play), the names of one ending
// found there, and the file name a typed name gives.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

enum class ScenarioEnding { Single, Network };

/// Longest file name, ending included, that a box takes.
inline constexpr std::size_t kLongestScenarioFileName = 64;

/// ".scu" or ".scm".
const char* scenarioEndingText(ScenarioEnding ending);
/// The ending of a name (in any case), or none when it has neither.
std::optional<ScenarioEnding> scenarioEndingOf(std::string_view name);
/// The names of the scenario files with an ending in the player's folder and the data set's (a
/// name once), sorted without regard to case.
std::vector<std::string> scenarioFilesWith(ScenarioEnding ending);

enum class ScenarioNameFault { None, Empty, BadCharacter, TooLong };

/// The file name of a typed name: without its outer spaces, the chosen ending added unless it
/// ends in one of the two already. A name that is empty, holds a character no file name may
/// (a folder mark, a control character or one of : * ? " < > |) or grows too long is refused and
/// `name` left alone.
ScenarioNameFault scenarioFileNameOf(std::string_view typed, ScenarioEnding chosen, std::string& name);

} // namespace q71
