#pragma once
// A vertical-launch cell (numbers 5 to 16): a Tomahawk or nothing, with its flight range, its
// route, its two hatch states and the missile it launched.

#include "stations/firectrl/launcher.h"

namespace q71 {

class VlsCell final : public Launcher {
public:
    /// A cell with its number: Empty, range 485, no target, the name of no target, hatches at 2.
    explicit VlsCell(int number);

    /// Empty, range 485, target −1 and the name of no target.
    void setDefaults();
    void loadPresets() override;
    bool holdsType(std::int32_t type) const override {
        return type == kWeaponTomahawk || type == kWeaponEmpty;
    }

    /// Launches the loaded cruise missile along the route, which is then cleared; the cell counts as
    /// launched.
    void fire();

    /// The missile launched from the cell (lost ones too), found in the world, or null.
    Entity* launchedEntity() override;

    bool save(ByteSink& sink) const override;
    bool load(ByteSource& source) override;

    std::int32_t tomahawkRange = 485;
    std::int32_t launchedMissileId = -1;           ///< the launched missile's id, −1 for none or a lost one
    std::array<std::int32_t, 2> hatchStates{2, 2}; ///< each 1 or 2

private:
    std::int32_t launchedEntityId_ = -1; // the missile kept, a lost one included
};

} // namespace q71
