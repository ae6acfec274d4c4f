#include "mkdata/scenarios/scenarios_data.h"

#include "mkdata/files.h"
#include "mkdata/scenarios/campaign_writer.h"
#include "mkdata/scenarios/scenario_checks.h"
#include "mkdata/scenarios/scenario_definition.h"
#include "mkdata/terrain/area_checks.h"
#include "sim/scoring/player_record.h"

#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace q71::mkdata {

namespace {

struct MissionName {
    std::string series; ///< the mode's letter and the set's letter
    int number = 0;     ///< from 1
};

bool isSetLetter(char c) {
    return c >= 'a' && c < 'a' + kMissionSets;
}

// A mission's file name: the mode's letter, the set's letter and the mission's number from 1.
std::optional<MissionName> missionName(const std::string& stem) {
    if (stem.size() < 3 || stem.size() > 4 || std::string("TSC").find(stem[0]) == std::string::npos ||
        !isSetLetter(stem[1]) || stem[2] == '0' ||
        stem.find_first_not_of("0123456789", 2) != std::string::npos)
        return std::nullopt;
    const int number = std::stoi(stem.substr(2));
    if (number > kMissionsPerSet)
        return std::nullopt;
    return MissionName{stem.substr(0, 2), number};
}

// A campaign's definition: "campaign-" and the letter of its set.
std::optional<std::int32_t> campaignSet(const std::string& stem) {
    const std::string prefix = "campaign-";
    if (stem.size() != prefix.size() + 1 || stem.rfind(prefix, 0) != 0 || !isSetLetter(stem.back()))
        return std::nullopt;
    return stem.back() - 'a';
}

std::string bytesOf(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Missions of one mode and set are numbered 1, 2, ... without a gap.
void checkNumbering(const std::map<std::string, std::set<int>>& numbers) {
    for (const auto& [series, used] : numbers) {
        int expected = 1;
        for (int n : used)
            if (n != expected++)
                throw std::runtime_error("data/scenarios: the missions " + series + " skip number " +
                                         std::to_string(expected - 1));
        if (used.size() > static_cast<size_t>(kMissionsPerSet))
            throw std::runtime_error("data/scenarios: more than 20 missions " + series);
    }
}

} // namespace

void generateScenarios(const Context& context) {
    const std::vector<MissionArea> areas = readMissionAreas(context.source / "areas.txt");
    const std::filesystem::path objectsSource = context.source / "objects.txt";
    const std::vector<TableRecord> objects =
        parseObjectTable(readSource(objectsSource), objectsSource.string());
    const std::filesystem::path folder = context.source / "scenarios";
    const std::filesystem::path out = context.out / "Scenario";

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::map<std::string, std::set<int>> numbers;
    std::map<std::string, std::unique_ptr<DemGrid>> grids; // one cut per area
    std::vector<std::pair<std::filesystem::path, std::int32_t>> campaigns;
    for (const std::filesystem::path& file : files) {
        const std::string stem = file.stem().string();
        if (const std::optional<std::int32_t> set = campaignSet(stem)) {
            campaigns.emplace_back(file, *set);
            continue;
        }
        // A network scenario keeps its own name ("Duel.scm.txt" gives "Duel.scm"); the others
        // are numbered missions of a series.
        const bool network = stem.size() > 4 && stem.substr(stem.size() - 4) == ".scm";
        const std::optional<MissionName> mission = missionName(stem);
        if (!mission && !network)
            throw std::runtime_error(file.string() + ": a scenario is named T, S or C, a set letter a-j and "
                                                     "its number 1-20 (Sa1.txt), a network one <name>.scm.txt, "
                                                     "a campaign campaign-a.txt");
        if (mission)
            numbers[mission->series].insert(mission->number);
        const ScenarioDefinition definition =
            parseScenarioDefinition(readSource(file), file, stem, areas, objects);
        std::unique_ptr<DemGrid>& grid = grids[definition.area->key];
        if (!grid) {
            std::string error;
            grid = cutAreaGrid(context.out / "terrain" / "WCDEM.dem", *definition.area, error);
            if (!grid)
                throw std::runtime_error(file.string() + ": the grid of " + definition.area->key +
                                         " cannot be cut " + error);
        }
        checkScenarioWater(definition, *grid);
        MemorySink sink;
        if (!scenarioWrite(sink, definition.scenario, scenarioGoalTree(definition), definition.thresholds))
            throw std::runtime_error(file.string() + ": the scenario cannot be encoded");
        writeOutput(out / (network ? stem : stem + ".scn"), bytesOf(sink.bytes()));
    }
    checkNumbering(numbers);

    for (const auto& [file, set] : campaigns) {
        const Campaign campaign = parseCampaignDefinition(readSource(file), file, set);
        const std::string series = std::string("C") + static_cast<char>('a' + set);
        const size_t missions = numbers.count(series) ? numbers.at(series).size() : 0;
        if (missions != static_cast<size_t>(campaign.totalMissions))
            throw std::runtime_error(file.string() + ": the legs hold " +
                                     std::to_string(campaign.totalMissions) + " missions, the scenarios " +
                                     series + " " + std::to_string(missions));
        writeOutput(out / (std::string(1, static_cast<char>('a' + set)) + ".cdf"),
                    bytesOf(campaignEncode(campaign)));
    }
}

} // namespace q71::mkdata
