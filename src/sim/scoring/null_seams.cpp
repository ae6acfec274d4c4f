// The empty world and the null services that stand in until the program installs its own.
#include "sim/scoring/mission_world.h"
#include "sim/scoring/scoring_services.h"

namespace q71 {
namespace {

class EmptyWorld final : public MissionWorld {
public:
    std::optional<EntityFacts> findEntity(std::int32_t) const override { return std::nullopt; }
    std::vector<EntityFacts> entities() const override { return {}; }
    std::optional<std::int32_t> ownBoatId() const override { return std::nullopt; }
    double ownBoatSpeed() const override { return 0.0; }
    void markForRemoval(std::int32_t) override {}
    std::optional<std::int32_t> createSupportUnit(SupportUnit, int, std::optional<double>) override {
        return std::nullopt;
    }
    std::string recordDisplayName(std::uint32_t) const override { return {}; }
    std::optional<double> terrainHeight(double, double) const override { return std::nullopt; }
    double layerDepth() const override { return 0.0; }
    std::optional<Inventory> ownBoatInventory() const override { return std::nullopt; }
    void setOwnBoatInventory(const Inventory&) override {}
    std::optional<OwnBoatCarriedState> ownBoatCarriedState() const override { return std::nullopt; }
    void restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>&) override {}
};

class NullServices final : public ScoringServices {
public:
    void speakTeamReport(const char*) override {}
    bool networkGameExists() const override { return false; }
    int remotePlayerCount() const override { return 0; }
    std::optional<std::string> remotePlayerName(std::int32_t) const override { return std::nullopt; }
    void sendEventWithValues(std::uint8_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    std::int32_t optionsField(int) const override { return 0; }
    std::optional<LauncherLoad> launcherLoad() const override { return std::nullopt; }
    void setLauncherLoad(const LauncherLoad&) override {}
};

EmptyWorld emptyWorld;
NullServices nullServices;
MissionWorld* installedWorld = &emptyWorld;
ScoringServices* installedServices = &nullServices;

} // namespace

void scoringSetWorld(MissionWorld* world) { installedWorld = world ? world : &emptyWorld; }
MissionWorld& scoringWorld() { return *installedWorld; }

void scoringSetServices(ScoringServices* services) { installedServices = services ? services : &nullServices; }
ScoringServices& scoringServices() { return *installedServices; }

} // namespace q71
