#include "stations/nav/nav_chart_page.h"

#include "framework/app/key_matching.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/simple_button.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "sim/entities/entity.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/replay_log.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/nav/nav_chart_window.h"
#include "stations/station_charts.h"

#include <cmath>

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kNavChartGroup, kNavChartBackground, "nav"};
constexpr int kAddWaypointKey = 730;
constexpr int kDeleteWaypointKey = 731;
constexpr int kCancelDragKey = 733;
constexpr double kPickPixels = 10.0;

bool isLetterModifier(std::uint32_t key) {
    return key == VK_SHIFT || key == VK_CAPITAL;
}

} // namespace

NavChartPage::NavChartPage(WindowHandle screen)
    : NavPage("navchart", screen, kArt, kNavChartPageButtons, kNavCmdChartPage) {
    lock_ = &add(std::make_unique<ButtonToggle>(window(), kNavLockButton.id, kNavLockButton.bitmap,
                                                kNavLockButton.frames, kNavLockButton.x, kNavLockButton.y,
                                                kNavLockButton.width, kNavLockButton.height, false));
    dress(*lock_, kNavLockButton);
    contactsButton_ = &add(std::make_unique<ButtonToggle>(
        window(), kNavContactsButton.id, kNavContactsButton.bitmap, kNavContactsButton.frames, kNavContactsButton.x,
        kNavContactsButton.y, kNavContactsButton.width, kNavContactsButton.height, false));
    dress(*contactsButton_, kNavContactsButton);
    for (const NavControlRow& row : kNavViewButtons)
        addButton(row, SimpleButton::kPush).setAutoRepeat(kNavRepeatDelayMs, kNavRepeatIntervalMs);
    textGetKeyBinding(kAddWaypointKey, addKey_);
    textGetKeyBinding(kDeleteWaypointKey, deleteKey_);
    textGetKeyBinding(kCancelDragKey, cancelKey_);
    if (worldGrid())
        buildChart();
}

NavChartPage::~NavChartPage() {
    closePage();
}

void NavChartPage::buildChart() {
    chart_ = std::make_unique<NavChartWindow>(window(), kNavChartGlass.left, kNavChartGlass.top, worldGrid());
    chart_->setDesignator([this](Point at) { return designateAt(at); });
}

void NavChartPage::openPage() {
    if (!chart_)
        buildChart();
    chart_->loadGraphics();
    chart_->show();
    lock_->setState(chart_->ownShipLocked() ? 1 : 2);
    contactsButton_->setState(display_.contacts ? 1 : 2);
    rebuildMarkers();
    timerSet(window(), kUpdateTimer, kUpdateMs);
    const auto key = reinterpret_cast<std::uintptr_t>(this);
    worldAddEntityObserver(key, onEntity);
    worldAddContactObserver(key, onContact);
    observing_ = true;
}

void NavChartPage::closePage() {
    if (!observing_)
        return;
    if (chart_)
        if (OwnShipChart* fire = stationFireChart())
            chart_->copyViewTo(*fire);
    const auto key = reinterpret_cast<std::uintptr_t>(this);
    worldRemoveEntityObserver(key);
    worldRemoveContactObserver(key);
    observing_ = false;
    markers_.clear();
    if (windowIsValid(window()))
        timerKill(window(), kUpdateTimer);
}

LResult NavChartPage::handleMessage(WindowHandle w, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_TIMER && wParam == kUpdateTimer) {
        updateMarkers();
        return 0;
    }
    return NavPage::handleMessage(w, message, wParam, lParam);
}

NavContactMarker& NavChartPage::addMarker(std::int32_t id, double worldX, double worldY) {
    markers_.push_back(std::make_unique<NavContactMarker>(id, false, worldX, worldY, display_, chart_.get()));
    return *markers_.back();
}

void NavChartPage::addOwnShipMarker() {
    const Entity* own = worldOwnShip();
    if (!own)
        return;
    const WorldPoint at = worldPoint(*own);
    markers_.push_back(std::make_unique<NavContactMarker>(own->id, true, at.x, at.y, display_, chart_.get()));
}

NavContactMarker* NavChartPage::findMarker(std::int32_t id) {
    for (auto& marker : markers_)
        if (!marker->ownShip() && marker->id() == id)
            return marker.get();
    return nullptr;
}

void NavChartPage::removeMarker(std::int32_t id) {
    std::erase_if(markers_, [&](const auto& marker) { return !marker->ownShip() && marker->id() == id; });
}

void NavChartPage::rebuildMarkers() {
    markers_.clear();
    if (!chart_)
        return;
    addOwnShipMarker();
    const Entity* own = worldOwnShip();
    const double now = simClock().gameClock;
    if (display_.contacts && own) {
        for (auto* node = own->contacts.head(); node; node = node->next) {
            const WorldPoint at = chartContactPoint(*own, *node->item);
            addMarker(node->item->entityId, at.x, at.y).refreshTime = now;
        }
    } else if (display_.truth) {
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != own) {
                const WorldPoint at = worldPoint(*node->item);
                addMarker(node->item->id, at.x, at.y).refreshTime = now;
            }
    }
}

void NavChartPage::updateMarkers() {
    if (!chart_)
        return;
    const Entity* own = worldOwnShip();
    for (auto& marker : markers_)
        if (marker->ownShip() && own) {
            const WorldPoint at = worldPoint(*own);
            marker->follow(at.x, at.y);
        }
    chart_->recentre();
    const double now = simClock().gameClock;
    if (display_.contacts) {
        updateContactMarkers(now);
    } else if (display_.truth) {
        for (auto& marker : markers_)
            if (!marker->ownShip())
                if (const Entity* entity = worldFindEntity(marker->id())) {
                    const WorldPoint at = worldPoint(*entity);
                    marker->follow(at.x, at.y);
                }
    }
}

