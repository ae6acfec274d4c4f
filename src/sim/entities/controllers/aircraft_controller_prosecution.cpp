// The aircraft closing its contact: an aeroplane flies at the newest fix (laying a buoy by a
// submarine of its field) and passes it close by; a helicopter flies to the fix, hovers low and
// dips, and when the dip finds nothing tries where the contact may have gone.
#include "sim/entities/controllers/aircraft_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kBuoyRange = 2000.0;   // yards: a submarine this near gets a buoy
constexpr double kBuoySpacing = 1000.0; // metres between the aircraft and its nearest buoy
constexpr double kRunInRange = 4000.0;  // yards: inside it the attack begins
constexpr double kFreshTrack = 600.0;   // seconds since the last fix
constexpr double kSteadyTrack = 60.0;   // seconds since the last fix for a careful approach
constexpr double kAttackHeight = 75.0;  // metres, an aeroplane's run-in
constexpr double kRunIn = 30.0;         // seconds of a run-in
constexpr double kHelicopterAttackSpeed = 30.0;
constexpr double kHelicopterCreepSpeed = 1.0;
constexpr double kHelicopterAttackHeight = 30.0;
constexpr double kLowHover = 9.144; // metres: where a helicopter starts its dip
constexpr double kLowHoverTop = 9.4488;
constexpr double kProsecutionDip = 180.0;     // seconds
constexpr double kFreshFix = 2.0;             // seconds between a fix and the contact's update
constexpr double kLegOrderLife = 300.0;
constexpr double kSearchOrderLife = 600.0;
constexpr double kSearchHeight = 66.0;
constexpr double kCloseLegShort = 500.0; // yards short of a contact within 2000 yards
constexpr double kFarLegShort = 1000.0;
constexpr int kCarefulLevel = 3; // the crew level from which approaches are careful

bool reached(double now, double timer) {
    return !(now < timer);
}

} // namespace

// Where the aircraft's sensors last put the contact: its newest fix, or its bearing and range.
WorldPoint AirPlatformController::contactPoint(const ContactRecord& contact) const {
    const FixList& fixes = contact.fixes[0];
    if (!fixes.empty())
        return worldPoint(fixes.newest());
    const MotionModel& m = motion();
    WorldPoint point;
    geoProject(m.x, m.y, contact.bearing, contact.range, point.x, point.y);
    return point;
}

bool AirPlatformController::relayedFix(const ContactRecord& contact) {
    const FixList& fixes = contact.fixes[0];
    return !fixes.empty() && fixes.newest().sensorType == kSensorRelayed;
}

void AirPlatformController::prosecute(ContactRecord& contact) {
    if (isHelicopter())
        prosecuteByHelicopter(contact);
    else
        prosecuteByAeroplane(contact);
}

void AirPlatformController::prosecuteByAeroplane(ContactRecord& contact) {
    MotionModel& m = motion();
    if (planMode == kAircraftSonobuoyDrop && contact.kind == kKindSubsurface && contact.range < kBuoyRange &&
        !buoyWithin(kBuoySpacing))
        dropBuoy();
    const WorldPoint fix = contactPoint(contact);
    if (contact.range < kRunInRange && contact.sinceFix < kFreshTrack && contact.fixes[0].size() > 1) {
        contact.reaction = kReactionAttack;
        attackTimer = simClock().gameClock + kRunIn;
        steerFor(fix, m.quietSpeed);
        m.setOrderedDepth(kAttackHeight);
        return;
    }
    if (level < kCarefulLevel || relayedFix(contact) || contact.sinceFix > kSteadyTrack ||
        contact.kind != kKindSubsurface)
        steerFor(fix, m.maxSpeed);
    else
        passFix(fix); // a submarine close by is passed on the left
}

