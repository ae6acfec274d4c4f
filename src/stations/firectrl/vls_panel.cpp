#include "stations/firectrl/vls_panel.h"

#include "framework/widgets/animated_switch.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "media/audio/sound_manager.h"
#include "sim/simulation/launcher_tables.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/panel_art.h"
#include "stations/firectrl/panel_controls.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/station_charts.h"

namespace q71 {
namespace {

// Selector positions: the Tomahawk loaded, the cell empty.
constexpr int kTomahawkLoaded = 1;
constexpr int kEmptyLoaded = 3;

constexpr PanelArtFile kCellArtFiles[] = {{kCellPressurize.bitmap, 103}, {kCellHatch.bitmap, 107}, {kCellFire.bitmap, 115}};
enum CellArt : std::size_t { kPressurizeArt, kHatchArt, kFireArt };

PanelArt& cellArt() {
    static PanelArt art(kCellArtFiles, "vls");
    return art;
}

VlsCell* tableCell(int index) {
    const auto tables = launcherTables();
    if (!tables || index < 0 || index >= kVlsCellCount)
        return nullptr;
    return static_cast<VlsCell*>(tables->cells[static_cast<std::size_t>(index)]);
}

} // namespace

bool VlsSelector::acceptPosition(int index) {
    return index != 0 || weaponStock(kWeaponTomahawk) > 0;
}

VlsPanel::VlsPanel(WindowHandle page, int index, const FirePanelRow& row)
    : cell_(tableCell(index)), idBase_(row.idBase) {
    PanelArt& art = cellArt();
    art.acquire();
    pressurize_ = makePanelSwitch(page, row, kCellPressurize, art, kPressurizeArt, true, false);
    hatch_ = makePanelSwitch(page, row, kCellHatch, art, kHatchArt, true, true);
    hatch_->setEnabled(false);
    readyLamp_ = makePanelLamp(page, row, kCellReadyLamp, kCellReadyLamp.bitmap);
    fire_ = makePanelFireButton(page, row, kCellFire, art, kFireArt, kFireButtonBlinks);
    selector_ = std::make_unique<VlsSelector>(page, kCellSelector.bitmap, row.idBase + kCellSelector.idOffset,
                                              row.x + kCellSelector.dx, row.y + kCellSelector.dy,
                                              kCellSelector.width, kCellSelector.height, kCellSelector.frames);
    selector_->setEnabled(false);
    selector_->select(cell_ && cell_->weaponType() != kWeaponEmpty ? kTomahawkLoaded : kEmptyLoaded);
    cellLamp_ = makePanelLamp(page, row, kCellLamp, panelLampFile(row.lamp));
}

VlsPanel::~VlsPanel() {
    pressurize_.reset();
    hatch_.reset();
    fire_.reset();
    cellArt().release();
}

void VlsPanel::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF) - idBase_;
    const int notification = static_cast<int>(lParam);
    if (id == kCellPressurize.idOffset)
        onPressurize(notification);
    else if (id == kCellHatch.idOffset)
        onHatch(notification);
    else if (id == kCellFire.idOffset)
        onFire(notification);
}

void VlsPanel::onPressurize(int notification) {
    if (notification == kSwitchOn) {
        hatch_->setEnabled(true);
        if (cell_)
            cell_->hatchStates[0] = kDoorOn;
    } else if (notification == kSwitchOff) {
        hatch_->setEnabled(false);
        // Vented, the cell may be pressurized again.
        pressurize_->setEnabled(true);
        if (cell_)
            cell_->hatchStates[0] = kDoorOff;
    }
}

void VlsPanel::onHatch(int notification) {
    if (notification == kSwitchOff) {
        // The cell vents by itself.
        pressurize_->setReverse();
        pressurize_->startAnimation();
        armed_ = false;
        refreshReady(false);
        if (cell_) {
            cell_->launched = 0;
            cell_->hatchStates[1] = kDoorOff;
        }
    } else if (notification == kSwitchOn) {
        armed_ = true;
        refreshReady(false);
        if (cell_)
            cell_->hatchStates[1] = kDoorOn;
    } else if (notification == kSwitchStarts) {
        pressurize_->setEnabled(false);
        pressurize_->setReverse();
        pressurize_->showOnFrame();
    }
}

void VlsPanel::onFire(int notification) {
    if (notification == kCoverOpened || notification == kCoverClosed) {
        hatch_->setEnabled(notification == kCoverClosed);
        hatch_->setPosition(1);
        hatch_->showOnFrame();
        if (notification == kCoverClosed)
            hatch_->setReverse();
        if (cell_)
            cell_->hatchStates[1] = kDoorOn;
    } else if (notification == kButtonFired) {
        fire_->setEnabled(false);
        hatch_->setEnabled(true);
        holdSwitchOn(*hatch_);
        selector_->selectLast();
        if (cell_) {
            cell_->fire();
            soundPlayIntermittent(kCellFireSound, 0, 1, 0, 0, 0);
            cell_->setDefaults();
        }
        armed_ = false;
        if (auto* chart = dynamic_cast<FireChart*>(stationFireChart()))
            chart->unselect();
        refreshReady(false);
    }
}

void VlsPanel::refreshReady(bool) {
    showReadiness(cell_, armed_, *readyLamp_, *fire_, *cellLamp_);
}

void VlsPanel::restoreFromLauncher() {
    if (!cell_)
        return;
    const auto& hatches = cell_->hatchStates;
    pressurize_->setPosition(hatches[0]);
    if (hatches[0] == kDoorOn) {
        pressurize_->setReverse();
        hatch_->setEnabled(true);
    }
    hatch_->setPosition(hatches[1]);
    if (hatches[1] == kDoorOn) {
        hatch_->setEnabled(true);
        hatch_->setReverse();
        hatch_->setPosition(hatches[1]);
        armed_ = true;
        refreshReady(false);
    }
}

void VlsPanel::loadResources() {
    pressurize_->loadResources();
    hatch_->loadResources();
    readyLamp_->loadResources();
    fire_->loadResources();
    cellLamp_->loadResources();
    selector_->loadResources();
}

void VlsPanel::freeResources() {
    pressurize_->freeResources();
    hatch_->freeResources();
    readyLamp_->freeResources();
    fire_->freeResources();
    cellLamp_->freeResources();
    selector_->freeResources();
}

} // namespace q71
