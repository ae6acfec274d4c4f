// How a mine goes off on the entity that set it off: the damage and the own boat's report, or in
// the tutorials the blast report that scores the hit without doing damage.
#include "sim/entities/controllers/mine_controller.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/sonar_report.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/scoring.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"

#include <string>

namespace q71 {

namespace {

constexpr int kMineHitText = 782;
constexpr std::int32_t kTutorialHitPoints = -200;
constexpr double kLostHull = 0.1;

// Floats (buoys, explosions) never set a mine off.
bool isFloat(const Entity& entity) {
    return entity.kind == kKindAir && entity.category == kCategoryFloat;
}

} // namespace

void mineControllersInstall() {
    entitySetControllerMaker(ControllerClass::mine, [](Entity& owner, double) -> EntityController* {
        return new MineController(owner);
    });
    entitySetControllerMaker(ControllerClass::mine2, [](Entity& owner, double) -> EntityController* {
        return new Mine2Controller(owner);
    });
    entitySetControllerMaker(ControllerClass::mobileMine, [](Entity& owner, double run) -> EntityController* {
        return new MobileMineController(owner, run);
    });
}

MineController::MineController(Entity& owner) : EntityController(owner) {}

void MineController::postEncounterEvent(ContactRecord& contact, int /*relayFlag*/) {
    Entity* victim = worldFindEntity(contact.entityId);
    if (victim && !isFloat(*victim))
        detonate(*victim, {.explodesOnVictim = true, .crewReports = true});
}

void Mine2Controller::postEncounterEvent(ContactRecord& contact, int /*relayFlag*/) {
    Entity* victim = worldFindEntity(contact.entityId);
    if (victim && !isFloat(*victim) && victim->kind != kKindWeapon)
        detonate(*victim, {.explodesOnVictim = false, .crewReports = true});
}

void MineController::detonate(Entity& victim, Blast blast) {
    Entity& mine = owner();
    // A mine goes off once: other contacts of the same scan come too late.
    if (mine.removeFlag)
        return;
    if (missionState().missionMode == kMissionModeTutorial) {
        reportBlast(victim);
        mine.markForRemoval();
        return;
    }
    const bool ownShip = victim.isOwnShip();
    const double warhead = mine.armour;
    victim.applyDamage(warhead, &mine, blast.explodesOnVictim, true, true);
    if (ownShip) {
        logOwnBoatDamage(victim.id, warhead, kLossMine);
        if (blast.crewReports) {
            const std::string file = "SSmine.wav";
            simAudio().crewQueueSpeech(CrewChannel::sonar, {&file, 1}, kSonarReportPriority);
            msgLogPrintfId(kMineHitText);
        }
        if (victim.hull < kLostHull)
            missionState().ownBoatLossCause = kLossMine;
    }
    mine.applyDamage(1.0, nullptr, true, true, true);
    mine.markForRemoval();
}

// The tutorials' mine: the victim hears the blast and scoring counts the hit, but nothing is damaged.
void MineController::reportBlast(Entity& victim) {
    Entity& mine = owner();
    const double bearing = entityBearing(victim, mine);
    for (auto* node = victim.sensors.head(); node; node = node->next)
        if (node->item->type == kSensorIntercept)
            node->item->onPing(mine.id, static_cast<int>(bearing), 100);
    victim.processContactRecord(mine, interceptFix(mine, victim, bearing, 100, kSensorIntercept));
    scoringPostEvent(missionEventAt(worldPoint(victim), kEventMineDetonation, mine.id, victim.id), 1);
    if (victim.isOwnShip()) {
        scoringAddPoints(kTutorialHitPoints);
        logOwnBoatDamage(victim.id, -kTutorialHitPoints / 100.0, kLossMine);
    }
}

} // namespace q71
