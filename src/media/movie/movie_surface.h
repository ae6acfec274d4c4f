#pragma once
// The memory a movie is presented on: a locked display surface as the codec sees it, with the
// display's pixel format given by its channel masks.

#include <cstdint>

namespace q71 {

struct MovieSurface {
    std::uint8_t* pixels = nullptr; ///< the top-left pixel
    int pitch = 0;                  ///< bytes from one row to the next
    int width = 0;
    int height = 0;
    int bitsPerPixel = 16;          ///< 16 (15- and 16-bit formats) or 32
    std::uint32_t redMask = 0xF800;
    std::uint32_t greenMask = 0x07E0;
    std::uint32_t blueMask = 0x001F;
};

/// Bit count and lowest bit position of one colour channel.
struct ChannelFormat {
    int bits = 0;
    int shift = 0;
};

/// The display's pixel format as the codec uses it.
struct DisplayFormat {
    ChannelFormat red, green, blue;
    std::uint32_t mask = 0; ///< the three masks together
    int totalBits = 0;

    /// True when frame values hold two 15- or 16-bit pixels, false for 32-bit pixels.
    bool isSixteenBit() const {
        return (totalBits == 15 || totalBits == 16) && red.bits <= 8 && green.bits <= 8 && blue.bits <= 8;
    }
    /// The bits per pixel of a surface that the frames of this format can be presented on.
    int surfaceBits() const { return isSixteenBit() ? 16 : 32; }
};

/// The pixel format of a surface, read from its masks.
DisplayFormat displayFormatOf(const MovieSurface& surface);

} // namespace q71
