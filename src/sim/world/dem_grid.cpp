// Sampling a terrain grid and converting between grid positions and latitude and longitude.
#include "sim/world/dem_grid.h"

#include <algorithm>
#include <cmath>

namespace q71 {

bool demWrapOntoAxis(double& g, int n, uint32_t wraps) {
    const double last = n - 1;
    if (!wraps || !std::isfinite(g))
        return false;
    const double r = std::fmod(g, last);
    if (g > last)
        g = r == 0.0 ? last : r;
    else
        g = r < 0.0 ? r + last : 0.0;
    return true;
}

bool demLatLongToGrid(const DemGrid* grid, double lat, double lon, double* column, double* row) {
    if (!grid)
        return false;
    double px = 0.0, py = 0.0;
    projForward(grid->projection.get(), lat, lon, &px, &py);
    if (column)
        *column = (grid->width - 1) * (px - grid->originX) / grid->extentX;
    if (row)
        *row = (grid->height - 1) * (-py - grid->originY) / grid->extentY;
    return true;
}

bool demGridToLatLong(const DemGrid* grid, double column, double row, double* lat, double* lon) {
    if (!grid)
        return false;
    const double px = column / (grid->width - 1) * grid->extentX + grid->originX;
    const double py = -(row / (grid->height - 1) * grid->extentY + grid->originY);
    projInverse(grid->projection.get(), px, py, lat, lon);
    return true;
}

} // namespace q71