// Whether one of the aircraft's dropped buoys lies within a distance (metres) of it. The sonars
// it carries move with it and would always lie there; only the buoys stay where they fell.
bool AirPlatformController::buoyWithin(double metres) const {
    const MotionModel& m = motion();
    for (auto* node = owner().sensors.tail(); node; node = node->previous) {
        const Sensor& sensor = *node->item;
        if (sensor.type == kSensorDropped && geoRange(sensor.x - m.x, sensor.y - m.y) < metres)
            return true;
    }
    return false;
}

void AirPlatformController::prosecuteByHelicopter(ContactRecord& contact) {
    MotionModel& m = motion();
    const double now = simClock().gameClock;
    if (advanceWaypoint() != 0) {
        if (level < kCarefulLevel && contact.fixes[0].size() > 1) {
            contact.reaction = kReactionAttack;
            attackTimer = now + kRunIn;
            m.setOrderedSpeed(kHelicopterAttackSpeed);
            m.setOrderedDepth(kHelicopterAttackHeight);
        } else {
            m.setOrderedSpeed(0.0);
            m.setOrderedDepth(kLowHover);
            dipTimer = 0.0;
        }
        return;
    }
    if (m.orderedSpeed == 0.0 && m.speed == 0.0 && dipTimer == 0.0 && m.z <= kLowHoverTop) {
        lowerSonar();
        dipTimer = now + kProsecutionDip;
        return;
    }
    if (dipTimer == 0.0 && m.orderedSpeed != 0.0) {
        steerForCurrentOrder(m.maxSpeed);
        return;
    }
    if (dipTimer == 0.0 || !reached(now, dipTimer)) {
        closeFromTheHover(contact);
        return;
    }
    searchRoundTheFix(contact);
}

// Dipping or about to: a submarine close by is attacked, a fresh fix farther off is flown to.
void AirPlatformController::closeFromTheHover(ContactRecord& contact) {
    MotionModel& m = motion();
    const FixList& fixes = contact.fixes[0];
    if (contact.range < 1000.0 && contact.kind == kKindSubsurface) {
        contact.reaction = kReactionAttack;
        if (m.orderedSpeed > kHelicopterAttackSpeed)
            m.setOrderedSpeed(kHelicopterCreepSpeed);
        attackTimer = simClock().gameClock + kRunIn;
    } else if (!fixes.empty() && contact.lastUpdate < fixes.newest().time + kFreshFix) {
        dipTimer = 0.0;
        m.setOrderedSpeed(m.maxSpeed);
        const double shortOf = contact.range < 2000.0 ? kCloseLegShort : kFarLegShort;
        queueOrderAtOffset(kAircraftProsecute, contact.entityId, worldPoint(m), kLegOrderLife,
                           contact.bearing, contact.range - shortOf);
    }
}

// The dip is over without an attack: the sonar comes up and the helicopter tries a point where
// the contact may have gone, ahead of it when it lay still (or, for a weapon, behind it).
void AirPlatformController::searchRoundTheFix(const ContactRecord& contact) {
    MotionModel& m = motion();
    if (Sensor* sonar = owner().findSensorByType(kSensorActive))
        sonar->transmitInterval = -1;
    const FixList& fixes = contact.fixes[0];
    const WorldPoint fix = contactPoint(contact);
    double bearing = 0.0, range = 0.0;
    if (contact.speed == 0.0) {
        const double course = fixes.empty() ? contact.course : fixes.newest().course;
        const double ahead = contact.kind == kKindWeapon ? std::fmod(course + 180.0, 360.0) : course;
        bearing = ahead - 45.0 + randomScaled(90.0);
        range = 1000.0 + randomScaled(6000.0);
    } else {
        bearing = randomScaled(360.0);
        range = randomScaled(2000.0);
    }
    double x = 0.0, y = 0.0;
    geoProject(fix.x, fix.y, bearing, range, x, y);
    queueOrder(kAircraftProsecute, 0, kSearchOrderLife, x, y, 0.0, 0.0);
    m.setOrderedSpeed(m.maxSpeed);
    m.setOrderedDepth(kSearchHeight);
    dipTimer = 0.0;
}

} // namespace q71
