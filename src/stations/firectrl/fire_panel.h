#pragma once
// The fire panel page ("FireControl") of the fire-control station: the cell, tube and
// countermeasure panels, the master firing switch that gates every launch, and the page buttons.
// It keeps the countermeasures still in stock that the launcher panels may load.

#include "stations/firectrl/fire_panel_parts.h"
#include "stations/nav/nav_page.h"

#include <array>
#include <cstdint>
#include <vector>

namespace q71 {

class ButtonToggle;
class HotSpot;

class FirePanel : public NavPage {
public:
    /// Builds the panels (those whose makers are installed), the switch and the buttons; turns
    /// the guidance switch on; counts the free countermeasures; on a mission under way (after a
    /// load, or the host built again) the panels take their launchers' state.
    explicit FirePanel(WindowHandle screen);
    ~FirePanel() override;

    /// Tube panels update.
    void update() override;
    /// Every command reaches every panel first.
    int onCommand(WParam wParam, LParam lParam) override;

    /// Side 1 (starboard): tube panels 1 and 3; side 2 (port): tube panels 0 and 2.
    void setTubeSideEnabled(int side, bool enabled);
    void assignTubeTarget(int index, int target, std::string_view name);
    /// Whether tube 0-3 or cell 0-11 of the launcher tables is ready to fire; false outside.
    static bool isTubeReady(int index);
    static bool isCellReady(int index);

    /// Countermeasures of kind A and B in stock and not loaded in a launcher.
    std::int32_t freeDecoysA = 0;
    std::int32_t freeDecoysB = 0;

    std::size_t tubePanelCount() const { return tubePanels_.size(); }
    /// The panels (null outside, or without makers).
    CellPanelPart* cellPanel(std::size_t i) const { return i < cellPanels_.size() ? cellPanels_[i].get() : nullptr; }
    TubePanelPart* tubePanel(std::size_t i) const { return i < tubePanels_.size() ? tubePanels_[i].get() : nullptr; }
    DecoyPanelPart* decoyPanel(std::size_t i) const {
        return i < decoyPanels_.size() ? decoyPanels_[i].get() : nullptr;
    }

private:
    int pageCommand(int id, int value) override;
    void openPage() override;
    void closePage() override;
    void countFreeDecoys();
    template <class F> void forEachPart(F&& f);

    std::vector<std::unique_ptr<CellPanelPart>> cellPanels_;
    std::vector<std::unique_ptr<TubePanelPart>> tubePanels_;
    std::vector<std::unique_ptr<DecoyPanelPart>> decoyPanels_;
    ButtonToggle* firingSwitch_ = nullptr;
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
};

} // namespace q71
