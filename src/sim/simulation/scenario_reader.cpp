#include "sim/simulation/scenario_reader.h"

#include "framework/resources/record_file.h"
#include "framework/textmngr/text_manager.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "sim/entities/entity.h"
#include "sim/scoring/mission_flow.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_units.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

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
constexpr int kTextBadLevel = 1813;

// Block `index` (0 the description) of a scenario, the blocks before it read past.
std::optional<std::string> readTextBlock(const std::string& name, int index) {
    RecordFile file(scenarioReadPath(name), false, true, false);
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

// A stationary object the object database does not know is still placed, as a plain object.
bool needsKnownRecord(const ScenarioRecord& record) {
    return record.type >= kScenarioSubmarine && record.type <= kScenarioAircraft;
}

// The first unit the mission cannot take, with its record's number (from 1).
ScenarioStatus refusedUnit(const Scenario& scenario) {
    for (std::size_t i = 0; i < scenario.records.size(); ++i) {
        const ScenarioRecord& record = scenario.records[i];
        const auto number = static_cast<int>(i + 1);
        if (needsKnownRecord(record) && !objdbFindByName(record.typeName))
            return {ScenarioError::UnknownObject, record.typeName, number};
        if (isUnit(record) && !crewLevelHolds(record.level))
            return {ScenarioError::BadLevel, std::to_string(record.level), number};
    }
    return {};
}

// The fastest record of the object database runs at 2000 speed units; a speed beyond, or astern,
// would drive a hull's motion out of bounds.
constexpr std::int32_t kTopScenarioSpeed = 2000;

bool speedHolds(std::int32_t speed) {
    return speed >= 0 && speed <= kTopScenarioSpeed;
}

// Places lie on the mission grid, and boxes, areas and patterns are no wider than it: a place
// thousands of kilometres off, or a pattern spiralling out for ever, no motion or patrol survives.
constexpr double kGridMetres = kMissionRegionKm * 1000.0;
constexpr double kGridYards = kGridMetres / 0.9144;

bool onGrid(double x, double y) {
    return x >= 0.0 && x <= kGridMetres && y >= 0.0 && y <= kGridMetres;
}

bool withinGrid(std::initializer_list<double> yards) {
    return std::all_of(yards.begin(), yards.end(), [](double v) { return std::fabs(v) <= kGridYards; });
}

// The values a world cannot be built from: an origin off the globe, a place, a box or a delay
// that is not a number, a place off the grid, a box wider than it, a speed no platform makes.
bool valuesHold(const Scenario& scenario) {
    const ScenarioHeader& h = scenario.header;
    if (!finite({h.originLatitude, h.originLongitude}) || std::fabs(h.originLatitude) > 90.0 ||
        std::fabs(h.originLongitude) > 360.0)
        return false;
    return std::all_of(scenario.records.begin(), scenario.records.end(), [](const ScenarioRecord& r) {
        return finite({r.x, r.y, r.boxWest, r.boxSouth, r.boxEast, r.boxNorth, r.entryDelay, r.randomWidth,
                       r.randomHeight}) &&
               speedHolds(r.speed) && onGrid(r.x, r.y) &&
               withinGrid({r.boxWest, r.boxSouth, r.boxEast, r.boxNorth, r.randomWidth, r.randomHeight}) &&
               std::all_of(r.waypoints.begin(), r.waypoints.end(), [](const ScenarioWaypoint& w) {
                   return finite({w.x, w.y}) && speedHolds(w.speed) && onGrid(w.x, w.y);
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

// The mission takes the scenario's environment, its sky drawn before any unit.
void takeEnvironment(const Scenario& scenario, const DayStart& day) {
    const ScenarioHeader& header = scenario.header;
    MissionState& mission = missionState();
    mission.mapOriginLatitude = header.originLatitude;
    mission.mapOriginLongitude = header.originLongitude;
    mission.soundProfileKind = static_cast<std::uint32_t>(header.soundProfile);
    mission.bottomType = static_cast<std::uint32_t>(header.bottomType);
    simClock().seaState = static_cast<std::uint32_t>(header.seaState);
    simStartDay(day);
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

std::string scenarioPlayersFolder() {
    return locationUserRoot() + "\\Scenario";
}

std::string scenarioDataSetFolder() {
    return locationDataRoot() + "\\Scenario";
}

std::string scenarioPath(const std::string& name) {
    return (scenarioIsPlayers(name) ? scenarioPlayersFolder() : scenarioDataSetFolder()) + "\\" + name;
}

std::string scenarioReadPath(const std::string& name) {
    const std::string path = scenarioPath(name);
    if (!scenarioIsPlayers(name) || fileExists(path))
        return path;
    const std::string shipped = scenarioDataSetFolder() + "\\" + name;
    return fileExists(shipped) ? shipped : path;
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
    RecordFile file(scenarioReadPath(name), false, true, false);
    if (!file.isOpen())
        return {ScenarioError::CannotOpen, {}};
    Scenario scenario;
    RecordFileSource source(file);
    if (!scenarioReadBody(source, scenario) || !valuesHold(scenario))
        return {ScenarioError::Damaged, {}};
    if (ScenarioStatus refused = refusedUnit(scenario); !refused.ok())
        return refused;

    // The sky is drawn before the units, whose draws follow it, but the world changes only once
    // every unit is made: one that cannot be made leaves the world, its origin, day and sea as
    // they were. Records of other types are passed over with their waypoints.
    const DayStart day = simDrawDayStart(static_cast<std::uint32_t>(scenario.header.timeOfDay));
    std::vector<MadeUnit> units;
    for (const ScenarioRecord& record : scenario.records) {
        if (!isUnit(record))
            continue;
        MadeUnit unit{scenarioMakeUnit(record, objdbFindByName(record.typeName)), &record};
        if (!unit.entity)
            return {ScenarioError::CannotMake, record.typeName};
        units.push_back(std::move(unit));
    }

    takeEnvironment(scenario, day);
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
        textFormat(message, kTextUnknownObject, name.c_str(), status.detail.c_str(), status.record);
        break;
    case ScenarioError::CannotMake:
        textFormat(message, kTextCannotMake, name.c_str());
        break;
    case ScenarioError::BadLevel:
        textFormat(message, kTextBadLevel, name.c_str(), status.record, status.detail.c_str());
        break;
    }
    return message;
}

} // namespace q71
