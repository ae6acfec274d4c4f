#pragma once
// The screen as a window shows it: scaled to the window with its aspect kept (letterbox.h), each
// window pixel the screen pixel the pointer there maps back to (nearest), black bars beside, in
// the window's own pixel layout. A part of the screen can be drawn alone, so that a window is
// sent only what changed.

#include "platform/geometry/rect.h"

#include <cstdint>
#include <vector>

namespace q71 {

/// How a window stores a pixel: 2, 3 or 4 bytes (little-endian), the colours at their masks.
struct PixelLayout {
    int bytesPerPixel = 4;
    std::uint32_t redMask = 0x00FF0000;
    std::uint32_t greenMask = 0x0000FF00;
    std::uint32_t blueMask = 0x000000FF;

    friend bool operator==(const PixelLayout&, const PixelLayout&) = default;
};

/// A window's pixels: `height` rows of `width` pixels, `pitch` bytes apart.
struct WindowPixels {
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
};

class WindowScaler {
public:
    /// Prepares for a window of that size and layout; false for a layout it cannot write (any
    /// other number of bytes per pixel), which leaves it drawing nothing.
    bool setTarget(int width, int height, const PixelLayout& layout);
    /// Where the screen lies in the window.
    const Rect& shown() const { return shown_; }

    /// Draws the whole window: the bars black and the screen (RGB565, row-major) scaled.
    void drawAll(const std::uint16_t* screen, const WindowPixels& window) const;
    /// Draws only the window pixels that show a rectangle of the screen, and returns them (empty
    /// when none does, as when the window is smaller than the screen).
    Rect draw(const std::uint16_t* screen, const Rect& area, const WindowPixels& window) const;

private:
    void putRow(const std::uint16_t* screenRow, int first, int last, std::uint8_t* windowRow) const;

    Rect shown_;
    int bytesPerPixel_ = 0;
    std::vector<std::uint32_t> colours_; ///< the window's pixel value of each RGB565 value
    std::vector<int> sourceColumn_;      ///< per window column of the shown part
    std::vector<int> sourceRow_;         ///< per window row of the shown part
    std::vector<int> firstColumn_;       ///< per screen column (and one past): its first window column
    std::vector<int> firstRow_;          ///< likewise for rows
};

} // namespace q71
