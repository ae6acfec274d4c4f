#include "tactical/charts/chart_lat_long.h"

#include "sim/world/dem_grid.h"

#include <cmath>

namespace q71 {
namespace {

void degreesMinutes(double value, int& degrees, int& minutes) {
    const double magnitude = std::fabs(value);
    degrees = static_cast<int>(magnitude);
    minutes = static_cast<int>(std::lround((magnitude - degrees) * 60.0));
    if (minutes >= 60) {
        ++degrees;
        minutes -= 60;
    }
}

} // namespace

bool chartLatLong(const DemGrid* grid, double gx, double gy, ChartLatLong& out) {
    double lat = 0, lon = 0;
    if (!grid || !demGridToLatLong(grid, gx, gy, &lat, &lon))
        return false;
    if (!std::isfinite(lat) || !std::isfinite(lon) || !(lat > -90.0 && lat < 90.0))
        return false;
    lon -= std::floor((lon + 180.0) / 360.0) * 360.0;
    out.north = lat >= 0;
    out.east = lon >= 0;
    degreesMinutes(lat, out.latDegrees, out.latMinutes);
    degreesMinutes(lon, out.lonDegrees, out.lonMinutes);
    return true;
}

} // namespace q71
