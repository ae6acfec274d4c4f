// Tiles of the terrain database: read and decoded on first use, kept in a cache of bounded
// size with the most recently used tile first.
#include "sim/world/dem_database.h"
#include "sim/world/dem_tile_decode.h"

#include <cmath>
#include <sys/types.h>

namespace q71 {

namespace {

// The record of a tile: a 16-bit payload length, read as a signed count (1 to 32767), then the payload.
bool readPayload(DemDatabase& db, uint32_t offset, std::vector<uint8_t>& payload) {
    std::FILE* f = db.file.get();
    uint8_t length[2];
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0 || std::fread(length, 1, 2, f) != 2)
        return false;
    const auto n = static_cast<int16_t>(length[0] | length[1] << 8);
    if (n <= 0)
        return false;
    payload.resize(static_cast<size_t>(n));
    return std::fread(payload.data(), 1, payload.size(), f) == payload.size();
}

bool loadTile(DemDatabase& db, int latKey, int lonKey, DemTile& tile) {
    if (latKey <= -90 || latKey > 90)
        return false;
    const int band = 90 - latKey;
    const int column = ((lonKey % 360) + 360) % 360;
    const uint32_t offset = db.index[static_cast<size_t>(band) * 360 + column];
    if (offset == 0)
        return false;
    std::vector<uint8_t> payload;
    if (!readPayload(db, offset, payload))
        return false;
    tile.latKey = static_cast<int16_t>(latKey);
    tile.lonKey = static_cast<int16_t>(lonKey);
    tile.rows = db.rowsPerDegree;
    tile.columns = db.columnsPerDegree[band];
    const DemCoding coding{db.huffman != 0, db.delta != 0, db.codeTree ? &*db.codeTree : nullptr};
    return demDecodeTile(coding, payload, tile.rows, tile.columns, tile.samples);
}

} // namespace

void demCacheClear(DemDatabase& db) {
    db.cache.clear();
    db.cachedSamples = 0;
}

const DemTile* demTileFetch(DemDatabase& db, double latKey, double lonKey) {
    if (!(latKey > -91.0 && latKey < 91.0) || !std::isfinite(lonKey))
        return nullptr;
    lonKey = std::fmod(lonKey, 360.0);
    if (lonKey < -180.0)
        lonKey += 360.0;
    else if (lonKey >= 180.0)
        lonKey -= 360.0;
    const int lat = static_cast<int>(latKey);
    const int lon = static_cast<int>(lonKey);

    for (auto it = db.cache.begin(); it != db.cache.end(); ++it) {
        if (it->latKey == lat && it->lonKey == lon) {
            db.cache.splice(db.cache.begin(), db.cache, it);
            return &db.cache.front();
        }
    }

    DemTile tile;
    if (!loadTile(db, lat, lon, tile))
        return nullptr; // nothing cached: the square is tried again next time
    // Older tiles make room first, so a new tile is never evicted by its own arrival.
    db.cachedSamples += static_cast<long>(tile.samples.size());
    while (db.cachedSamples > db.cacheBudget && !db.cache.empty()) {
        db.cachedSamples -= static_cast<long>(db.cache.back().samples.size());
        db.cache.pop_back();
    }
    db.cache.push_front(std::move(tile));
    return &db.cache.front();
}

} // namespace q71
