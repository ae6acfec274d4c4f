// The motion laws of a model: straight-line and hydrodynamic motion in the plane, cavitation,
// depth changes and contact with the sea floor.
#include "sim/entities/motion/motion_model.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/entities/player_upgrades.h"
#include "sim/scoring/scoring.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace q71 {

namespace {

constexpr double kGravity = 10.66;          // m/s², as the bodies fall
constexpr double kTerminalFall = -50.8;     // m/s
constexpr double kBottomClearance = 8.5344; // 28 ft
constexpr double kBlastRadius = 1371.6;     // yards, a missile's ground blast

void sayToSonar(const char* file) {
    const std::string files[] = {file};
    simAudio().crewQueueSpeech(CrewChannel::sonar, files, 0);
}

} // namespace

void MotionModel::stepDepth(double dt) {
    if (z <= floorHere())
        return;
    if ((category() == kCategoryMine || category() == kCategoryFloat) && z <= orderedDepth)
        return;
    if (z <= 0.0) {
        if (verticalSpeed < -3.048)
            verticalSpeed -= dt * verticalSpeed * 2.0 / 3.0; // a fast plunge slows
        else
            verticalSpeed -= dt * 0.03048; // a slow sink
    } else if (verticalSpeed > kTerminalFall) {
        verticalSpeed -= dt * kGravity;
    }
    pitch = lagToward(pitch, orderedPitch, dt);
    roll = lagToward(roll, orderedRoll, dt);
    setOrderedSpeed(std::fabs(verticalSpeed / 1.016) * sinDegrees(std::fabs(45.0 - std::fabs(pitch))));
    stepSpeed(dt);
    stepKinematic(dt);
    z += dt * verticalSpeed;
}

void MotionModel::stepByCategory(double dt) {
    const EntityCategory c = category();
    if (c == kCategorySub || c == kCategoryShip || c == kCategoryTorp)
        stepHydrodynamics(dt);
    else
        stepKinematic(dt);
}

void MotionModel::stepKinematic(double dt) {
    speed = headway = driveSpeed;
    const double along = std::fabs(cosDegrees(pitch)) * driveSpeed;
    const AngleTrig& trig = headingTrig_.at(heading);
    velocityX = trig.sine() * along;
    velocityY = trig.cosine() * along;
    x += velocityX * kSpeedUnitMetresPerSecond * dt;
    y += velocityY * kSpeedUnitMetresPerSecond * dt;
    // A running decoy and a moving mine make noise.
    if ((category() == kCategoryCm && owner().noiseFactor > 0.0f) ||
        (category() == kCategoryMine && owner().kind == kKindSubsurface))
        cavitating = 1;
}

void MotionModel::stepHydrodynamics(double dt) {
    const double drift = driftAngle(*this);
    const double velocityBearing = geoBearing(velocityX, velocityY);
    headway = cosDegrees(drift) * speed;
    const double s = sinDegrees(drift) + sinDegrees(rudderAngle);
    const double d = driveSpeed, h = headway;
    // Speed loss against the water and the thrust the drive has to spare.
    const double dragOf = speed * speed / 325.0 * (0.1 + 1.9 * s);
    const double thrustDrag =
        maxSpeed > 0.0 ? speed * speed / (maxSpeed * maxSpeed) * (0.5 + 1.5 * s) : dragOf;
    double loss = 0.0, surplus = 0.0;
    if (d == 0.0) {
        loss = std::max(speed, 1.0) * std::max(speed, 1.0) / 325.0 * (0.1 + 1.9 * s);
    } else if ((d > 0.0 && h < -0.5) || (d < 0.0 && h > 0.5)) { // ordered against the way on
        surplus = d;
        driveSpeed = 0.0;
        loss = h * h / 325.0 * (s + 1.0);
    } else if (d > 0.0) {
        if (h <= d) {
            surplus = std::min(d - h, d);
            loss = thrustDrag;
        } else {
            loss = dragOf;
        }
    } else if (d <= h) {
        surplus = std::max(d - h, d);
        loss = thrustDrag;
    } else {
        loss = dragOf;
    }
    const double push = surplus + sinDegrees(pitch) * buoyancyRate;
    const AngleTrig& trig = headingTrig_.at(heading);
    double vx = velocityX + trig.sine() * push;
    double vy = velocityY + trig.cosine() * push;
    if (loss > 0.0001) {
        vx -= sinDegrees(velocityBearing) * loss;
        vy -= cosDegrees(velocityBearing) * loss;
    }
    // The thrust pushes along the heading and the drag holds back along the track: while a hull
    // drifts in a hard turn, their sum would carry it far past its top speed (a torpedo circling
    // its target went at twice its own). No step makes a hull faster than its top speed, or than
    // it already was.
    double reached = geoRange(vx, vy);
    const double fastest = std::max(maxSpeed, speed);
    if (maxSpeed > 0.0 && reached > fastest) {
        vx *= fastest / reached;
        vy *= fastest / reached;
        reached = fastest;
    }
    if (z - floorHere() > 1.0) { // a hull on the bottom does not move sideways
        velocityX = vx;
        velocityY = vy;
        speed = reached;
        x += vx * kSpeedUnitMetresPerSecond * dt;
        y += vy * kSpeedUnitMetresPerSecond * dt;
    }
    if (category() != kCategoryTorp)
        stepCavitation();
}

