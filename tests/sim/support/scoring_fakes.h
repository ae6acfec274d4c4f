#pragma once
// A hand-built world and recording services for the tests of scoring, the replay log and the
// player records. Each installs itself for its lifetime.

#include "sim/scoring/mission_world.h"
#include "sim/scoring/scoring_services.h"

#include <functional>
#include <map>

namespace q71::test {

class FakeMissionWorld final : public MissionWorld {
public:
    struct CreatedUnit {
        SupportUnit unit;
        int level;
        std::optional<double> orderedCourse;
        std::int32_t id;
    };

    FakeMissionWorld() { scoringSetWorld(this); }
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
    std::string recordDisplayName(std::uint32_t recordId) const override {
        auto it = recordNames.find(recordId);
        return it == recordNames.end() ? std::string() : it->second;
    }
    std::optional<double> terrainHeight(double x, double y) const override {
        return terrain ? terrain(x, y) : std::nullopt;
    }
    double layerDepth() const override { return layer; }
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

    std::vector<EntityFacts> list;
    std::optional<std::int32_t> ownId;
    double ownSpeed = 0.0;
    std::vector<std::int32_t> removed;
    std::vector<CreatedUnit> created;
    bool unitsCanBeMade = true;
    std::int32_t nextUnitId = 500;
    std::map<std::uint32_t, std::string> recordNames;
    std::function<std::optional<double>(double, double)> terrain;
    double layer = -60.0;
    Inventory inventory{8, 0, 4, 8, 0, 15, 15};
    OwnBoatCarriedState carried;
    std::vector<std::array<std::int32_t, 7>> restoredStatus;
};

class RecordingServices final : public ScoringServices {
public:
    struct SentEvent {
        std::uint8_t code;
        std::int32_t value1, value2, value3, subject;
    };

    RecordingServices() { scoringSetServices(this); }
    ~RecordingServices() override { scoringSetServices(nullptr); }
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    void speakTeamReport(const char* wave) override { spoken.emplace_back(wave); }
    bool networkGameExists() const override { return network; }
    int remotePlayerCount() const override { return static_cast<int>(remoteNames.size()); }
    std::optional<std::string> remotePlayerName(std::int32_t id) const override {
        auto it = remoteNames.find(id);
        return it == remoteNames.end() || it->second.empty() ? std::nullopt : std::optional(it->second);
    }
    void sendEventWithValues(std::uint8_t code, std::int32_t v1, std::int32_t v2, std::int32_t v3,
                             std::int32_t subject) override {
        sent.push_back({code, v1, v2, v3, subject});
    }
    std::int32_t optionsField(int index) const override {
        auto it = options.find(index);
        return it == options.end() ? 0 : it->second;
    }
    std::optional<LauncherLoad> launcherLoad() const override { return launchers; }
    void setLauncherLoad(const LauncherLoad& load) override {
        if (launchers)
            launchers = load;
    }

    std::vector<std::string> spoken;
    bool network = false;
    std::map<std::int32_t, std::string> remoteNames;
    std::vector<SentEvent> sent;
    std::map<int, std::int32_t> options;
    std::optional<LauncherLoad> launchers;
};

} // namespace q71::test
