#include "editor/missioneditor/object_form.h"

#include "editor/missioneditor/form_numbers.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace q71 {
namespace {

constexpr double kLargestOffsetYards = 300000.0; // more than a mission grid
constexpr int kLargestDepthFeet = 30000;
constexpr int kFastestKnots = 99;
constexpr int kHighestMode = 19;
constexpr double kLongestDelayMinutes = 24.0 * 60.0;



std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The patrol modes whose fields the box shows: a box around the place (4, 5), an area with its
// buoys (6), a pattern by its width and height (8, kept in metres; the box shows yards as for
// the others) or by its size (9).
constexpr long kFirstBoxMode = 4, kLastBoxMode = 5;
constexpr long kAreaMode = 6;
constexpr std::int32_t kPatternInMetresMode = 8;
constexpr long kPatternSizeMode = 9;

/// The yards shown for a pattern side the record keeps in metres.
std::string patternYards(double metres) {
    return number(metres / kYardsToMetres);
}

std::int32_t recordTypeOf(EntityCategory category) {
    switch (category) {
    case kCategorySub:
        return kScenarioSubmarine;
    case kCategoryShip:
        return kScenarioSurfaceShip;
    case kCategoryPlane:
    case kCategoryHelo:
        return kScenarioAircraft;
    case kCategoryMine:
        return kScenarioMine;
    default:
        return kScenarioObject;
    }
}

} // namespace

std::int32_t startDepthFeet(std::int32_t recordDepth) {
    // The boat's depth coordinate lies 28 ft above the record's, and ship control reads 28 ft
    // more than that coordinate: the two cancel, and the feet are the record's, made positive.
    return -recordDepth;
}

std::int32_t startRecordDepth(std::int32_t feet) {
    return -feet;
}

bool objectFieldOfStart(ObjectField field) {
    switch (field) {
    case kFieldLatitude:
    case kFieldLongitude:
    case kFieldName:
    case kFieldCourse:
    case kFieldDepth:
    case kFieldSpeed:
    case kFieldSpreadWidth:
    case kFieldSpreadHeight:
        return true;
    default:
        return false;
    }
}

bool objectFieldOfMode(ObjectField field, std::optional<long> mode) {
    if (!mode)
        return true;
    const bool box = *mode >= kFirstBoxMode && *mode <= kLastBoxMode;
    const bool widthAndHeight = box || *mode == kAreaMode || *mode == kPatternInMetresMode;
    switch (field) {
    case kFieldBoxWest:
    case kFieldBoxSouth:
        return box;
    case kFieldBoxEast:
        return widthAndHeight || *mode == kPatternSizeMode;
    case kFieldBoxNorth:
        return widthAndHeight;
    case kFieldBuoys:
        return *mode == kAreaMode;
    default:
        return true;
    }
}

std::optional<std::string> objectModeLabel(ObjectField field, std::optional<long> mode) {
    if (!mode || (field != kFieldBoxEast && field != kFieldBoxNorth))
        return std::nullopt;
    const bool east = field == kFieldBoxEast;
    switch (*mode) {
    case kAreaMode:
        return east ? "Largeur zone (yards)" : "Hauteur zone (yards)";
    case kPatternInMetresMode:
        return east ? "Largeur motif (yards)" : "Hauteur motif (yards)";
    case kPatternSizeMode:
        return east ? std::optional<std::string>("Taille motif (yards)") : std::nullopt;
    default:
        return std::nullopt;
    }
}

ObjectFormTexts objectFormTexts(const ScenarioRecord& r) {
    const bool start = r.type == kScenarioOwnShipStart;
    ObjectFormTexts t;
    t[kFieldName] = r.typeName;
    t[kFieldSide] = std::to_string(r.side);
    t[kFieldLevel] = std::to_string(r.level);
    t[kFieldCourse] = std::to_string(r.course);
    t[kFieldDepth] = std::to_string(start ? startDepthFeet(r.depth) : r.depth);
    t[kFieldSpeed] = std::to_string(r.speed);
    t[kFieldMode] = std::to_string(r.patrolMode);
    t[kFieldBoxWest] = number(r.boxWest);
    t[kFieldBoxSouth] = number(r.boxSouth);
    const bool metres = r.patrolMode == kPatternInMetresMode;
    t[kFieldBoxEast] = metres ? patternYards(r.boxEast) : number(r.boxEast);
    t[kFieldBoxNorth] = metres ? patternYards(r.boxNorth) : number(r.boxNorth);
    t[kFieldBuoys] = std::to_string(r.areaFlag);
    t[kFieldDelay] = number(r.entryDelay / 60.0);
    t[kFieldSpreadWidth] = number(r.randomPlacement ? r.randomWidth : 0.0);
    t[kFieldSpreadHeight] = number(r.randomPlacement ? r.randomHeight : 0.0);
    t[kFieldGoal1] = std::to_string(std::max(r.goalNode1, 0));
    t[kFieldGoal2] = std::to_string(std::max(r.goalNode2, 0));
    return t;
}

