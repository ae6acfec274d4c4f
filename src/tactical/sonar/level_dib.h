#pragma once
// The picture of a sonar display: an 8-bit top-down DIB section whose bytes are levels 0 to
// 100 (0 the display's background, 1 to 100 a green ramp), selected into a memory context so
// that GDI can draw over it too. The displays paint their traces straight into the bytes.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <span>

namespace q71 {

/// The highest level of a DIB byte.
inline constexpr int kLevelMax = 100;

/// The colour a level shows as: 0 the displays' background, 1 to 100 green of trunc(255 k / 101).
RgbQuad levelColour(int level);

class LevelDib {
public:
    /// Makes the DIB and its context; false when the DIB cannot be made (nothing is drawn then).
    bool create(int width, int height);
    /// The same with another ramp: level i shows as colours[i] (the levels past them black).
    bool create(int width, int height, std::span<const RgbQuad> colours);
    bool valid() const { return dc_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    /// The bytes of row y (top row 0); empty for a row outside the picture or without a DIB.
    std::span<std::uint8_t> row(int y);
    /// Sets every byte of the picture to a level.
    void fill(std::uint8_t level);
    /// Sets the bytes of the rows y0 to y1 (exclusive) to a level.
    void fillRows(int y0, int y1, std::uint8_t level);
    /// Moves the columns x0 to x1 (exclusive) of the rows top to bottom (inclusive) down by `rows`,
    /// making room at the top; what passes the bottom is lost and the rows made free keep their bytes.
    void scrollDown(int top, int bottom, int x0, int x1, int rows);
    /// Makes the picture when it is not made yet, ready for the displays' text and traces (the
    /// displays' pen, font and green text on a transparent background); false when it cannot be made.
    bool ensureDisplay(int width, int height);
    /// Copies the picture to a window's top left corner (nothing without a picture or window).
    void blitTo(WindowHandle window) const;
    /// The memory context holding the DIB, or null.
    DeviceContext* dc() const { return dc_.get(); }

private:
    BitmapRef bitmap_;
    std::unique_ptr<DeviceContext> dc_;
    int width_ = 0, height_ = 0;
};

} // namespace q71
