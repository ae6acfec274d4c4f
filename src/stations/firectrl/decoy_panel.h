#pragma once
// A countermeasure launcher's panel on the fire panel page: a covered fire button, a lamp and a
// selector of the load. Loads: 0 kind A deep, 1 kind A shallow, 2 kind B deep, 3 kind B shallow,
// 4 Empty. Loading draws on the fire panel's free countermeasures; a shot puts a countermeasure
// into the world and takes it from the boat's stock. The loads are the two station words a saved
// mission keeps.

#include "framework/widgets/weapon_selector.h"
#include "stations/firectrl/fire_panel_parts.h"

#include <memory>

namespace q71 {

class CoveredButton;
class DecoyPanel;
class StateButton;
struct SoundSample;

inline constexpr int kDecoyEmpty = 4;

/// Position 2t shows load t unloaded, 2t + 1 loaded.
class DecoySelector final : public WeaponSelector {
public:
    DecoySelector(WindowHandle page, int controlId, int x, int y, DecoyPanel& panel);
    /// A load of a kind that has a free countermeasure (any with unlimited weapons).
    bool acceptPosition(int index) override;
    /// Gives back the old load to the free counts and takes the new one.
    void confirmPosition(int position) override;

private:
    DecoyPanel& panel_;
};

class DecoyPanel final : public DecoyPanelPart {
public:
    /// Launcher `index` (0 or 1) of the page `owner`, with its lamp strip; takes its first load.
    DecoyPanel(FirePanel& owner, int index, const FirePanelRow& row, const char* lamp);
    ~DecoyPanel() override;

    void onCommand(WParam wParam, LParam lParam) override;
    void loadResources() override;
    void freeResources() override;
    int decoyType() const override { return loadType_; }

    /// Fires the load (Empty: nothing) and empties the launcher.
    void launch();
    /// Changes the load, keeping the saved station word current.
    void setLoadType(int type);

    FirePanel& owner() { return owner_; }
    CoveredButton& fireButton() { return *fire_; }
    DecoySelector& selector() { return *selector_; }

private:
    FirePanel& owner_;
    int index_;
    int idBase_;
    int loadType_ = kDecoyEmpty;
    std::unique_ptr<CoveredButton> fire_;
    std::unique_ptr<StateButton> lamp_;
    std::unique_ptr<DecoySelector> selector_;
    SoundSample* fireSound_ = nullptr;
};

/// The first load of launcher `index` (0 or 1) of a new mission, from the stock of kind A and B.
int initialDecoyLoad(int index, std::int32_t stockA, std::int32_t stockB);

} // namespace q71