void MotionModel::stepCavitation() {
    const bool ownShip = owner().isOwnShip();
    const bool upgraded = ownShip && playerHasUpgrade(PlayerUpgrade::propulsion);
    const bool loudOption = ownShip && simFrontEnd().optionsField(kOptionLoudActiveSonar) != 0;
    const double e = z - kBottomClearance;
    double threshold;
    if (e <= -33.0) {
        const double f = std::fabs((std::max(e, -166.0) + 33.0) / 133.0);
        threshold = upgraded     ? (maxSpeed - 15.0) * f + 15.1
                    : loudOption ? (maxSpeed - 18.0) * f + 18.1
                                 : (maxSpeed - 12.0) * f + 12.1;
    } else {
        const double f = std::fabs(std::min(e, 0.0) / 33.0);
        threshold = upgraded ? 10.1 + 5.0 * f : loudOption ? 13.1 + 5.0 * f : 7.1 + 5.0 * f;
    }
    double limit = maxRudderAngle;
    double deflection = std::fabs(rudderAngle);
    if (speed > 12.0) {
        if (maxSpeed > 12.0)
            limit = maxRudderAngle - (speed - 12.0) * 20.0 / (maxSpeed - 12.0);
        deflection = std::max({deflection, std::fabs(planeAngle1), std::fabs(planeAngle2)});
    }
    const double now = simClock().gameClock;
    if (std::min(std::fabs(driveSpeed), std::fabs(headway)) <= threshold && deflection <= limit) {
        if (ownShip && cavitating && cavitationReportTime == -1.0) {
            sayToSonar("ss8.wav");
            msgLogPrintfId(311);
        }
        cavitationReportTime = -1.0;
        cavitating = 0;
        return;
    }
    if (ownShip) {
        if (!cavitating) {
            cavitationReportTime = now + 15.0;
        } else if (cavitationReportTime != -1.0 && now > cavitationReportTime && !sinking) {
            sayToSonar("ss7.wav");
            msgLogPrintfId(310);
            cavitationReportTime = -1.0;
        }
    }
    cavitating = 1;
}

