// Cutting a terrain grid out of the terrain database.
#include "sim/world/dem_database.h"
#include "sim/world/dem_grid.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {
constexpr double kKmPerDegree = 111.12;
} // namespace

std::unique_ptr<DemGrid> demExtract(DemDatabase* db, double lat, double lon, double width, double height,
                                    int nx, int ny, bool clearCache, const DemProgress& progress) {
    if (!db || !(std::fabs(lat) <= 90.0) || !std::isfinite(lon) || !(width > 0.0) || !(height > 0.0) ||
        !std::isfinite(width) || !std::isfinite(height) || nx < 2 || ny < 2)
        return nullptr;
    auto grid = std::make_unique<DemGrid>();
    grid->projection = projCreate(lat, lon, false);
    grid->extentX = width;
    grid->extentY = height;
    grid->originX = -width / 2;
    grid->originY = -height / 2;
    grid->width = nx;
    grid->height = ny;
    grid->samples.assign(static_cast<size_t>(nx) * ny, 0);

    // Blocks of about one degree, so that the squares a block needs stay in the tile cache.
    const int blockColumns = std::max(1, static_cast<int>(std::lround(kKmPerDegree * nx / width)));
    const int blockRows = std::max(1, static_cast<int>(std::lround(kKmPerDegree * ny / height)));
    const long total = static_cast<long>(nx) * ny;
    long done = 0;
    for (int top = 0; top < ny; top += blockRows) {
        for (int left = 0; left < nx; left += blockColumns) {
            const int right = std::min(nx, left + blockColumns);
            for (int row = top; row < std::min(ny, top + blockRows); ++row) {
                const double py = -(row * height / (ny - 1) - height / 2);
                for (int column = left; column < right; ++column) {
                    double sampleLat, sampleLon, elevation;
                    const double px = column * width / (nx - 1) - width / 2;
                    projInverse(grid->projection.get(), px, py, &sampleLat, &sampleLon);
                    if (demElevationAt(db, sampleLat, sampleLon, &elevation))
                        grid->samples[static_cast<size_t>(row) * nx + column] =
                            static_cast<int16_t>(std::clamp(std::round(elevation), -32768.0, 32767.0));
                }
                done += right - left;
                if (progress && !progress(done, total))
                    return nullptr;
            }
        }
    }
    if (clearCache)
        demCacheClear(*db);
    return grid;
}

} // namespace q71
