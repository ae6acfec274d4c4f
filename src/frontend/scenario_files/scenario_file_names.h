#pragma once
// The player's own scenarios in the "Scenario" folder of his files: the two endings a scenario
// file box switches between (".scu" single play, ".scm" network play), the names of one ending
// found there, and the file name a typed name gives. A box that opens may also offer the data
// set's scenarios (".scn", in its own "Scenario" folder), which are only ever read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

enum class ScenarioEnding { Single, Network, DataSet };

/// Longest file name, ending included, that a box takes.
inline constexpr std::size_t kLongestScenarioFileName = 64;

/// ".scu", ".scm" or ".scn".
const char* scenarioEndingText(ScenarioEnding ending);
/// The ending of a name (in any case), or none when it has none of the three.
std::optional<ScenarioEnding> scenarioEndingOf(std::string_view name);
/// The names of the scenario files with an ending, sorted without regard to case: for ".scn" the
/// data set's; for the player's two endings his and the data set's of that ending (a name once).
std::vector<std::string> scenarioFilesWith(ScenarioEnding ending);

/// A name that ends in one of the three endings with the given one in its place; a name without
/// one as it is (the box adds the ending when it takes the name).
std::string scenarioNameWithEnding(std::string_view name, ScenarioEnding ending);

enum class ScenarioNameFault { None, Empty, BadCharacter, TooLong };

/// The file name of a typed name: without its outer spaces, the chosen ending added unless it
/// ends in one of the player's two already, or in ".scn" when opening or with ".scn" chosen; a
/// save, which never writes a ".scn", puts the chosen ending in its place. A name that is empty,
/// holds a character no file name may (a folder mark, a control character or one of
/// : * ? " < > |) or grows too long is refused and `name` left alone.
ScenarioNameFault scenarioFileNameOf(std::string_view typed, ScenarioEnding chosen, bool opening, std::string& name);

enum class ScenarioSaveQuestion { None, Replace, TakesDataSetsPlace };

/// What a save under a file name asks before it writes: nothing over the open document's own
/// file (`ownName`, the name it was opened or last saved under, read where the program reads it;
/// empty for none) nor for a new name; whether to replace another file; whether a scenario of a
/// name the data set has may go into the player's folder, where it takes the data set's place.
ScenarioSaveQuestion scenarioSaveQuestion(const std::string& name, const std::string& ownName);

} // namespace q71