void MotionModel::stepVertical(double dt) {
    const double along = cosDegrees(driftAngle(*this)) * speed * kSpeedUnitMetresPerSecond * dt;
    double dz = pitch == 0.0 || category() == kCategoryHelo ? 0.0 : along * sinDegrees(pitch);
    if (planeAngle1 != 0.0 || planeAngle2 != 0.0)
        dz += along * sinDegrees(planeAngle1 + planeAngle2);
    dz += buoyancyRate * kSpeedUnitMetresPerSecond * dt;
    if (!manualPlanes && z != orderedDepth && (z + dz - orderedDepth) * (z - orderedDepth) <= 0.0)
        dz = orderedDepth - z; // the hull stops exactly at its ordered depth
    const EntityCategory c = category();
    const bool floatsUp = c == kCategorySub || c == kCategoryShip || c == kCategoryTorp || c == kCategoryCm ||
                          c == kCategoryFloat;
    if (z > 0.0 && floatsUp) {
        if (verticalSpeed > kTerminalFall)
            verticalSpeed -= dt * kGravity;
        // A fall of verticalSpeed metres a second: the step moves by its length, so a step of no
        // time does not move the body.
        dz = verticalSpeed * dt;
        buoyancyRate = 0.0;
    }
    z += dz;
    const double terrain = floorHere();
    if (z <= terrain) {
        hitBottom(terrain);
        return;
    }
    if (z - kBottomClearance < terrain && owner().kind != kKindWeapon && c != kCategoryMissile &&
        c != kCategoryFloat && !sinking) {
        if (!owner().isOwnShip()) {
            z = terrain + 10.0;
            orderedDepth = std::max(orderedDepth, terrain + 10.0);
        }
        if (c == kCategoryCm)
            owner().markForRemoval();
        if (c != kCategoryRock && c != kCategoryDepth)
            checkGrounding();
    }
}

void MotionModel::hitBottom(double terrain) {
    speed = orderedSpeed = engineOrder = driveSpeed = 0.0;
    z = terrain;
    if (sinking)
        buoyancyRate = 0.0;
    if (pitch < 0.0)
        orderedPitch = -pitch;
    if (category() == kCategoryMissile) {
        if (terrain >= 0.0)
            missileGroundBlast();
        owner().markForRemoval();
    } else if (owner().kind == kKindWeapon && category() != kCategoryMine) {
        owner().markForRemoval();
    }
}

void MotionModel::missileGroundBlast() {
    Entity& missile = owner();
    const std::optional<std::int32_t> ownId = worldOwnShipId();
    // In a tutorial the player's own missiles only tell what they would have done.
    const bool exercise = missionState().missionMode == kMissionModeTutorial && ownId == missile.parentId &&
                          (!missile.controller || missile.controller->state == 0);
    // The hulls in reach as the missile strikes, not the explosions its blast leaves at the end of
    // the list: each of those would be hit in turn and leave another, without end.
    std::vector<std::pair<Entity*, int>> hits;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& target = *node->item;
        if (&target == &missile)
            continue;
        const double range = std::trunc(entityRange3dYards(missile, target));
        if (!(range < kBlastRadius))
            continue;
        const int damage = static_cast<int>(kBlastRadius - range) * missile.armour / 1371;
        // A hull the blast does no harm is not hit: no explosion, report or repairs for nothing.
        if (!exercise && damage > 0)
            hits.emplace_back(&target, damage);
        else if (target.armour < damage)
            scoringPostEvent(missionEventAt(worldPoint(target), kEventDestroyed, missile.parentId, target.id),
                             1);
    }
    for (const auto& [target, damage] : hits) {
        target->applyDamage(damage, &missile, true, true, true);
        if (target->isOwnShip())
            logOwnBoatDamage(target->id, damage, kLossGroundBlast);
    }
}

void MotionModel::checkGrounding() {
    const double now = simClock().gameClock;
    if (now - lastGroundingTime < 30.0)
        return;
    Entity& entity = owner();
    const double damage = std::trunc(std::fabs(verticalSpeed) / 1.27 + speed / 5.08);
    entity.applyDamage(damage, nullptr, false, true, true);
    scoringPostEvent(missionEventAt(worldPoint(*this), kEventGrounding, entity.id, 0), 1);
    if (entity.isOwnShip())
        logOwnBoatDamage(entity.id, damage, kLossGrounded);
    lastGroundingTime = now;
    // The scrape is heard fainter the farther it is from the own boat.
    const Entity* own = worldOwnShip();
    const double range = own ? std::min(entityRangeYards(*own, entity), 10000.0) : 10000.0;
    AudioService& audio = simAudio();
    if (const SoundVoiceId voice = audio.playByName("scrape.wav", false, false, true)) {
        audio.setVoiceVolume(voice, std::max(static_cast<int>(127.0 - range * 0.0127), 0));
        audio.startVoice(voice);
        audio.freeVoice(voice);
    }
}

} // namespace q71
