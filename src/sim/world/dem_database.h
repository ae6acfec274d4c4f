#pragma once
// The terrain elevation database "WCDEM.dem": one tile of 16-bit elevation samples for each
// one-degree square of the globe that has data, found through a fixed index, optionally
// delta and Huffman coded. Tiles are decoded on demand into a cache bounded by its number
// of samples, and elevations are interpolated between the four samples around a point.

#include "sim/world/dem_code_tree.h"

#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// A decoded tile: rows x columns samples in metres, row 0 on the square's northern edge,
/// column 0 on its western edge.
struct DemTile {
    int16_t latKey = 0; ///< latitude of the square's northern edge
    int16_t lonKey = 0; ///< longitude of its western edge, -180..179
    uint8_t rows = 0;
    uint8_t columns = 0;
    std::vector<int16_t> samples;

    int16_t at(int row, int column) const { return samples[static_cast<size_t>(row) * columns + column]; }
};

struct DemFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct DemDatabase {
    static constexpr int kBands = 180;
    static constexpr int kSquares = 360 * 180;
    static constexpr long kDefaultCacheBudget = 50000;

    std::unique_ptr<std::FILE, DemFileCloser> file; ///< open for the database's whole life
    char description[200] = {};
    uint32_t huffman = 0; ///< every tile payload is Huffman coded
    uint32_t delta = 0;   ///< every tile's samples are delta coded
    uint32_t reserved = 0;
    double latOffset = 0.0;                ///< A of the lookup's sample row
    double lonOffset = 0.0;                ///< B of the lookup's sample column
    uint8_t rowsPerDegree = 0;             ///< R, the same for every band
    uint8_t columnsPerDegree[kBands] = {}; ///< C of each band, band 0 beginning at 90 N
    uint32_t weights[257] = {};
    std::vector<uint32_t> index; ///< file offset of each square's tile (band x 360 + column), 0 = none
    std::optional<DemCodeTree> codeTree; ///< with the Huffman flag only

    long cacheBudget = kDefaultCacheBudget;
    long cachedSamples = 0;
    std::list<DemTile> cache; ///< most recently used first
};

/// The terrain folder: the setting "DemDirectory", else "cdInstallPath" + "\Database", else
/// "Database". Worked out on the first call; later calls return the same text.
const char* demDatabaseDir();

/// The path of a file in the terrain folder; a name with a drive, a leading back-slash or a
/// leading slash stands as it is.
std::string demPath(std::string_view name);

/// Opens a database file (demPath); null on any failure, with the reason in `error` when given.
std::unique_ptr<DemDatabase> demOpen(std::string_view name, std::string* error = nullptr);

/// Opens a database from a stream it takes over; null (the stream closed) on any failure.
std::unique_ptr<DemDatabase> demOpenStream(std::FILE* file, std::string* error = nullptr);

/// Frees every cached tile.
void demCacheClear(DemDatabase& db);

/// The tile of the square whose northern latitude and western longitude are the whole parts
/// of the keys, from the cache or read and decoded; null when it has no data or cannot be read.
const DemTile* demTileFetch(DemDatabase& db, double latKey, double lonKey);

/// Elevation in metres at a point, interpolated between the samples around it that exist;
/// false, with the output untouched, when none exists.
bool demElevationAt(DemDatabase* db, double lat, double lon, double* elevation);

} // namespace q71
