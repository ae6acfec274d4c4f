#pragma once
// A vertical-launch cell's panel on the fire panel page: the pressurizing valve, the hatch, the
// covered fire button, a selector that shows the cell's load, and two lamps. Cells are loaded
// before the mission, so the selector only shows. The switches write the cell's hatch states.

#include "framework/widgets/weapon_selector.h"
#include "stations/firectrl/fire_panel_parts.h"

#include <memory>

namespace q71 {

class AnimatedSwitch;
class CoveredButton;
class StateButton;
class VlsCell;

/// The cell's load: Tomahawk (positions 0 unloaded, 1 loaded) or Empty (2, 3).
class VlsSelector final : public WeaponSelector {
public:
    using WeaponSelector::WeaponSelector;
    /// A Tomahawk only while there is stock of them.
    bool acceptPosition(int index) override;
};

class VlsPanel final : public CellPanelPart {
public:
    /// The panel of cell `index` of the launcher tables (none: the controls drive nothing).
    VlsPanel(WindowHandle page, int index, const FirePanelRow& row);
    ~VlsPanel() override;

    void onCommand(WParam wParam, LParam lParam) override;
    void loadResources() override;
    void freeResources() override;
    void refreshReady(bool sound) override;
    /// The switches from the cell's hatch states.
    void restoreFromLauncher() override;

    bool armed() const { return armed_; }
    AnimatedSwitch& pressurizeSwitch() { return *pressurize_; }
    AnimatedSwitch& hatchSwitch() { return *hatch_; }
    CoveredButton& fireButton() { return *fire_; }
    StateButton& readyLamp() { return *readyLamp_; }
    StateButton& cellLamp() { return *cellLamp_; }
    VlsSelector& selector() { return *selector_; }

private:
    void onPressurize(int notification);
    void onHatch(int notification);
    void onFire(int notification);

    VlsCell* cell_;
    int idBase_;
    std::unique_ptr<AnimatedSwitch> pressurize_;
    std::unique_ptr<AnimatedSwitch> hatch_;
    std::unique_ptr<StateButton> readyLamp_;
    std::unique_ptr<CoveredButton> fire_;
    std::unique_ptr<VlsSelector> selector_;
    std::unique_ptr<StateButton> cellLamp_;
    bool armed_ = false;
};

} // namespace q71
