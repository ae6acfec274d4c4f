// A sound heard by one of the own boat's receivers: the trackers take or follow it; when none
// does, the sonar crew builds up its picture of the source until it arms a tracker on it or
// calls out a torpedo; what the crew has resolved and merged is put in order in the contact
// list; and the sound goes into the broadband rows.
#include "framework/textmngr/text_manager.h"
#include "sim/entities/crew_report.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/own_boat_contacts.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/sonar_report.h"
#include "sim/scoring/upgrades.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace q71 {

namespace {

// By the crew's assistance level 0 to 5: how far above the ambient noise a sound must be to
// count, and how much the counted sound must build up before the crew acts on it.
constexpr std::array<double, 6> kAmbientFactor{2.0, 1.75, 1.5, 1.25, 1.1, 1.0};
constexpr std::array<std::int32_t, 6> kBuildUpThreshold{5000, 4000, 3000, 2000, 1000, 200};
constexpr int kTextOwnTorpedoRunning = 306;
constexpr int kTextTorpedoInWater = 309;

std::int32_t saturatingAdd(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = std::int64_t{a} + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

bool ReceiverSensor::sonarCrewAssists() {
    return crewAssistEnabled(kSonarAssistStation) != 0;
}

void ReceiverSensor::onNoise(std::int32_t sourceId, int bearing, double rangeYards, int level) {
    Entity& ownBoat = owner();
    const bool assist = sonarCrewAssists();
    const int assistLevel = std::clamp(crewAssistLevel(kSonarAssistStation), 0, 5);
    Trackers* trackers = noiseTrackers();
    Entity* source =
        sourceId == std::numeric_limits<std::int32_t>::min() ? nullptr : worldFindEntity(std::abs(sourceId));
    const bool taken =
        trackers && takeSource(*trackers, source, sourceId, bearing, rangeYards, level, assist);
    if (!taken && type < kSensorActive && source)
        accumulate(*source, sourceId, bearing, level, assist, assistLevel);
    if (assist && sourceId < 0 && source && source->resolved) {
        // The crew knows this bearing for the mirror image it is: it is dropped.
        ownBoatDropMirrorContacts(ownBoat, *source);
        if (trackers)
            for (TrackSlot& tracker : *trackers)
                if (tracker.locked && tracker.source == static_cast<std::int16_t>(sourceId))
                    tracker.release();
    }
    if (assist && taken && source)
        ownBoatMergeContacts(ownBoat, *source);
    writeBroadband(sourceId, bearing, rangeYards, level);
}

bool ReceiverSensor::takeSource(Trackers& trackers, Entity* source, std::int32_t sourceId, int bearing,
                                double rangeYards, int level, bool assist) {
    const double now = simClock().gameClock;
    const auto id = static_cast<std::int16_t>(sourceId);
    const auto heard = static_cast<std::uint16_t>(std::clamp(level, 0, 100));
    const double range = std::trunc(rangeYards);
    bool taken = false;
    for (TrackSlot& tracker : trackers) {
        const bool onBearing = std::fabs(angleDiff(tracker.bearing, bearing)) < kTrackerBearingWindow;
        const bool inRange =
            tracker.range == 0.0 || std::fabs(tracker.range - rangeYards) < kTrackerRangeWindow;
        if (tracker.armed && tracker.sensorType == type && onBearing && inRange) {
            if (assist && source && !source->resolved) {
                // A towed array cannot tell a source from its mirror until the array has turned.
                if (!isTowedArray()) {
                    source->resolved = 1;
                } else if (heading != rememberedAxis_) {
                    source->resolved = 1;
                    rememberedAxis_ = heading;
                }
            }
            if (source && source->resolved && sourceId < 0) {
                tracker.release();
                continue;
            }
            tracker.lock(id, now);
            tracker.bearing = bearing;
            tracker.range = range;
            tracker.level = heard;
            if (source)
                numberSource(*source, sourceId, bearing, assist);
            taken = true;
        } else if (tracker.locked && tracker.source == id) {
            tracker.bearing = bearing;
            tracker.range = range;
            tracker.level = heard;
            tracker.stamp2 = now;
            if (source && source->motion)
                tracker.recordSpeed(source->motion->speed);
            taken = true;
        }
    }
    return taken;
}

void ReceiverSensor::numberSource(Entity& source, std::int32_t sourceId, int bearing, bool assist) {
    if (sourceId == 0)
        return;
    const int slot = sourceId > 0 ? type : kSensorMirror;
    std::int32_t& number = source.designation[static_cast<std::size_t>(slot)];
    if (number != 0)
        return;
    Entity& ownBoat = owner();
    const bool announce =
        assist && worldSidesHostile(source.side, ownBoat.side) && !ownBoatHasContactOn(ownBoat, source);
    number = ownBoat.nextContactNumber(slot, bearing, announce);
}

void ReceiverSensor::accumulate(Entity& source, std::int32_t sourceId, int bearing, int level, bool assist,
                                int assistLevel) {
    const bool torpedo = source.category == kCategoryTorp;
    if (!assist && !torpedo && !isExplosion(source))
        return;
    const auto factor = kAmbientFactor[static_cast<std::size_t>(assistLevel)];
    if (!(level > factor * soundProfile().ambientNoise) || (sourceId < 0 && source.resolved))
        return;
    std::int32_t& built = source.signatureLevel[static_cast<std::size_t>(type)];
    built = saturatingAdd(built, level);
    if (built < kBuildUpThreshold[static_cast<std::size_t>(assistLevel)])
        return;
    if (assist && (source.category == kCategorySub || source.category == kCategoryShip)) {
        trackEvent(-1, sourceId, bearing, 0.0, -1, type);
        built = 0;
    }
    if (torpedo && !source.reported)
        announceTorpedo(source, bearing);
}

void ReceiverSensor::announceTorpedo(Entity& torpedo, int bearing) {
    torpedo.reported = 1;
    if (torpedo.parentId != 0 && torpedo.parentId == owner().id) {
        crewReport(CrewChannel::sonar, "ss2.wav", kTextOwnTorpedoRunning, kSonarReportPriority);
        return;
    }
    sonarReportBearing("ss6.wav", bearing, "", false, kSonarWarningPriority);
    msgLogPrintfId(kTextTorpedoInWater, spokenBearing(bearing));
}

bool ReceiverSensor::isExplosion(const Entity& entity) {
    if (!explosionRecord_) {
        const ObjectRecord* record = objdbFindByName("Explosion");
        explosionRecord_ = record ? record->id : 0;
    }
    return *explosionRecord_ != 0 && entity.recordId == *explosionRecord_;
}

} // namespace q71
