#pragma once
// Fire control as the rest of the program reaches it: the weapon-stations service of the
// simulation (installed at start-up), making the own boat's tubes and cells, and the state the
// fire-control station keeps for the mission: the guidance switch of the fire panel, whether the
// station is built, its chart, and the two state words a saved mission keeps. Unlimited weapons
// is the option of the player's options record.

#include "sim/services/weapon_stations.h"

namespace q71 {

class LauncherChart;

/// The two sides of tubes.
inline constexpr int kTubeSideStarboard = 1;
inline constexpr int kTubeSidePort = 2;

class FireControlStations final : public WeaponStations {
public:
    std::unique_ptr<WeaponLauncher> createTorpedoTube(int number) override;
    std::unique_ptr<WeaponLauncher> createVlsCell(int number) override;
    bool unlimitedWeapons() const override;
    void setUnlimitedWeapons(bool on) override;
    bool fireControlExists() const override { return stationBuilt_; }
    void setTubeSideState(int side, int state) override;
    bool fireGuidanceSwitch() const override { return guidanceSwitch_; }
    std::array<std::uint32_t, 2> stationStates() const override { return stationStates_; }
    void restoreStationStates(std::array<std::uint32_t, 2> states) override { stationStates_ = states; }
    std::vector<WorldPoint> plottedWaypoints() const override;

    /// 1 while the tubes of a side (starboard or port) are in service, 0 once flooding put them out.
    std::int32_t tubeSideState(int side) const;

    /// The fire panel sets the switch as it is built and inverts it with its firing switch.
    void setFireGuidanceSwitch(bool on) { guidanceSwitch_ = on; }
    /// The fire-control station tells when it is built and destroyed.
    void setFireControlExists(bool built) { stationBuilt_ = built; }
    /// The fire-control chart installs itself while it is built (null: no chart).
    void setChart(LauncherChart* chart) { chart_ = chart; }
    LauncherChart* chart() const { return chart_; }

private:
    // On until a fire panel is built, which sets it itself: launches work before the panel exists.
    bool guidanceSwitch_ = true;
    bool stationBuilt_ = false;
    LauncherChart* chart_ = nullptr;
    std::array<std::uint32_t, 2> stationStates_{};
    std::array<std::int32_t, 2> tubeSideStates_{1, 1}; // starboard, port
};

/// The program's fire control, installed as the simulation's weapon stations at start-up.
FireControlStations& fireControlStations();

} // namespace q71
