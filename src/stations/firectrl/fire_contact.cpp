#include "stations/firectrl/fire_contact.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/tactical_symbols.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/station_charts.h"
#include "tactical/charts/chart_view.h"

#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr int kOwnBoatAffiliation = 6;
constexpr std::int32_t kTypeExcludedMissile = 6;
constexpr std::int32_t kTypeFollowedA = 10;
constexpr std::int32_t kTypeFollowedB = 6;
constexpr double kConeRange = 1000.0;
constexpr double kConeHalfDegrees = 15.0;
// The cone's own factor, a little coarser than pi / 180.
constexpr double kConeDegreesToRadians = 0.017444444444444446;
constexpr ColorRef kConeArmed = rgb(255, 0, 0);
constexpr ColorRef kConeSafe = rgb(0, 255, 255);
constexpr ColorRef kLabelColour = rgb(0, 255, 0);

} // namespace

bool firePlotIncludes(const Entity& entity, std::int32_t ownSide) {
    if (&entity == worldOwnShip())
        return true;
    if (entity.kind == kKindWeapon && entity.side == ownSide)
        return true;
    if (entity.kind == kKindMissile && entity.typeCode != kTypeExcludedMissile)
        return true;
    return entity.side == ownSide && (entity.typeCode == kTypeFollowedA || entity.typeCode == kTypeFollowedB);
}

int fireLauncherOf(const Entity& entity) {
    const auto tables = launcherTables();
    if (!tables)
        return -1;
    for (WeaponLauncher* launcher : tables->tubes) {
        auto* tube = static_cast<TorpedoTube*>(launcher);
        if (tube && (tube->launchedEntity() == &entity || tube->launchedHarpoon() == &entity ||
                     tube->launchedMissile() == &entity))
            return tube->number();
    }
    for (WeaponLauncher* launcher : tables->cells) {
        auto* cell = static_cast<VlsCell*>(launcher);
        if (cell && cell->launchedEntity() == &entity)
            return cell->number();
    }
    return -1;
}

bool fireGuidedByWire(const Entity& entity) {
    const auto tables = launcherTables();
    if (!tables || entity.kind != kKindWeapon)
        return false;
    for (WeaponLauncher* launcher : tables->tubes) {
        auto* tube = static_cast<TorpedoTube*>(launcher);
        if (tube && tube->launchedEntity() == &entity)
            return tube->isGuidable();
    }
    return false;
}

FireContact::FireContact(FirePlotKind kind, std::int32_t id, double worldX, double worldY, ChartView* chart)
    : ChartItem(worldX, worldY, nullptr, chart), kind_(kind), id_(id) {}

void FireContact::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    switch (kind_) {
    case FirePlotKind::ownBoat:
        if (const Entity* own = worldFindEntity(id_); own && own->motion)
            worldDrawSymbolForKind(dc, 0, x, y, kOwnBoatAffiliation, own->kind, own->motion->heading,
                                   own->motion->speed, nullptr);
        break;
    case FirePlotKind::contact:
        if (const ContactRecord* contact = launcherFindContact(id_))
            worldDrawSymbolForKind(dc, 0, x, y, contact->side, contact->kind, contact->course, contact->speed,
                                   worldFormatDesignation(contact->designation));
        break;
    case FirePlotKind::entity:
        if (const Entity* entity = worldFindEntity(id_))
            drawEntity(dc, view, *entity, x, y);
        break;
    }
    if (label >= 0) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", label);
        dc.setTextColor(kLabelColour);
        dc.setBkMode(kTransparent);
        dc.textOut({x + 3, y + 3}, text);
    }
}

void FireContact::drawEntity(DeviceContext& dc, ChartView& view, const Entity& entity, int x, int y) const {
    const double heading = entity.motion ? entity.motion->heading : 0.0;
    const double speed = entity.motion ? entity.motion->speed : 0.0;
    const Entity* own = worldOwnShip();
    worldDrawSymbolForKind(dc, 0, x, y, own ? worldAffiliationSeenFrom(own->side, entity.side) : entity.side,
                           entity.kind, heading, speed, nullptr);
    if (!fireGuidedByWire(entity))
        return;
    // The seeker's cone: two lines at the heading plus and minus its half angle.
    const WorldPoint at = worldPoint(entity);
    const Pen oldPen = dc.selectPen(
        createPen(PenStyle::Solid, 1, entity.controller->seekerArmed() ? kConeArmed : kConeSafe));
    for (double side : {kConeHalfDegrees, -kConeHalfDegrees}) {
        const double angle = (heading + side) * kConeDegreesToRadians;
        double column = 0, row = 0;
        if (!worldToGrid(at.x + kConeRange * std::sin(angle), at.y + kConeRange * std::cos(angle), &column,
                         &row))
            continue;
        const Point here = view.getTransform().toPixel(this->x(), this->y());
        const Point end = view.getTransform().toPixel(column, row);
        dc.moveTo({x, y});
        dc.lineTo({end.x - here.x + x, end.y - here.y + y});
    }
    dc.selectPen(oldPen);
}

