#include "sim/entities/types/own_submarine.h"

#include "sim/entities/field_codec.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/acoustic_suite.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

namespace q71 {

namespace {

constexpr const char* kOwnBoatType = "Q71i";
constexpr int kOwnBoatMaxFixes = 240;
constexpr std::int32_t kFirstContactSerial = 5000;

// The own boat's id must be the mission's own-submarine id while the entity is built, so that
// the base makes none of the sensors and samples of the computer-run boats.
std::int32_t claimOwnShipId(std::int32_t id) {
    if (id == -1)
        id = entityTakeNextId();
    worldSetOwnShipId(id);
    return id;
}

} // namespace

OwnShipEntity::OwnShipEntity(std::int32_t side, std::int32_t level, std::int32_t id)
    : SubmarineEntity(side, kOwnBoatType, level, claimOwnShipId(id)) {
    typeCode = kEntityOwnShip;
    maxFixes = kOwnBoatMaxFixes;
    lastTrackSweepTime = 0.0;
    ownX = ownY = -1.0;
    contactCounters.fill(0);
    contactSerial = kFirstContactSerial;
    auto made = std::make_unique<OwnShipMotion>(*this);
    ownMotion = made.get();
    motion = std::move(made);
    solvedOrderedCourse_ = ownMotion->orderedCourse;
    OwnShipEntity::createSensors();
}

OwnShipEntity::~OwnShipEntity() {
    if (worldOwnShip() == this)
        worldSetOwnShip(nullptr);
}

void OwnShipEntity::createSensors() {
    const ObjectRecord* record = objdbFindById(recordId);
    if (!record)
        return;
    if (record->sonarFigure != 0.0f) {
        activeSonar = record->activeSonar; // the own boat keeps its sonar's frequency in kHz
        sensorRange = record->sonarFigure;
    }
    const AcousticSuite suite = acousticSuiteCreate(*this, record->sonarFigure, record->esmFigure);
    array2 = suite.bowArray;
    array1 = suite.flankArray;
    activeUnit = suite.activeSonar;
    interceptUnit = suite.interceptSonar;
    esmUnit = suite.esm;
}

Sensor* OwnShipEntity::ownShipSensorByType(int type) const {
    switch (type) {
    case kSensorArray0:
        return array0;
    case kSensorArray1:
    case kSensorRadar:
        return array1;
    case kSensorPassive:
        return array2;
    case kSensorActive:
        return activeUnit;
    case kSensorIntercept:
        return interceptUnit;
    case kSensorEsm:
        return esmUnit;
    default:
        return nullptr;
    }
}

OwnShipEntity* worldOwnSubmarine() {
    return dynamic_cast<OwnShipEntity*>(worldOwnShip());
}

OwnShipEntity* worldOwnSubmarineWithMotion() {
    OwnShipEntity* own = worldOwnSubmarine();
    return own && own->ownMotion ? own : nullptr;
}

Sensor* ownShipSensorByType(int type) {
    const OwnShipEntity* own = worldOwnSubmarine();
    return own ? own->ownShipSensorByType(type) : nullptr;
}

void OwnShipEntity::makeArraySonar() {
    if (array0)
        return;
    array0 = new PassiveArray0(*this, sensorRange);
    addSensor(array0);
}

void OwnShipEntity::dropArraySonar() {
    if (!array0)
        return;
    sensors.saveCursor();
    sensors.remove(array0);
    sensors.restoreCursor();
    delete array0;
    array0 = nullptr;
}

bool OwnShipEntity::save(ByteSink& sink) const {
    if (!Entity::save(sink))
        return false;
    // The arrays that the record gives the boat are there whenever it is loaded again.
    for (const Sensor* array : {static_cast<const Sensor*>(array2), static_cast<const Sensor*>(array1)})
        if (array && !array->save(sink))
            return false;
    FieldWriter w;
    w.u32(array0 ? 1 : 0);
    return w.flush(sink) && (!array0 || array0->save(sink));
}

bool OwnShipEntity::load(ByteSource& source) {
    if (!Entity::load(source))
        return false;
    for (Sensor* array : {static_cast<Sensor*>(array2), static_cast<Sensor*>(array1)})
        if (array && !array->load(source))
            return false;
    FieldReader flag(source, 4);
    std::uint32_t streamed = 0;
    flag.u32(streamed);
    if (!flag.ok() || streamed > 1)
        return false;
    dropArraySonar();
    if (!streamed)
        return true;
    makeArraySonar();
    return array0->load(source);
}

} // namespace q71
