#pragma once
// The entries of the codec's colour tables, exposed for the frame decoders and for tests.

#include "media/movie/movie_surface.h"

#include <cstdint>

namespace q71 {

/// Signed contributions of one table entry to red, green and blue (0-255 scale).
struct ChannelValues {
    int red, green, blue;
};

/// value * factor / 65536 in 16.16 fixed point, rounded by bit 15 of the product.
std::int32_t roundedProduct(std::int32_t value, std::int32_t factor);

/// The colour of luminance level i (0-127, a 7-bit signed level).
ChannelValues luminanceLevel(int i);
/// The contribution of blue-difference level i.
ChannelValues blueDifferenceLevel(int i);
/// The contribution of red-difference level i.
ChannelValues redDifferenceLevel(int i);

/// A table entry in the frame-value format of the pixel format.
std::uint32_t colourTableEntry(const ChannelValues& v, const DisplayFormat& f, bool isLuminance);

/// The frame value of one palette colour (red, green, blue).
std::uint32_t paletteFrameValue(const std::uint8_t rgb[3], const DisplayFormat& f);

} // namespace q71
