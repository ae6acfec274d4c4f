#include "sim/entities/entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/entities/sensors/simple_intercept_sensor.h"
#include "sim/entities/sensors/simple_sonar_sensor.h"
#include "sim/entities/sensors/visual_sensor.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_step.h"
#include "sim/world/object_database.h"

#include <algorithm>

namespace q71 {

namespace {

std::int32_t idCounter = 0; // the last id given in this mission

// The record of a type name. The player's boat is named "Whale" in scenarios and messages; it
// is the "Q71i" while the world is still empty (the own boat comes first) and, in a network
// game, for the local player's own id.
const ObjectRecord* recordOfTypeName(std::string_view typeName, std::int32_t id) {
    if (objectKeysMatch(typeName, "Whale")) {
        const NetworkGame* game = simNetworkGame();
        if (worldList().empty() || (game && id == game->ownPlayerId()))
            typeName = "Q71i";
    }
    return objdbFindByName(typeName);
}

} // namespace

std::int32_t entityTakeNextId() {
    return ++idCounter;
}

void entitySetIdCounter(std::int32_t lastId) {
    idCounter = lastId;
}

std::int32_t entityIdCounter() {
    return idCounter;
}

Entity::Entity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
               std::int32_t id) {
    init(recordOfTypeName(typeName, id), side, level, kind, id);
}

Entity::Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t kind,
               std::int32_t id)
    : recordId(recordId) {
    init(objdbFindById(recordId), side, level, kind, id);
}

Entity::~Entity() {
    worldNotifyEntityObservers(this, kWorldEntityDestroyed);
    motion.reset();
    controller.reset();
    discardedController_.reset();
    contacts.deleteAll();
    sensors.deleteAll();
}

// A missing record leaves the record data empty (no sensors, no weapons, no dimensions); the
// rest of the entity is set up as usual, so that it never carries an unset id, side or hull.
void Entity::init(const ObjectRecord* record, std::int32_t sideArg, std::int32_t levelArg,
                  std::int32_t kindArg, std::int32_t idArg) {
    soundA = soundB = 0;
    remote = 0;
    maxFixes = 20;
    const std::int32_t newId = idArg == -1 ? entityTakeNextId() : idArg;
    if (record) {
        recordId = record->id;
        category = record->category();
        activeSonar = record->activeSonar * 1000.0;
        sensorRange = record->sonarFigure != 0.0f ? record->sonarFigure : record->fallbackRange;
        armour = record->armour;
        lineFactor = record->lineFactor;
        harmonicCount = record->harmonicCount;
        extraValueC = record->extraValueC;
        noiseFactor = record->signatureFactor;
        const bool ownShip = worldOwnShipId() == newId;
        if (!ownShip && kindArg != kKindAir) {
            if (!record->soundA.empty())
                soundA = simAudio().loadSample(record->soundA.view());
            if (!record->soundB.empty())
                soundB = simAudio().loadSample(record->soundB.view());
        }
        for (std::size_t i = 0; i < weapon.size(); ++i) {
            const ObjectRecord* weaponRecord = objdbFindByName(record->weapons[i].keyName.view());
            if (record->weapons[i].keyName.empty() || !weaponRecord) {
                weaponCount[i] = 0;
                weapon[i] = {};
                continue;
            }
            weaponCount[i] = record->weapons[i].count;
            weapon[i] = {weaponRecord->id, static_cast<double>(weaponRecord->weaponValue),
                         weaponRecord->category()};
        }
    }
    activityPhase = 0;
    activityTimer = simClock().gameClock + 60.0 * (10.0 * levelArg + randomScaled(2.0 * levelArg));
    removeFlag = 0;
    parentId = 0;
    id = newId;
    designation.fill(0);
    signatureLevel.fill(0);
    side = sideArg;
    level = levelArg;
    kind = kindArg;
    // The base's own slots: the class is not built yet.
    Entity::onInit();
    if (kind != kKindWeapon)
        Entity::createSensors();
    Entity::initSignature();
    contactTimeout = kind == kKindAir ? 3600.0 : 600.0 + 180.0 * level;
    hull = 1.0;
    systems = 1.0;
    floodPortTime = floodStarboardTime = floodAftTime = -1.0;
    reported = 0;
}