FireContact& FirePlot::add(FirePlotKind kind, std::int32_t id, double worldX, double worldY, double now) {
    items_.push_back(std::make_unique<FireContact>(kind, id, worldX, worldY, chart_));
    items_.back()->stamp = now;
    return *items_.back();
}

FireContact* FirePlot::find(FirePlotKind kind, std::int32_t id) const {
    for (const auto& item : items_)
        if (item->kind() == kind && item->id() == id)
            return item.get();
    return nullptr;
}

void FirePlot::build(double now) {
    items_.clear();
    for (auto* node = worldList().head(); node; node = node->next)
        addEntity(*node->item, now);
    refreshContacts(now);
}

void FirePlot::addEntity(const Entity& entity, double now) {
    const Entity* own = worldOwnShip();
    if (!own || !firePlotIncludes(entity, own->side))
        return;
    const FirePlotKind kind = &entity == own ? FirePlotKind::ownBoat : FirePlotKind::entity;
    if (find(kind, entity.id))
        return;
    const WorldPoint at = worldPoint(entity);
    add(kind, entity.id, at.x, at.y, now).label = fireLauncherOf(entity);
}

void FirePlot::addContact(const ContactRecord& contact, double now) {
    const Entity* own = worldOwnShip();
    const std::int32_t number = contactShownNumber(contact.designation);
    if (!own || find(FirePlotKind::contact, number))
        return;
    const WorldPoint at = chartContactPoint(*own, contact);
    add(FirePlotKind::contact, number, at.x, at.y, now);
}

void FirePlot::removeContact(std::int32_t number) {
    std::erase_if(items_, [&](const auto& item) {
        return item->kind() == FirePlotKind::contact && item->id() == number;
    });
}

void FirePlot::removeEntity(std::int32_t id) {
    std::erase_if(items_, [&](const auto& item) {
        return item->kind() != FirePlotKind::contact && item->id() == id;
    });
}

void FirePlot::markSelected(std::int32_t number) {
    for (auto& item : items_)
        item->selected = item->kind() == FirePlotKind::contact && item->id() == number && number != 0;
}

void FirePlot::refreshContacts(double now) {
    const Entity* own = worldOwnShip();
    if (!own)
        return;
    for (auto* node = own->contacts.head(); node; node = node->next) {
        const ContactRecord& contact = *node->item;
        const std::int32_t number = contactShownNumber(contact.designation);
        const WorldPoint at = chartContactPoint(*own, contact);
        if (FireContact* item = find(FirePlotKind::contact, number)) {
            item->moveTo(at.x, at.y, nullptr);
            item->stamp = now;
        } else {
            add(FirePlotKind::contact, number, at.x, at.y, now);
        }
    }
}

void FirePlot::update(double now) {
    const Entity* own = worldOwnShip();
    for (auto& item : items_) {
        if (item->kind() == FirePlotKind::contact)
            continue;
        const Entity* entity = worldFindEntity(item->id());
        if (!entity || !own)
            continue;
        if (item->kind() == FirePlotKind::ownBoat || firePlotIncludes(*entity, own->side)) {
            const WorldPoint at = worldPoint(*entity);
            item->moveTo(at.x, at.y, nullptr);
            item->stamp = now;
            // A launcher records its weapon only after the world has taken it in.
            if (item->label < 0)
                item->label = fireLauncherOf(*entity);
        } else if (entity->kind == kKindMissile) {
            item->stamp = now; // kept where it was last seen
        }
    }
    refreshContacts(now);
    std::erase_if(
        items_, [&](const auto& item) { return item->kind() != FirePlotKind::ownBoat && item->stamp < now; });
}

} // namespace q71
