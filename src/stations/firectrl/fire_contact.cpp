#include "stations/firectrl/fire_contact.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/tactical_symbol_shapes.h"
#include "sim/simulation/tactical_symbols.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/station_charts.h"
#include "tactical/charts/chart_view.h"

#include <cmath>
#include <string>

namespace q71 {
namespace {

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
constexpr int kLabelOffset = 3; ///< the launcher's number stands this far right of and below the point
constexpr int kNoLauncher = -1;

std::string launcherText(int number) {
    return std::to_string(number);
}

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

struct FireContact::Symbol {
    TacticalSymbolLook look;
    const Entity* coned = nullptr; ///< a torpedo that takes orders: its seeker's cone is drawn
};

FireContact::FireContact(FirePlotKind kind, std::int32_t id, int launcherLabel, double worldX, double worldY,
                         ChartView* chart)
    : ChartItem(worldX, worldY, nullptr, nullptr), label(launcherLabel), kind_(kind), id_(id) {
    follow(worldX, worldY);
    attach(chart);
}

FireContact::Symbol FireContact::symbol() const {
    switch (kind_) {
    case FirePlotKind::ownBoat:
        if (const Entity* own = worldFindEntity(id_))
            return {chartOwnBoatLook(*own), nullptr};
        break;
    case FirePlotKind::contact:
        if (const ContactRecord* contact = launcherFindContact(id_))
            return {chartContactLook(*contact), nullptr};
        break;
    case FirePlotKind::entity:
        if (const Entity* entity = worldFindEntity(id_)) {
            const Entity* own = worldOwnShip();
            const TacticalSymbolLook look{
                .shown = true,
                .affiliation = own ? worldAffiliationSeenFrom(own->side, entity->side) : entity->side,
                .category = tacticalCategoryForKind(entity->kind),
                .course = entity->motion ? entity->motion->heading : 0.0,
                .speed = entity->motion ? entity->motion->speed : 0.0,
                .label = {}};
            return {look, fireGuidedByWire(*entity) ? entity : nullptr};
        }
        break;
    }
    return {};
}

std::vector<std::pair<double, double>> FireContact::coneEnds(const Symbol& shown, double worldX,
                                                             double worldY) const {
    std::vector<std::pair<double, double>> ends;
    if (!shown.coned)
        return ends;
    for (double side : {kConeHalfDegrees, -kConeHalfDegrees}) {
        const double angle = (shown.look.course + side) * kConeDegreesToRadians;
        double column = 0, row = 0;
        if (worldToGrid(worldX + kConeRange * std::sin(angle), worldY + kConeRange * std::cos(angle), &column,
                        &row))
            ends.emplace_back(column, row);
    }
    return ends;
}

ChartViewRecord FireContact::drawnBox(const Symbol& shown, double worldX, double worldY) const {
    Rect pixels = worldSymbolLookBounds(shown.look);
    if (const FontRef font = appChartFont(); label != kNoLauncher && font)
        pixels = pixels.united(font->inkBounds(launcherText(label)).offsetBy(kLabelOffset, kLabelOffset));
    double column = 0, row = 0;
    if (!worldToGrid(worldX, worldY, &column, &row))
        return chartRecordReaching(pixels, 0.0, 0.0, {});
    return chartRecordReaching(pixels, column, row, coneEnds(shown, worldX, worldY));
}

void FireContact::follow(double worldX, double worldY) {
    const ChartViewRecord box = drawnBox(symbol(), worldX, worldY);
    setWorldPosition(worldX, worldY, &box);
}

void FireContact::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) {
    const Symbol shown = symbol();
    worldDrawSymbolLook(dc, x, y, shown.look);
    double worldX = 0, worldY = 0;
    const bool placed = worldPosition(&worldX, &worldY);
    if (placed)
        drawCone(dc, view, shown, coneEnds(shown, worldX, worldY), x, y);
    if (label != kNoLauncher) {
        const FontRef oldFont = dc.selectFont(appChartFont());
        const unsigned oldAlign = dc.setTextAlign(kTaLeft | kTaTop);
        dc.setTextColor(kLabelColour);
        dc.setBkMode(kTransparent);
        dc.textOut({x + kLabelOffset, y + kLabelOffset}, launcherText(label));
        dc.setTextAlign(oldAlign);
        dc.selectFont(oldFont);
    }
    // What the world changed since the last move (a torpedo turning) is drawn too: the box holds it.
    if (placed)
        record = chartUnitedRecord(record, drawnBox(shown, worldX, worldY));
}

void FireContact::drawCone(DeviceContext& dc, ChartView& view, const Symbol& shown,
                           const std::vector<std::pair<double, double>>& ends, int x, int y) const {
    if (ends.empty())
        return;
    // Beside this copy of the plotted point.
    const ChartTransform t = view.getTransform();
    const Point here = t.toPixel(this->x(), this->y());
    const ColorRef colour = shown.coned->controller->seekerArmed() ? kConeArmed : kConeSafe;
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, colour));
    for (const auto& [column, row] : ends) {
        const Point end = t.toPixel(column, row);
        dc.moveTo({x, y});
        dc.lineTo({end.x - here.x + x, end.y - here.y + y});
    }
    dc.selectPen(oldPen);
}

FireContact& FirePlot::add(FirePlotKind kind, std::int32_t id, int label, double worldX, double worldY,
                           double now) {
    items_.push_back(std::make_unique<FireContact>(kind, id, label, worldX, worldY, chart_));
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
    add(kind, entity.id, fireLauncherOf(entity), at.x, at.y, now);
}

void FirePlot::addContact(const ContactRecord& contact, double now) {
    const Entity* own = worldOwnShip();
    const std::int32_t number = contactShownNumber(contact.designation);
    if (!own || find(FirePlotKind::contact, number))
        return;
    const WorldPoint at = chartContactPoint(*own, contact);
    add(FirePlotKind::contact, number, kNoLauncher, at.x, at.y, now);
}

void FirePlot::removeContact(std::int32_t number) {
    std::erase_if(items_, [&](const auto& item) {
        return item->kind() == FirePlotKind::contact && item->id() == number;
    });
}

void FirePlot::removeEntity(std::int32_t id) {
    std::erase_if(
        items_, [&](const auto& item) { return item->kind() != FirePlotKind::contact && item->id() == id; });
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
            item->follow(at.x, at.y);
            item->stamp = now;
        } else {
            add(FirePlotKind::contact, number, kNoLauncher, at.x, at.y, now);
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
            // A launcher records its weapon only after the world has taken it in.
            if (item->label == kNoLauncher)
                item->label = fireLauncherOf(*entity);
            const WorldPoint at = worldPoint(*entity);
            item->follow(at.x, at.y);
            item->stamp = now;
        } else if (entity->kind == kKindMissile) {
            item->stamp = now; // kept where it was last seen
        }
    }
    refreshContacts(now);
    std::erase_if(
        items_, [&](const auto& item) { return item->kind() != FirePlotKind::ownBoat && item->stamp < now; });
}

} // namespace q71
