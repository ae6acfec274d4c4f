#pragma once
// Terrain database files built byte by byte for the tests, independently of the data set's
// writer, so that a format error cannot hide in code the reader and the writer share.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace q71::test {

struct DemTestFile {
    uint32_t huffman = 0;
    uint32_t delta = 0;
    double latOffset = 0.0;
    double lonOffset = 0.0;
    uint8_t rows = 2;
    uint8_t columns[180] = {};
    uint32_t weights[257] = {};
    std::map<int, std::string> records; ///< square (band x 360 + column) -> whole tile record

    DemTestFile();
    /// A record of n = payload size followed by the payload.
    static std::string record(const std::string& payload);
    /// A plain record of little-endian samples.
    static std::string plainRecord(const std::vector<int16_t>& samples);
    /// The whole file; extra index entries may point anywhere.
    std::string bytes(const std::map<int, uint32_t>& extraIndex = {}) const;
};

/// Elevation of the linear test field: 100 lat - 40 lon, metres.
double demLinearElevation(double lat, double lon);

/// A database of plain 4 x 4 tiles holding the linear test field over the squares whose
/// northern edges run from `south` + 1 to `north` and western edges from `west` to `east`.
DemTestFile demLinearField(int north, int south, int west, int east);

/// Index of the square whose northern edge is at `north` and western edge at `west` (0..359).
int demSquare(int north, int west);

} // namespace q71::test
