#include "mkdata/scenarios/scenario_definition.h"

#include "platform/text/cp1252.h"
#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

namespace {

struct Word {
    std::string text;
    bool quoted = false;
};

// Named values of the statements.
const std::map<std::string, std::int32_t> kTimes = {{"day", 1}, {"night", 2}, {"dusk", 3}, {"dawn", 4}};
const std::map<std::string, std::int32_t> kSoundProfiles = {
    {"isothermal", 1}, {"deep-layer", 2}, {"bottom-layer", 3}};
const std::map<std::string, std::int32_t> kBottoms = {{"sand", 0}, {"mud", 1}, {"rock", 2}};
const std::map<std::string, std::int32_t> kSides = {
    {"friendly", 1}, {"hostile", 2}, {"ally", 3}, {"neutral", 4}};
const std::map<std::string, ScenarioText> kTexts = {{"description", kScenarioDescription},
                                                    {"name", kScenarioMissionName},
                                                    {"briefing", kScenarioBriefing},
                                                    {"intelligence", kScenarioIntelligence},
                                                    {"tasking", kScenarioTasking}};
// A stop in an area is met by the own boat's position reports, which only goals of the recovery
// kind take (the other kind of stop goal waits for an event no one scores).
const std::map<std::string, std::int32_t> kGoalKinds = {
    {"destroy", kGoalDestroy}, {"reach", kGoalReachArea},     {"recover", kGoalRecover},
    {"stop", kGoalRecover},    {"spotted", kGoalTargetMeets}, {"survive", kGoalSurvive},
    {"damage", kGoalDamage}};
const std::map<std::string, std::int32_t> kDepthConditions = {
    {"any", 0},         {"above-500ft", 1}, {"below-500ft", 2}, {"periscope", 3},   {"below-periscope", 4},
    {"above-layer", 5}, {"below-layer", 6}, {"above-150ft", 7}, {"above-100ft", 8}, {"surfaced", 9}};
const std::map<std::string, std::int32_t> kActions = {
    {"land-team", kActionLandTeam},           {"recover-team", kActionRecoverTeam},
    {"recover-pilot", kActionRecoverPilot},   {"launch-rescue", kActionLaunchRescue},
    {"recover-rescue", kActionRecoverRescue}, {"land-team-here", kActionLandTeamHere}};

struct UnitKind {
    const char* word;
    UnitClass unitClass;
    std::int32_t recordType;
};
constexpr UnitKind kUnitKinds[] = {{"sub", UnitClass::Submarine, kScenarioSubmarine},
                                   {"ship", UnitClass::SurfaceShip, kScenarioSurfaceShip},
                                   {"plane", UnitClass::Aircraft, kScenarioAircraft},
                                   {"mine", UnitClass::Mine, kScenarioMine},
                                   {"object", UnitClass::Object, kScenarioObject}};

constexpr double kSecondsPerMinute = 60.0;
constexpr std::int32_t kMaxLevel = 4;
constexpr std::int32_t kMaxSeaState = 5;

class DefinitionParser {
public:
    DefinitionParser(const std::filesystem::path& source, const std::vector<MissionArea>& areas,
                     const std::vector<TableRecord>& objects)
        : source_(source), areas_(areas), objects_(objects) {}

    ScenarioDefinition parse(const std::string& text, const std::string& name) {
        definition_.name = name;
        definition_.source = source_;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            ++line_;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (textBlock_) {
                textLine(line);
                continue;
            }
            split(line.substr(0, commentStart(line)));
            if (!words_.empty())
                statement();
        }
        if (textBlock_)
            fail("the text " + textName_ + " has no end");
        finish();
        return std::move(definition_);
    }

private:
    std::filesystem::path source_;
    const std::vector<MissionArea>& areas_;
    const std::vector<TableRecord>& objects_;
    ScenarioDefinition definition_;
    int line_ = 0;
    std::vector<Word> words_;
    size_t at_ = 0; // the next word of the statement
    bool textBlock_ = false;
    ScenarioText textIndex_ = kScenarioDescription;
    std::string textName_;
    std::vector<std::string> paragraphs_;
    bool seenTime_ = false, seenSea_ = false, seenSound_ = false, seenBottom_ = false, seenGrades_ = false;
    std::optional<std::string> boatName_;
    std::map<std::string, size_t> labels_; // unit label to record index
    int lastUnit_ = -1;                    // the record that takes waypoints, or -1

