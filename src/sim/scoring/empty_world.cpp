// The empty world that stands in until the program installs its own.
#include "sim/scoring/mission_world.h"

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
    std::optional<Inventory> ownBoatInventory() const override { return std::nullopt; }
    void setOwnBoatInventory(const Inventory&) override {}
    std::optional<OwnBoatCarriedState> ownBoatCarriedState() const override { return std::nullopt; }
    void restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>&) override {}
    std::optional<LauncherTables> launchers() const override { return std::nullopt; }
};

EmptyWorld emptyWorld;
MissionWorld* installedWorld = &emptyWorld;

} // namespace

void scoringSetWorld(MissionWorld* world) {
    installedWorld = world ? world : &emptyWorld;
}
MissionWorld& scoringWorld() {
    return *installedWorld;
}

} // namespace q71