void NavChartPage::updateContactMarkers(double now) {
    if (const Entity* own = worldOwnShip())
        for (auto* node = own->contacts.head(); node; node = node->next) {
            const WorldPoint at = chartContactPoint(*own, *node->item);
            NavContactMarker* marker = findMarker(node->item->entityId);
            if (marker)
                marker->follow(at.x, at.y);
            else
                marker = &addMarker(node->item->entityId, at.x, at.y);
            marker->refreshTime = now;
        }
    std::erase_if(markers_, [&](const auto& marker) { return !marker->ownShip() && marker->refreshTime < now; });
}

void NavChartPage::onEntity(std::uintptr_t owner, Entity* entity, int flag) {
    auto& page = *reinterpret_cast<NavChartPage*>(owner);
    if (!entity || page.display_.contacts || !page.display_.truth || entity == worldOwnShip())
        return;
    if (flag == kWorldEntityAdded) {
        const WorldPoint at = worldPoint(*entity);
        page.addMarker(entity->id, at.x, at.y).refreshTime = simClock().gameClock;
    } else {
        page.removeMarker(entity->id);
    }
}

void NavChartPage::onContact(std::uintptr_t owner, ContactRecord* contact, int flag) {
    auto& page = *reinterpret_cast<NavChartPage*>(owner);
    if (!contact || !page.display_.contacts)
        return;
    if (flag != kWorldEntityAdded) {
        page.removeMarker(contact->entityId);
        return;
    }
    const Entity* own = worldOwnShip();
    if (own && !page.findMarker(contact->entityId)) {
        const WorldPoint at = chartContactPoint(*own, *contact);
        page.addMarker(contact->entityId, at.x, at.y).refreshTime = simClock().gameClock;
    }
}

bool NavChartPage::designateAt(Point chartPoint) {
    designated_.reset();
    if (!display_.contacts || !chart_)
        return false;
    const ChartTransform t = chart_->getTransform();
    for (const auto& marker : markers_) {
        if (marker->ownShip())
            continue;
        const Point at = t.toPixel(marker->x(), marker->y());
        if (std::hypot(at.x - chartPoint.x, at.y - chartPoint.y) < kPickPixels) {
            designated_ = marker->id();
            return true;
        }
    }
    return false;
}

void NavChartPage::setDesignation(int id) {
    const Entity* own = worldOwnShip();
    if (!own || !designated_)
        return;
    for (auto* node = own->contacts.head(); node; node = node->next) {
        ContactRecord& contact = *node->item;
        if (contact.entityId != *designated_)
            continue;
        constexpr int kKinds[] = {0, 2, 3, 6};
        constexpr int kSides[] = {3, 2, 4, 5};
        if (id >= kNavCmdKindAir && id <= kNavCmdKindUnknown)
            contact.kind = kKinds[id - kNavCmdKindAir];
        else
            contact.side = kSides[id - kNavCmdSideFriendly];
        if (NavContactMarker* marker = findMarker(contact.entityId))
            marker->refresh();
        return;
    }
}

int NavChartPage::pageCommand(int id, int) {
    if (id >= kNavCmdKindAir && id <= kNavCmdSideUnknown) {
        setDesignation(id);
        return 1;
    }
    if (id == kNavCmdContacts) {
        display_.contacts = !display_.contacts;
        rebuildMarkers();
        return 1;
    }
    if (!chart_)
        return 0;
    switch (id) {
    case kNavCmdPanXPlus: chart_->panXPlus(); return 1;
    case kNavCmdPanXMinus: chart_->panXMinus(); return 1;
    case kNavCmdPanYPlus: chart_->panYPlus(); return 1;
    case kNavCmdPanYMinus: chart_->panYMinus(); return 1;
    case kNavCmdScaleUp: chart_->scaleUp(); return 1;
    case kNavCmdScaleDown: chart_->scaleDown(); return 1;
    case kNavCmdLock:
        chart_->setOwnShipLock(!chart_->ownShipLocked());
        chart_->recentre();
        return 1;
    default: return 0;
    }
}

void NavChartPage::flipTrueDisplay() {
    display_.truth = !display_.truth;
    if (const Entity* own = worldOwnShip()) {
        const WorldPoint at = worldPoint(*own);
        MissionEvent event{at.x, at.y, at.z, simClock().gameClock, kEventOptionFlag, own->id, 0,
                           display_.truth ? kOptionTrueDisplay : -kOptionTrueDisplay};
        replayLogWrite(event, 0);
    }
    rebuildMarkers();
}

int NavChartPage::onKey(int key, int category) {
    const auto code = static_cast<std::int8_t>(key);
    if (chart_) {
        if (appKeyMatches(code, category, addKey_)) {
            chart_->addWaypointAtPointer();
            return 1;
        }
        if (appKeyMatches(code, category, deleteKey_)) {
            chart_->deleteSelected();
            return 1;
        }
        if (appKeyMatches(code, category, cancelKey_)) {
            chart_->cancelDrag();
            return 1;
        }
    }
    // Only typed characters spell the word; any other key starts it again, but for the keys that
    // only change the next letter (the word typed in capitals presses Shift before each one).
    if (category == kKeySpecialDown && isLetterModifier(static_cast<std::uint32_t>(key)))
        return 0;
    switch (hidden_.feed(category == kKeyChar ? key : 0)) {
    case HiddenSequence::kReset: return 0;
    case HiddenSequence::kAdvanced: return 1;
    case HiddenSequence::kCompleted: flipTrueDisplay(); return 1;
    }
    return 0;
}

} // namespace q71
