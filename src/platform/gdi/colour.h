#pragma once
// Colours as the drawing calls take them: COLORREF values 0x00BBGGRR, and the pixel forms of
// the screen (RGB565) and of 16-bit bitmaps (5-5-5). Channels of 5 or 6 bits are widened by a
// plain shift, so a pixel read back gives the channel with its low bits clear (0xF8, not 0xFF).

#include <cstdint>

namespace q71 {

using ColorRef = std::uint32_t;

/// The COLORREF of three 8-bit channels.
constexpr ColorRef rgb(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
/// The red channel of a COLORREF.
constexpr int colorRed(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
/// The green channel of a COLORREF.
constexpr int colorGreen(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
/// The blue channel of a COLORREF.
constexpr int colorBlue(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

/// The RGB565 pixel of a colour (channels truncated).
constexpr std::uint16_t colorTo565(ColorRef c) {
    return static_cast<std::uint16_t>(((colorRed(c) >> 3) << 11) | ((colorGreen(c) >> 2) << 5) |
                                      (colorBlue(c) >> 3));
}
/// The colour of an RGB565 pixel.
constexpr ColorRef colorFrom565(std::uint16_t p) {
    return rgb((p >> 11) << 3, ((p >> 5) & 0x3F) << 2, (p & 0x1F) << 3);
}
/// The 5-5-5 pixel of a colour (channels truncated).
constexpr std::uint16_t colorTo555(ColorRef c) {
    return static_cast<std::uint16_t>(((colorRed(c) >> 3) << 10) | ((colorGreen(c) >> 3) << 5) |
                                      (colorBlue(c) >> 3));
}
/// The colour of a 5-5-5 pixel.
constexpr ColorRef colorFrom555(std::uint16_t p) {
    return rgb(((p >> 10) & 0x1F) << 3, ((p >> 5) & 0x1F) << 3, (p & 0x1F) << 3);
}

/// One entry of a bitmap colour table, in its stored byte order.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

/// The COLORREF of a colour-table entry.
constexpr ColorRef colorFromQuad(RgbQuad q) {
    return rgb(q.red, q.green, q.blue);
}
/// The colour-table entry of a COLORREF.
constexpr RgbQuad quadFromColor(ColorRef c) {
    return {static_cast<std::uint8_t>(colorBlue(c)), static_cast<std::uint8_t>(colorGreen(c)),
            static_cast<std::uint8_t>(colorRed(c)), 0};
}

} // namespace q71