void Entity::createSensors() {
    const ObjectRecord* record = objdbFindById(recordId);
    if (isOwnShip() || !record)
        return;
    const float sonar = record->sonarFigure;
    sensorRange = sonar;
    const NetworkGame* game = simNetworkGame();
    const bool launchedByOwnShip = worldOwnShipId() == parentId;
    if (game && !game->lobbyFlag() && !launchedByOwnShip) {
        // A peer's game: only what transmits is modelled here.
        if (sonar > 0.0f && activeSonar > 0.0)
            addSensor(new SimpleActiveSonar(*this, sonar, -1));
        if (record->radarFigure != 0.0f) {
            auto* radar = new RadarSensor(*this, record->radarFigure);
            radar->transmitInterval = -1;
            addSensor(radar);
        }
        return;
    }
    if (sonar != 0.0f && category != kCategoryTorp) {
        addSensor(new SimpleSonarSensor(*this, sonar));
        if (activeSonar > 0.0) {
            addSensor(new SimpleActiveSonar(*this, sonar, -1));
            addSensor(new SimpleInterceptSensor(*this, sonar));
        }
    }
    if (record->esmFigure != 0.0f) {
        auto* esm = new Sensor(*this, record->esmFigure);
        esm->type = kSensorEsm;
        addSensor(esm);
    }
    // A missile's radar is its seeker, which its guidance builds when it arms; here it only
    // widens the missile's sensor range.
    if (record->radarFigure != 0.0f) {
        if (category == kCategoryMissile)
            sensorRange = std::max(sensorRange, record->radarFigure);
        else
            addSensor(new RadarSensor(*this, record->radarFigure));
    }
    if (record->visualFigure != 0.0f)
        addSensor(new VisualSensor(*this, record->visualFigure));
    if (record->type6Figure != 0.0f) {
        auto* plain = new Sensor(*this, record->type6Figure);
        plain->type = kSensorPlain6;
        addSensor(plain);
    }
    if (sonar == 0.0f && record->fallbackRange != 0.0f)
        sensorRange = record->fallbackRange;
}

void Entity::step(double dt) {
    discardedController_.reset();
    if (motion)
        motion->integrate(dt);
    if (simClock().running)
        stepSignature(dt);
    if (isOwnShip())
        stepSensors(dt);
}

void Entity::stepSensors(double dt) {
    // Last to first, so that a sensor added by a step is not stepped before its time.
    for (auto* node = sensors.tail(); node;) {
        auto* before = node->previous;
        Sensor* sensor = node->item;
        if (!sensor->deleteFlag)
            sensor->step(dt);
        if (sensor->deleteFlag) {
            sensors.saveCursor();
            sensors.remove(sensor);
            sensors.restoreCursor();
            delete sensor;
        }
        node = before;
    }
}

void Entity::deleteFlaggedSensors() {
    for (auto* node = sensors.head(); node;) {
        auto* following = node->next;
        if (Sensor* sensor = node->item; sensor->deleteFlag) {
            sensors.saveCursor();
            sensors.remove(sensor);
            sensors.restoreCursor();
            delete sensor;
        }
        node = following;
    }
}

void Entity::updatePerSecond(double elapsed) {
    discardedController_.reset();
    const double now = simClock().gameClock;
    if (remote && motion && motion->speed > 0.0 && now - lastRemoteUpdate > 300.0) {
        markForRemoval(); // a peer's entity that stopped reporting while it moved
        return;
    }
    if (isOwnShip()) {
        if (hull <= 0.0 && !simNetworkGame() && now > repairTime) {
            worldQueueDeathScreen();
            return;
        }
    } else {
        stepSensors(elapsed);
    }
    updateContactClocks(elapsed);
    updateContacts();
    stepActivityCycle();
    if (controller)
        controller->update(elapsed);
}

void Entity::stepActivityCycle() {
    const double now = simClock().gameClock;
    if (now < activityTimer)
        return;
    if (activityPhase == 0)
        activityTimer = now + 30.0 + randomScaled(45.0);
    else
        activityTimer = now + 60.0 * (10.0 * level + randomScaled(2.0 * level));
    activityPhase = activityPhase == 0 ? 1 : 0;
}

void Entity::addSensor(Sensor* sensor) {
    sensors.saveCursor();
    sensors.appendItem(sensor);
    sensors.restoreCursor();
}

Sensor* Entity::findSensorByType(int type) const {
    if (type == kSensorMirror)
        type = kSensorArray0;
    for (auto* node = sensors.head(); node; node = node->next)
        if (node->item->type == type && !node->item->deleteFlag) // a flagged sensor is as good as gone
            return node->item;
    return nullptr;
}

void Entity::markForRemoval() {
    removeFlag = 1;
    if (worldOwnShip() == this)
        worldSetOwnShip(nullptr);
}

void Entity::notifyController(std::int32_t value) {
    if (controller)
        controller->configureSeeker(value);
}

void Entity::notifyController2(double value) {
    if (controller)
        controller->stepGuidance(value);
}

void Entity::discardController() {
    if (controller)
        discardedController_ = std::move(controller);
}

bool Entity::isOwnShip() const {
    return worldOwnShipId() == id;
}

WorldPoint worldPoint(const Entity& entity) {
    return motionPoint(entity.motion.get());
}

double worldAspectAngle(const Entity& observer, const Entity& entity) {
    return worldAspectAngle(entityBearing(observer, entity), entity.motion ? entity.motion->heading : 0.0);
}

} // namespace q71