bool objectFormRead(const ObjectFormTexts& t, ScenarioRecord& record, ObjectField& bad) {
    const bool start = record.type == kScenarioOwnShipStart;
    ScenarioRecord r = record;
    const auto fail = [&](ObjectField field) {
        bad = field;
        return false;
    };
    if (t[kFieldName].empty() || t[kFieldName].size() > kScenarioNameLength)
        return fail(kFieldName);
    r.typeName = t[kFieldName];
    if (!start) {
        const ObjectRecord* object = objdbFindByName(t[kFieldName]);
        if (!object)
            return fail(kFieldName);
        r.typeName = std::string(object->keyName.view());
        r.type = recordTypeOf(object->category());
    }
    const auto course = formWhole(t[kFieldCourse], 0, 359);
    const auto depth = formWhole(t[kFieldDepth], -kLargestDepthFeet, kLargestDepthFeet);
    const auto speed = formWhole(t[kFieldSpeed], 0, kFastestKnots);
    const auto width = formDecimal(t[kFieldSpreadWidth], 0.0, kLargestOffsetYards);
    const auto height = formDecimal(t[kFieldSpreadHeight], 0.0, kLargestOffsetYards);
    if (!course)
        return fail(kFieldCourse);
    if (!depth)
        return fail(kFieldDepth);
    if (!speed)
        return fail(kFieldSpeed);
    if (!width)
        return fail(kFieldSpreadWidth);
    if (!height)
        return fail(kFieldSpreadHeight);
    r.course = static_cast<std::int32_t>(*course);
    r.depth = static_cast<std::int32_t>(start ? startRecordDepth(static_cast<std::int32_t>(*depth)) : *depth);
    r.speed = static_cast<std::int32_t>(*speed);
    r.randomPlacement = *width > 0.0 || *height > 0.0 ? 1 : 0;
    r.randomWidth = *width;
    r.randomHeight = *height;
    if (!start) {
        const auto side = formWhole(t[kFieldSide], 1, 4);
        const auto level = formWhole(t[kFieldLevel], 1, 4);
        const auto mode = formWhole(t[kFieldMode], 0, kHighestMode);
        const auto buoys = formWhole(t[kFieldBuoys], 0, 255);
        const auto delay = formDecimal(t[kFieldDelay], 0.0, kLongestDelayMinutes);
        std::array<double, 4> box{};
        for (int i = 0; i < 4; ++i) {
            const auto field = static_cast<ObjectField>(kFieldBoxWest + i);
            const auto value = formDecimal(t[field], -kLargestOffsetYards, kLargestOffsetYards);
            if (!value)
                return fail(field);
            box[static_cast<size_t>(i)] = *value;
        }
        if (!side)
            return fail(kFieldSide);
        if (!level)
            return fail(kFieldLevel);
        if (!mode)
            return fail(kFieldMode);
        if (!buoys)
            return fail(kFieldBuoys);
        if (!delay)
            return fail(kFieldDelay);
        const auto goal1 = formWhole(t[kFieldGoal1], 0, INT32_MAX);
        const auto goal2 = formWhole(t[kFieldGoal2], 0, INT32_MAX);
        if (!goal1)
            return fail(kFieldGoal1);
        if (!goal2)
            return fail(kFieldGoal2);
        r.goalNode1 = static_cast<std::int32_t>(*goal1);
        r.goalNode2 = static_cast<std::int32_t>(*goal2);
        r.side = static_cast<std::int32_t>(*side);
        r.level = static_cast<std::int32_t>(*level);
        r.patrolMode = static_cast<std::int32_t>(*mode);
        r.areaFlag = static_cast<std::uint8_t>(*buoys);
        r.entryDelay = *delay * 60.0;
        if (r.patrolMode == kPatternInMetresMode) {
            // A side shown and left as it was keeps its metres: the yards are rounded for the box.
            const bool wasMetres = record.patrolMode == kPatternInMetresMode;
            box[2] = wasMetres && t[kFieldBoxEast] == patternYards(record.boxEast) ? record.boxEast : box[2] * kYardsToMetres;
            box[3] = wasMetres && t[kFieldBoxNorth] == patternYards(record.boxNorth) ? record.boxNorth
                                                                                      : box[3] * kYardsToMetres;
        }
        r.boxWest = box[0];
        r.boxSouth = box[1];
        r.boxEast = box[2];
        r.boxNorth = box[3];
    }
    record = std::move(r);
    return true;
}

std::array<std::string, 2> waypointFormTexts(int depthMetres, int speed) {
    return {std::to_string(std::lround(depthMetres / kFeetToMetres)), std::to_string(speed)};
}

bool waypointFormRead(const std::array<std::string, 2>& texts, int& depthMetres, int& speed) {
    const auto feet = formWhole(texts[0], -kLargestDepthFeet, kLargestDepthFeet);
    const auto knots = formWhole(texts[1], 0, kFastestKnots);
    if (!feet || !knots)
        return false;
    depthMetres = static_cast<int>(std::lround(*feet * kFeetToMetres));
    speed = static_cast<int>(*knots);
    return true;
}

} // namespace q71
