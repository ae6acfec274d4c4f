// Damage to an entity: hull and systems loss, the score, flooding of the own boat's
// compartments, the loss of the hull with its sinking, and the explosion it leaves.
#include "sim/entities/entity.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace q71 {

namespace {

ExplosionMaker explosionMaker = nullptr;

constexpr double kLostHull = 0.1;       // at or below this the hull is lost
constexpr double kSinkRate = -2.6666666666666665; // m/s, the first plunge of a lost hull
constexpr int kTubeSideStarboard = 1;
constexpr int kTubeSidePort = 2;

void say(CrewChannel channel, const std::string& file) {
    const std::string files[] = {file};
    simAudio().crewQueueSpeech(channel, files, 0);
}

// A hit hull: its points as an int, the loss of score can never pass a 32-bit score.
std::int32_t scoreLost(double amount) {
    const double points = std::trunc(-100.0 * amount);
    return std::isfinite(points) && std::fabs(points) < 2.0e9 ? static_cast<std::int32_t>(points) : 0;
}

} // namespace

void entitySetExplosionMaker(ExplosionMaker maker) {
    explosionMaker = maker;
}

Entity* entityMakeExplosion(std::int32_t side, Entity& source, std::int32_t explosionKind) {
    return explosionMaker ? explosionMaker(side, source, explosionKind) : nullptr;
}

void Entity::applyDamage(double amount, Entity* attacker, bool explode, bool broadcast, bool report) {
    const double now = simClock().gameClock;
    if (NetworkGame* game = simNetworkGame(); broadcast && game)
        game->sendDamage(amount, attacker ? attacker->id : 0, id, explode);
    const bool ownShip = isOwnShip();
    const bool ownShipProtected = ownShip && simFrontEnd().optionsField(kOptionNoDamage) != 0;
    if (ownShip && !ownShipProtected)
        scoringAddPoints(scoreLost(amount));
    // A hit of no damage must not drive the systems to minus infinity.
    if (amount > 0.0)
        systems -= 0.2 / amount;
    repairTime = now + (5 - level) * 60.0;
    const bool wasIntact = hull > kLostHull;
    if (!ownShipProtected) {
        // An unarmoured record (divisor 0) takes the damage as it stands.
        hull -= amount / (armour != 0 ? armour : 1);
        if (category == kCategoryMissile || category == kCategoryTorp || category == kCategoryDepth)
            hull = 0.0;
        if (kind == kKindSurface && hull <= 0.0 && motion)
            motion->breaksInTwo = 1;
    }
    const WorldPoint place = worldPoint(*this);
    if (attacker && report) {
        const std::int32_t attackerId = attacker->parentId != 0 ? attacker->parentId : attacker->id;
        if (hull > kLostHull) {
            scoringPostEvent(missionEventAt(place, kEventDamaged, attackerId, id), 1);
        } else {
            scoringPostEvent(missionEventAt(place, kEventDamaged, attackerId, id), 0);
            scoringPostEvent(missionEventAt(place, kEventDestroyed, attackerId, id), 1);
        }
    }
    if (hull <= kLostHull) {
        systems = 0.0;
        if (ownShip) {
            if (wasIntact) // the host hears of the loss once
                simHost().ownShipDestroyed();
            repairTime = now + 45.0;
        }
    }
    if (kind == kKindWeapon || category == kCategoryMissile || category == kCategoryCm)
        markForRemoval();
    if (explode) {
        if (Entity* explosion = entityMakeExplosion(side, *this, 1))
            worldAddEntity(explosion);
        if (ownShip) {
            char file[32];
            std::snprintf(file, sizeof file, "screams%d.wav", 1 + randomNext() % 4);
            say(CrewChannel::casualty, file);
            msgLogPrintfId(788);
        }
    }
    if (hull < kLostHull) {
        hull = 0.0;
        const bool hullSinks = kind == kKindAir || kind == kKindSurface || kind == kKindSubsurface;
        if (hullSinks && category != kCategoryMissile && category != kCategoryCm && motion) {
            motion->verticalSpeed = kSinkRate;
            motion->beginSinking();
        }
        if ((hullSinks || kind == kKindMissile) && category != kCategoryMissile)
            discardController();
        else if (!hullSinks && kind != kKindMissile && kind != kKindWeapon)
            markForRemoval();
        return;
    }
    if (attacker && (explode || hull < 0.5) && !ownShipProtected)
        floodOnHit(*attacker);
}

// A hit that holed the hull floods the compartment it struck: aft, port or starboard.
void Entity::floodOnHit(const Entity& attacker) {
    const double now = simClock().gameClock;
    const bool ownShip = isOwnShip();
    const double hitAngle = angleDiff(motion ? motion->heading : 0.0, entityBearing(*this, attacker));
    const bool warship = category == kCategorySub || category == kCategoryShip;
    const WorldPoint place = worldPoint(*this);
    if (hitAngle >= 90.0) {
        if (floodAftTime != -1.0)
            return;
        floodAftTime = now + 60.0;
        replayLogWrite(missionEventAt(place, kEventFlooding, id, attacker.id, warship ? 9 : 0), 0);
        if (ownShip) {
            say(CrewChannel::chiefOfWatch, "cow3.wav");
            msgLogPrintfId(284);
        }
        return;
    }
    const bool port = hitAngle <= 0.0;
    double& floodTime = port ? floodPortTime : floodStarboardTime;
    if (floodTime == -1.0) {
        floodTime = now + 60.0;
        if (ownShip) {
            if (simWeapons().fireControlExists())
                simWeapons().setTubeSideState(port ? kTubeSidePort : kTubeSideStarboard, 0);
            say(CrewChannel::chiefOfWatch, port ? "cow-floodport.wav" : "cow-floodstar.wav");
            msgLogPrintfId(port ? 784 : 785);
        }
    }
    replayLogWrite(missionEventAt(place, kEventFlooding, id, attacker.id, warship && weaponCount[1] >= 1 ? 10 : 0), 0);
}

} // namespace q71
