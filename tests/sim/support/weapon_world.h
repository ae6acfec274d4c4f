#pragma once
// A small mission for the tests of weapons and explosions: an object database of a few platform
// and weapon records, recording sound, host and message log, a text table of the messages the
// weapons log, and helpers that place scripted entities (plain motion, no controller unless
// given) in the world. Everything is put back when the world goes. Header-only, so that the
// station tests use it too.

#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/weapon_launches.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/log_lines.h"
#include "sim/world/object_database.h"
#include "support/temp_dir.h"
#include "support/text_fixture.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace q71::test {

/// The sounds and the crew's reports, in the order they came.
class WeaponAudio final : public AudioService {
public:
    struct Voice {
        std::string name;
        int volume = -1;
        bool started = false;
    };

    SoundSampleId loadSample(std::string_view name) override {
        loaded.emplace_back(name);
        return loaded.size();
    }
    SoundVoiceId playSample(SoundSampleId sample, bool, bool, bool) override {
        played.push_back(loaded.at(sample - 1));
        return 0;
    }
    SoundVoiceId playByName(std::string_view name, bool, bool startNow, bool keep) override {
        voices.push_back({std::string(name), -1, startNow});
        return keep ? voices.size() : 0;
    }
    void setVoiceVolume(SoundVoiceId voice, int volume) override { voices.at(voice - 1).volume = volume; }
    void startVoice(SoundVoiceId voice) override { voices.at(voice - 1).started = true; }
    void stopVoice(SoundVoiceId) override {}
    void freeVoice(SoundVoiceId) override {}
    void crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int) override {
        for (const std::string& file : files)
            said.push_back((channel == CrewChannel::sonar ? "sonar: " : "other: ") + file);
    }
    void crewReportSonarNumber(bool secondSet, std::string_view leadIn, long number, int minDigits,
                               std::string_view tail, long, int) override {
        said.push_back("sonar: " + std::string(leadIn) + " " + std::to_string(number) + "/" +
                       std::to_string(minDigits) + (secondSet ? " urgent" : "") +
                       (tail.empty() ? "" : " " + std::string(tail)));
    }

    std::vector<Voice> voices;
    std::vector<std::string> said;
    std::vector<std::string> loaded; ///< samples by name, their handles counting from 1
    std::vector<std::string> played; ///< loaded samples played, by name
};

class WeaponHost final : public HostScreen {
public:
    void ownShipDestroyed() override { ++destroyed; }
    void setEngineSound(bool) override {}
    void showDeathScreen() override { ++deathScreens; }
    int destroyed = 0;
    int deathScreens = 0;
};

class WeaponFrontEnd final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override {
        auto it = options.find(field);
        return it == options.end() ? 0 : it->second;
    }
    void setOptionsField(int field, std::int32_t value) override { options[field] = value; }
    bool entityViewerCamera(WorldPoint& position) const override {
        if (camera)
            position = *camera;
        return camera.has_value();
    }
    std::map<int, std::int32_t> options;
    std::optional<WorldPoint> camera;
};

/// A record of the test's object database.
inline ObjectRecord weaponRecord(std::uint32_t id, const char* key, const char* category, std::uint8_t armour,
                                 std::int16_t maxSpeed = 0, std::int16_t length = 0) {
    ObjectRecord record;
    record.id = id;
    record.keyName.assign(key);
    record.categoryWord.assign(category);
    record.armour = armour;
    record.maxSpeed = maxSpeed;
    record.length = length;
    return record;
}

/// Record ids of the test's object database.
enum WeaponWorldRecord : std::uint32_t {
    kRecordOwnBoat = 1,
    kRecordSubmarine = 2,
    kRecordShip = 3,
    kRecordAdcap = 70,
    kRecordTomahawk = 56,
    kRecordHarpoon = 57,
    kRecordDecoy = 80,
    kRecordRocket = 90,
    kRecordExplosion = 100,
    kRecordBuoy = 101,
};

