#include "stations/nav/nav_contact_marker.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/tactical_symbols.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/station_charts.h"
#include "tactical/charts/chart_view.h"

namespace q71 {
namespace {

constexpr ColorRef kTorpedoDot = rgb(0, 255, 255);

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
    : ChartItem(worldX, worldY, nullptr, nullptr), id_(id), ownShip_(ownShip), display_(display) {
    follow(worldX, worldY);
    attach(chart);
}

NavContactMarker::Look NavContactMarker::look() const {
    Look shown;
    if (ownShip_) {
        if (const Entity* own = worldFindEntity(id_))
            shown.symbol = chartOwnBoatLook(*own);
    } else if (display_.contacts) {
        if (const ContactRecord* contact = ownContact(id_))
            shown.symbol = chartContactLook(*contact);
    } else if (display_.truth) {
        if (const Entity* entity = worldFindEntity(id_)) {
            const Entity* own = worldOwnShip();
            shown.symbol = {.shown = true,
                            .affiliation = own ? worldAffiliationSeenFrom(own->side, entity->side) : entity->side,
                            .category = entity->category,
                            .course = entity->motion ? entity->motion->heading : 0.0,
                            .speed = entity->motion ? entity->motion->speed : 0.0,
                            .label = {}};
            // Its torpedoes in the water, each a dot where it runs.
            for (auto* node = worldList().head(); node; node = node->next) {
                const Entity* torpedo = node->item;
                if (torpedo->typeCode != kEntityTorpedo || torpedo->parentId != entity->id)
                    continue;
                const WorldPoint at = worldPoint(*torpedo);
                double column = 0, row = 0;
                if (worldToGrid(at.x, at.y, &column, &row))
                    shown.torpedoes.emplace_back(column, row);
            }
        }
    }
    return shown;
}

ChartViewRecord NavContactMarker::drawnBox(const Look& shown, double worldX, double worldY) const {
    const Rect pixels = worldSymbolLookBounds(shown.symbol);
    double column = 0, row = 0;
    if (!worldToGrid(worldX, worldY, &column, &row))
        return chartRecordReaching(pixels, 0.0, 0.0, {});
    return chartRecordReaching(pixels, column, row, shown.torpedoes);
}

void NavContactMarker::follow(double worldX, double worldY) {
    Look shown = look();
    const ChartViewRecord box = drawnBox(shown, worldX, worldY);
    double column = 0, row = 0;
    const bool still =
        worldToGrid(worldX, worldY, &column, &row) && column == x() && row == y() && box == record();
    // Moving repaints the old and the new box; standing still, a change of what it draws its box.
    if (still && shown != followed_)
        notifyViews();
    setWorldPosition(worldX, worldY, &box);
    followed_ = std::move(shown);
}

void NavContactMarker::refresh() {
    double worldX = 0, worldY = 0;
    if (worldPosition(&worldX, &worldY))
        follow(worldX, worldY);
}

void NavContactMarker::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    // What the last follow saw, which its box holds: a repaint between two updates draws the
    // same marker as the one on the screen.
    const Look& shown = followed_;
    worldDrawSymbolLook(dc, x, y, shown.symbol);
    // Beside this copy of the marker's point.
    const ChartTransform t = view.getTransform();
    const Point here = t.toPixel(this->x(), this->y());
    for (const auto& [column, row] : shown.torpedoes) {
        const Point at = t.toPixel(column, row);
        dc.setPixel({at.x - here.x + x, at.y - here.y + y}, kTorpedoDot);
    }
}

} // namespace q71