    [[noreturn]] void fail(const std::string& reason) const {
        throw std::runtime_error(source_.string() + ":" + std::to_string(line_) + ": " + reason);
    }

    // A '#' outside quotes starts a comment.
    static size_t commentStart(const std::string& line) {
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else if (line[i] == '#' && !quoted)
                return i;
        }
        return line.size();
    }

    void split(const std::string& code) {
        words_.clear();
        at_ = 0;
        for (size_t i = 0; i < code.size();) {
            if (code[i] == ' ' || code[i] == '\t') {
                ++i;
            } else if (code[i] == '"') {
                const size_t close = code.find('"', i + 1);
                if (close == std::string::npos)
                    fail("a quoted text has no closing quote");
                words_.push_back({code.substr(i + 1, close - i - 1), true});
                i = close + 1;
            } else {
                const size_t end = code.find_first_of(" \t\"", i);
                words_.push_back({code.substr(i, end == std::string::npos ? end : end - i), false});
                i = end == std::string::npos ? code.size() : end;
            }
        }
    }

    // Reading the words of a statement.
    bool more() const { return at_ < words_.size(); }
    const Word& next(const char* what) {
        if (!more())
            fail(std::string("missing ") + what + " after " + words_[0].text);
        return words_[at_++];
    }
    std::string word(const char* what) {
        const Word& w = next(what);
        if (w.quoted)
            fail(std::string("expected ") + what + ", not a quoted text");
        return w.text;
    }
    bool isNumber(size_t i) const {
        if (i >= words_.size() || words_[i].quoted)
            return false;
        char* end = nullptr;
        const double v = std::strtod(words_[i].text.c_str(), &end);
        return end != words_[i].text.c_str() && *end == '\0' && std::isfinite(v);
    }
    double number(const char* what) {
        if (!isNumber(at_))
            fail(std::string("expected ") + what + (more() ? ", not \"" + words_[at_].text + "\"" : ""));
        return std::strtod(words_[at_++].text.c_str(), nullptr);
    }
    std::int32_t integer(const char* what, double low, double high) {
        const double v = number(what);
        if (v != std::trunc(v) || v < low || v > high)
            fail(std::string(what) + " must be a whole number from " + std::to_string(std::lround(low)) +
                 " to " + std::to_string(std::lround(high)));
        return static_cast<std::int32_t>(v);
    }
    template <class Value> Value named(const std::map<std::string, Value>& names, const char* what) {
        const std::string w = word(what);
        const auto found = names.find(w);
        if (found == names.end()) {
            std::string known;
            for (const auto& [key, value] : names)
                known += (known.empty() ? "" : ", ") + key;
            fail("unknown " + std::string(what) + " \"" + w + "\" (known: " + known + ")");
        }
        return found->second;
    }
    std::string windows1252(const std::string& utf8) const {
        std::string converted;
        size_t errorOffset = 0;
        if (!utf8ToCp1252(utf8, converted, errorOffset))
            fail("the text cannot be written in Windows-1252 (byte " + std::to_string(errorOffset) + ")");
        return converted;
    }
    void done() const {
        if (more())
            fail("unexpected \"" + words_[at_].text + "\"");
    }
    void once(bool& seen) const {
        if (seen)
            fail(words_[0].text + " is given twice");
        seen = true;
    }

    const MissionArea& area() const {
        if (!definition_.area)
            fail(words_[0].text + " before the area");
        return *definition_.area;
    }

    // A place: a site of the area, then optionally km east and north of it. World metres.
    WorldPoint place() {
        const std::string name = word("a site");
        const auto& sites = area().sites;
        const auto site =
            std::find_if(sites.begin(), sites.end(), [&](const AreaSite& s) { return s.name == name; });
        if (site == sites.end())
            fail("the area " + area().key + " has no site \"" + name + "\"");
        WorldPoint p{site->worldX(), site->worldY(), 0.0};
        if (isNumber(at_) && isNumber(at_ + 1)) {
            p.x += number("km east") * 1000.0;
            p.y += number("km north") * 1000.0;
        }
        return p;
    }

    const TableRecord& object(const std::string& key) const {
        const auto found = std::find_if(objects_.begin(), objects_.end(), [&](const TableRecord& r) {
            return objectKeysMatch(r.record.keyName.view(), key);
        });
        if (found == objects_.end())
            fail("the object database has no record \"" + key + "\"");
        return *found;
    }

    void statement() {
        const std::string keyword = word("a keyword");
        if (keyword == "area")
            return areaStatement();
        if (keyword == "time") {
            once(seenTime_);
            definition_.scenario.header.timeOfDay = named(kTimes, "time of day");
        } else if (keyword == "sea") {
            once(seenSea_);
            definition_.scenario.header.seaState = integer("sea state", 0, kMaxSeaState);
        } else if (keyword == "sound") {
            once(seenSound_);
            definition_.scenario.header.soundProfile = named(kSoundProfiles, "sound profile");
        } else if (keyword == "bottom") {
            once(seenBottom_);
            definition_.scenario.header.bottomType = named(kBottoms, "bottom");
        } else if (keyword == "boat") {
            if (boatName_)
                fail("boat is given twice");
            boatName_ = windows1252(next("the boat's name").text);
            if (boatName_->empty() || boatName_->size() > kScenarioNameLength)
                fail("the boat's name takes 1 to 31 characters");
        } else if (keyword == "grades") {
            grades();
        } else if (keyword == "text") {
            return startText();
        } else if (keyword == "start") {
            start();
        } else if (keyword == "unit") {
            unit();
        } else if (keyword == "waypoint") {
            waypoint();
        } else if (keyword == "goal") {
            goal();
        } else {
            fail("unknown keyword \"" + keyword + "\"");
        }
        done();
    }

    void areaStatement() {
        if (definition_.area)
            fail("area is given twice");
        const std::string key = word("an area");
        const auto found =
            std::find_if(areas_.begin(), areas_.end(), [&](const MissionArea& a) { return a.key == key; });
        if (found == areas_.end())
            fail("data/areas.txt has no area \"" + key + "\"");
        definition_.area = &*found;
        definition_.scenario.header.originLatitude = found->lat;
        definition_.scenario.header.originLongitude = found->lon;
        done();
    }

    void grades() {
        once(seenGrades_);
        for (std::int32_t& threshold : definition_.thresholds)
            threshold = integer("a grade threshold", 1, 100000);
        if (!std::is_sorted(definition_.thresholds.begin(), definition_.thresholds.end()) ||
            std::adjacent_find(definition_.thresholds.begin(), definition_.thresholds.end()) !=
                definition_.thresholds.end())
            fail("the grade thresholds must rise");
    }

    // Texts: lines of a paragraph are joined by spaces; an empty line starts a new paragraph.
    void startText() {
        const ScenarioText block = named(kTexts, "text block");
        done();
        if (definition_.scenario.texts[block])
            fail("the text " + words_[1].text + " is given twice");
        textBlock_ = true;
        textName_ = words_[1].text;
        textIndex_ = block;
        paragraphs_.assign(1, "");
    }

    void textLine(const std::string& raw) {
        const size_t first = raw.find_first_not_of(" \t");
        const std::string line =
            first == std::string::npos ? "" : raw.substr(first, raw.find_last_not_of(" \t") - first + 1);
        if (line == "end") {
            textBlock_ = false;
            while (!paragraphs_.empty() && paragraphs_.back().empty())
                paragraphs_.pop_back();
            if (paragraphs_.empty())
                fail("the text " + textName_ + " is empty");
            std::string joined;
            for (const std::string& p : paragraphs_)
                joined += (joined.empty() ? "" : "\r\n") + p;
            definition_.scenario.texts[textIndex_] = windows1252(joined);
        } else if (line.empty()) {
            if (!paragraphs_.back().empty())
                paragraphs_.emplace_back();
        } else {
            std::string& p = paragraphs_.back();
            p += (p.empty() ? "" : " ") + line;
        }
    }

    // The position, depth, speed and course every placed record starts with.
    void placement(ScenarioRecord& record) {
        if (word("at") != "at")
            fail("expected at and a place");
        const WorldPoint p = place();
        record.x = p.x;
        record.y = p.y;
        while (more() && !isNumber(at_)) {
            const std::string option = words_[at_].text;
            if (option != "depth" && option != "speed" && option != "course")
                break;
            ++at_;
            if (option == "depth")
                record.depth = integer("a depth in feet", -5000, 50000);
            else if (option == "speed")
                record.speed = integer("a speed", 0, 1000);
            else
                record.course = integer("a course", 0, 359);
        }
    }

    void spread(ScenarioRecord& record) {
        record.randomPlacement = 1;
        record.randomWidth = number("a width in yards");
        record.randomHeight = number("a height in yards");
        if (record.randomWidth <= 0.0 || record.randomHeight <= 0.0)
            fail("a spread takes a width and height above 0");
    }

    void start() {
        ScenarioRecord record;
        record.type = kScenarioOwnShipStart;
        record.side = 1;
        placement(record);
        if (more() && words_[at_].text == "spread") {
            ++at_;
            spread(record);
        }
        add(std::move(record), {"", UnitClass::OwnStart, nullptr, line_});
        lastUnit_ = -1;
    }

    void unit() {
        const std::string label = word("a label");
        if (labels_.count(label))
            fail("the unit " + label + " is given twice");
        const std::string kindWord = word("a unit kind");
        const auto kind = std::find_if(std::begin(kUnitKinds), std::end(kUnitKinds),
                                       [&](const UnitKind& k) { return kindWord == k.word; });
        if (kind == std::end(kUnitKinds))
            fail("unknown unit kind \"" + kindWord + "\" (sub, ship, plane, mine, object)");
        const TableRecord& table = object(word("an object record"));
        checkKind(*kind, table.record);
        ScenarioRecord record;
        record.type = kind->recordType;
        record.typeName = std::string(table.record.keyName.view());
        if (word("side") != "side")
            fail("expected side");
        record.side = named(kSides, "side");
        if (word("level") != "level")
            fail("expected level");
        record.level = integer("a level", 1, kMaxLevel);
        placement(record);
        unitOptions(record);
        labels_[label] = definition_.scenario.records.size();
        add(std::move(record), {label, kind->unitClass, &table.record, line_});
        lastUnit_ = static_cast<int>(definition_.scenario.records.size()) - 1;
    }

    void checkKind(const UnitKind& kind, const ObjectRecord& record) const {
        const bool mine = record.category() == kCategoryMine;
        const bool fits = kind.unitClass == UnitClass::Submarine     ? record.kind == kObjectKindSubmarine
                          : kind.unitClass == UnitClass::SurfaceShip ? record.kind == kObjectKindSurfaceShip
                          : kind.unitClass == UnitClass::Aircraft    ? record.kind == kObjectKindAircraft
                          : kind.unitClass == UnitClass::Mine        ? mine
                                                              : record.kind > kObjectKindAircraft && !mine;
        if (!fits)
            fail("the record " + std::string(record.keyName.view()) + " is not a " + kind.word);
    }

    void unitOptions(ScenarioRecord& record) {
        while (more()) {
            const std::string option = word("an option");
            if (option == "mode") {
                record.patrolMode = integer("a patrol mode", 1, 19);
            } else if (option == "box") {
                record.boxWest = number("the west offset in yards");
                record.boxSouth = number("the south offset in yards");
                record.boxEast = number("the east offset in yards");
                record.boxNorth = number("the north offset in yards");
                if (record.boxEast <= record.boxWest || record.boxNorth <= record.boxSouth)
                    fail("a box runs from its west and south offsets to larger east and north ones");
            } else if (option == "area") {
                record.boxEast = number("the area width in yards");
                record.boxNorth = number("the area height in yards");
            } else if (option == "buoys") {
                record.areaFlag = static_cast<std::uint8_t>(integer("a buoy count", 1, 255));
            } else if (option == "pattern") {
                record.boxEast = number("the pattern's width or size in yards");
                if (isNumber(at_))
                    record.boxNorth = number("the pattern's height in yards");
            } else if (option == "delay") {
                record.entryDelay = integer("a delay in minutes", 1, 24 * 60) * kSecondsPerMinute;
            } else if (option == "spread") {
                spread(record);
            } else {
                fail("unknown unit option \"" + option + "\"");
            }
        }
        if (record.patrolMode == 0 && record.type <= kScenarioAircraft)
            fail("a vehicle needs a mode");
    }

    void waypoint() {
        if (lastUnit_ < 0 ||
            definition_.units[static_cast<size_t>(lastUnit_)].unitClass > UnitClass::Aircraft)
            fail("a waypoint follows the submarine, ship or aircraft it belongs to");
        ScenarioRecord placed;
        placement(placed);
        ScenarioRecord& record = definition_.scenario.records[static_cast<size_t>(lastUnit_)];
        // The order takes the waypoint's depth as it stands: whole metres.
        record.waypoints.push_back({placed.x, placed.y,
                                    static_cast<std::int32_t>(std::lround(placed.depth * kFeetToMetres)),
                                    placed.speed});
    }

    void goal() {
        GoalDefinition g;
        g.line = line_;
        g.node.id = integer("a goal number", 1, 9999);
        for (const GoalDefinition& other : definition_.goals)
            if (other.node.id == g.node.id)
                fail("the goal " + std::to_string(g.node.id) + " is given twice");
        g.node.kind = named(kGoalKinds, "goal kind");
        std::optional<std::string> target;
        while (more()) {
            const std::string option = word("an option");
            if (option == "parent") {
                g.parent = integer("a goal number", 1, 9999);
                if (std::none_of(definition_.goals.begin(), definition_.goals.end(),
                                 [&](const GoalDefinition& o) { return o.node.id == g.parent; }))
                    fail("a goal follows a goal given before it");
            } else if (option == "target") {
                target = word("a unit label");
            } else if (option == "subject") {
                g.node.subjectFilter = static_cast<std::int32_t>(object(word("an object record")).record.id);
            } else if (option == "at") {
                const WorldPoint p = place();
                g.node.centreX = p.x;
                g.node.centreY = p.y;
            } else if (option == "radius") {
                g.node.radius = number("a radius in metres");
            } else if (option == "box") {
                g.node.halfWidth = number("a half width in metres");
                g.node.halfHeight = number("a half height in metres");
            } else if (option == "depth") {
                g.node.depthCondition = named(kDepthConditions, "depth condition");
            } else if (option == "between") {
                g.node.earliestTime = number("a time in minutes") * kSecondsPerMinute;
                g.node.latestTime = number("a time in minutes") * kSecondsPerMinute;
                if (g.node.latestTime <= g.node.earliestTime)
                    fail("a time window ends after it begins");
            } else if (option == "points") {
                g.node.points = integer("points", -100000, 100000);
            } else if (option == "required") {
                g.node.required = 1;
            } else if (option == "action") {
                g.node.action = named(kActions, "action");
            } else if (option == "message") {
                g.node.message = windows1252(next("a message").text);
            } else {
                fail("unknown goal option \"" + option + "\"");
            }
        }
        if (target)
            g.target = bindGoal(*target, g.node.id);
        definition_.goals.push_back(std::move(g));
    }

    // A goal about a unit is bound to it by one of its record's two goal numbers; the record's index.
    int bindGoal(const std::string& label, std::int32_t id) {
        const auto found = labels_.find(label);
        if (found == labels_.end())
            fail("no unit is labelled \"" + label + "\"");
        ScenarioRecord& record = definition_.scenario.records[found->second];
        if (record.goalNode1 <= 0)
            record.goalNode1 = id;
        else if (record.goalNode2 <= 0)
            record.goalNode2 = id;
        else
            fail("the unit " + label + " already has two goals");
        return static_cast<int>(found->second);
    }

    void add(ScenarioRecord record, UnitDefinition unit) {
        definition_.scenario.records.push_back(std::move(record));
        definition_.units.push_back(std::move(unit));
    }

    void finish() {
        line_ = 0;
        if (!definition_.area)
            fail("the scenario names no area");
        if (!seenTime_ || !seenSea_ || !seenSound_ || !seenBottom_ || !seenGrades_ || !boatName_)
            fail("the scenario needs time, sea, sound, bottom, grades and boat");
        for (int block = 0; block < kScenarioTextCount; ++block)
            if (!definition_.scenario.texts[static_cast<size_t>(block)])
                fail("the scenario lacks one of its five texts");
        bool hasStart = false;
        for (ScenarioRecord& record : definition_.scenario.records) {
            if (record.type == kScenarioOwnShipStart) {
                record.typeName = *boatName_;
                hasStart = true;
            }
        }
        if (!hasStart)
            fail("the scenario has no start position for the own boat");
        std::int64_t best = 0;
        for (const GoalDefinition& g : definition_.goals)
            best += std::max(0, g.node.points);
        if (best < definition_.thresholds.back())
            fail("its goals give at most " + std::to_string(best) + " points, short of the top grade");
    }
};

} // namespace

ScenarioDefinition parseScenarioDefinition(const std::string& text, const std::filesystem::path& source,
                                           const std::string& name, const std::vector<MissionArea>& areas,
                                           const std::vector<TableRecord>& objects) {
    return DefinitionParser(source, areas, objects).parse(text, name);
}

GoalTree scenarioGoalTree(const ScenarioDefinition& definition) {
    // Each node added goes first on its level, and the game's reader turns every level round
    // again, so the game sees the goals in the order given.
    GoalTree tree;
    for (const GoalDefinition& g : definition.goals)
        tree.addNode(g.node, g.parent > 0 ? goalTreeFindNode(tree.root(), g.parent) : nullptr);
    return tree;
}

} // namespace q71::mkdata