class WeaponWorld {
public:
    WeaponWorld()
        : texts_("198\tAucune cible\n770\tTube %d, fin de course\n780\tExercice\n781\tExplosion au %03d\n"
                 "840\tTorpille au %03d\n892\tForte explosion au %03d\n894\tExplosion au %03d\n"
                 "788\tTouché\n868\tListe\n") {
        std::vector<ObjectRecord> records{
            weaponRecord(kRecordOwnBoat, "Q71i", "sub", 10, 30, 360),
            weaponRecord(kRecordSubmarine, "Akula", "sub", 10, 30, 370),
            weaponRecord(kRecordShip, "Burke", "ship", 10, 30, 500),
            weaponRecord(kRecordAdcap, "Adcap", "torp", 30, 55, 19),
            weaponRecord(kRecordTomahawk, "Tomahawk", "missile", 40, 480, 20),
            weaponRecord(kRecordHarpoon, "Harpoon", "missile", 25, 560, 15),
            weaponRecord(kRecordDecoy, "Counter1", "cm", 1),
            weaponRecord(kRecordRocket, "Rocket", "rock", 5, 400),
            weaponRecord(kRecordExplosion, "Explosion", "float", 1),
            weaponRecord(kRecordBuoy, "NavBuoy", "float", 1),
        };
        records[3].sonarFigure = 2.5f;
        records[7].weapons[2].keyName.assign("Adcap");
        records[7].weapons[2].count = 1;
        std::string bytes;
        for (const ObjectRecord& record : records) {
            const auto encoded = objectRecordEncode(record);
            bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
        }
        objdbLoadFile(dir_.write("objects.db", bytes));
        simInstallServices({.audio = &audio, .host = &host, .frontEnd = &frontEnd});
        msgLogSetTarget(true, &log);
        resetWorld();
        randomSeed(1);
        simClock().running = true;
    }
    ~WeaponWorld() {
        resetWorld();
        simClock().running = false;
        msgLogDetach();
        simInstallServices({});
        objdbFree();
    }
    WeaponWorld(const WeaponWorld&) = delete;
    WeaponWorld& operator=(const WeaponWorld&) = delete;

    /// An entity of a record in the world at a place, with a plain motion model.
    Entity* spawn(const char* typeName, std::int32_t side, std::int32_t kind, WorldPoint at,
                  double heading = 0.0, double speed = 0.0, std::int32_t level = 2, std::int32_t id = -1) {
        auto* entity = new Entity(side, typeName, level, kind, id);
        entity->motion = std::make_unique<MotionModel>(*entity);
        entity->motion->x = at.x;
        entity->motion->y = at.y;
        entity->motion->z = at.z;
        entity->motion->heading = heading;
        entity->motion->speed = speed;
        worldAddEntity(entity);
        return entity;
    }

    /// The id of the test's own boat.
    static constexpr std::int32_t kOwnBoatId = 900;

    /// The own boat, side 1, at a place.
    Entity* spawnOwnBoat(WorldPoint at, double heading = 0.0) {
        worldSetOwnShipId(kOwnBoatId);
        Entity* own = spawn("Q71i", 1, kKindSubsurface, at, heading, 0.0, 2, kOwnBoatId);
        worldSetOwnShip(own);
        return own;
    }

    /// Sets the game clock.
    static void setClock(double t) { simClock().gameClock = t; }

    WeaponAudio audio;
    WeaponHost host;
    WeaponFrontEnd frontEnd;
    LogLines log;

private:
    static void resetWorld() {
        launcherTablesFree();
        worldSetOwnShip(nullptr);
        worldSetOwnShipId(std::nullopt);
        worldList().deleteAll();
        worldPendingList().deleteAll();
        entitySetIdCounter(0);
        entitySetExplosionMaker(nullptr);
        weaponLaunchesInstall(nullptr);
        simResetClock();
        missionState() = MissionState{};
        soundProfile() = SoundProfile{};
        scoringState() = ScoringState{};
    }

    TextFixture texts_;
    TempDir dir_;
};

} // namespace q71::test
