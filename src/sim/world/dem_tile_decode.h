#pragma once
// Decoding of one tile payload of the terrain database into its samples.

#include "sim/world/dem_code_tree.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// How the payloads of a database are coded (the flags of its header).
struct DemCoding {
    bool huffman = false;
    bool delta = false;
    const DemCodeTree* tree = nullptr; ///< required with huffman
};

/// Decodes rows x columns samples from a payload; false when the payload does not hold them.
bool demDecodeTile(const DemCoding& coding, std::span<const uint8_t> payload, int rows, int columns,
                   std::vector<int16_t>& samples);

} // namespace q71
