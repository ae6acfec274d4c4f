#include "stations/firectrl/fire_display.h"

#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/colour.h"
#include "platform/resources/program_resources.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/view_label.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/wire_panel.h"

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFireGroup, kFireDisplayBackground, "display"};
constexpr Point kLauncherViewOrigin{kConsoleX, kConsoleY};
constexpr Point kLauncherOverview{366, 62};
constexpr ColorRef kSelectorColour = rgb(0, 248, 0);
/// The item data of the selector's "no contact" entry.
constexpr LParam kNoContactData = -1;
/// The label of the button that leaves a launcher's view, centred on the face its cap leaves it.
constexpr const char* kReturnText = "Return";
constexpr int kReturnLabelCentre = kFireReturnButton.x + (kFireReturnFaceLeft + kFireReturnFaceRight) / 2;

std::unique_ptr<SuperListBox> makeContactSelector(WindowHandle page) {
    // The box loads its drop button as it is made (a missing strip is fatal there); the pattern
    // is only needed while the box makes its brush.
    grpSetFolder(graphicsInstallPath);
    grpOpenGroup(kFireGroup);
    const BitmapRef pattern = resourceLoadBitmap(kFireSelectorPattern);
    const Rect& at = kFireContactSelector;
    auto selector = std::make_unique<SuperListBox>(
        page, kFireCmdContactSelector, WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT,
        at.left, at.top, at.width(), at.height(), pattern, appChartFont(), kFireSelectorButton,
        kFireSelectorButtonWidth, kFireSelectorButtonHeight, false, false);
    selector->setTextColour(kSelectorColour);
    selector->setFrameColour(kSelectorColour);
    return selector;
}

void entityNotify(std::uintptr_t owner, Entity* entity, int flag) {
    reinterpret_cast<FireDisplay*>(owner)->onEntityEvent(entity, flag);
}

void contactNotify(std::uintptr_t owner, ContactRecord* contact, int flag) {
    reinterpret_cast<FireDisplay*>(owner)->onContactEvent(contact, flag);
}

} // namespace

FireDisplay::FireDisplay(WindowHandle screen, FirePanel& firePanel)
    : NavPage("FireDisplay", screen, kArt, kFirePageButtons, kFireDisplayButtonIndex) {
    showAllButton_ = &addButton(kFireShowAllButton, SimpleButton::kToggle);
    const NavControlRow& lock = kFireLockButton;
    auto lockButton = std::make_unique<ButtonToggle>(window(), lock.id, lock.bitmap, lock.frames, lock.x,
                                                     lock.y, lock.width, lock.height, false);
    dress(*lockButton, lock);
    lock_ = &add(std::move(lockButton));
    for (const NavControlRow& row : kFireViewButtons)
        addButton(row, SimpleButton::kPush).setAutoRepeat(kNavRepeatDelayMs, kNavRepeatIntervalMs);
    if (textToolTipsEnabled())
        hotSpot_ = std::make_unique<HotSpot>(window(), kFireDisplayHotSpotId,
                                             textGetString(kFireDisplayHotSpot.text),
                                             BaseWidget::sharedCursor(), kFireDisplayHotSpot.rect, true);
    selector_ = &add(makeContactSelector(window()));
    chart_ = std::make_unique<FireChart>(window(), worldGrid());
    tubeSelect_ = std::make_unique<TubeSelectPanel>(window(), kLauncherOverview.x, kLauncherOverview.y, firePanel,
                                                    *selector_);
    wire_ = std::make_unique<WirePanel>(window(), kLauncherViewOrigin.x, kLauncherViewOrigin.y);
    console_ = std::make_unique<WeaponConsole>(window(), kLauncherViewOrigin.x, kLauncherViewOrigin.y, *chart_);
    return_ = &addButton(kFireReturnButton, SimpleButton::kPush);
    return_->hide();
    // The label stands on the button's face right of its lamp, centred both ways; it joins the
    // page's widgets after the button, so that it is drawn over it.
    returnLabel_ = makeViewLabel(window(), kReturnLabelCentre, kFireReturnButton.y, kReturnText,
                                 StaticText::kAlignCentre);
    returnLabel_->moveTo(returnLabel_->getX(),
                         kFireReturnButton.y + (kFireReturnButton.height - returnLabel_->getHeight()) / 2);
    WidgetContainer::add(returnLabel_.get());
}

