#pragma once
// The panels of the fire panel page: twelve cell panels, four tube panels and two countermeasure
// launcher panels, each a group of controls at an origin of the page. The page owns them and
// routes every command to them; the module that draws them installs their makers at start-up.
// Without makers the page holds none of them, and its switch and page buttons work alone.

#include "platform/window/window_types.h"
#include "stations/firectrl/fire_layout.h"

#include <memory>
#include <string_view>

namespace q71 {

class FirePanel;

/// What every panel of the page does.
class FirePanelPart {
public:
    virtual ~FirePanelPart() = default;
    /// Every command of the page; the panel acts on its own ids.
    virtual void onCommand(WParam wParam, LParam lParam) = 0;
    virtual void loadResources() = 0;
    virtual void freeResources() = 0;
};

/// A vertical-launch cell's panel: it drives cell `index` of the launcher tables.
class CellPanelPart : public FirePanelPart {
public:
    /// Shows the cell's readiness (`sound`: with its lamp's click).
    virtual void refreshReady(bool sound) = 0;
    /// Takes the cell's state, on a mission under way (after a load, or the host built again).
    virtual void restoreFromLauncher() = 0;
};

/// A torpedo tube's panel: it drives tube `index` of the launcher tables.
class TubePanelPart : public FirePanelPart {
public:
    virtual void update() = 0;
    virtual void refreshReady(bool sound) = 0;
    virtual void restoreFromLauncher() = 0;
    /// The side of the boat the tube lies in flooded (off) or recovered (on).
    virtual void setSideEnabled(bool enabled) = 0;
    /// The valve and door switches click only while the firing switch is on.
    virtual void setSwitchSounds(bool on) = 0;
    virtual void assignTarget(int target, std::string_view name) = 0;
};

/// A countermeasure launcher's panel.
class DecoyPanelPart : public FirePanelPart {
public:
    /// The kind of countermeasure loaded (0 or 1: kind A, 2 or 3: kind B, else none).
    virtual int decoyType() const = 0;
};

/// The makers of the panels; a null maker leaves its panels out.
struct FirePanelMakers {
    std::unique_ptr<CellPanelPart> (*cell)(WindowHandle page, int index, const FirePanelRow& row) = nullptr;
    std::unique_ptr<TubePanelPart> (*tube)(WindowHandle page, int index, const FirePanelRow& row) = nullptr;
    std::unique_ptr<DecoyPanelPart> (*decoy)(FirePanel& owner, int index, const FirePanelRow& row,
                                             const char* lamp) = nullptr;
};

/// Installs the makers (all null: none).
void firePanelInstallMakers(const FirePanelMakers& makers);
const FirePanelMakers& firePanelMakers();

} // namespace q71
