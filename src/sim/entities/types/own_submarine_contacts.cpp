// The own boat's contact list: designations, contact records and their fixes. A contact is known
// by its designation, not by the entity behind it: its record carries a serial number of its own,
// and a fix on an entity finds its contact through the number the entity was given per sensor type.
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/sonar_report.h"
#include "sim/scoring/upgrades.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <cmath>
#include <cstdlib>

namespace q71 {

namespace {

constexpr int kTextNewContact = 305;
constexpr double kTrackerReportAge = 1.0;     // s: a tracker updated this recently reports its source
constexpr double kTrackSweepInterval = 120.0; // s between two closings of the arrays' fixes
constexpr std::int32_t kOwnReportCount = 100; // the count of a fix of the boat's other sensors
constexpr std::int32_t kLastContactNumber = 99;

// The counter of a sensor type's numbers, or none for the types that give none.
std::optional<std::size_t> counterOf(int type) {
    switch (type) {
    case kSensorArray0:
    case kSensorArray1:
    case kSensorPassive:
    case kSensorMirror:
    case kSensorActive:
        return 0;
    case kSensorRadar:
        return 1;
    case kSensorVisual:
    case kSensorVisual9:
        return 2;
    case kSensorEsm:
        return 3;
    case kSensorMerged:
        return 4;
    default:
        return std::nullopt;
    }
}

bool isArrayType(int type) {
    return type >= kSensorArray0 && type <= kSensorMirror;
}

} // namespace

std::int32_t OwnShipEntity::nextContactNumber(int type, double bearing, bool announce) {
    const std::optional<std::size_t> counter = counterOf(type);
    if (!counter)
        return 0;
    std::int32_t& count = contactCounters[*counter];
    const std::int32_t number = count + 1;
    count = number % kLastContactNumber;
    if (announce && *counter == 0) {
        const int spoken = spokenBearing(bearing);
        simAudio().crewReportSonarNumber(false, "ss1a.wav", spoken, 3, "ss1b.wav", number,
                                         kSonarReportPriority);
        msgLogPrintfId(kTextNewContact, spoken, number);
    }
    return number;
}

ContactRecord* OwnShipEntity::contactNumbered(int type, std::int32_t number) const {
    if (number == 0 || type < 0 || type >= kSensorTypeCount)
        return nullptr;
    for (auto* node = contacts.head(); node; node = node->next)
        if (node->item->designation.numbers[static_cast<std::size_t>(type)] == number)
            return node->item;
    return nullptr;
}

bool OwnShipEntity::isContactNumberUsed(int type, std::int32_t number, std::uint32_t contactRecordId,
                                        double bearing, double range, double course, double speed) {
    if (contactNumbered(type, number))
        return true;
    auto* contact = new ContactRecord;
    contact->lastUpdate = simClock().gameClock;
    contact->recordId = contactRecordId;
    contact->bearing = bearing;
    contact->range = range;
    contact->course = course;
    contact->speed = speed;
    contact->designation.letter = static_cast<std::uint8_t>(kSensorLetters[type]);
    contact->designation.numbers[static_cast<std::size_t>(type)] = static_cast<std::uint8_t>(number);
    contact->entityId = ++contactSerial;
    contacts.saveCursor();
    contacts.appendItem(contact);
    contacts.restoreCursor();
    worldNotifyContactObservers(contact, kWorldEntityAdded);
    return false;
}

void OwnShipEntity::reportDetection(const DetectionReport& report) {
    registerContact(report.sensorType, report.entityId, angleAdd(report.bearing, 0.0), report.range,
                    report.course, report.speed, report.quality);
}

std::int32_t OwnShipEntity::designate(int type, Entity* entity, double bearing, double range, double course,
                                      double speed) {
    std::int32_t number;
    if (entity) {
        std::int32_t& given = entity->designation[static_cast<std::size_t>(type)];
        if (given == 0)
            given = nextContactNumber(type, bearing, true);
        number = given;
    } else {
        number = nextContactNumber(type, bearing, true);
    }
    // A sensor type that gives no numbers makes no contact: every record would match its 0.
    if (number != 0)
        isContactNumberUsed(type, number, entity ? entity->recordId : 0, bearing, range, course, speed);
    return number;
}

void OwnShipEntity::registerContact(int type, std::int32_t entityId, double bearing, double range,
                                    double course, double speed, std::uint8_t quality) {
    if (type < 0 || type >= kSensorTypeCount)
        return;
    course = course == -1.0 ? 0.0 : course;
    speed = speed == -1.0 ? 0.0 : speed;
    Entity* entity = worldFindEntity(std::abs(entityId));
    if (designate(type, entity, bearing, range, course, speed) == 0 || !entity)
        return;
    const Sensor* receiver = ownShipSensorByType(type);
    ContactFix fix;
    fix.time = simClock().gameClock;
    fix.sensorType = type;
    fix.quality = quality;
    fix.bearing = bearing;
    fix.sensorX = receiver ? receiver->x : motion->x;
    fix.sensorY = receiver ? receiver->y : motion->y;
    geoProject(fix.sensorX, fix.sensorY, bearing, range, fix.x, fix.y);
    fix.z = entity->motion ? entity->motion->z : motion->z;
    fix.course = course;
    fix.speed = speed;
    fix.count = 1; // one report
    processContact(entity->id, entity->recordId, entity->side, entity->kind, fix, 1);
}

void OwnShipEntity::processContact(std::int32_t entityId, std::uint32_t, std::int32_t, std::int32_t,
                                   const ContactFix& fix, int) {
    Entity* entity = worldFindEntity(std::abs(entityId));
    if (!entity || entity == this)
        return;
    const int type = fix.sensorType == kSensorRelayed ? kSensorDropped : fix.sensorType;
    if (type < 0 || type >= kSensorTypeCount)
        return;
    if (isArrayType(type)) {
        // An array's fix counts only while one of its trackers follows the entity (its mirror image
        // for the towed array's mirror bearing).
        const auto* array = dynamic_cast<const ReceiverSensor*>(
            ownShipSensorByType(type == kSensorMirror ? kSensorArray0 : type));
        if (!array || !array->tracks(type == kSensorMirror ? -entity->id : entity->id))
            return;
    }
    ContactRecord* contact = contactNumbered(type, entity->designation[static_cast<std::size_t>(type)]);
    if (!contact) {
        // The first report of this type on the entity makes its contact, as a detection does.
        const double range = geoRange(fix.x - fix.sensorX, fix.y - fix.sensorY) * kMetresToYards;
        const std::int32_t number = designate(type, entity, fix.bearing, range, fix.course, fix.speed);
        if (!(contact = contactNumbered(type, number)))
            return;
    }
    const double now = simClock().gameClock;
    contact->sinceFix = 0.0;
    contact->heldTime += now - contact->lastUpdate;
    FixList& fixes = contact->fixes[static_cast<std::size_t>(type)];
    ContactFix taken = fix;
    taken.sensorType = type;
    if (fixes.empty()) {
        addContactFix(*contact, type, taken);
    } else if (isArrayType(type)) {
        fixes.editNewest([&](ContactFix& newest) { mergeArrayFix(newest, taken); });
    } else {
        contact->lastUpdate = taken.time;
        taken.count = kOwnReportCount;
        addContactFix(*contact, type, taken);
        if (crewAssistEnabled(kTmaAssistStation))
            autoSolve();
    }
    fixes.trim(static_cast<std::size_t>(maxFixes));
}

// An array reports the same source every second: its fixes are gathered into one running mean
// until the next sweep closes it.
void OwnShipEntity::mergeArrayFix(ContactFix& into, const ContactFix& fix) const {
    const double n = into.count;
    const auto mean = [n](double held, double added) { return (held * n + added) / (n + 1.0); };
    into.bearing = angleAdd(into.bearing, angleDiff(into.bearing, fix.bearing) / (n + 1.0));
    into.x = mean(into.x, fix.x);
    into.y = mean(into.y, fix.y);
    into.z = mean(into.z, fix.z);
    into.sensorX = mean(into.sensorX, fix.sensorX);
    into.sensorY = mean(into.sensorY, fix.sensorY);
    into.speed = mean(into.speed, fix.speed);
    into.quality = static_cast<std::uint8_t>(mean(into.quality, fix.quality));
    into.count += 1;
}

void OwnShipEntity::updateContacts() {
    const double now = simClock().gameClock;
    reportTrackers();
    if (now - lastTrackSweepTime >= kTrackSweepInterval) {
        lastTrackSweepTime = now;
        for (int type : {kSensorPassive, kSensorArray0, kSensorMirror, kSensorArray1})
            closeSensorTracks(type);
    }
    if (ownPositionStored() && now != ownPositionTime) {
        if (crewAssistEnabled(kTmaAssistStation)) {
            autoSolve();
        } else {
            for (auto* node = contacts.head(); node; node = node->next)
                deadReckonFromStoredPosition(*node->item);
        }
    }
    ownX = motion->x;
    ownY = motion->y;
    ownPositionTime = now;
}

DetectionReport trackerDetectionReport(const TrackSlot& tracker) {
    DetectionReport report;
    report.sensorType = tracker.source < 0 ? kSensorMirror : tracker.sensorType;
    report.entityId = tracker.source;
    report.bearing = tracker.bearing;
    report.range = tracker.range;
    report.quality = static_cast<std::uint8_t>(std::min<int>(tracker.level, 100));
    return report;
}

void OwnShipEntity::reportTrackers() {
    const double now = simClock().gameClock;
    for (const ReceiverSensor* array :
         {static_cast<const ReceiverSensor*>(array2), static_cast<const ReceiverSensor*>(array1),
          static_cast<const ReceiverSensor*>(array0)}) {
        if (!array)
            continue;
        for (const TrackSlot& tracker : array->trackers()) {
            if (!tracker.locked || now - tracker.stamp2 > kTrackerReportAge)
                continue;
            reportDetection(trackerDetectionReport(tracker));
        }
    }
}

void OwnShipEntity::closeSensorTracks(int type) {
    const double now = simClock().gameClock;
    const bool held = ownShipSensorByType(type) != nullptr;
    for (auto* node = contacts.head(); node; node = node->next) {
        ContactRecord& contact = *node->item;
        FixList& fixes = contact.fixes[static_cast<std::size_t>(type)];
        if (!fixes.empty() && fixes.newest().count <= 0)
            continue; // already closed, nothing heard since
        if (held) {
            if (!fixes.empty())
                fixes.editNewest([now](ContactFix& newest) { newest.time = now; });
            contact.lastUpdate = now;
        }
        ContactFix closing;
        closing.time = now;
        closing.sensorType = type;
        addContactFix(contact, type, closing);
    }
}

void OwnShipEntity::deadReckonFromStoredPosition(ContactRecord& contact) const {
    WorldPoint point;
    geoProject(ownX, ownY, contact.bearing, contact.range, point.x, point.y);
    geoProject(point.x, point.y, contact.course,
               contact.speed * kSpeedUnitMetresPerSecond * kMetresToYards *
                   (simClock().gameClock - ownPositionTime),
               point.x, point.y);
    contact.bearing = entityBearing(*this, point);
    contact.range = entityRangeYards(*this, point);
}

} // namespace q71
