#pragma once
// Writes the terrain database "WCDEM.dem": every tile's samples delta coded, then Huffman
// coded with one code built from the byte counts of all tiles.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace q71::mkdata {

struct DemLayout {
    uint8_t rows = 0;                   ///< samples per degree of latitude
    std::array<uint8_t, 180> columns{}; ///< samples per degree of longitude in each band
};

struct DemSquareSamples {
    int band = 0;                 ///< 0 begins at 90 N
    int column = 0;               ///< 0 begins at 0 E
    std::vector<int16_t> samples; ///< rows x columns of the band, row 0 on the northern edge
};

/// The delta codes of one tile's samples; throws when two neighbours differ by more than a code holds.
std::vector<uint8_t> demDeltaStream(const std::vector<int16_t>& samples, int rows, int columns);

/// Writes the database; throws when a tile's coded payload exceeds a record's 32,767 bytes.
void writeDemFile(const std::filesystem::path& path, const std::string& description, const DemLayout& layout,
                  const std::vector<DemSquareSamples>& squares);

} // namespace q71::mkdata
