#include "stations/firectrl/launcher.h"

#include "sim/entities/entity.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/launcher_chart.h"

namespace q71 {
namespace {

constexpr std::int32_t kRouteDepth = 50;
constexpr std::int32_t kRouteSpeed = 460;

LauncherChart* chart() {
    return fireControlStations().chart();
}

// The own boat's stock counters of the weapon types 0 to 3: words 0 to 3, as the stock's first
// values say (8 ADCAP, no SLMM, 4 Harpoon, 8 Tomahawk; word 4 stands for type 4, which is
// nothing). Words 1, 3, 4 and 5 would start the boat without an ADCAP and make the Tomahawk stock
// the first countermeasure stock as well, a decoy fired taking a missile with it.
constexpr std::array<std::size_t, 4> kInventorySlot{0, 1, 2, 3};
// The two countermeasure kinds: the last two words of the stock.
constexpr std::array<std::size_t, 2> kCountermeasureSlot{5, 6};

} // namespace

void adjustWeaponInventory(std::int32_t amount, std::int32_t type) {
    Entity* ownShip = worldOwnShip();
    if (!ownShip || type < kWeaponAdcap || type > kWeaponTomahawk)
        return;
    ownShip->inventory[kInventorySlot[static_cast<std::size_t>(type)]] += amount;
}

std::int32_t contactShownNumber(const ContactDesignation& designation) {
    for (auto number = designation.numbers.rbegin(); number != designation.numbers.rend(); ++number)
        if (*number != 0)
            return *number;
    return 0;
}

std::int32_t weaponStock(std::int32_t type) {
    const Entity* ownShip = worldOwnShip();
    if (!ownShip || type < kWeaponAdcap || type > kWeaponTomahawk)
        return 0;
    return ownShip->inventory[kInventorySlot[static_cast<std::size_t>(type)]];
}

std::int32_t countermeasureStock(int kind) {
    const Entity* ownShip = worldOwnShip();
    if (!ownShip || kind < 0 || kind >= static_cast<int>(kCountermeasureSlot.size()))
        return 0;
    return ownShip->inventory[kCountermeasureSlot[static_cast<std::size_t>(kind)]];
}

void adjustCountermeasureStock(std::int32_t amount, int kind) {
    Entity* ownShip = worldOwnShip();
    if (ownShip && kind >= 0 && kind < static_cast<int>(kCountermeasureSlot.size()))
        ownShip->inventory[kCountermeasureSlot[static_cast<std::size_t>(kind)]] += amount;
}

ContactRecord* launcherFindContact(std::int32_t designationNumber) {
    Entity* ownShip = worldOwnShip();
    if (!ownShip)
        return nullptr;
    ContactList& contacts = ownShip->contacts;
    ContactRecord* found = nullptr;
    contacts.saveCursor();
    for (ContactRecord* contact = contacts.rewind(); contact && !found; contact = contacts.advance())
        if (contactShownNumber(contact->designation) == designationNumber)
            found = contact;
    contacts.restoreCursor();
    return found;
}

Launcher::Launcher(int number, char tag) : tag(tag), number_(number) {}

Launcher::~Launcher() {
    deleteWaypoints();
}

void Launcher::setWeaponType(std::int32_t type) {
    if (!holdsType(type))
        return;
    const bool unlimited = fireControlStations().unlimitedWeapons();
    if (!unlimited)
        adjustWeaponInventory(+1, weaponType_);
    weaponType_ = type;
    if (!unlimited)
        adjustWeaponInventory(-1, type);
    loadPresets();
}

bool Launcher::isReady() const {
    switch (weaponType_) {
    case kWeaponSlmm:
    case kWeaponTomahawk:
        return !waypoints.empty();
    default:
        return target != kTargetNotAssigned;
    }
}

void Launcher::appendWaypoint(LaunchWaypoint* waypoint) {
    if (LaunchWaypoint* last = lastWaypoint()) {
        waypoint->previous = last;
        last->next = waypoint;
        waypoint->afterOwnShip = false;
    } else {
        waypoint->previous = nullptr;
        waypoint->afterOwnShip = chart() != nullptr;
    }
    waypoint->next = nullptr;
    waypoints.appendItem(waypoint);
}

void Launcher::addAimPoint(double x, double y) {
    snapToArcMinute(x, y);
    auto* waypoint = new LaunchWaypoint(x, y, 0, 0);
    appendWaypoint(waypoint);
    waypoint->aim = 1;
    if (LauncherChart* view = chart())
        view->attachWaypoint(*waypoint);
}

void Launcher::addRoute(double startX, double startY, double endX, double endY) {
    const double midX = (startX + endX) / 2, midY = (startY + endY) / 2;
    const std::array<std::array<double, 2>, 4> points{{{(startX + midX) / 2, (startY + midY) / 2},
                                                       {midX, midY},
                                                       {(midX + endX) / 2, (midY + endY) / 2},
                                                       {endX, endY}}};
    for (size_t i = 0; i < points.size(); ++i) {
        double x = points[i][0], y = points[i][1];
        snapToArcMinute(x, y);
        auto* waypoint = new LaunchWaypoint(x, y, kRouteDepth, kRouteSpeed);
        if (i + 1 == points.size()) {
            waypoint->labelNumber = static_cast<std::uint32_t>(number_);
            waypoint->labelLetter = tag;
        }
        appendWaypoint(waypoint);
        if (LauncherChart* view = chart())
            view->attachWaypoint(*waypoint);
    }
}

void Launcher::deleteWaypoints() {
    LauncherChart* view = chart();
    while (LaunchWaypoint* waypoint = waypoints.rewind()) {
        waypoints.remove(waypoint);
        if (view)
            view->detachWaypoint(*waypoint);
        delete waypoint;
    }
}

void Launcher::clearWaypoints() {
    deleteWaypoints();
    if (LauncherChart* view = chart())
        view->waypointsChanged();
}

void Launcher::showWaypoints(bool visible) {
    waypoints.saveCursor();
    for (LaunchWaypoint* waypoint = waypoints.rewind(); waypoint; waypoint = waypoints.advance()) {
        waypoint->visible = visible;
        if (!visible)
            waypoint->selected = false;
    }
    waypoints.restoreCursor();
    if (LauncherChart* view = chart())
        view->waypointsChanged();
}

void Launcher::attachWaypoints() {
    LauncherChart* view = chart();
    if (!view)
        return;
    waypoints.saveCursor();
    for (LaunchWaypoint* waypoint = waypoints.rewind(); waypoint; waypoint = waypoints.advance()) {
        waypoint->afterOwnShip = waypoint->previous == nullptr;
        view->attachWaypoint(*waypoint);
    }
    waypoints.restoreCursor();
}

LaunchWaypoint* Launcher::lastWaypoint() const {
    return waypoints.tail() ? waypoints.tail()->item : nullptr;
}

bool Launcher::saveWaypoints(ByteSink& sink) const {
    if (!sink.writeI32(waypoints.count()))
        return false;
    for (const auto* node = waypoints.head(); node; node = node->next)
        if (!sink.write(launchWaypointEncode(*node->item)))
            return false;
    return true;
}

bool Launcher::readWaypoints(ByteSource& source, std::vector<std::unique_ptr<LaunchWaypoint>>& out) {
    std::int32_t count = 0;
    if (!source.readI32(count) || count < 0 ||
        static_cast<std::uint64_t>(count) > source.remaining() / kLaunchWaypointRecordSize)
        return false;
    out.clear();
    out.reserve(static_cast<size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        std::array<std::uint8_t, kLaunchWaypointRecordSize> record{};
        if (!source.read(record))
            return false;
        std::unique_ptr<LaunchWaypoint> waypoint = launchWaypointDecode(record);
        if (!waypoint)
            return false;
        out.push_back(std::move(waypoint));
    }
    return true;
}

bool Launcher::writeWords(ByteSink& sink, std::initializer_list<std::int32_t> words) {
    for (std::int32_t word : words)
        if (!sink.writeI32(word))
            return false;
    return true;
}

bool Launcher::readWords(ByteSource& source, std::span<std::int32_t> words) {
    for (std::int32_t& word : words)
        if (!source.readI32(word))
            return false;
    return true;
}

void Launcher::takeWaypoints(std::vector<std::unique_ptr<LaunchWaypoint>>& loaded) {
    clearWaypoints();
    for (std::unique_ptr<LaunchWaypoint>& waypoint : loaded)
        appendWaypoint(waypoint.release());
    loaded.clear();
}

} // namespace q71
