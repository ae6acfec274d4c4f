#pragma once
// A hand-built world, recording services and a small object database for the tests of
// scoring, the replay log and the player records. Each installs itself for its lifetime.

#include "sim/scoring/mission_world.h"
#include "sim/services/sim_services.h"
#include "sim/world/object_database.h"
#include "support/temp_dir.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace q71::test {

/// A launcher that keeps its weapon type, as the stations' launchers do while weapons are unlimited.
class FakeLauncher final : public WeaponLauncher {
public:
    explicit FakeLauncher(int number) : number_(number) {}
    int number() const override { return number_; }
    std::int32_t weaponType() const override { return type; }
    void setWeaponType(std::int32_t newType) override {
        type = newType;
        unlimitedWhenSet.push_back(simWeapons().unlimitedWeapons());
    }
    void setTarget(std::int32_t) override {}
    Entity* launchedEntity() override { return nullptr; }
    bool save(ByteSink&) const override { return true; }
    bool load(ByteSource&) override { return true; }

    std::int32_t type = kWeaponEmpty;
    std::vector<bool> unlimitedWhenSet;

private:
    int number_;
};

class FakeMissionWorld final : public MissionWorld {
public:
    struct CreatedUnit {
        SupportUnit unit;
        int level;
        std::optional<double> orderedCourse;
        std::int32_t id;
    };

    FakeMissionWorld() {
        for (int i = 0; i < kVlsCellCount; ++i)
            cells.push_back(std::make_unique<FakeLauncher>(5 + i));
        for (int i = 0; i < kTorpedoTubeCount; ++i)
            tubes.push_back(std::make_unique<FakeLauncher>(1 + i));
        scoringSetWorld(this);
    }
    ~FakeMissionWorld() override { scoringSetWorld(nullptr); }
    FakeMissionWorld(const FakeMissionWorld&) = delete;
    FakeMissionWorld& operator=(const FakeMissionWorld&) = delete;

    /// Adds an entity at the end of the world list and returns it for further setting.
    EntityFacts& add(std::int32_t id, std::uint32_t recordId, WorldPoint position = {}) {
        EntityFacts facts;
        facts.id = id;
        facts.recordId = recordId;
        facts.position = position;
        list.push_back(facts);
        return list.back();
    }
    /// Adds the own boat.
    EntityFacts& addOwnBoat(std::int32_t id, WorldPoint position = {}) {
        ownId = id;
        return add(id, 1, position);
    }

    std::optional<EntityFacts> findEntity(std::int32_t id) const override {
        for (const EntityFacts& entity : list)
            if (entity.id == id)
                return entity;
        return std::nullopt;
    }
    std::vector<EntityFacts> entities() const override { return list; }
    std::optional<std::int32_t> ownBoatId() const override { return ownId; }
    double ownBoatSpeed() const override { return ownSpeed; }
    void markForRemoval(std::int32_t id) override { removed.push_back(id); }
    std::optional<std::int32_t> createSupportUnit(SupportUnit unit, int level,
                                                  std::optional<double> orderedCourse) override {
        if (!unitsCanBeMade)
            return std::nullopt;
        const std::int32_t id = nextUnitId++;
        created.push_back({unit, level, orderedCourse, id});
        add(id, unit == SupportUnit::ShoreTeam ? 44 : 4);
        return id;
    }
    std::optional<Inventory> ownBoatInventory() const override {
        return ownId ? std::optional<Inventory>(inventory) : std::nullopt;
    }
    void setOwnBoatInventory(const Inventory& counts) override {
        if (ownId)
            inventory = counts;
    }
    std::optional<OwnBoatCarriedState> ownBoatCarriedState() const override {
        return ownId ? std::optional<OwnBoatCarriedState>(carried) : std::nullopt;
    }
    void restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>& words) override {
        restoredStatus.push_back(words);
    }
    std::optional<LauncherTables> launchers() const override {
        if (!launchersBuilt)
            return std::nullopt;
        LauncherTables tables;
        for (size_t i = 0; i < tables.cells.size(); ++i)
            tables.cells[i] = cells[i].get();
        for (size_t i = 0; i < tables.tubes.size(); ++i)
            tables.tubes[i] = tubes[i].get();
        return tables;
    }

    std::vector<EntityFacts> list;
    std::optional<std::int32_t> ownId;
    double ownSpeed = 0.0;
    std::vector<std::int32_t> removed;
    std::vector<CreatedUnit> created;
    bool unitsCanBeMade = true;
    std::int32_t nextUnitId = 500;
    Inventory inventory{8, 0, 4, 8, 0, 15, 15};
    OwnBoatCarriedState carried;
    std::vector<std::array<std::int32_t, 7>> restoredStatus;
    bool launchersBuilt = true;
    std::vector<std::unique_ptr<FakeLauncher>> cells;
    std::vector<std::unique_ptr<FakeLauncher>> tubes;
};

