#include "sim/entities/explosion.h"

#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/sonar_report.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_alert.h"
#include "sim/simulation/world_step.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q71 {
namespace {

constexpr double kHeardRange = 36576.0;   // metres (40,000 yards): heard and reported within
constexpr double kCloseRange = 12801.6;   // metres (14,000 yards): a close explosion
constexpr double kAlertRange = 182880.0;  // metres: the source's hostiles are alerted within
constexpr double kNoiseReach = 146304.0;  // metres: the ambient noise is raised within
constexpr double kExplosionNoise = 110.0; // the ambient noise at the blast
constexpr std::int32_t kExplosionSignature = 2500;
constexpr std::int32_t kLastChance = 5; // the kind once it had its chance of a secondary

Entity* makeExplosion(std::int32_t side, Entity& source, std::int32_t explosionKind) {
    return new ExplosionEntity(side, source, explosionKind);
}

bool isOwnShipId(std::int32_t id) {
    return worldOwnShipId() == id;
}

} // namespace

ExplosionEntity::ExplosionEntity(std::int32_t sideArg, Entity& source, std::int32_t kindOfExplosion)
    : Entity(sideArg, "Explosion", 1, kKindAir, -1), explosionKind(kindOfExplosion) {
    typeCode = kEntityExplosion;
    parentId = source.id;
    placeAt(&source);
    init();
}

ExplosionEntity::ExplosionEntity(std::int32_t sideArg, std::uint32_t recordIdArg, std::int32_t levelArg,
                                 std::int32_t kindArg, std::int32_t idArg, std::int32_t sourceId,
                                 std::int32_t kindOfExplosion)
    : Entity(sideArg, recordIdArg, levelArg, kindArg, idArg), explosionKind(kindOfExplosion) {
    typeCode = kEntityExplosion;
    parentId = sourceId;
    // The saved motion is read after construction; until then it stands at its source, so that
    // what it is heard and seen from is not the world's origin.
    placeAt(worldFindEntity(sourceId));
    init();
}

void ExplosionEntity::placeAt(const Entity* source) {
    motion = std::make_unique<RemoteMotionModel>(*this);
    if (!source || !source->motion)
        return;
    const MotionModel& from = *source->motion;
    motion->x = from.x;
    motion->y = from.y;
    motion->z = from.z;
    if (explosionKind <= 2 || from.halfLength == 0)
        return;
    // The later explosions of a chain go off at the ends of the hull: the stern, then the bow.
    double heading = from.heading, pitch = from.pitch;
    if (explosionKind == 3) {
        const bool broken = from.breaksInTwo != 0;
        heading = std::fmod((broken ? from.secondPiece.heading : from.heading) + 180.0, 360.0);
        pitch = -(broken ? from.secondPiece.pitch : from.pitch);
    }
    const double reach = 0.66 * from.halfLength;
    motion->x = from.x + reach * tableSinDegrees(heading);
    motion->y = from.y + reach * tableCosDegrees(heading);
    motion->z = from.z + reach * tableSinDegrees(pitch);
}

void ExplosionEntity::init() {
    const Entity* source = worldFindEntity(parentId);
    duration = 60.0 + randomScaled(30.0);
    startTime = simClock().gameClock;
    std::fill_n(signatureLevel.begin(), 4, kExplosionSignature);
    if (motion->z > 0.0)
        reported = 1; // no sonar hears a blast in the air
    playSound(source);
    worldAlertNearestHostiles(parentId, kAlertRange);
}

void ExplosionEntity::playSound(const Entity* source) {
    if (source && source->isOwnShip()) {
        simAudio().playByName("osexpl.wav", false, true, false);
        return;
    }
    WorldPoint listener;
    if (!simFrontEnd().entityViewerCamera(listener)) {
        const Entity* ownShip = worldOwnShip();
        if (!ownShip)
            return;
        listener = worldPoint(*ownShip);
    }
    const WorldPoint here = worldPoint(*this);
    const double distance = geoRange3d(here.x - listener.x, here.y - listener.y, here.z - listener.z);
    if (!(distance < kHeardRange))
        return;
    const int variant = static_cast<int>(randomScaled(2.999));
    const std::string file = "explos" + std::to_string(variant + 1) + ".wav";
    if (SoundVoiceId voice = simAudio().playByName(file, false, false, true)) {
        // Full volume at the blast, fading to nothing at the edge of hearing.
        simAudio().setVoiceVolume(voice,
                                  std::max(1, static_cast<int>(127.0 * (1.0 - distance / kHeardRange))));
        simAudio().startVoice(voice);
        simAudio().freeVoice(voice);
    }
}

void ExplosionEntity::updatePerSecond(double /*elapsed*/) {
    const double now = simClock().gameClock;
    if (now > startTime + duration) {
        markForRemoval();
        soundProfile().ambientNoise = soundProfile().background;
        const Entity* source = worldFindEntity(parentId);
        if (source && source->isOwnShip() && source->hull <= 0.0 && !simNetworkGame())
            worldQueueDeathScreen();
        return;
    }
    if (explosionKind == 1 && now - startTime > 5.0 && !reported && !isOwnShipId(parentId))
        reportToCrew();
    const double age = now - startTime;
    if (explosionKind < kLastChance &&
        (age > 0.2 * duration || (explosionKind == 1 && age > 0.1 * duration))) {
        const bool goesOff = randomScaled(10.0) > 2.5 / explosionKind;
        if (Entity* source = worldFindEntity(parentId); goesOff && source)
            worldAddEntity(new ExplosionEntity(side, *source, explosionKind + 1));
        explosionKind = kLastChance;
    }
    if (motion->z <= 0.0)
        raiseAmbientNoise();
}

void ExplosionEntity::reportToCrew() {
    reported = 1;
    const Entity* ownShip = worldOwnShip();
    if (!ownShip)
        return;
    const double range = entityRangeYards(*ownShip, *this) / kMetresToYards;
    const double bearing = entityBearing(*ownShip, *this);
    if (range < kCloseRange) {
        sonarReportBearing("SSLExpl.wav", bearing, "", true, kSonarWarningPriority);
        msgLogPrintfId(892, spokenBearing(bearing));
    } else if (range < kHeardRange) {
        sonarReportBearing("SSExpl.wav", bearing, "", false, kSonarReportPriority);
        msgLogPrintfId(894, spokenBearing(bearing));
    }
}

// The blast drowns the sonars' background and dies away with the square of its age. How far it
// carries falls with the distance from the own boat (a blast 40,000 yards off or nearer carries
// fully).
void ExplosionEntity::raiseAmbientNoise() {
    const double t = (simClock().gameClock - startTime) / duration;
    double distance = kNoiseReach;
    if (const Entity* ownShip = worldOwnShip())
        distance = std::min(kNoiseReach, entityRange3dYards(*ownShip, *this) / kMetresToYards);
    const double reach = distance < kHeardRange ? 1.0 : 1.0 - (distance - kHeardRange) / kNoiseReach;
    noiseFactor = static_cast<float>((1.0 - t * t) * 5.0);
    SoundProfile& profile = soundProfile();
    profile.ambientNoise =
        profile.background + (kExplosionNoise - profile.background) * reach * (1.0 - t * t);
}

void explosionInstallMaker() {
    entitySetExplosionMaker(&makeExplosion);
}

} // namespace q71
