#include "stations/firectrl/fire_display.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "platform/controls/control_messages.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"
#include "platform/window/window.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/wire_panel.h"

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFireGroup, kFireDisplayBackground, "display"};
constexpr Point kLauncherViewOrigin{kConsoleX, kConsoleY};
constexpr int kFireCmdCellViews = 1500;
constexpr int kFireCmdTubeViews = 1600;
constexpr int kFireCmdWireViews = 1700;
constexpr int kContactSelector = 1900;
constexpr Point kLauncherOverview{366, 62};

} // namespace

FireDisplay::FireDisplay(WindowHandle screen, FirePanel& firePanel)
    : NavPage("FireDisplay", screen, kArt, kFirePageButtons, kFireDisplayButtonIndex) {
    const auto toggle = [this](const NavControlRow& row) -> ButtonToggle& {
        auto button = std::make_unique<ButtonToggle>(window(), row.id, row.bitmap, row.frames, row.x, row.y,
                                                     row.width, row.height, false);
        dress(*button, row);
        return add(std::move(button));
    };
    showAllButton_ = &toggle(kFireShowAllButton);
    lock_ = &toggle(kFireLockButton);
    for (const NavControlRow& row : kFireViewButtons)
        addButton(row, SimpleButton::kPush).setAutoRepeat(kNavRepeatDelayMs, kNavRepeatIntervalMs);
    if (textToolTipsEnabled())
        hotSpot_ = std::make_unique<HotSpot>(window(), kFireDisplayHotSpotId,
                                             textGetString(kFireDisplayHotSpot.text),
                                             BaseWidget::sharedCursor(), kFireDisplayHotSpot.rect, true);
    chart_ = std::make_unique<FireChart>(window(), worldGrid());
    tubeSelect_ = std::make_unique<TubeSelectPanel>(window(), kLauncherOverview.x, kLauncherOverview.y, firePanel,
                                                    nullptr);
    wire_ = std::make_unique<WirePanel>(window(), kLauncherViewOrigin.x, kLauncherViewOrigin.y);
    console_ = std::make_unique<WeaponConsole>(window(), kLauncherViewOrigin.x, kLauncherViewOrigin.y, *chart_);
    return_ = &addButton(kFireReturnButton, SimpleButton::kPush);
    return_->hide();
}

FireDisplay::~FireDisplay() {
    closePage();
}

void FireDisplay::openPage() {
    if (!chart_->hasGrid())
        chart_->setMapSource(worldGrid());
    chart_->loadGraphics();
    chart_->show();
    showAllButton_->setState(showAll_ ? 1 : 2);
    showAllButton_->setEnabled(true);
    lock_->setState(chart_->ownShipLocked() ? 1 : 2);
    plot_ = std::make_unique<FirePlot>(chart_.get());
    plot_->build(simClock().gameClock);
    timerSet(window(), kUpdateTimer, kUpdateMs);
    tubeSelect_->loadResources();
    wire_->loadResources();
    console_->loadResources();
    if (!wire_->shown() && !console_->shown())
        tubeSelect_->show();
    open_ = true;
}

void FireDisplay::closePage() {
    if (!open_)
        return;
    open_ = false;
    tubeSelect_->freeResources();
    wire_->freeResources();
    console_->freeResources();
    plot_.reset();
    if (OwnShipChart* nav = stationNavChart())
        chart_->copyViewTo(*nav);
    if (windowIsValid(window()))
        timerKill(window(), kUpdateTimer);
}

LResult FireDisplay::handleMessage(WindowHandle w, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_TIMER && wParam == kUpdateTimer) {
        chart_->followOwnBoat();
        if (plot_)
            plot_->update(simClock().gameClock);
        return 0;
    }
    return NavPage::handleMessage(w, message, wParam, lParam);
}

void FireDisplay::showAllWaypoints(bool on) {
    showAll_ = on;
    chart_->setSelectionBlocked(on);
    const auto tables = launcherTables();
    if (!tables)
        return;
    for (WeaponLauncher* cell : tables->cells)
        if (cell && cell->weaponType() != kWeaponEmpty)
            static_cast<Launcher*>(cell)->showWaypoints(on);
    for (WeaponLauncher* tube : tables->tubes)
        if (tube)
            static_cast<Launcher*>(tube)->showWaypoints(on);
}

void FireDisplay::paint(DeviceContext& dc) {
    NavPage::paint(dc);
    tubeSelect_->paint(dc);
    wire_->paint(dc);
    console_->paint(dc);
}

int FireDisplay::onCommand(WParam wParam, LParam lParam) {
    if ((wParam & 0xFFFF) == kContactSelector && (wParam >> 16) == CBN_SELCHANGE) {
        tubeSelect_->onContactSelected();
        return 1;
    }
    return NavPage::onCommand(wParam, lParam);
}

bool FireDisplay::viewCommand(int id, int value) {
    tubeSelect_->onCommand(id, value);
    if (wire_->onCommand(id, value) || console_->onCommand(id, value))
        return true;
    if (id >= kFireCmdWireViews && id < kFireCmdWireViews + kTorpedoTubeCount) {
        showOverview();
        wire_->showTube(id - kFireCmdWireViews);
    } else if (id >= kFireCmdTubeViews && id < kFireCmdTubeViews + kTorpedoTubeCount) {
        showOverview();
        console_->showLauncher(id - kFireCmdTubeViews, false);
    } else if (id >= kFireCmdCellViews && id < kFireCmdCellViews + kVlsCellCount) {
        showOverview();
        console_->showLauncher(id - kFireCmdCellViews, true);
    } else if (id == kFireReturnButton.id) {
        showOverview();
        return_->hide();
        tubeSelect_->refresh(false);
        tubeSelect_->show();
        windowInvalidate(window(), nullptr, true);
        return true;
    } else {
        return false;
    }
    tubeSelect_->hide();
    return_->show();
    windowInvalidate(window(), nullptr, true);
    return true;
}

void FireDisplay::showOverview() {
    wire_->hide();
    if (console_->shown())
        console_->hide();
}

int FireDisplay::pageCommand(int id, int value) {
    if (viewCommand(id, value))
        return 1;
    switch (id) {
    case kFireCmdPanUp:
        chart_->panYMinus();
        return 1;
    case kFireCmdPanDown:
        chart_->panYPlus();
        return 1;
    case kFireCmdPanLeft:
        chart_->panXMinus();
        return 1;
    case kFireCmdPanRight:
        chart_->panXPlus();
        return 1;
    case kFireCmdScaleUp:
        chart_->scaleUp();
        return 1;
    case kFireCmdScaleDown:
        chart_->scaleDown();
        return 1;
    case kFireCmdShowAll:
        showAllWaypoints(!showAll_);
        return 1;
    case kFireCmdLock:
        chart_->setOwnShipLock(!chart_->ownShipLocked());
        chart_->recentre();
        return 1;
    case kFireCmdLoadOut:
    case kFireCmdLoadOutBack:
        return 0;
    default:
        return 1;
    }
}

} // namespace q71
