#include "stations/firectrl/fire_panel.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "sim/entities/entity.h"
#include "sim/services/front_end.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/panel_controls.h"

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFireGroup, kFirePanelBackground, "firepanel"};

const Launcher* tableLauncher(bool tube, int index) {
    const auto tables = launcherTables();
    if (!tables || index < 0)
        return nullptr;
    if (tube)
        return index < kTorpedoTubeCount
                   ? static_cast<const Launcher*>(tables->tubes[static_cast<std::size_t>(index)])
                   : nullptr;
    return index < kVlsCellCount
               ? static_cast<const Launcher*>(tables->cells[static_cast<std::size_t>(index)])
               : nullptr;
}

} // namespace

FirePanel::FirePanel(WindowHandle screen)
    : NavPage("FireControl", screen, kArt, kFirePageButtons, kFirePanelButtonIndex) {
    const FirePanelMakers& makers = firePanelMakers();
    if (makers.cell)
        for (int i = 0; i < static_cast<int>(kFireCellPanels.size()); ++i)
            cellPanels_.push_back(makers.cell(window(), i, kFireCellPanels[static_cast<std::size_t>(i)]));
    if (makers.tube)
        for (int i = 0; i < static_cast<int>(kFireTubePanels.size()); ++i)
            tubePanels_.push_back(makers.tube(window(), i, kFireTubePanels[static_cast<std::size_t>(i)]));
    auto firing = std::make_unique<ButtonToggle>(window(), kFiringSwitch.id, kFiringSwitch.bitmap,
                                                 kFiringSwitch.frames, kFiringSwitch.x, kFiringSwitch.y,
                                                 kFiringSwitch.width, kFiringSwitch.height, false);
    firing->setHitRect(kFiringSwitchHit);
    firing->setState(1);
    dress(*firing, kFiringSwitch);
    firingSwitch_ = &add(std::move(firing));
    if (makers.decoy)
        for (int i = 0; i < static_cast<int>(kFireDecoyPanels.size()); ++i)
            decoyPanels_.push_back(makers.decoy(*this, i, kFireDecoyPanels[static_cast<std::size_t>(i)],
                                                kFireDecoyLamps[static_cast<std::size_t>(i)]));
    addButton(kFireLoadOutButton, SimpleButton::kPush);
    if (textToolTipsEnabled())
        for (std::size_t i = 0; i < std::size(kFirePanelHotSpots); ++i)
            hotSpots_.push_back(std::make_unique<HotSpot>(
                window(), kFirePanelHotSpotIds[i], textGetString(kFirePanelHotSpots[i].text),
                BaseWidget::sharedCursor(), kFirePanelHotSpots[i].rect, true));
    if (simFrontEnd().optionsField(kOptionPopupTexts) != 0)
        for (std::size_t i = 0; i < std::size(kFirePanelButtonSpots); ++i)
            hotSpots_.push_back(std::make_unique<HotSpot>(
                window(), static_cast<int>(i), textGetString(kFirePanelButtonSpots[i].text),
                BaseWidget::sharedCursor(), kFirePanelButtonSpots[i].rect, true));
    fireControlStations().setFireGuidanceSwitch(true);
    countFreeDecoys();
    if (panelsResumeMission()) {
        for (auto& panel : cellPanels_)
            panel->restoreFromLauncher();
        for (auto& panel : tubePanels_)
            panel->restoreFromLauncher();
    }
}

FirePanel::~FirePanel() = default;

void FirePanel::countFreeDecoys() {
    freeDecoysA = countermeasureStock(0);
    freeDecoysB = countermeasureStock(1);
    for (const auto& panel : decoyPanels_) {
        const int type = panel->decoyType();
        if (type == 0 || type == 1)
            --freeDecoysA;
        else if (type == 2 || type == 3)
            --freeDecoysB;
    }
}

template <class F> void FirePanel::forEachPart(F&& f) {
    for (auto& panel : cellPanels_)
        f(*panel);
    for (auto& panel : tubePanels_)
        f(*panel);
    for (auto& panel : decoyPanels_)
        f(*panel);
}

void FirePanel::update() {
    for (auto& panel : tubePanels_)
        panel->update();
}

int FirePanel::onCommand(WParam wParam, LParam lParam) {
    forEachPart([&](FirePanelPart& part) { part.onCommand(wParam, lParam); });
    return NavPage::onCommand(wParam, lParam);
}

int FirePanel::pageCommand(int id, int) {
    switch (id) {
    case kFireCmdFiringSwitch: {
        FireControlStations& stations = fireControlStations();
        const bool on = !stations.fireGuidanceSwitch();
        stations.setFireGuidanceSwitch(on);
        for (auto& panel : tubePanels_)
            panel->setSwitchSounds(on);
        return 1;
    }
    case kFireCmdLoadOut:
    case kFireCmdDisplay:
    case kFireCmdPanel:
    case kFireCmdLoadOutBack:
        return 0;
    default:
        return 1;
    }
}

void FirePanel::openPage() {
    forEachPart([](FirePanelPart& part) { part.loadResources(); });
    for (auto& panel : cellPanels_)
        panel->refreshReady(false);
    for (auto& panel : tubePanels_)
        panel->refreshReady(false);
}

void FirePanel::closePage() {
    forEachPart([](FirePanelPart& part) { part.freeResources(); });
}

void FirePanel::setTubeSideEnabled(int side, bool enabled) {
    std::array<std::size_t, 2> panels{};
    if (side == kTubeSidePort)
        panels = {0, 2};
    else if (side == kTubeSideStarboard)
        panels = {1, 3};
    else
        return;
    for (std::size_t i : panels)
        if (i < tubePanels_.size())
            tubePanels_[i]->setSideEnabled(enabled);
}

void FirePanel::assignTubeTarget(int index, int target, std::string_view name) {
    if (index >= 0 && static_cast<std::size_t>(index) < tubePanels_.size())
        tubePanels_[static_cast<std::size_t>(index)]->assignTarget(target, name);
}

bool FirePanel::isTubeReady(int index) {
    const Launcher* tube = tableLauncher(true, index);
    return tube && tube->isReady();
}

bool FirePanel::isCellReady(int index) {
    const Launcher* cell = tableLauncher(false, index);
    return cell && cell->isReady();
}

} // namespace q71