FireDisplay::~FireDisplay() {
    // At exit the mission's world, and with it the grid and the launchers, goes before the
    // screens: the plot's symbols must leave a chart that no longer looks at it, and the launcher
    // views have nothing left to write into.
    chart_->setMapSource(nullptr);
    releasePage();
}

void FireDisplay::openPage() {
    if (!chart_->hasGrid())
        chart_->setMapSource(worldGrid());
    chart_->loadGraphics();
    chart_->show();
    enableShowAll(true);
    lock_->setState(chart_->ownShipLocked() ? 1 : 2);
    chart_->readouts().hide();
    plot_ = std::make_unique<FirePlot>(chart_.get());
    plot_->build(simClock().gameClock);
    timerSet(window(), kUpdateTimer, kUpdateMs);
    tubeSelect_->loadResources();
    wire_->loadResources();
    console_->loadResources();
    fillContactList();
    showOverview();
    const auto owner = reinterpret_cast<std::uintptr_t>(this);
    worldAddEntityObserver(owner, entityNotify);
    worldAddContactObserver(owner, contactNotify);
    focusSet(window());
    open_ = true;
}

void FireDisplay::closePage() {
    if (open_)
        leaveLauncherView();
    releasePage();
}

void FireDisplay::releasePage() {
    if (!open_)
        return;
    open_ = false;
    tubeSelect_->freeResources();
    wire_->freeResources();
    console_->freeResources();
    const auto owner = reinterpret_cast<std::uintptr_t>(this);
    worldRemoveEntityObserver(owner);
    worldRemoveContactObserver(owner);
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
        if (contactListStale())
            fillContactList();
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

void FireDisplay::enableShowAll(bool enabled) {
    // Enabling shows the up frame and a new state shows its own: the state goes after the one and
    // before the other, so that an enabled switch shows on or off and a disabled one its dim look.
    if (enabled)
        showAllButton_->setEnabled(true);
    showAllButton_->setState(showAll_ ? 1 : 2);
    if (!enabled)
        showAllButton_->setEnabled(false);
}

void FireDisplay::paint(DeviceContext& dc) {
    NavPage::paint(dc);
    tubeSelect_->paint(dc);
    wire_->paint(dc);
    console_->paint(dc);
}

bool FireDisplay::viewCommand(int id, int value) {
    tubeSelect_->onCommand(id, value);
    if (wire_->onCommand(id, value) || console_->onCommand(id, value))
        return true;
    if (id >= kFireCmdWireViews && id < kFireCmdWireViews + kTorpedoTubeCount) {
        // Only a tube whose torpedo still hears the wire has a guidance view.
        TorpedoTube* tube = tableTube(id - kFireCmdWireViews);
        if (!tube || !tube->isGuidable())
            return true;
        leaveLauncherView();
        wire_->showTube(id - kFireCmdWireViews);
    } else if (id >= kFireCmdTubeViews && id < kFireCmdTubeViews + kTorpedoTubeCount) {
        openConsole(id - kFireCmdTubeViews, false);
    } else if (id >= kFireCmdCellViews && id < kFireCmdCellViews + kVlsCellCount) {
        openConsole(id - kFireCmdCellViews, true);
    } else if (id == kFireReturnButton.id) {
        showOverview();
        windowInvalidate(window(), nullptr, true);
        return true;
    } else {
        return false;
    }
    tubeSelect_->hide();
    return_->show();
    returnLabel_->show();
    windowInvalidate(window(), nullptr, true);
    return true;
}

void FireDisplay::openConsole(int index, bool isCell) {
    // The console's own route is picked and dragged on the chart: the others' are put away, and
    // the switch that would show them again waits for the overview.
    showAllWaypoints(false);
    enableShowAll(false);
    leaveLauncherView();
    console_->showLauncher(index, isCell);
}

void FireDisplay::leaveLauncherView() {
    wire_->hide();
    if (console_->shown()) {
        console_->hide();
        chart_->disarm(); // a plot the console asked for goes with it
    }
}

void FireDisplay::showOverview() {
    leaveLauncherView();
    return_->hide();
    returnLabel_->hide();
    tubeSelect_->show();
    tubeSelect_->refresh(tubeTargetsEnabled());
    enableShowAll(true);
}

bool FireDisplay::tubeTargetsEnabled() const {
    return selectedContact_ != 0 || selectorText() == textGetString(kFireNoContactText);
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
    case kFireCmdContactSelector:
        refreshReadouts();
        tubeSelect_->onContactSelected();
        return 1;
    case kFireCmdLoadOut:
    case kFireCmdLoadOutBack:
        return 0;
    default:
        return 1;
    }
}

