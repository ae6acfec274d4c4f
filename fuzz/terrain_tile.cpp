// Fuzz target of the terrain database reader: the input supplies the coding flags, the
// sample counts, the code weights and the tile records of a block of nine squares, inside a
// well-formed header, and every square and sample of the block is then looked up.
#include "sim/world/dem_database.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t kHeaderSize = 260661;
constexpr size_t kIndexAt = 1461;

void put32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}

void exercise(std::string& bytes) {
    auto db = q71::demOpenStream(fmemopen(bytes.data(), bytes.size(), "rb"));
    if (!db)
        return;
    db->cacheBudget = 200; // small, so that evictions happen between lookups
    for (double lat = 7.0; lat <= 10.0; lat += 0.37) {
        for (double lon = -0.2; lon <= 2.2; lon += 0.29) {
            double e;
            q71::demElevationAt(db.get(), lat, lon, &e);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input as a whole database file.
    std::string raw(reinterpret_cast<const char*>(data), size);
    if (!raw.empty())
        exercise(raw);

    // The input inside a valid header.
    constexpr size_t kControl = 5 + 256;
    if (size < kControl)
        return 0;
    std::string bytes(kHeaderSize, '\0');
    std::memcpy(bytes.data(), "DemFile V.1", 11);
    put32(bytes, 224, data[0] & 1);
    put32(bytes, 228, (data[0] >> 1) & 1);
    const double latOffset = (data[3] % 8) * 0.5, lonOffset = (data[4] % 8) * 0.5;
    std::memcpy(bytes.data() + 236, &latOffset, 8);
    std::memcpy(bytes.data() + 244, &lonOffset, 8);
    bytes[252] = static_cast<char>(data[1] % 16);
    for (int band = 0; band < 180; ++band)
        bytes[253 + band] = static_cast<char>((data[2] + band) % 16);
    for (int i = 0; i < 256; ++i)
        put32(bytes, 433 + 4 * i, data[5 + i]);
    const size_t records = size - kControl;
    bytes.append(reinterpret_cast<const char*>(data + kControl), records);
    // Squares 8..10 N, 0..2 E, each pointing at its ninth of the records.
    for (int k = 0; k < 9; ++k) {
        const int band = 80 + k / 3, column = k % 3;
        put32(bytes, kIndexAt + 4 * (band * 360 + column),
              static_cast<uint32_t>(kHeaderSize + records * k / 9));
    }
    exercise(bytes);
    return 0;
}
