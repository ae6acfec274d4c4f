#include "frontend/scenario_files/scenario_file_names.h"

#include "platform/files/path.h"
#include "sim/simulation/scenario_reader.h"

#include <algorithm>
#include <cctype>

namespace q71 {
namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool endsWithIgnoringCase(std::string_view name, std::string_view tail) {
    return name.size() > tail.size() &&
           std::equal(tail.rbegin(), tail.rend(), name.rbegin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

const char* scenarioEndingText(ScenarioEnding ending) {
    switch (ending) {
    case ScenarioEnding::Network:
        return ".scm";
    case ScenarioEnding::DataSet:
        return ".scn";
    default:
        return ".scu";
    }
}

std::optional<ScenarioEnding> scenarioEndingOf(std::string_view name) {
    for (ScenarioEnding ending : {ScenarioEnding::Single, ScenarioEnding::Network, ScenarioEnding::DataSet})
        if (endsWithIgnoringCase(name, scenarioEndingText(ending)))
            return ending;
    return std::nullopt;
}

std::vector<std::string> scenarioFilesWith(ScenarioEnding ending) {
    std::vector<std::string> names =
        fileNamesIn(ending == ScenarioEnding::DataSet ? scenarioDataSetFolder() : scenarioPlayersFolder());
    // A player's ending lists the data set's own scenarios of it too, unless the player has one
    // of the same name.
    if (ending != ScenarioEnding::DataSet)
        for (std::string& shipped : fileNamesIn(scenarioDataSetFolder()))
            if (std::none_of(names.begin(), names.end(),
                             [&](const std::string& n) { return lowered(n) == lowered(shipped); }))
                names.push_back(std::move(shipped));
    std::erase_if(names, [&](const std::string& name) { return scenarioEndingOf(name) != ending; });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lowered(a) < lowered(b);
    });
    return names;
}

std::string scenarioNameWithEnding(std::string_view name, ScenarioEnding ending) {
    std::string result(name);
    if (scenarioEndingOf(name)) // the three endings are all four bytes long
        result.replace(result.size() - 4, 4, scenarioEndingText(ending));
    return result;
}

ScenarioNameFault scenarioFileNameOf(std::string_view typed, ScenarioEnding chosen, bool opening, std::string& name) {
    const auto first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return ScenarioNameFault::Empty;
    typed = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    const bool badCharacter = std::any_of(typed.begin(), typed.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos;
    });
    if (badCharacter)
        return ScenarioNameFault::BadCharacter;
    std::string result(typed);
    const auto typedEnding = scenarioEndingOf(result);
    // A save never writes the data set's ending: the chosen one stands in its place, as a switch
    // of kind would put it. An open box takes the data set's files by their name.
    if (!typedEnding)
        result += scenarioEndingText(chosen);
    else if (*typedEnding == ScenarioEnding::DataSet && !opening && chosen != ScenarioEnding::DataSet)
        result = scenarioNameWithEnding(result, chosen);
    if (result.size() > kLongestScenarioFileName)
        return ScenarioNameFault::TooLong;
    name = std::move(result);
    return ScenarioNameFault::None;
}

ScenarioSaveQuestion scenarioSaveQuestion(const std::string& name, const std::string& ownName) {
    const std::string target = scenarioPath(name);
    if (fileExists(target)) {
        const bool own = !ownName.empty() && fileResolvePath(scenarioReadPath(ownName)) == fileResolvePath(target);
        return own ? ScenarioSaveQuestion::None : ScenarioSaveQuestion::Replace;
    }
    // A player's scenario is read before the data set's of its name: it would stand in its place.
    if (scenarioIsPlayers(name) && fileExists(scenarioDataSetFolder() + "\\" + name))
        return ScenarioSaveQuestion::TakesDataSetsPlace;
    return ScenarioSaveQuestion::None;
}

} // namespace q71
