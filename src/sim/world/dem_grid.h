#pragma once
// Terrain grids: a rectangle of 16-bit elevation samples on a map projection, cut from the
// terrain database around a mission area or read from a grid file ("DemGrid V.1").

#include "sim/world/map_projection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

struct DemDatabase;

struct DemGrid {
    std::unique_ptr<MapProjection> projection;
    double extentX = 0.0; ///< width in plane units (km for a stereographic grid)
    double extentY = 0.0; ///< height in plane units
    double originX = 0.0; ///< plane x of column 0
    double originY = 0.0; ///< negated plane y of row 0
    int32_t width = 0;    ///< columns, at least 2
    int32_t height = 0;   ///< rows, at least 2; row 0 is the northern edge
    uint32_t wrapX = 0;   ///< column width - 1 is column 0 again
    uint32_t wrapY = 0;
    std::vector<int16_t> samples; ///< metres, negative below sea level, row by row

    int16_t at(int column, int row) const { return samples[static_cast<size_t>(row) * width + column]; }
};

/// Reports the progress of a cut: (samples done, samples in all); false stops the cut.
using DemProgress = std::function<bool(long done, long total)>;

/// Cuts nx x ny samples covering width x height km centred on (lat, lon), on a stereographic
/// projection; null for no database, |lat| > 90, an empty extent, nx or ny below 2, or when
/// the progress callback stops the cut. Squares without data give 0. With clearCache the
/// database's tile cache is emptied at the end.
std::unique_ptr<DemGrid> demExtract(DemDatabase* db, double lat, double lon, double width, double height,
                                    int nx, int ny, bool clearCache, const DemProgress& progress = {});

/// Reads a grid file through `read` (which fills the whole buffer or fails); null, with the
/// reason in `error` when given, when the file is short or malformed.
std::unique_ptr<DemGrid> demReadGrid(const std::function<bool(std::span<std::byte>)>& read,
                                     std::string* error = nullptr);

/// Reads a grid file from the terrain folder; null when it does not open or is malformed.
std::unique_ptr<DemGrid> demGridLoad(std::string_view name, std::string* error = nullptr);

/// Brings a position lying off 0..n-1 of an axis onto it when the axis wraps; false when it does
/// not wrap, or for a position that is not a number. On a wrapping axis the last sample repeats
/// the first, so positions step by n - 1; the result is where stepping one period at a time stops.
bool demWrapOntoAxis(double& g, int n, uint32_t wraps);

/// Samples a grid, its figures taken once: for many samples of one grid.
class DemSampler {
public:
    explicit DemSampler(const DemGrid& grid)
        : samples_(grid.samples.data()), width_(grid.width), height_(grid.height), lastColumn_(grid.width - 1),
          lastRow_(grid.height - 1), wrapX_(grid.wrapX), wrapY_(grid.wrapY) {}

    /// As demSample.
    bool sample(double gx, double gy, double* value) const {
        if (!(gx >= 0.0 && gx <= lastColumn_) && !demWrapOntoAxis(gx, width_, wrapX_))
            return false;
        if (!(gy >= 0.0 && gy <= lastRow_) && !demWrapOntoAxis(gy, height_, wrapY_))
            return false;
        // On the last column or row the last cell is used with a fraction of 1.
        const int ix = static_cast<int>(gx) < width_ - 2 ? static_cast<int>(gx) : width_ - 2;
        const int iy = static_cast<int>(gy) < height_ - 2 ? static_cast<int>(gy) : height_ - 2;
        const double fx = gx - ix, fy = gy - iy;
        const int16_t* north = samples_ + static_cast<size_t>(iy) * width_ + ix;
        const int16_t* south = north + width_;
        const double a = north[0] + (north[1] - north[0]) * fx;
        const double b = south[0] + (south[1] - south[0]) * fx;
        if (value)
            *value = a + (b - a) * fy;
        return true;
    }

private:
    const int16_t* samples_;
    int width_, height_;
    double lastColumn_, lastRow_;
    uint32_t wrapX_, wrapY_;
};

/// Elevation at a fractional grid position, interpolated between the four samples around it;
/// false outside a grid that does not wrap on that axis.
inline bool demSample(const DemGrid* grid, double gx, double gy, double* value) {
    return grid && DemSampler(*grid).sample(gx, gy, value);
}

/// Grid position of a latitude and longitude; false without a grid.
bool demLatLongToGrid(const DemGrid* grid, double lat, double lon, double* column, double* row);

/// Latitude and longitude of a grid position; false without a grid.
bool demGridToLatLong(const DemGrid* grid, double column, double row, double* lat, double* lon);

} // namespace q71
