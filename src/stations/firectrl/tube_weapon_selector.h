#pragma once
// The weapon selector of a torpedo tube's panel. Position 2k shows weapon type k unloaded, 2k+1
// loaded (ADCAP, SLMM, Harpoon, Tomahawk, Empty). Choosing loads the tube at once in the model,
// but the selector blinks until the crew is done on the game clock: 1 s for the weapon already
// there, 480 s into an empty tube, 600 s to unload, 1080 s to exchange. A new choice interrupts
// the load in progress.

#include "framework/widgets/weapon_selector.h"

namespace q71 {

class TorpedoTube;

class TubeWeaponSelector final : public WeaponSelector {
public:
    static constexpr int kEmptyLoaded = 9;

    /// Shows 2 x (the tube's type) + 1 (Empty without a tube), which is the loaded position.
    TubeWeaponSelector(WindowHandle page, std::string_view strip, int controlId, int x, int y, int width,
                       int height, int frameCount, TorpedoTube* tube);

    /// A weapon there is stock of (any with unlimited weapons); Empty and the loaded frames always.
    bool acceptPosition(int index) override;
    /// Loads the tube and starts the crew's wait.
    void confirmPosition(int position) override;
    /// Also while it blinks: the new choice interrupts the load.
    void onLeftDown(int x, int y) override;
    void buildFrames() override;

    /// Ends the blinks once the wait is over on the game clock.
    void update(double gameClock);

    int loadedPosition = kEmptyLoaded;
    double loadStart = 0.0;
    double loadDuration = 0.0;

private:
    TorpedoTube* tube_;
};

} // namespace q71