void FireDisplay::update() {
    if (!open_)
        return;
    refreshReadouts();
    if (FireCtrl* station = fireCtrl())
        station->firePanel().update();
}

std::string FireDisplay::selectorText() const {
    const int chosen = selector_->getCurSel();
    return chosen >= 0 ? selector_->getItemText(chosen) : selector_->getText();
}

void FireDisplay::fillContactList() {
    const std::string kept = selectorText();
    selector_->resetContent();
    const int none = selector_->addString(textCopy(kFireNoContactText));
    selector_->setItemData(none, kNoContactData);
    if (const Entity* own = worldOwnShip())
        for (auto* node = own->contacts.head(); node; node = node->next) {
            const int at = selector_->addString(fireFormatDesignation(*node->item));
            selector_->setItemData(at, contactShownNumber(node->item->designation));
        }
    const int again = kept.empty() ? -1 : selector_->findStringExact(kept);
    selector_->setCurSel(again >= 0 ? again : none);
    refreshReadouts();
}

bool FireDisplay::contactListStale() const {
    const Entity* own = worldOwnShip();
    int entry = 1; // after "no contact"
    if (own)
        for (auto* node = own->contacts.head(); node; node = node->next, ++entry)
            if (entry >= selector_->getCount() ||
                selector_->getItemData(entry) != contactShownNumber(node->item->designation))
                return true;
    return entry != selector_->getCount();
}

void FireDisplay::refreshReadouts() {
    const std::string text = selectorText();
    const ContactRecord* chosen = nullptr;
    if (const Entity* own = worldOwnShip())
        for (auto* node = own->contacts.head(); node && !chosen; node = node->next)
            if (fireFormatDesignation(*node->item) == text)
                chosen = node->item;
    if (chosen) {
        selectedContact_ = contactShownNumber(chosen->designation);
        chart_->readouts().show(*chosen);
    } else {
        selectedContact_ = 0;
        chart_->readouts().hide();
        const int none = selector_->findItemData(kNoContactData, 0);
        if (none >= 0 && selector_->getCurSel() != none)
            selector_->setCurSel(none);
    }
    if (plot_)
        plot_->markSelected(selectedContact_);
}

void FireDisplay::onEntityEvent(Entity* entity, int flag) {
    if (!entity || !plot_)
        return;
    if (flag == kWorldEntityAdded)
        plot_->addEntity(*entity, simClock().gameClock);
    else
        plot_->removeEntity(entity->id);
    chart_->invalidate(nullptr, false);
}

void FireDisplay::onContactEvent(ContactRecord* contact, int flag) {
    if (!contact)
        return;
    const std::int32_t number = contactShownNumber(contact->designation);
    if (flag == kWorldEntityAdded) {
        if (plot_)
            plot_->addContact(*contact, simClock().gameClock);
        selector_->setItemData(selector_->addString(fireFormatDesignation(*contact)), number);
    } else {
        if (plot_)
            plot_->removeContact(number);
        if (const int entry = selector_->findItemData(number, 1); entry >= 0)
            selector_->deleteString(entry);
        refreshReadouts();
    }
    chart_->invalidate(nullptr, false);
}

bool fireHighlightContact(std::int32_t designationNumber) {
    FireCtrl* station = fireCtrl();
    if (!station || designationNumber == kNoContactData)
        return false;
    FireDisplay& display = station->display();
    const int entry = display.contactSelector().findItemData(designationNumber, 1);
    if (entry < 0)
        return false;
    display.contactSelector().setCurSel(entry);
    display.refreshReadouts();
    return true;
}

} // namespace q71
