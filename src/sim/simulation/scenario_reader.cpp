#include "sim/simulation/scenario_reader.h"

#include "framework/resources/record_file.h"
#include "framework/textmngr/text_manager.h"
#include "platform/files/locations.h"
#include "sim/scoring/mission_flow.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_units.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string_view>
#include <vector>

namespace q71 {
namespace {

constexpr int kTextCannotOpen = 867;
constexpr int kTextDamaged = 1810;
constexpr int kTextUnknownObject = 1811;
constexpr int kTextCannotMake = 1812;

// Block `index` (0 the description) of a scenario, the blocks before it read past.
std::optional<std::string> readTextBlock(const std::string& name, int index) {
    RecordFile file(scenarioPath(name), false, true, false);
    if (!file.isOpen())
        return std::nullopt;
    RecordFileSource source(file);
    std::optional<std::string> text;
    for (int block = 0; block <= index; ++block)
        if (!scenReadBlock(source, text))
            return std::nullopt;
    return text;
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool isUnit(const ScenarioRecord& record) {
    return record.type >= kScenarioSubmarine && record.type <= kScenarioObject;
}

// The values a world cannot be built from: an origin off the globe, a place, a box or a delay
// that is not a number.
bool valuesHold(const Scenario& scenario) {
    const ScenarioHeader& h = scenario.header;
    if (!finite({h.originLatitude, h.originLongitude}) || std::fabs(h.originLatitude) > 90.0 ||
        std::fabs(h.originLongitude) > 360.0)
        return false;
    return std::all_of(scenario.records.begin(), scenario.records.end(), [](const ScenarioRecord& r) {
        return finite({r.x, r.y, r.boxWest, r.boxSouth, r.boxEast, r.boxNorth, r.entryDelay, r.randomWidth,
                       r.randomHeight}) &&
               std::all_of(r.waypoints.begin(), r.waypoints.end(), [](const ScenarioWaypoint& w) {
                   return finite({w.x, w.y});
               });
    });
}

struct MadeUnit {
    std::unique_ptr<Entity> entity;
    const ScenarioRecord* record = nullptr;
};

// The mission takes the scenario's texts and start positions.
void takeTextsAndStarts(const Scenario& scenario) {
    MissionTexts& texts = missionTexts();
    texts.name = scenario.texts[kScenarioMissionName];
    texts.briefing = scenario.texts[kScenarioBriefing];
    texts.intelligence = scenario.texts[kScenarioIntelligence];
    texts.tasking = scenario.texts[kScenarioTasking];

    std::vector<OwnShipStart>& starts = ownShipStarts();
    starts.clear();
    for (const ScenarioRecord& record : scenario.records)
        if (record.type == kScenarioOwnShipStart)
            starts.insert(starts.begin(), ownShipStartFromRecord(record));
}

// The mission takes the scenario's environment; the sky is drawn here, before any unit.
void takeEnvironment(const Scenario& scenario) {
    const ScenarioHeader& header = scenario.header;
    MissionState& mission = missionState();
    mission.mapOriginLatitude = header.originLatitude;
    mission.mapOriginLongitude = header.originLongitude;
    mission.soundProfileKind = static_cast<std::uint32_t>(header.soundProfile);
    mission.bottomType = static_cast<std::uint32_t>(header.bottomType);
    simClock().seaState = static_cast<std::uint32_t>(header.seaState);
    simSetTimeOfDay(static_cast<std::uint32_t>(header.timeOfDay));
    simTactical().updateSeaTexture();
}

} // namespace

MissionTexts& missionTexts() {
    static MissionTexts texts;
    return texts;
}

bool scenarioIsPlayers(const std::string& name) {
    const auto endsWith = [&](const char* suffix) {
        const std::string_view tail(suffix);
        return name.size() > tail.size() &&
               std::equal(tail.rbegin(), tail.rend(), name.rbegin(),
                          [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    };
    return endsWith(".scu") || endsWith(".scm");
}

std::string scenarioPath(const std::string& name) {
    return (scenarioIsPlayers(name) ? locationUserRoot() : locationDataRoot()) + "\\Scenario\\" + name;
}

std::optional<std::string> scenReadBlock1(const std::string& name) {
    return readTextBlock(name, kScenarioDescription);
}

std::optional<std::string> scenReadBlock2(const std::string& name) {
    return readTextBlock(name, kScenarioMissionName);
}

std::optional<std::string> scenReadBriefing(const std::string& name) {
    return readTextBlock(name, kScenarioBriefing);
}

ScenarioStatus ReadScen(const std::string& name, std::int32_t mode) {
    RecordFile file(scenarioPath(name), false, true, false);
    if (!file.isOpen())
        return {ScenarioError::CannotOpen, {}};
    Scenario scenario;
    RecordFileSource source(file);
    if (!scenarioReadBody(source, scenario) || !valuesHold(scenario))
        return {ScenarioError::Damaged, {}};
    for (const ScenarioRecord& record : scenario.records)
        if (isUnit(record) && !objdbFindByName(record.typeName))
            return {ScenarioError::UnknownObject, record.typeName};

    takeEnvironment(scenario);
    // Every unit is made before the world changes, so that one that cannot be made leaves it as
    // it was. Records of other types are passed over with their waypoints.
    std::vector<MadeUnit> units;
    for (const ScenarioRecord& record : scenario.records) {
        if (!isUnit(record))
            continue;
        MadeUnit unit{scenarioMakeUnit(record, *objdbFindByName(record.typeName)), &record};
        if (!unit.entity)
            return {ScenarioError::CannotMake, record.typeName};
        units.push_back(std::move(unit));
    }

    takeTextsAndStarts(scenario);
    // The file stands at the goal section, which scoring reads with the grade thresholds.
    scoringBeginMission(name, mode, &file);
    for (MadeUnit& unit : units)
        scenarioEnterUnit(std::move(unit.entity), *unit.record);
    return {};
}

std::string scenarioErrorMessage(const ScenarioStatus& status, const std::string& name) {
    char message[256] = {};
    switch (status.error) {
    case ScenarioError::None:
        break;
    case ScenarioError::CannotOpen:
        textFormat(message, kTextCannotOpen, name.c_str());
        break;
    case ScenarioError::Damaged:
        textFormat(message, kTextDamaged, name.c_str());
        break;
    case ScenarioError::UnknownObject:
        textFormat(message, kTextUnknownObject, name.c_str(), status.detail.c_str());
        break;
    case ScenarioError::CannotMake:
        textFormat(message, kTextCannotMake, name.c_str());
        break;
    }
    return message;
}

} // namespace q71
