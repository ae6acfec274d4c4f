#include "stations/station_charts.h"

#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/tactical_symbol_shapes.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

namespace q71 {
namespace {

constexpr std::int32_t kOwnBoatAffiliation = 6;

OwnShipChart* navChart = nullptr;
OwnShipChart* fireChart = nullptr;

} // namespace

WorldPoint chartContactPoint(const Entity& own, const ContactRecord& contact) {
    const WorldPoint from = worldPoint(own);
    WorldPoint at;
    geoProject(from.x, from.y, contact.bearing, contact.range, at.x, at.y);
    return at;
}

TacticalSymbolLook chartOwnBoatLook(const Entity& own) {
    if (!own.motion)
        return {};
    return {.shown = true,
            .affiliation = kOwnBoatAffiliation,
            .category = tacticalCategoryForKind(own.kind),
            .course = own.motion->heading,
            .speed = own.motion->speed,
            .label = {}};
}

TacticalSymbolLook chartContactLook(const ContactRecord& contact) {
    return {.shown = true,
            .affiliation = contact.side,
            .category = tacticalCategoryForKind(contact.kind),
            .course = contact.course,
            .speed = contact.speed,
            .label = worldFormatDesignation(contact.designation)};
}

void OwnShipChart::recentre() {
    const Entity* own = worldOwnShip();
    double column = 0, row = 0;
    if (ownShipLock_ && hasGrid() && own) {
        const WorldPoint at = worldPoint(*own);
        if (worldToGrid(at.x, at.y, &column, &row)) {
            pinCentre(column, row);
            return;
        }
    }
    unpinCentre();
}

void OwnShipChart::loadGraphics() {
    ChartWindow::loadGraphics();
    recentre();
}

void OwnShipChart::copyViewTo(OwnShipChart& other) const {
    other.setOwnShipLock(ownShipLock_);
    other.recentre();
    other.centreOn(centreX(), centreY(), scale());
    if (other.scaleBarShown() != scaleBarShown())
        other.showScaleBar(scaleBarShown());
    if (other.gridLinesShown() != gridLinesShown())
        other.showGridLines(gridLinesShown());
    if (other.readoutLatched() != readoutLatched())
        other.latchReadout(readoutLatched());
}

OwnShipChart* stationNavChart() {
    return navChart;
}

void stationSetNavChart(OwnShipChart* chart) {
    navChart = chart;
}

OwnShipChart* stationFireChart() {
    return fireChart;
}

void stationSetFireChart(OwnShipChart* chart) {
    fireChart = chart;
}

} // namespace q71
