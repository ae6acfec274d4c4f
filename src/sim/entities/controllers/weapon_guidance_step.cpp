// The guidance step: the target refreshed from the world, the end of the run, a missile's flight
// along its waypoints, the enable run, and, once armed, search, the exercise turn-away,
// detonation or homing; then a stale target is dropped and the own boat warned of a torpedo
// closing on it.
#include "sim/entities/controllers/weapon_guidance.h"

#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/sonar_report.h"
#include "sim/scoring/scoring.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace q71 {
namespace {

constexpr double kFloorLookAhead = 200.0;  // yards ahead where the sea floor is read
constexpr double kBottomClearance = 50.0;  // metres kept above the sea floor
constexpr double kUnknownBottom = -100.0;  // the sea floor where the terrain knows nothing
constexpr double kCourseSettleRun = 100.0; // metres run before the preset course is ordered
constexpr double kHeightSettleRun = 5.0;   // metres run before a missile holds its height
constexpr double kTurnAwayRange = 400.0;   // yards: an exercise torpedo turns away inside it
constexpr double kSameLevel = 10.0;        // metres of height between weapon and target
constexpr double kExerciseTail = 30.0;     // seconds an exercise torpedo runs on after turning
constexpr std::int32_t kExerciseHitPoints = -500;
constexpr double kBlastRange = 182.88;        // yards
constexpr double kPingRangePerSecond = 774.0; // yards of range per second between seeker pings
constexpr double kHomingLeadTime = 30.0;      // seconds to the target within which a torpedo leads it
constexpr double kStaleTarget = 30.0;         // seconds without a fix after which the target goes
constexpr double kWarningInterval = 60.0;     // seconds between incoming-torpedo reports
constexpr double kWarningRange = 10000.0;     // yards
constexpr double kWarningArc = 95.0;          // degrees off the weapon's heading
constexpr int kTurnAwayText = 780;
constexpr int kDetonationText = 781;
constexpr int kIncomingText = 840;

bool isTutorial() {
    return missionState().missionMode == kMissionModeTutorial;
}

// The height the weapon knows of its target: the newest fix of its own sensors.
double estimatedHeight(const ContactRecord& contact) {
    const FixList& fixes = contact.fixes[0];
    return fixes.empty() ? 0.0 : fixes.newest().z;
}

// Where the weapon's sensors last placed a contact.
WorldPoint estimatedPlace(const ContactRecord& contact) {
    const FixList& fixes = contact.fixes[0];
    return fixes.empty() ? WorldPoint{} : worldPoint(fixes.newest());
}

} // namespace

void GuidanceController::orderHeight(MotionModel& motion, double height) const {
    motion.setOrderedDepth(std::max(std::min(height, ceiling), floor));
}

GuidanceController::TargetView GuidanceController::refreshTarget(const MotionModel& motion) {
    TargetView view;
    if (!target)
        return view;
    view.height = estimatedHeight(*target);
    Entity* entity = worldFindEntity(target->entityId);
    if (!entity || !entity->motion)
        return view;
    const WorldPoint self = previousStepPoint(motion);
    const WorldPoint there = previousStepPoint(*entity->motion);
    target->range = geoRange(there.x - self.x, there.y - self.y) * kMetresToYards;
    target->bearing = geoBearing(there.x - self.x, there.y - self.y);
    target->course = entity->motion->heading;
    target->speed = entity->motion->speed;
    view.entity = entity;
    view.height = there.z;
    return view;
}

void GuidanceController::update(double dt) {
    Entity& weapon = owner();
    // A weapon whose run ended sinks or is gone: it is guided no more, and its end is told once.
    if (!weapon.motion || weapon.removeFlag || weapon.motion->sinking)
        return;
    MotionModel& motion = *weapon.motion;
    const TargetView view = refreshTarget(motion);
    if (weapon.category == kCategoryTorp && motion.z > 0.0)
        return; // still in the air
    if (weapon.category == kCategoryRock) {
        if (target && simClock().gameClock > runEndTime)
            releaseTorpedo();
        return;
    }
    double aheadX = 0.0, aheadY = 0.0, seabed = kUnknownBottom;
    geoProject(motion.x, motion.y, motion.heading, kFloorLookAhead, aheadX, aheadY);
    worldDepthAt(aheadX, aheadY, &seabed, false);
    const double effectiveFloor = std::max(floor, seabed + kBottomClearance);
    if (endRun(motion))
        return;
    // The launches store the enable run in metres (from the console's yards and the missiles'
    // units of 2000 yards), so the run from the launch point is measured in metres too.
    const double run = geoRange(motion.x - launchX, motion.y - launchY);
    if (weapon.kind == kKindAir && currentOrder()) {
        if (!flyWaypoints(motion, view))
            return;
    } else if (enableRange != 0.0 && run > enableRange) {
        armAtEnableRun(motion);
    } else if (enableRange != 0.0) {
        runBeforeEnable(motion);
    } else if (!runArmed(motion, view, dt, effectiveFloor)) {
        return;
    }
    dropStaleTarget();
    warnOwnShip(motion);
}