/// The crew's speech on the scoring channel, as file names.
class RecordingAudio final : public AudioService {
public:
    SoundSampleId loadSample(std::string_view) override { return 0; }
    SoundVoiceId playSample(SoundSampleId, bool, bool, bool) override { return 0; }
    SoundVoiceId playByName(std::string_view name, bool, bool, bool keep) override {
        played.emplace_back(name);
        return keep ? played.size() : 0;
    }
    void setVoiceVolume(SoundVoiceId, int volume) override { volumes.push_back(volume); }
    void setVoicePitch(SoundVoiceId, double ratio) override { pitches.push_back(ratio); }
    void startVoice(SoundVoiceId voice) override { started.push_back(voice); }
    void stopVoice(SoundVoiceId voice) override { stopped.push_back(voice); }
    void freeVoice(SoundVoiceId) override {}
    void crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int) override {
        for (const std::string& file : files)
            spoken.push_back((channel == CrewChannel::scoring ? "" : "other channel: ") + file);
    }
    void crewReportSonarNumber(bool, std::string_view, long, int, std::string_view, long, int) override {}

    std::vector<std::string> spoken;
    std::vector<std::string> played; ///< sound effects by name
    std::vector<int> volumes;        ///< volumes set on kept voices
    std::vector<double> pitches;     ///< rate ratios set on kept voices
    std::vector<SoundVoiceId> started, stopped;
};

class FakeFrontEnd final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override {
        auto it = options.find(field);
        return it == options.end() ? 0 : it->second;
    }
    void setOptionsField(int field, std::int32_t value) override { options[field] = value; }
    bool entityViewerCamera(WorldPoint&) const override { return false; }

    std::map<int, std::int32_t> options;
};

class FakeNetworkGame final : public NetworkGame {
public:
    struct SentEvent {
        std::uint8_t code;
        std::int32_t value1, value2, value3, subject;
    };
    struct SentPair {
        std::uint8_t code;
        std::uint32_t low, high;
        std::int32_t subject;
    };
    struct SentDamage {
        double amount;
        std::int32_t attackerId, targetId;
        bool explode;
    };

    bool gameActive() const override { return active; }
    bool lobbyFlag() const override { return lobby; }
    std::int32_t ownPlayerId() const override { return 1; }
    void sendControl(std::int32_t subType, std::int32_t flag) override { controls.emplace_back(subType, flag); }
    void sendDamage(double amount, std::int32_t attackerId, std::int32_t targetId, bool explode) override {
        damages.push_back({amount, attackerId, targetId, explode});
    }
    void sendEntityState(const EntityStateMessage& state) override { states.push_back(state); }
    void sendEventWithPair(std::uint8_t code, std::uint32_t low, std::uint32_t high,
                           std::int32_t subject) override {
        pairs.push_back({code, low, high, subject});
    }
    void sendEventWithValue(std::uint8_t code, std::int32_t value, std::int32_t subject) override {
        sent.push_back({code, value, 0, 0, subject});
    }
    void sendEventWithValues(std::uint8_t code, std::int32_t v1, std::int32_t v2, std::int32_t v3,
                             std::int32_t subject) override {
        sent.push_back({code, v1, v2, v3, subject});
    }
    std::optional<std::string> remotePlayerName(std::int32_t id) const override {
        auto it = remoteNames.find(id);
        return it == remoteNames.end() ? std::nullopt : std::optional(it->second);
    }

    bool active = true;
    bool lobby = false;
    std::map<std::int32_t, std::string> remoteNames;
    std::vector<SentEvent> sent;
    std::vector<SentPair> pairs;
    std::vector<std::pair<std::int32_t, std::int32_t>> controls;
    std::vector<SentDamage> damages;
    std::vector<EntityStateMessage> states;
};

/// The services of the tests, installed for their lifetime; the network game only while joined.
class RecordingServices {
public:
    RecordingServices() { simInstallServices({.audio = &audio, .frontEnd = &frontEnd}); }
    ~RecordingServices() {
        simInstallServices({});
        simSetNetworkGame(nullptr);
    }
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    void joinNetworkGame(bool joined) { simSetNetworkGame(joined ? &network : nullptr); }

    RecordingAudio audio;
    FakeFrontEnd frontEnd;
    FakeNetworkGame network;
};

/// An object database of records with only an id and a display name, loaded for the object's lifetime.
class RecordNames {
public:
    explicit RecordNames(const std::map<std::uint32_t, std::string>& names) {
        std::string bytes;
        for (const auto& [id, name] : names) {
            ObjectRecord record;
            record.id = id;
            record.displayName.assign(name);
            const auto encoded = objectRecordEncode(record);
            bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
        }
        objdbLoadFile(dir_.write("objects.db", bytes));
    }
    ~RecordNames() { objdbFree(); }
    RecordNames(const RecordNames&) = delete;
    RecordNames& operator=(const RecordNames&) = delete;

private:
    TempDir dir_;
};

} // namespace q71::test
