// The elevation at a point of the globe, interpolated between the samples around it, which
// may lie in up to four tiles.
#include "sim/world/dem_database.h"

#include <cmath>
#include <optional>

namespace q71 {

namespace {

// A whole number of bands or squares a sample index has moved by; more than a turn of the
// globe can only come from a damaged header.
constexpr double kMaxShift = 400.0;

// The value of one sample row (band, row) at a longitude in 0..360: between the samples on
// either side, either alone when the other is missing.
std::optional<double> rowValue(DemDatabase& db, int band, int row, double lon) {
    if (band < 0 || band >= DemDatabase::kBands)
        return std::nullopt;
    const int columns = db.columnsPerDegree[band];
    if (columns == 0)
        return std::nullopt;
    const int square = static_cast<int>(lon);
    const double x = columns * (lon - square) - db.lonOffset / columns;
    if (!std::isfinite(x))
        return std::nullopt;
    const double whole = std::floor(x);
    const double fx = x - whole;
    const double shift = std::floor(whole / columns);
    if (std::fabs(shift) > kMaxShift)
        return std::nullopt;
    const int column = static_cast<int>(whole - shift * columns);
    const double westSquare = square + shift;
    const double latKey = 90 - band;

    // Read each sample before the next fetch: a fetch may evict the tile of the one before.
    std::optional<double> p, q;
    if (const DemTile* tile = demTileFetch(db, latKey, westSquare)) {
        p = tile->at(row, column);
        if (column + 1 < columns)
            q = tile->at(row, column + 1);
    }
    if (column + 1 == columns) {
        if (const DemTile* east = demTileFetch(db, latKey, westSquare + 1))
            q = east->at(row, 0);
    }
    if (p && q)
        return *p + (*q - *p) * fx;
    return p ? p : q;
}

} // namespace

bool demElevationAt(DemDatabase* db, double lat, double lon, double* elevation) {
    if (!db || !(lat >= -90.0 && lat <= 90.0) || !std::isfinite(lon) || db->rowsPerDegree == 0)
        return false;
    lon = std::fmod(lon, 360.0);
    if (lon < 0.0)
        lon += 360.0;
    if (lon >= 360.0) // a tiny negative longitude rounds up to a whole turn
        lon = 0.0;
    const int rows = db->rowsPerDegree;
    const double colatitude = 90.0 - lat;
    const int band = static_cast<int>(colatitude);
    const double y = rows * (colatitude - band) - db->latOffset / rows;
    if (!std::isfinite(y))
        return false;
    // Rows are counted down from the floor, so that an offset sample row between two bands
    // interpolates between them rather than past the first row.
    const double whole = std::floor(y);
    const double fy = y - whole;
    const double shift = std::floor(whole / rows);
    if (std::fabs(shift) > kMaxShift)
        return false;
    const int row = static_cast<int>(whole - shift * rows);
    const int rowBand = band + static_cast<int>(shift);

    const std::optional<double> r1 = rowValue(*db, rowBand, row, lon);
    const std::optional<double> r2 =
        row + 1 < rows ? rowValue(*db, rowBand, row + 1, lon) : rowValue(*db, rowBand + 1, 0, lon);
    if (!r1 && !r2)
        return false;
    const double value = r1 && r2 ? *r1 + (*r2 - *r1) * fy : (r1 ? *r1 : *r2);
    if (elevation)
        *elevation = value;
    return true;
}

} // namespace q71
