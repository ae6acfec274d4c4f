#include "mkdata/terrain/area_checks.h"

#include "mkdata/terrain/parallel.h"
#include "sim/world/dem_database.h"
#include "sim/world/terrain_world.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

std::unique_ptr<DemGrid> cutAreaGrid(const std::filesystem::path& database, const MissionArea& area,
                                     std::string& error) {
    auto db = demOpen(database.string(), &error);
    if (!db)
        return nullptr;
    return demExtract(db.get(), area.lat, area.lon, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                      kMissionGridSamples, true);
}

std::optional<double> areaGridHeight(const DemGrid& grid, const PlanePoint& at) {
    double lat, lon, column, row, height;
    projInverse(grid.projection.get(), at.east, at.north, &lat, &lon);
    if (!demLatLongToGrid(&grid, lat, lon, &column, &row) || !demSample(&grid, column, row, &height))
        return std::nullopt;
    return height;
}

namespace {

std::string checkArea(const std::filesystem::path& database, const MissionArea& area,
                      const std::string& source) {
    std::ostringstream problems;
    std::string error;
    const std::unique_ptr<DemGrid> grid = cutAreaGrid(database, area, error);
    if (!grid)
        return source + ":" + std::to_string(area.line) + ": the grid of " + area.key + " cannot be cut " +
               error + "\n";
    for (const AreaSite& site : area.sites) {
        const std::optional<double> plain = areaGridHeight(*grid, site.at);
        const double rough = plain ? worldRoughenDepth(site.worldX(), site.worldY(), *plain) : 0.0;
        if (site.minDepth && !(plain && -rough >= *site.minDepth))
            problems << source << ":" << site.line << ": the site " << site.name << " of " << area.key
                     << " has " << std::lround(-rough) << " m of water, not " << *site.minDepth << "\n";
        else if (!site.minDepth && !(plain && rough >= 0.0))
            problems << source << ":" << site.line << ": the site " << site.name << " of " << area.key
                     << " is under water (" << std::lround(rough) << " m)\n";
    }
    for (const AreaChannel& channel : area.channels) {
        const double length =
            std::hypot(channel.to.east - channel.from.east, channel.to.north - channel.from.north);
        for (double along = 0.0; along <= length; along += 0.5) {
            const double t = length > 0 ? along / length : 0.0;
            const PlanePoint at{channel.from.east + t * (channel.to.east - channel.from.east),
                                channel.from.north + t * (channel.to.north - channel.from.north)};
            const std::optional<double> height = areaGridHeight(*grid, at);
            if (height && -*height < 0.9 * channel.depth) {
                problems << source << ":" << area.line << ": a channel of " << area.key << " has "
                         << std::lround(-*height) << " m of water at (" << at.east << ", " << at.north
                         << ")\n";
                break;
            }
        }
    }
    return problems.str();
}

} // namespace

void checkMissionAreas(const std::filesystem::path& database, const std::vector<MissionArea>& areas,
                       const std::filesystem::path& source) {
    std::vector<std::string> problems(areas.size());
    parallelFor(areas.size(),
                [&](size_t i) { problems[i] = checkArea(database, areas[i], source.string()); });
    std::string all;
    for (const std::string& p : problems)
        all += p;
    if (!all.empty())
        throw std::runtime_error("the terrain does not keep what the mission areas promise:\n" + all);
}

} // namespace q71::mkdata
