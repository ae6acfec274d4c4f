#pragma once
// The running world as scoring, the replay log and the player records see it: the facts of
// the entities of the world list and the own boat's stores. The program installs it at
// start-up (scoringSetWorld).

#include "sim/scoring/mission_world.h"

namespace q71 {

class WorldMissionFacts final : public MissionWorld {
public:
    std::optional<EntityFacts> findEntity(std::int32_t id) const override;
    std::vector<EntityFacts> entities() const override;
    std::optional<std::int32_t> ownBoatId() const override;
    double ownBoatSpeed() const override;
    void markForRemoval(std::int32_t id) override;
    /// The shore team's boat ("Seal-Team", its level the variant) or the rescue submarine ("Dsrv") at
    /// the own boat; none without an own boat or without the unit's record.
    std::optional<std::int32_t> createSupportUnit(SupportUnit unit, int level,
                                                  std::optional<double> orderedCourse) override;
    std::optional<Inventory> ownBoatInventory() const override;
    void setOwnBoatInventory(const Inventory& counts) override;
    /// The own boat's broken masts, towed arrays and floating wire; none without an own boat.
    std::optional<OwnBoatCarriedState> ownBoatCarriedState() const override;
    /// Breaks and loses on the own boat what the last campaign mission left broken and lost.
    void restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>& statusWords) override;
    /// The launchers the own-ship set-up built, while they stand.
    std::optional<LauncherTables> launchers() const override;
};

/// The world's facts, one for the program.
WorldMissionFacts& worldMissionFacts();

} // namespace q71