bool GuidanceController::endRun(MotionModel& motion) {
    if (simClock().gameClock <= runEndTime)
        return false;
    Entity& weapon = owner();
    if (worldOwnShipId() == weapon.parentId)
        launcherAnnounceRunEnd(weapon);
    if (weapon.kind == kKindAir)
        weapon.markForRemoval();
    else
        motion.beginSinking();
    return true;
}

void GuidanceController::armAtEnableRun(MotionModel& motion) {
    configureSeeker(1);
    if (isMissile()) {
        orderHeight(motion, motion.orderedDepth);
        motion.setOrderedCourse(presetCourse);
    }
    enableRange = 0.0;
}

void GuidanceController::runBeforeEnable(MotionModel& motion) {
    motion.setOrderedSpeed(presetSpeed);
    const double run = geoRange(motion.x - launchX, motion.y - launchY);
    if (run > kCourseSettleRun)
        motion.setOrderedCourse(presetCourse);
    if (run > kHeightSettleRun && isMissile())
        orderHeight(motion, motion.z);
}

bool GuidanceController::runArmed(MotionModel& motion, const TargetView& view, double dt,
                                  double effectiveFloor) {
    Entity& weapon = owner();
    if (!target) {
        if (!weapon.contacts.empty())
            selectTarget();
        else if (weapon.kind != kKindAir)
            search(motion, dt, effectiveFloor);
        return true;
    }
    if (turnAway(motion, view))
        return true;
    const double selfHeight = previousStepPoint(motion).z;
    const double stepRun = 2.0 * motion.speed * kSpeedUnitMetresPerSecond * kMetresToYards * dt;
    if (view.entity && target->range <= stepRun && std::fabs(view.height - selfHeight) <= kSameLevel) {
        detonate(motion, view);
        return false;
    }
    home(motion);
    return true;
}

void GuidanceController::search(MotionModel& motion, double dt, double effectiveFloor) {
    orderHeight(motion, std::max(searchDepth, effectiveFloor));
    motion.setOrderedSpeed(searchSpeed);
    double course = presetCourse;
    if (searchPattern == 0) {
        // The snake swings 45 degrees either side of the preset course, once round every 360 s.
        course = std::fmod(presetCourse + 45.0 * tableCosDegrees(simClock().gameClock), 360.0);
        if (course < 0.0)
            course += 360.0;
    } else if (searchPattern == 1) {
        course = std::fmod(motion.heading + dt, 360.0);
    }
    motion.setOrderedCourse(course);
}

// In the tutorials a torpedo never hits: close to its target it turns away, scores the hit it
// would have made, loses its wire and runs out 30 s later.
bool GuidanceController::turnAway(MotionModel& motion, const TargetView& view) {
    if (!isTutorial() || isMissile())
        return false;
    if (!(target->range < kTurnAwayRange) ||
        std::fabs(view.height - previousStepPoint(motion).z) > kSameLevel)
        return false;
    const double away = angleDiff(target->bearing, target->course) > 0.0 ? 270.0 : 90.0;
    motion.setOrderedCourse(std::fmod(target->bearing + away, 360.0));
    const double now = simClock().gameClock;
    if (runEndTime - now > kExerciseTail) {
        Entity& weapon = owner();
        const bool atOwnShip = worldOwnShipId() == target->entityId;
        const WorldPoint place = view.entity ? worldPoint(*view.entity) : estimatedPlace(*target);
        // An exercise hit scores as a detonation at the target.
        scoringPostEvent(missionEventAt(place, kEventMineDetonation, weapon.parentId, target->entityId), 1);
        if (atOwnShip)
            scoringAddPoints(kExerciseHitPoints);
        const std::string file = "SSturn.wav";
        simAudio().crewQueueSpeech(CrewChannel::sonar, {&file, 1}, kSonarReportPriority);
        msgLogPrintfId(kTurnAwayText);
        if (atOwnShip)
            logOwnBoatDamage(target->entityId, -kExerciseHitPoints / 100.0, kLossWeapon);
        wireConnected = 0;
        runEndTime = now + kExerciseTail;
    }
    return true;
}

