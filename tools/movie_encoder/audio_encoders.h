#pragma once
// Encoders of the two ADPCM sound forms of movie files. Each keeps its channels' state from
// chunk to chunk, so a movie's sound is one continuous stream cut into chunks.

#include "media/movie/movie_audio_decode.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71::encoder {

/// The block form: blocks of 28 sample pairs, each channel with its own filter and shift,
/// chosen to make the decoded block closest to the input.
class BlockAdpcmEncoder {
public:
    /// One chunk's payload for interleaved stereo samples; a last partial block is padded with
    /// silence.
    std::vector<std::uint8_t> encodeChunk(std::span<const std::int16_t> stereo);

private:
    struct Channel {
        int previous1 = 0;
        int previous2 = 0;
    };
    Channel left_, right_;
};

/// The step form: one byte per sample pair, the left sample's code in the high 4 bits.
class StepAdpcmEncoder {
public:
    std::vector<std::uint8_t> encodeChunk(std::span<const std::int16_t> stereo);

private:
    ImaChannel left_, right_;
};

} // namespace q71::encoder
