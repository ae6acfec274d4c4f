#include "stations/firectrl/fire_display.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/launcher.h"

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFireGroup, kFireDisplayBackground, "display"};

} // namespace

FireDisplay::FireDisplay(WindowHandle screen)
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
    open_ = true;
}

void FireDisplay::closePage() {
    if (!open_)
        return;
    open_ = false;
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

int FireDisplay::pageCommand(int id, int) {
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
