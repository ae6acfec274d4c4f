#include "stations/nav/nav_contact_marker.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/tactical_symbols.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"

namespace q71 {
namespace {

constexpr int kOwnShipAffiliation = 6;
constexpr ColorRef kTorpedoDot = rgb(0, 255, 255);

const ChartViewRecord& markerRecord() {
    static const ChartViewRecord record = [] {
        ChartViewRecord r;
        chartMakeRecord(r, -20, 26, -20, 20, 0.0, 0.0, 0.0, 0.0);
        return r;
    }();
    return record;
}

const ContactRecord* ownContact(std::int32_t id) {
    const Entity* own = worldOwnShip();
    if (!own)
        return nullptr;
    for (auto* node = own->contacts.head(); node; node = node->next)
        if (node->item->entityId == id)
            return node->item;
    return nullptr;
}

} // namespace

NavContactMarker::NavContactMarker(std::int32_t id, bool ownShip, double worldX, double worldY,
                                   const NavDisplay& display, ChartView* chart)
    : ChartItem(worldX, worldY, &markerRecord(), chart), id_(id), ownShip_(ownShip), display_(display) {}

void NavContactMarker::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    if (ownShip_)
        drawOwnShip(dc, x, y);
    else if (display_.contacts)
        drawContact(dc, x, y);
    else if (display_.truth)
        drawEntity(dc, view, x, y);
}

void NavContactMarker::drawOwnShip(DeviceContext& dc, int x, int y) const {
    const Entity* own = worldFindEntity(id_);
    if (!own || !own->motion)
        return;
    worldDrawSymbolForKind(dc, 0, x, y, kOwnShipAffiliation, own->kind, own->motion->heading, own->motion->speed,
                           nullptr);
}

void NavContactMarker::drawContact(DeviceContext& dc, int x, int y) const {
    const ContactRecord* contact = ownContact(id_);
    if (!contact)
        return;
    worldDrawSymbolForKind(dc, 0, x, y, contact->side, contact->kind, contact->course, contact->speed,
                           worldFormatDesignation(contact->designation));
}

void NavContactMarker::drawEntity(DeviceContext& dc, ChartView& view, int x, int y) const {
    const Entity* entity = worldFindEntity(id_);
    if (!entity)
        return;
    const double heading = entity->motion ? entity->motion->heading : 0.0;
    const double speed = entity->motion ? entity->motion->speed : 0.0;
    const Entity* own = worldOwnShip();
    const std::int32_t affiliation = own ? worldAffiliationSeenFrom(own->side, entity->side) : entity->side;
    worldDrawTacticalSymbol(dc, 0, x, y, affiliation, entity->category, heading, speed, nullptr);
    // Its torpedoes in the water, each a dot where it runs.
    const ChartTransform t = view.getTransform();
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity* torpedo = node->item;
        if (torpedo->typeCode != kEntityTorpedo || torpedo->parentId != entity->id)
            continue;
        const WorldPoint at = worldPoint(*torpedo);
        double column = 0, row = 0;
        if (worldToGrid(at.x, at.y, &column, &row))
            dc.setPixel(t.toPixel(column, row), kTorpedoDot);
    }
}

} // namespace q71
