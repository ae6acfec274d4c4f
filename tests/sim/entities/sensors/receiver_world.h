#pragma once
// A world for the tests of the own boat's receivers: a few platform records with known
// signature lines, the sonar crew's texts, recording sound, options and message log, a calm
// sea of known ambient noise without a layer, and a scripted own boat at the origin carrying
// the full receiver suite. Everything is put back when the test ends.

#include "framework/textmngr/text_manager.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/acoustic_suite.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/log_lines.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/scripted_own_boat.h"
#include "sim/support/under_way.h"
#include "sim/support/weapon_world.h"
#include "sim/world/object_database.h"
#include "support/temp_dir.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace q71::test {

class ReceiverWorld : public ::testing::Test {
protected:
    ReceiverWorld();
    ~ReceiverWorld() override;

    /// An entity of a record at a place, with a plain motion model (no controller), in the world.
    Entity& spawn(const char* typeName, std::int32_t side, std::int32_t kind, WorldPoint at,
                  double heading = 0.0, double speed = 0.0);
    /// Sets the game clock.
    static void setClock(double t) { simClock().gameClock = t; }
    /// Turns the sonar crew's assistance on at its automatic level (5) or by rank (level 0).
    void assist(bool automatic);

    TextFixture texts_;
    TempDir dir_;
    SoundProfile profileBefore_ = soundProfile();
    MissionState missionBefore_ = missionState();
    WeaponAudio audio;
    FakeFrontEnd options;
    LogLines log;
    ScriptedOwnBoat* own = nullptr;
};

inline ObjectRecord receiverRecord(std::uint32_t id, const char* key, const char* category, float noise,
                                   std::array<std::int32_t, 5> lines,
                                   std::array<std::int32_t, 4> attenuations) {
    ObjectRecord record;
    record.id = id;
    record.keyName.assign(key);
    record.displayName.assign(key);
    record.categoryWord.assign(category);
    record.signatureFactor = noise;
    record.signatureValues = lines;
    record.signatureParameters = attenuations;
    record.maxSpeed = 30;
    record.length = 300;
    return record;
}

inline ReceiverWorld::ReceiverWorld()
    : texts_("306\tNotre torpille est en route.\n309\tTorpille dans l'eau au %03d.\n868\tListe\n") {
    // The own boat; a submarine with lines in every band; a warship with an active sonar of 3 kHz
    // and an intercept receiver; a submarine whose only line lies below every band; a torpedo; a
    // helicopter; the explosion.
    std::vector<ObjectRecord> records{
        receiverRecord(1, "Q71i", "sub", 1.0f, {50, 120, 360, 960, 0}, {12, 20, 30, 0}),
        receiverRecord(2, "Akula", "sub", 1.0f, {60, 300, 900, 5000, 0}, {10, 20, 40, 0}),
        receiverRecord(3, "Burke", "ship", 1.0f, {40, 250, 800, 2000, 0}, {5, 10, 15, 0}),
        receiverRecord(4, "Silent", "sub", 1.0f, {5, 0, 0, 0, 0}, {0, 0, 0, 0}),
        receiverRecord(70, "Adcap", "torp", 1.0f, {400, 0, 0, 0, 0}, {0, 0, 0, 0}),
        receiverRecord(80, "Seahawk", "helo", 1.0f, {90, 0, 0, 0, 0}, {0, 0, 0, 0}),
        receiverRecord(100, "Explosion", "float", 5.0f, {30, 0, 0, 0, 0}, {0, 0, 0, 0}),
    };
    records[0].sonarFigure = 3.0f;
    records[0].esmFigure = 2.0f;
    records[0].activeSonar = 3;
    records[2].sonarFigure = 2.0f;
    records[2].activeSonar = 3;
    records[4].sonarFigure = 1.5f;
    std::string bytes;
    for (const ObjectRecord& record : records) {
        const auto encoded = objectRecordEncode(record);
        bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    objdbLoadFile(dir_.write("objects.db", bytes));
    simInstallServices({.audio = &audio, .frontEnd = &options});
    msgLogSetTarget(true, &log);
    randomSeed(1);
    simResetClock();
    simClock().running = true;
    simClock().seaState = 2;
    missionState().soundProfileKind = 0;
    soundProfile().layerDepth = 0.0;
    soundProfile().background = soundProfile().ambientNoise = 30.0;
    worldBuildSignatureTables();
    entitySetIdCounter(0);
    own = new ScriptedOwnBoat("Q71i", 900, WorldPoint{0.0, 0.0, -100.0}, 0.0, 0.0);
    worldAddEntity(own);
}

inline ReceiverWorld::~ReceiverWorld() {
    worldList().deleteAll();
    worldSetOwnShip(nullptr);
    worldSetOwnShipId(std::nullopt);
    worldFreeSignatureTables();
    entitySetIdCounter(0);
    simClock().running = false;
    msgLogDetach();
    simInstallServices({});
    simSetNetworkGame(nullptr);
    objdbFree();
    soundProfile() = profileBefore_;
    missionState() = missionBefore_;
    simResetClock();
}

inline Entity& ReceiverWorld::spawn(const char* typeName, std::int32_t side, std::int32_t kind, WorldPoint at,
                                    double heading, double speed) {
    auto* entity = new Entity(side, typeName, 2, kind, -1);
    entity->motion = std::make_unique<MotionModel>(*entity);
    placeUnderWay(*entity->motion, at, heading, speed);
    worldAddEntity(entity);
    return *entity;
}

inline void ReceiverWorld::assist(bool automatic) {
    options.options[automatic ? kOptionAssistStation0 : kOptionAssistByRank0] = 1;
}

} // namespace q71::test
