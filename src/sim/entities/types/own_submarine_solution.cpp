// The crew's solution of the own boat's contacts, while the player lets the crew assist the TMA
// station: each contact's range, course and speed worked out from its two latest fixes, the more
// exactly the better the crew and the more fixes it has, and blended into what the crew held.
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"

#include "sim/scoring/upgrades.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr int kBestCrew = 5;
constexpr double kTopSolvedSpeed = 32.0;
constexpr double kYardsPerSecondToSpeed = 1.777451;
constexpr double kLeastSolvedSpeed = 2.0;
constexpr double kRangeSpread = 2000.0; // yards of range error of the worst crew on a first look
constexpr double kSpeedSpread = 6.0;
constexpr double kCourseSpread = 20.0;
constexpr double kDepthSpread = 30.0; // metres the crew may misjudge a contact's depth by

// Sensors that measure the range: their solution is taken as it stands and gets no error.
bool measuresRange(int type) {
    return type == kSensorActive || type == kSensorRadar || type == kSensorVisual9;
}

// A random share of a spread, −0.5 to 0.5 of it.
double jitter(double spread) {
    return (randomScaled(1.0) - 0.5) * spread;
}

} // namespace

void OwnShipEntity::autoSolve() {
    const int assistLevel = std::clamp(crewAssistLevel(kTmaAssistStation), 0, kBestCrew);
    const bool courseChanged = motion->orderedCourse != solvedOrderedCourse_;
    solvedOrderedCourse_ = motion->orderedCourse;
    for (auto* node = contacts.head(); node; node = node->next) {
        ContactRecord& contact = *node->item;
        contact.referenceFlag = 0;
        for (int type = 0; type < kSensorTypeCount; ++type) {
            const FixList& fixes = contact.fixes[static_cast<std::size_t>(type)];
            if (fixes.empty())
                continue;
            if (fixes.newest().time == contact.lastUpdate && fixes.size() > 2) {
                solveFromFixes(contact, type, assistLevel, courseChanged);
            } else if ((fixes.size() > 1 || type >= kSensorActive) && !contact.referenceFlag) {
                contact.referenceFlag = 1;
                deadReckonFromStoredPosition(contact);
            }
        }
    }
}

void OwnShipEntity::solveFromFixes(ContactRecord& contact, int type, int assistLevel, bool courseChanged) {
    const FixList& fixes = contact.fixes[static_cast<std::size_t>(type)];
    // An array's newest fix is the one just opened; its last complete one is the one before.
    const std::size_t working = type >= kSensorMirror ? 0 : 1;
    const ContactFix& fix = fixes[working];
    const ContactFix& previous = fixes[working + 1];
    if (courseChanged) // the own boat's turn gives the crew a better look
        contact.quality = static_cast<std::uint8_t>(std::min(contact.quality + 1, 100));
    const int skill = std::min(kBestCrew, assistLevel + (contact.quality != 0 ? 1 : 0));

    const Entity* entity = worldFindByDesignation(contact.designation);
    double range, course, speed, weight;
    if (assistLevel == kBestCrew && entity && entity->motion) {
        range = entityRangeYards(*this, *entity);
        course = entity->motion->heading;
        speed = entity->motion->speed;
        weight = 1.0;
    } else {
        range = fixRangeYards(*this, fix);
        course = fixToFixBearing(previous, fix);
        const double seconds = fix.time - previous.time;
        speed = seconds > 0.0 ? std::min(kTopSolvedSpeed,
                                         fixToFixRangeYards(previous, fix) / seconds * kYardsPerSecondToSpeed)
                              : 0.0;
        weight = 0.55 - (1.0 - std::min(200, fix.count + previous.count) * 0.005) * 0.45;
    }
    const double error = std::max(0.0, 1.0 - 0.2 * skill - static_cast<double>(fixes.size()) / 30.0);
    if (!measuresRange(type)) {
        range += jitter(error * kRangeSpread);
        speed = std::max(speed + jitter(error * kSpeedSpread), kLeastSolvedSpeed);
        course += jitter(error * kCourseSpread);
    }
    contact.bearing = fix.bearing;
    contact.range = measuresRange(type) ? range : weight * range + (1.0 - weight) * contact.range;
    contact.speed = weight * speed + (1.0 - weight) * contact.speed;
    contact.course = angleAdd(contact.course, -weight * angleDiff(course, contact.course));

    // Where the solution puts the contact now: from the fix's receiver, moved on along its course.
    WorldPoint point;
    geoProject(fix.sensorX, fix.sensorY, contact.bearing, contact.range, point.x, point.y);
    geoProject(point.x, point.y, contact.course,
               contact.speed * kSpeedUnitMetresPerSecond * kMetresToYards * (simClock().gameClock - fix.time),
               point.x, point.y);
    contact.bearing = entityBearing(*this, point);

    // The crew's guess whether the contact hides below the layer: its depth, misjudged as much as
    // its range is. Isothermal water (a layer depth of 0) has no layer to hide under.
    const double layer = soundProfile().layerDepth;
    if (entity && entity->motion && layer < 0.0) {
        const double trueRange = entityRangeYards(*this, *entity);
        const double z = entity->motion->z;
        const double rangeError = trueRange > 0.0 ? std::fabs(contact.range - trueRange) / trueRange : 0.0;
        const double judged = z - rangeError / 3.0 * z + jitter(error * kDepthSpread);
        contact.belowLayer = judged <= layer ? 1 : 0;
    } else {
        contact.belowLayer = 0;
    }
}

} // namespace q71
