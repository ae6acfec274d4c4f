#pragma once
// A torpedo tube (numbers 1 to 4): any weapon type, with the settings of each type, the gyro
// course used when no contact is targeted, its three door and valve states, and the ids of the
// weapons it launched, through which the wire-guidance orders reach the torpedo.

#include "stations/firectrl/launcher.h"

namespace q71 {

class TorpedoTube final : public Launcher {
public:
    /// A tube with its number: Empty with the default settings, nothing assigned, doors at 2.
    explicit TorpedoTube(int number);

    /// Empty, with the default settings of every type.
    void setDefaults();
    void loadPresets() override;
    bool holdsType(std::int32_t type) const override { return type >= kWeaponAdcap && type <= kWeaponEmpty; }

    /// Fires the loaded weapon; the tube counts as launched whatever it held.
    void fire();

    // Wire guidance of the ADCAP launched from this tube; nothing once it is gone.

    /// Turns the torpedo's preset course 5 degrees to starboard.
    void steerRight();
    /// Turns the torpedo's preset course 5 degrees to port.
    void steerLeft();
    /// Arms (non-zero) or disarms (0) the torpedo's seeker.
    void setGuidanceMode(std::int32_t value);
    /// Ends the torpedo's run: it is removed and the sonar operator reports the tube's weapon gone.
    void shutDownWeapon();
    /// True while the torpedo exists and its wire is connected.
    bool isGuidable();

    Entity* launchedEntity() override;
    Entity* launchedHarpoon();
    Entity* launchedMissile();

    bool save(ByteSink& sink) const override;
    bool load(ByteSource& source) override;

    // ADCAP settings (depths in feet, positive down).
    std::int32_t adcapCeiling = 200;
    std::int32_t adcapDepth2 = 0;
    std::int32_t adcapFloor = 3000;
    std::int32_t adcapFlag = 0; ///< the seeker preset: 0 active, 1 passive, 2 none
    std::int32_t adcapEnableRange = 1000;
    std::int32_t adcapSpeed = 55;
    // Harpoon settings (ranges in units of 2000 yards).
    std::int32_t harpoonRange1 = 50;
    std::int32_t harpoonRange2 = 0;
    std::int32_t harpoonFlag = 0;
    std::int32_t slmmDepth = 100; ///< feet
    std::int32_t tomahawkRange = 485;
    std::int32_t launchedTorpedoId = -1;
    std::int32_t launchedHarpoonId = -1;
    std::int32_t launchedMissileId = -1;
    std::int32_t launchedMineId = -1;
    std::int32_t gyroCourse = 0;                     ///< degrees, used when the target is −1
    std::array<std::int32_t, 3> doorStates{2, 2, 2}; ///< each 1 or 2

private:
    void launchAdcap();
    void launchSlmm();
    void launchHarpoon();
    void launchTomahawk();
};

} // namespace q71
