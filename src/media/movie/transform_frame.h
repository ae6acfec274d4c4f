#pragma once
// What the two block-transform frame kinds share: the frame header, the dequantisation tables
// and the conversion of a decoded macroblock into frame values.

#include "media/movie/movie_codec.h"

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

/// The 8-byte header of a block-transform frame.
struct TransformHeader {
    int width = 0;
    int height = 0;
    int quantiser = 0;
    bool studioRange = false; ///< bit 1 of byte 7 (read by the intra kind only)
};

inline constexpr int kTransformHeaderSize = 8;

/// Reads and checks the header: a size in whole macroblocks that fits the frame buffers and a
/// quantiser of 0 to 100. False for anything else; otherwise the codec takes its size and
/// quantiser.
bool beginTransformFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk, TransformHeader& header);

/// level * factor in 32-bit arithmetic that wraps, as hostile coefficients may make it.
inline std::int32_t wrappingProduct(std::int32_t level, std::int32_t factor) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(level) * static_cast<std::uint32_t>(factor));
}

using DequantisationTable = std::array<std::int32_t, 64>;

/// The dequantisation factors of the byte-coded kind for a quantiser of 0-100.
DequantisationTable transformDequantisation(int quantiser);
/// The dequantisation factors of the intra kind for a quantiser of 0-100.
DequantisationTable intraDequantisation(int quantiser);

/// One decoded macroblock: 16 by 16 luminance and 8 by 8 of each colour difference, as samples
/// in 16.16 fixed point.
struct MacroblockSamples {
    std::int32_t luminance[256];
    std::int32_t blueDifference[64];
    std::int32_t redDifference[64];
};

/// Where block b (0-3 luminance, 4 blue, 5 red difference) of a macroblock is transformed to.
std::int32_t* macroblockBlock(MacroblockSamples& samples, int b, int& stride);

/// Writes the macroblock at column mx, row my through the colour tables (samples centred on 0).
void writeMacroblockByTables(MovieCodec& codec, const MacroblockSamples& samples, int mx, int my);

/// Writes the macroblock through the saturation tables (samples 0-255, differences about 128).
void writeMacroblockStudioRange(MovieCodec& codec, const MacroblockSamples& samples, int mx, int my);

bool decodeTransformFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk);
bool decodeIntraFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk);

} // namespace q71
