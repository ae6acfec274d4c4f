#pragma once
// Packer of the byte-oriented LZ77 scheme of key frames: greedy matching on a hash chain,
// each match sent with the shortest command that holds it.

#include <cstdint>
#include <span>
#include <vector>

namespace q71::encoder {

/// The packed form of `data` (at most 2^24 - 1 bytes), with its header and end command.
std::vector<std::uint8_t> lz77Pack(std::span<const std::uint8_t> data);

} // namespace q71::encoder
