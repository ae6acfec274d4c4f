// Sampling a terrain grid and converting between grid positions and latitude and longitude.
#include "sim/world/dem_grid.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

// Brings a position onto 0..n-1 of an axis. On a wrapping axis the last sample repeats the
// first, so positions step by n - 1; the result is where stepping one period at a time stops.
bool onAxis(double& g, int n, uint32_t wraps) {
    const double last = n - 1;
    if (g >= 0.0 && g <= last)
        return true;
    if (!wraps || !std::isfinite(g))
        return false;
    const double r = std::fmod(g, last);
    if (g > last)
        g = r == 0.0 ? last : r;
    else
        g = r < 0.0 ? r + last : 0.0;
    return true;
}

} // namespace

bool demSample(const DemGrid* grid, double gx, double gy, double* value) {
    if (!grid || !onAxis(gx, grid->width, grid->wrapX) || !onAxis(gy, grid->height, grid->wrapY))
        return false;
    // On the last column or row the last cell is used with a fraction of 1.
    const int ix = std::min(static_cast<int>(gx), grid->width - 2);
    const int iy = std::min(static_cast<int>(gy), grid->height - 2);
    const double fx = gx - ix, fy = gy - iy;
    const int16_t* north = grid->samples.data() + static_cast<size_t>(iy) * grid->width + ix;
    const int16_t* south = north + grid->width;
    const double a = north[0] + (north[1] - north[0]) * fx;
    const double b = south[0] + (south[1] - south[0]) * fx;
    if (value)
        *value = a + (b - a) * fy;
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
