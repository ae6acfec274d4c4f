#pragma once
// A torpedo tube's panel on the fire panel page: the flood valve, the equalizing valve and the
// muzzle door, the weapon selector, the covered fire button and two lamps. The switches enable
// one another in the order a crew works the tube, write the tube's three door states, and a shot
// leaves the wire attached until the muzzle door is shut again.

#include "stations/firectrl/fire_panel_parts.h"

#include <memory>

namespace q71 {

class AnimatedSwitch;
class CoveredButton;
class StateButton;
class TorpedoTube;
class TubeWeaponSelector;
struct SoundSample;

class TubePanel final : public TubePanelPart {
public:
    /// The panel of tube `index` of the launcher tables (none: the controls drive nothing).
    TubePanel(WindowHandle page, int index, const FirePanelRow& row);
    ~TubePanel() override;

    void onCommand(WParam wParam, LParam lParam) override;
    void loadResources() override;
    void freeResources() override;
    /// The crew's wait for a load.
    void update() override;
    /// The ready lamp and the fire button from the tube's readiness while the door is open.
    void refreshReady(bool sound) override;
    /// The switches from the tube's door states.
    void restoreFromLauncher() override;
    void setSideEnabled(bool enabled) override;
    void setSwitchSounds(bool on) override;
    /// Lights the tube lamp, gives the tube its target and its presets.
    void assignTarget(int target, std::string_view name) override;

    bool armed() const { return armed_; }
    bool wireAttached() const { return wireAttached_; }
    AnimatedSwitch& floodSwitch() { return *flood_; }
    AnimatedSwitch& equalizeSwitch() { return *equalize_; }
    AnimatedSwitch& muzzleSwitch() { return *muzzle_; }
    CoveredButton& fireButton() { return *fire_; }
    StateButton& readyLamp() { return *readyLamp_; }
    StateButton& tubeLamp() { return *tubeLamp_; }
    TubeWeaponSelector& selector() { return *selector_; }

private:
    void onFlood(int notification);
    void onEqualize(int notification);
    void onMuzzle(int notification);
    void onFire(int notification);
    void onSelector(int notification);
    void releaseWire();

    TorpedoTube* tube_;
    int idBase_;
    std::unique_ptr<AnimatedSwitch> flood_;
    std::unique_ptr<AnimatedSwitch> equalize_;
    std::unique_ptr<AnimatedSwitch> muzzle_;
    std::unique_ptr<StateButton> readyLamp_;
    std::unique_ptr<TubeWeaponSelector> selector_;
    std::unique_ptr<CoveredButton> fire_;
    std::unique_ptr<StateButton> tubeLamp_;
    SoundSample* fireSound_ = nullptr;
    bool armed_ = false;
    bool wireAttached_ = false;
};

/// The tube of the launcher tables at `index`, or null.
TorpedoTube* tableTube(int index);

} // namespace q71