void GuidanceController::detonate(MotionModel& motion, const TargetView& view) {
    Entity& weapon = owner();
    const WorldPoint hit = worldPoint(*view.entity);
    motion.x = hit.x;
    motion.y = hit.y;
    motion.z = hit.z;
    if (!isTutorial() || (isMissile() && wireConnected)) {
        const std::optional<std::int32_t> ownId = worldOwnShipId();
        // The hulls in reach as the weapon goes off, not the explosions the blast itself leaves at
        // the end of the list: those would each be hit and leave another, without end.
        std::vector<std::pair<Entity*, int>> hits;
        for (auto* node = worldList().head(); node; node = node->next) {
            Entity& other = *node->item;
            if (&other == &weapon || other.removeFlag ||
                (other.category == kCategoryFloat && other.kind == kKindAir))
                continue;
            const double range = std::trunc(entityRange3dYards(weapon, other));
            if (!(range < kBlastRange))
                continue;
            // The weapon's armour is its warhead: armour + 1 at the blast, falling to nothing at the edge.
            const int damage = static_cast<int>((1.0 - range / kBlastRange) * (weapon.armour + 1));
            if (damage > 0)
                hits.emplace_back(&other, damage);
        }
        for (const auto& [other, damage] : hits) {
            other->applyDamage(damage, &weapon, true, true, true);
            if (ownId == other->id) {
                logOwnBoatDamage(other->id, damage, kLossWeapon);
                if (other->hull < 0.1)
                    missionState().ownBoatLossCause = kLossWeapon;
            }
        }
    }
    if (weapon.category == kCategoryTorp && worldOwnShipId() == weapon.parentId) {
        if (const Entity* ownShip = worldOwnShip()) {
            const double bearing = entityBearing(*ownShip, weapon);
            sonarReportBearing("SS-tda.wav", bearing, "SS-tdb.wav", false, kSonarReportPriority);
            msgLogPrintfId(kDetonationText, spokenBearing(bearing));
        }
    }
    motion.speed = 0.0;
    motion.orderedSpeed = 0.0;
    target = nullptr;
    weapon.markForRemoval();
}

void GuidanceController::home(MotionModel& motion) {
    Entity& weapon = owner();
    if (Sensor* sonar = weapon.findSensorByType(kSensorActive)) {
        const double interval =
            std::min(target->range / kPingRangePerSecond, double(std::numeric_limits<std::int16_t>::max()));
        sonar->transmitInterval = static_cast<std::int16_t>(interval);
    }
    if (!target->fixes[0].empty())
        orderHeight(motion, estimatedHeight(*target));
    motion.setOrderedSpeed(motion.maxSpeed);
    double course = target->bearing;
    if (level > 2 && target->speed > 1.0 && motion.speed > 0.0) {
        const double toTarget = target->range / (motion.speed * kSpeedUnitMetresPerSecond);
        if (toTarget < kHomingLeadTime) {
            // Lead the target by where it will be when the weapon gets there.
            const double lateral = target->speed * kSpeedUnitMetresPerSecond *
                                   std::sin(angleDiff(target->bearing, target->course) * kDegreesToRadians) *
                                   toTarget;
            course = std::fmod(geoBearing(lateral, target->range) + target->bearing + 360.0, 360.0);
        }
    }
    motion.setOrderedCourse(course);
}

void GuidanceController::dropStaleTarget() {
    if (!target || !(target->sinceFix > kStaleTarget))
        return;
    ContactRecord* stale = target;
    target = nullptr;
    owner().dropContact(stale);
}

void GuidanceController::warnOwnShip(const MotionModel& motion) {
    Entity& weapon = owner();
    const Entity* ownShip = worldOwnShip();
    if (weapon.kind != kKindWeapon || !target || !ownShip || target->entityId != ownShip->id)
        return;
    const double now = simClock().gameClock;
    if (!(now - lastWarningTime > kWarningInterval) ||
        !(entityRangeYards(weapon, *ownShip) < kWarningRange) ||
        std::fabs(angleDiff(motion.heading, entityBearing(weapon, *ownShip))) > kWarningArc)
        return;
    lastWarningTime = now;
    const double bearing = entityBearing(*ownShip, weapon);
    sonarReportBearing("SSInTorp.wav", bearing, "", true, kSonarWarningPriority);
    msgLogPrintfId(kIncomingText, spokenBearing(bearing));
}

} // namespace q71
